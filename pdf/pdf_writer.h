// The PDF writer: one object over one counting sink.  It keeps the byte
// counter, the offset of every object's header line, the object numbers and
// the trailer's references, and writes the cross-reference table from them.
// The file is written under a temporary name in the same folder and renamed
// over the chosen name only when it is complete, so that a failed conversion
// never leaves a half-written PDF in place of the user's previous file.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace qm::pdf {

class PdfWriter {
 public:
  PdfWriter() = default;
  ~PdfWriter();
  PdfWriter(const PdfWriter&) = delete;
  PdfWriter& operator=(const PdfWriter&) = delete;

  // Creates the temporary file beside `path`; false when it cannot be.
  bool create(const std::string& path);
  // Closes the file and renames it over the chosen name; false when a write,
  // the close or the rename failed (the temporary file is then removed).
  bool finish();
  bool writeFailed() const { return failed_; }

  // Writes the bytes and counts them; returns the count.
  long long WriteString(std::string_view text);
  void BeginObject(int number);
  void BeginTrailerObject(int number, std::string_view key);
  void OpenDict() { WriteString("<<\n"); }
  void CloseDict() { WriteString(">>\n"); }
  void WriteDict(std::string_view body);
  void EndObject() { WriteString("endobj\n"); }
  // The cross-reference table, the trailer, "startxref" and the end marker.
  void writeCrossReferenceAndTrailer();

  long long byteCount() const { return byteCount_; }
  int highestObject() const { return highest_; }
  long long offsetOf(int number) const;
  int nextFreeObject = 17;

 private:
  void abandon();

  std::FILE* file_ = nullptr;
  std::vector<char> buffer_;  // the file's output buffer, alive while it is open
  std::string finalPath_;
  std::string temporaryPath_;
  bool failed_ = false;
  long long byteCount_ = 0;
  std::vector<long long> offsets_;
  int current_ = 0;
  int highest_ = 0;
  int root_ = 0;
  int info_ = 0;
  long long crossReferenceStart_ = 0;
};

}  // namespace qm::pdf
