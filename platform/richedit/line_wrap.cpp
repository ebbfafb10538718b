#include "platform/richedit/line_wrap.h"

#include <vector>

namespace qm::richedit {

namespace {

// Where a paragraph may be broken: the space at (run, offset).
struct BreakPoint {
  size_t run = 0;
  size_t offset = 0;
  bool found = false;
};

// The break point for a paragraph, or none when it fits.
BreakPoint findBreak(const Paragraph& paragraph, double maxWidth, const CharacterAdvance& advance) {
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
    for (size_t i = 0; i < run.text.size(); ++i) {
      unsigned char byte = static_cast<unsigned char>(run.text[i]);
      if (byte == ' ' && width > 0) last = {r, i, true};  // not a break before the first word
      width += advance(run.format, byte);
      if (width > maxWidth && last.found) return last;
    }
  }
  return {};
}

}  // namespace

int wrapParagraphs(RichText& text, double maxWidth, const CharacterAdvance& advance) {
  int breaks = 0;
  std::vector<Paragraph> result;
  result.reserve(text.paragraphs().size());
  for (Paragraph& paragraph : text.paragraphs()) {
    Paragraph rest = std::move(paragraph);
    while (true) {
      BreakPoint point = findBreak(rest, maxWidth, advance);
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
