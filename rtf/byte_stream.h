// A buffered byte stream on a file with one byte of push-back, which is all
// the RTF reader and the font family scan need of the file.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace qm::rtf {

class ByteStream {
 public:
  ByteStream() = default;
  ~ByteStream() { close(); }
  ByteStream(const ByteStream&) = delete;
  ByteStream& operator=(const ByteStream&) = delete;

  // Opens a file for reading; false when it cannot be opened.
  bool open(const std::string& path);
  // Reads from bytes held in memory (tests, the fuzzer).
  void openMemory(std::string bytes);
  bool isOpen() const { return file_ != nullptr || memory_; }
  void close();

  // The next byte (0 to 255), or -1 at the end of the input.
  int get() {
    if (pushedBack_ >= 0) {
      int byte = pushedBack_;
      pushedBack_ = -1;
      return byte;
    }
    if (position_ == limit_ && !refill()) return -1;
    return static_cast<unsigned char>(buffer_[position_++]);
  }
  void unget(int byte) { pushedBack_ = byte; }

  // The buffered bytes from here on that satisfy `accept`, taken at once
  // (possibly fewer than the file holds: the buffer's end stops the run).
  template <typename Accept>
  std::string_view takeWhile(Accept accept) {
    if (pushedBack_ >= 0) return {};
    size_t start = position_;
    while (position_ < limit_ && accept(static_cast<unsigned char>(buffer_[position_]))) ++position_;
    return {buffer_.data() + start, position_ - start};
  }

 private:
  bool refill();

  std::FILE* file_ = nullptr;
  bool memory_ = false;
  std::vector<char> buffer_;
  size_t position_ = 0;
  size_t limit_ = 0;
  int pushedBack_ = -1;
};

}  // namespace qm::rtf
