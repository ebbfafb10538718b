#include "rtf/byte_stream.h"

namespace qm::rtf {

bool ByteStream::open(const std::string& path) {
  close();
  file_ = std::fopen(path.c_str(), "rb");
  if (!file_) return false;
  buffer_.resize(1 << 16);
  return true;
}

void ByteStream::openMemory(std::string bytes) {
  close();
  buffer_.assign(bytes.begin(), bytes.end());
  limit_ = buffer_.size();
  memory_ = true;
}

void ByteStream::close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  memory_ = false;
  position_ = limit_ = 0;
  pushedBack_ = -1;
}

bool ByteStream::refill() {
  if (!file_) return false;
  limit_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
  position_ = 0;
  return limit_ > 0;
}

}  // namespace qm::rtf
