#include "pdf/pdf_writer.h"

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "pdf/number_format.h"

namespace qm::pdf {

namespace {

mode_t currentUmask() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

}  // namespace

PdfWriter::~PdfWriter() { abandon(); }

bool PdfWriter::create(const std::string& path) {
  abandon();
  finalPath_ = path;
  // The rename at the end must be able to replace what has the name now.
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0 && (S_ISDIR(existing.st_mode) || ::access(path.c_str(), W_OK) != 0)) {
    return false;
  }
  size_t slash = path.find_last_of('/');
  std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string pattern = folder + "." + name + ".XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  int descriptor = ::mkstemp(buffer.data());
  if (descriptor < 0) return false;
  temporaryPath_ = buffer.data();
  ::fchmod(descriptor, 0666 & ~currentUmask());  // as an ordinary new file, not mkstemp's 0600
  file_ = ::fdopen(descriptor, "wb");
  if (!file_) {
    ::close(descriptor);
    ::unlink(temporaryPath_.c_str());
    temporaryPath_.clear();
    return false;
  }
  // A large buffer: the file goes out in a few writes, not thousands.
  buffer_.resize(1 << 20);
  std::setvbuf(file_, buffer_.data(), _IOFBF, buffer_.size());
  failed_ = false;
  byteCount_ = 0;
  offsets_.assign(1, 0);
  current_ = highest_ = root_ = info_ = 0;
  crossReferenceStart_ = 0;
  nextFreeObject = 17;
  return true;
}

void PdfWriter::abandon() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  if (!temporaryPath_.empty()) ::unlink(temporaryPath_.c_str());
  temporaryPath_.clear();
}

bool PdfWriter::finish() {
  if (!file_) return false;
  bool ok = !failed_ && std::fflush(file_) == 0 && ::fsync(::fileno(file_)) == 0;
  ok = (std::fclose(file_) == 0) && ok;
  file_ = nullptr;
  if (ok) ok = std::rename(temporaryPath_.c_str(), finalPath_.c_str()) == 0;
  if (ok) {
    temporaryPath_.clear();
  } else {
    ::unlink(temporaryPath_.c_str());
    temporaryPath_.clear();
    failed_ = true;
  }
  return ok;
}

long long PdfWriter::WriteString(std::string_view text) {
  if (!file_) return 0;
  size_t written = std::fwrite(text.data(), 1, text.size(), file_);
  if (written != text.size()) failed_ = true;
  byteCount_ += static_cast<long long>(written);
  return static_cast<long long>(written);
}

void PdfWriter::BeginObject(int number) {
  current_ = number;
  if (number >= 0) {
    if (static_cast<size_t>(number) >= offsets_.size()) offsets_.resize(static_cast<size_t>(number) + 1, 0);
    offsets_[static_cast<size_t>(number)] = byteCount_;
  }
  std::string header;
  appendInt(header, number);
  header += " 0 obj\n";
  WriteString(header);
  if (number > highest_) highest_ = number;
}

void PdfWriter::BeginTrailerObject(int number, std::string_view key) {
  BeginObject(number);
  if (key == "/Root") root_ = number;
  if (key == "/Info") info_ = number;
}

void PdfWriter::WriteDict(std::string_view body) {
  std::string text = "<<\n";
  text += body;
  text += ">>\n";
  WriteString(text);
}

long long PdfWriter::offsetOf(int number) const {
  if (number < 0 || static_cast<size_t>(number) >= offsets_.size()) return 0;
  return offsets_[static_cast<size_t>(number)];
}

void PdfWriter::writeCrossReferenceAndTrailer() {
  crossReferenceStart_ = byteCount_;
  std::string table = "xref\n0 ";
  appendInt(table, highest_ + 1);
  table += "\n0000000000 65535 f \n";
  table.reserve(table.size() + static_cast<size_t>(highest_) * 20 + 128);
  char line[32];
  for (int number = 1; number <= highest_; ++number) {
    std::snprintf(line, sizeof line, "%010lld 00000 n \n", offsetOf(number));
    table += line;
  }
  table += "trailer\n<<\n/Size ";
  appendInt(table, highest_ + 1);
  table += "\n";
  if (root_ != 0) {
    table += "/Root ";
    appendInt(table, root_);
    table += " 0 R\n";
  }
  if (info_ != 0) {
    table += "/Info ";
    appendInt(table, info_);
    table += " 0 R\n";
  }
  table += ">>\nstartxref\n";
  appendInt(table, crossReferenceStart_);
  table += "\n%%EOF\n";
  WriteString(table);
}

}  // namespace qm::pdf
