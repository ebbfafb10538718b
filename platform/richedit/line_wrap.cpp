#include "platform/richedit/line_wrap.h"

#include <array>
#include <deque>
#include <vector>

namespace qm::richedit {

namespace {

// Where a paragraph may be broken: the space at (run, offset).
struct BreakPoint {
  size_t run = 0;
  size_t offset = 0;
  bool found = false;
};

// The advances of all 256 bytes per format: a document has few formats, so
// each is measured once, not per character.
class AdvanceCache {
 public:
  explicit AdvanceCache(const CharacterAdvance& advance) : advance_(advance) {}
  const std::array<double, 256>& of(const CharFormat& format) {
    if (last_ < tables_.size() && tables_[last_].first == format) return tables_[last_].second;
    for (size_t i = 0; i < tables_.size(); ++i) {
      if (tables_[i].first == format) {
        last_ = i;
        return tables_[i].second;
      }
    }
    last_ = tables_.size();
    std::array<double, 256> table{};
    for (int byte = 0; byte < 256; ++byte) table[static_cast<size_t>(byte)] = advance_(format, static_cast<unsigned char>(byte));
    tables_.emplace_back(format, table);
    return tables_.back().second;
  }

 private:
  const CharacterAdvance& advance_;
  std::deque<std::pair<CharFormat, std::array<double, 256>>> tables_;
  size_t last_ = 0;
};

// The break point for a paragraph, or none when it fits.
BreakPoint findBreak(const Paragraph& paragraph, double maxWidth, AdvanceCache& advances) {
  double width = 0;
  BreakPoint last;
  for (size_t r = 0; r < paragraph.runs.size(); ++r) {
    const Run& run = paragraph.runs[r];
    if (run.picture) {
      width += run.picture->width;
      if (width > maxWidth && last.found) return last;
      continue;
    }
    if (run.format.hidden) continue;
    const auto& table = advances.of(run.format);
    // Most runs fit whole: sum them first, and look for the break point
    // only in the run that overflows.
    double runWidth = 0;
    size_t lastSpace = std::string::npos;
    for (size_t i = 0; i < run.text.size(); ++i) {
      unsigned char byte = static_cast<unsigned char>(run.text[i]);
      runWidth += table[byte];
      if (byte == ' ') lastSpace = i;
    }
    if (width + runWidth <= maxWidth) {
      if (lastSpace != std::string::npos && (lastSpace > 0 || width > 0)) last = {r, lastSpace, true};
      width += runWidth;
      continue;
    }
    for (size_t i = 0; i < run.text.size(); ++i) {
      unsigned char byte = static_cast<unsigned char>(run.text[i]);
      if (byte == ' ' && width > 0) last = {r, i, true};  // not a break before the first word
      width += table[byte];
      if (width > maxWidth && last.found) return last;
    }
  }
  return {};
}

}  // namespace

int wrapParagraphs(RichText& text, double maxWidth, const CharacterAdvance& advance) {
  AdvanceCache advances(advance);
  int breaks = 0;
  std::vector<Paragraph> result;
  result.reserve(text.paragraphs().size());
  for (Paragraph& paragraph : text.paragraphs()) {
    Paragraph rest = std::move(paragraph);
    while (true) {
      BreakPoint point = findBreak(rest, maxWidth, advances);
      if (!point.found) break;
      Paragraph line;
      line.runs.assign(std::make_move_iterator(rest.runs.begin()),
                       std::make_move_iterator(rest.runs.begin() + static_cast<long>(point.run)));
      Run& split = rest.runs[point.run];
      line.endFormat = split.format;
      if (point.offset > 0) line.runs.push_back(Run{split.format, split.text.substr(0, point.offset), nullptr});
      Paragraph tail;
      tail.endFormat = rest.endFormat;
      std::string after = split.text.substr(point.offset + 1);
      if (!after.empty()) tail.runs.push_back(Run{split.format, std::move(after), nullptr});
      tail.runs.insert(tail.runs.end(), std::make_move_iterator(rest.runs.begin() + static_cast<long>(point.run) + 1),
                       std::make_move_iterator(rest.runs.end()));
      result.push_back(std::move(line));
      rest = std::move(tail);
      ++breaks;
    }
    result.push_back(std::move(rest));
  }
  text.paragraphs() = std::move(result);
  return breaks;
}

}  // namespace qm::richedit
