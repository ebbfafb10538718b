#include "props/param_file.h"

#include <algorithm>

namespace qm::props {

std::string withoutBars(std::string text) {
  std::replace(text.begin(), text.end(), '|', '/');
  return text;
}

namespace {

// A one-line field holds no CR: a line break typed into it becomes a blank.
std::string oneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\r', ' ');
  std::replace(text.begin(), text.end(), '\n', ' ');
  return text;
}

class FieldReader {
 public:
  explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}

  // Reads up to `end` (not included) and steps over it; at the end of the
  // file, what was read.
  std::string until(char end) {
    size_t stop = bytes_.find(end, position_);
    if (stop == std::string_view::npos) stop = bytes_.size();
    std::string field(bytes_.substr(position_, stop - position_));
    position_ = stop < bytes_.size() ? stop + 1 : stop;
    return field;
  }
  void skip(size_t count) { position_ = std::min(bytes_.size(), position_ + count); }
  std::string_view take(size_t count) {
    std::string_view piece = bytes_.substr(position_, count);
    position_ += piece.size();
    return piece;
  }
  bool atEnd() const { return position_ >= bytes_.size(); }

 private:
  std::string_view bytes_;
  size_t position_ = 0;
};

}  // namespace

std::string formatParameterFile(const ParameterFields& fields) {
  std::string out;
  for (const std::string* line : {&fields.title, &fields.author, &fields.subject, &fields.creator}) {
    out += oneLine(*line);
    out += "\r\n";
  }
  out += withoutBars(fields.annotation);
  out += "||";
  size_t count = std::min(fields.captions.size(), kMaximumStoredCaptions);
  std::string digits = std::to_string(count);
  digits.resize(4, '\0');
  out += digits;
  for (size_t i = 0; i < count; ++i) {
    out += withoutBars(fields.captions[i].number);
    out += '|';
    out += withoutBars(fields.captions[i].caption);
    out += '|';
  }
  out += "\r\n";
  return out;
}

ParameterFields parseParameterFile(std::string_view bytes) {
  ParameterFields fields;
  FieldReader reader(bytes);
  for (std::string* line : {&fields.title, &fields.author, &fields.subject, &fields.creator}) {
    *line = reader.until('\r');
    reader.skip(1);  // the LF
  }
  fields.annotation = reader.until('|');
  reader.skip(1);  // the second "|"
  size_t count = 0;
  for (char c : reader.take(4)) {
    if (c < '0' || c > '9') break;
    count = count * 10 + static_cast<size_t>(c - '0');
  }
  for (size_t row = 0; row < count && !reader.atEnd(); ++row) {
    CaptionRow caption;
    caption.number = reader.until('|');
    caption.caption = reader.until('|');
    fields.captions.push_back(std::move(caption));
  }
  return fields;
}

}  // namespace qm::props
