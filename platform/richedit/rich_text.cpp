#include "platform/richedit/rich_text.h"

#include <algorithm>
#include <cctype>

namespace qm::richedit {

const char* familyName(FontFamily family) {
  switch (family) {
    case FontFamily::Courier: return "Courier";
    case FontFamily::Helvetica: return "Helvetica";
    case FontFamily::Times: break;
  }
  return "Times New Roman";
}

namespace {

bool containsWord(const std::string& haystack, std::string_view needle) {
  return haystack.find(needle) != std::string::npos;
}

// Lower-case fragments of font names, by the family they look like.
constexpr std::string_view kMonospaced[] = {"courier", "mono", "consolas", "menlo", "monaco", "lucida console",
                                            "fixedsys", "typewriter", "terminal", "code", "inconsolata"};
constexpr std::string_view kSansSerif[] = {"arial", "helvetica", "verdana", "tahoma", "calibri", "segoe",
                                           "trebuchet", "gill sans", "futura", "sans", "century gothic",
                                           "franklin gothic", "lucida grande", "geneva", "aptos", "candara",
                                           "corbel", "myriad", "frutiger", "univers", "avenir", "roboto",
                                           "open sans", "noto sans", "liberation sans", "dejavu sans", "swiss"};

}  // namespace

FontFamily nearestFamily(std::string_view fontName, std::string_view rtfFamily) {
  std::string name;
  for (char c : fontName) name.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  bool serifNamed = containsWord(name, "serif") && !containsWord(name, "sans");
  for (auto fragment : kMonospaced) {
    if (containsWord(name, fragment)) return FontFamily::Courier;
  }
  if (!serifNamed) {
    for (auto fragment : kSansSerif) {
      if (containsWord(name, fragment)) return FontFamily::Helvetica;
    }
  }
  if (name.empty() || !serifNamed) {
    if (rtfFamily == "fmodern") return FontFamily::Courier;
    if (rtfFamily == "fswiss") return FontFamily::Helvetica;
  }
  return FontFamily::Times;
}

void FormatChange::applyTo(CharFormat& format) const {
  if (font) format.font = *font;
  if (halfPoints) format.halfPoints = *halfPoints;
  if (colour) format.colour = *colour;
  if (bold) format.bold = *bold;
  if (italic) format.italic = *italic;
  if (underline) format.underline = *underline;
  if (hidden) format.hidden = *hidden;
}

int Paragraph::length() const {
  int total = 0;
  for (const auto& run : runs) total += run.length();
  return total;
}

RichText::RichText() : paragraphs_(1) {}

int RichText::length() const {
  int total = static_cast<int>(paragraphs_.size()) - 1;
  for (const auto& paragraph : paragraphs_) total += paragraph.length();
  return total;
}

std::string RichText::plainText() const {
  std::string text;
  for (size_t p = 0; p < paragraphs_.size(); ++p) {
    if (p) text.push_back('\n');
    for (const auto& run : paragraphs_[p].runs) {
      if (run.picture) {
        text.push_back('?');
      } else {
        text += run.text;
      }
    }
  }
  return text;
}

std::pair<int, int> RichText::locate(int index) const {
  if (index < 0) index = 0;
  for (size_t p = 0; p < paragraphs_.size(); ++p) {
    int length = paragraphs_[p].length();
    if (index <= length || p + 1 == paragraphs_.size()) {
      return {static_cast<int>(p), std::min(index, length)};
    }
    index -= length + 1;
  }
  return {0, 0};
}

namespace {

// Splits the run list so that a run boundary falls at `offset`; returns the
// index of the first run at or after it.
size_t splitAt(Paragraph& paragraph, int offset) {
  size_t i = 0;
  while (i < paragraph.runs.size()) {
    int length = paragraph.runs[i].length();
    if (offset == 0) return i;
    if (offset < length) {
      Run tail = paragraph.runs[i];
      tail.text = paragraph.runs[i].text.substr(static_cast<size_t>(offset));
      paragraph.runs[i].text.resize(static_cast<size_t>(offset));
      paragraph.runs.insert(paragraph.runs.begin() + static_cast<long>(i) + 1, std::move(tail));
      return i + 1;
    }
    offset -= length;
    ++i;
  }
  return i;
}

}  // namespace

CharFormat RichText::formatAt(int index) const {
  auto [p, offset] = locate(index);
  const Paragraph& paragraph = paragraphs_[static_cast<size_t>(p)];
  if (paragraph.runs.empty()) return paragraph.endFormat;
  // The format of the character before the position, as typing continues it.
  int target = offset > 0 ? offset - 1 : 0;
  for (const auto& run : paragraph.runs) {
    if (target < run.length()) return run.format;
    target -= run.length();
  }
  return paragraph.runs.back().format;
}

RichText RichText::slice(int start, int count) const {
  RichText copy = *this;
  int total = copy.length();
  if (start < 0) start = 0;
  if (start > total) start = total;
  if (count < 0 || start + count > total) count = total - start;
  copy.erase(start + count, total - start - count);
  copy.erase(0, start);
  return copy;
}

void RichText::erase(int start, int count) {
  if (count <= 0) return;
  auto [firstParagraph, firstOffset] = locate(start);
  auto [lastParagraph, lastOffset] = locate(start + count);
  Paragraph& first = paragraphs_[static_cast<size_t>(firstParagraph)];
  if (firstParagraph == lastParagraph) {
    size_t from = splitAt(first, firstOffset);
    size_t to = splitAt(first, lastOffset);
    first.runs.erase(first.runs.begin() + static_cast<long>(from), first.runs.begin() + static_cast<long>(to));
    return;
  }
  Paragraph& last = paragraphs_[static_cast<size_t>(lastParagraph)];
  size_t keepFrom = splitAt(last, lastOffset);
  std::vector<Run> tail(last.runs.begin() + static_cast<long>(keepFrom), last.runs.end());
  CharFormat endFormat = last.endFormat;
  size_t cut = splitAt(first, firstOffset);
  first.runs.erase(first.runs.begin() + static_cast<long>(cut), first.runs.end());
  first.runs.insert(first.runs.end(), tail.begin(), tail.end());
  first.endFormat = endFormat;
  paragraphs_.erase(paragraphs_.begin() + firstParagraph + 1, paragraphs_.begin() + lastParagraph + 1);
}

void RichText::insert(int index, const RichText& fragment) {
  auto [p, offset] = locate(index);
  Paragraph& target = paragraphs_[static_cast<size_t>(p)];
  size_t cut = splitAt(target, offset);
  std::vector<Run> tail(target.runs.begin() + static_cast<long>(cut), target.runs.end());
  target.runs.erase(target.runs.begin() + static_cast<long>(cut), target.runs.end());
  CharFormat targetEnd = target.endFormat;

  const auto& pieces = fragment.paragraphs_;
  target.runs.insert(target.runs.end(), pieces.front().runs.begin(), pieces.front().runs.end());
  if (pieces.size() == 1) {
    target.runs.insert(target.runs.end(), tail.begin(), tail.end());
    return;
  }
  target.endFormat = pieces.front().endFormat;
  std::vector<Paragraph> added(pieces.begin() + 1, pieces.end());
  Paragraph& lastAdded = added.back();
  lastAdded.runs.insert(lastAdded.runs.end(), tail.begin(), tail.end());
  lastAdded.endFormat = targetEnd;
  paragraphs_.insert(paragraphs_.begin() + p + 1, added.begin(), added.end());
}

void RichText::insertText(int index, std::string_view text, const CharFormat& format) {
  RichText fragment;
  fragment.paragraphs_.front().endFormat = format;
  for (char c : text) {
    if (c == '\r' || c == '\n') {
      Paragraph next;
      next.endFormat = format;
      fragment.paragraphs_.push_back(std::move(next));
      continue;
    }
    auto& runs = fragment.paragraphs_.back().runs;
    if (runs.empty() || runs.back().picture) runs.push_back(Run{format, {}, nullptr});
    runs.back().text.push_back(c);
  }
  insert(index, fragment);
  normalise();
}

void RichText::insertPicture(int index, std::shared_ptr<const Picture> picture, const CharFormat& format) {
  RichText fragment;
  fragment.paragraphs_.front().runs.push_back(Run{format, {}, std::move(picture)});
  insert(index, fragment);
}

void RichText::applyFormat(int start, int count, const FormatChange& change) {
  if (count <= 0) return;
  int end = start + count;
  int position = 0;
  for (auto& paragraph : paragraphs_) {
    int paragraphEnd = position + paragraph.length();
    if (paragraphEnd >= start && position < end) {
      int from = std::max(start, position) - position;
      int to = std::min(end, paragraphEnd) - position;
      size_t first = splitAt(paragraph, from);
      size_t last = splitAt(paragraph, to);
      for (size_t i = first; i < last; ++i) change.applyTo(paragraph.runs[i].format);
      // A selection that covers the paragraph mark formats it too.
      if (end > paragraphEnd) change.applyTo(paragraph.endFormat);
    }
    position = paragraphEnd + 1;
    if (position > end) break;
  }
  normalise();
}

void RichText::normalise() {
  for (auto& paragraph : paragraphs_) {
    std::vector<Run> merged;
    merged.reserve(paragraph.runs.size());
    for (auto& run : paragraph.runs) {
      if (!run.picture && run.text.empty()) continue;
      if (!merged.empty() && !run.picture && !merged.back().picture && merged.back().format == run.format) {
        merged.back().text += run.text;
      } else {
        merged.push_back(std::move(run));
      }
    }
    paragraph.runs = std::move(merged);
  }
}

}  // namespace qm::richedit
