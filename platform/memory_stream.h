// A memory stream: a growable byte buffer with a read position, loaded from
// and saved to files whole.  The pad streams RTF out to and in from one.
#pragma once

#include <cstddef>
#include <string>

namespace qm {

class MemoryStream {
 public:
  const std::string& bytes() const { return bytes_; }
  size_t position() const { return position_; }
  void seek(size_t position) { position_ = position > bytes_.size() ? bytes_.size() : position; }

  void write(const char* data, size_t count);
  void write(const std::string& data) { write(data.data(), data.size()); }
  // Takes the bytes over without a copy when the stream is empty.
  void write(std::string&& data);
  // Reads up to `count` bytes; returns how many were read.
  size_t read(char* buffer, size_t count);

  // Throw PlatformError with the failed operation's text.
  void loadFromFile(const std::string& path);
  void saveToFile(const std::string& path) const;

 private:
  std::string bytes_;
  size_t position_ = 0;
};

// Whole-file helpers; false when the file cannot be read or written.
bool readWholeFile(const std::string& path, std::string& bytes);
bool writeWholeFile(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);

}  // namespace qm
