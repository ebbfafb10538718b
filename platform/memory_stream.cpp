#include "platform/memory_stream.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

#include "platform/application.h"

namespace qm {

void MemoryStream::write(const char* data, size_t count) {
  if (position_ == bytes_.size()) {
    bytes_.append(data, count);
  } else {
    if (position_ + count > bytes_.size()) bytes_.resize(position_ + count);
    std::memcpy(bytes_.data() + position_, data, count);
  }
  position_ += count;
}

void MemoryStream::write(std::string&& data) {
  if (bytes_.empty()) {
    bytes_ = std::move(data);
    position_ = bytes_.size();
  } else {
    write(data.data(), data.size());
  }
}

size_t MemoryStream::read(char* buffer, size_t count) {
  size_t available = bytes_.size() - position_;
  if (count > available) count = available;
  std::memcpy(buffer, bytes_.data() + position_, count);
  position_ += count;
  return count;
}

bool readWholeFile(const std::string& path, std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  bytes.clear();
  char buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}

bool writeWholeFile(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = (std::fclose(file) == 0) && ok;
  return ok;
}

bool fileExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void MemoryStream::loadFromFile(const std::string& path) {
  std::string data;
  if (!readWholeFile(path, data)) {
    throw PlatformError("Cannot open file \"" + path + "\". " + std::strerror(errno));
  }
  bytes_ = std::move(data);
  position_ = 0;
}

void MemoryStream::saveToFile(const std::string& path) const {
  if (!writeWholeFile(path, bytes_)) {
    throw PlatformError("Cannot create file \"" + path + "\". " + std::strerror(errno));
  }
}

}  // namespace qm
