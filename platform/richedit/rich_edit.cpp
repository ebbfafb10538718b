#include "platform/richedit/rich_edit.h"

#include <algorithm>

#include "platform/richedit/rtf_writer.h"

namespace qm {

using richedit::CharFormat;
using richedit::FormatChange;
using richedit::RichText;

RichEdit::RichEdit(std::string name, Clipboard& clipboard) : Control(std::move(name)), clipboard_(clipboard) {}

int RichEdit::textHeightPixels(int halfPoints) {
  // ceil(points * 96/72 * 1.15) = ceil(halfPoints * 23 / 30)
  int pixels = (halfPoints * 23 + 29) / 30;
  return pixels < 1 ? 1 : pixels;
}

void RichEdit::buildGeometry() const {
  if (geometryValid_) return;
  const auto& paragraphs = text_.paragraphs();
  lineStarts_.resize(paragraphs.size());
  lineTops_.resize(paragraphs.size());
  lineHeights_.resize(paragraphs.size());
  int start = 0;
  int lineY = 0;
  for (size_t i = 0; i < paragraphs.size(); ++i) {
    const auto& paragraph = paragraphs[i];
    int tallest = 0;
    for (const auto& run : paragraph.runs) {
      int runHeight = run.picture ? run.picture->height : textHeightPixels(run.format.halfPoints);
      tallest = std::max(tallest, runHeight);
    }
    if (paragraph.runs.empty()) tallest = textHeightPixels(paragraph.endFormat.halfPoints);
    lineStarts_[i] = start;
    lineTops_[i] = lineY;
    lineHeights_[i] = tallest;
    start += paragraph.length() + 1;
    lineY += tallest;
  }
  totalLength_ = start - 1;
  geometryValid_ = true;
}

int RichEdit::lineCount() const { return static_cast<int>(text_.paragraphs().size()); }

int RichEdit::lineIndex(int line) const {
  buildGeometry();
  if (line < 0 || line >= static_cast<int>(lineStarts_.size())) return -1;
  return lineStarts_[static_cast<size_t>(line)];
}

int RichEdit::lineFromChar(int index) const {
  buildGeometry();
  auto it = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), index);
  int line = static_cast<int>(it - lineStarts_.begin()) - 1;
  return line < 0 ? 0 : line;
}

int RichEdit::lineTop(int line) const {
  buildGeometry();
  return lineTops_[static_cast<size_t>(std::clamp(line, 0, lineCount() - 1))];
}

int RichEdit::lineHeight(int line) const {
  buildGeometry();
  return lineHeights_[static_cast<size_t>(std::clamp(line, 0, lineCount() - 1))];
}

int RichEdit::documentHeight() const {
  buildGeometry();
  return lineTops_.back() + lineHeights_.back();
}

Point RichEdit::posFromChar(int index) const {
  buildGeometry();
  index = std::clamp(index, 0, totalLength_);
  int line = lineFromChar(index);
  int offset = index - lineStarts_[static_cast<size_t>(line)];
  double x = 1;
  for (const auto& run : text_.paragraphs()[static_cast<size_t>(line)].runs) {
    if (offset <= 0) break;
    int count = std::min(offset, run.length());
    if (run.picture) {
      x += run.picture->width;
    } else {
      double em = run.format.halfPoints / 2.0 * 96.0 / 72.0;
      x += count * em * (run.format.font == richedit::FontFamily::Courier ? 0.6 : 0.5);
    }
    offset -= count;
  }
  return {static_cast<int>(x), lineTops_[static_cast<size_t>(line)] - scrollY_};
}

void RichEdit::setVertScrollPos(int y) {
  int maximum = std::max(0, documentHeight() - height);
  scrollY_ = std::clamp(y, 0, maximum);
}

int RichEdit::firstVisibleLine() const {
  buildGeometry();
  auto it = std::upper_bound(lineTops_.begin(), lineTops_.end(), scrollY_);
  int line = static_cast<int>(it - lineTops_.begin()) - 1;
  return line < 0 ? 0 : line;
}

void RichEdit::scrollPageUp() { setVertScrollPos(scrollY_ - height); }
void RichEdit::scrollPageDown() { setVertScrollPos(scrollY_ + height); }

void RichEdit::streamOut(MemoryStream& stream) const { stream.write(richedit::writeRtf(text_)); }

bool RichEdit::streamIn(MemoryStream& stream, bool replaceSelection) {
  std::string_view data = std::string_view(stream.bytes()).substr(stream.position());
  stream.seek(stream.bytes().size());
  lastReport_ = {};
  if (replaceSelection) {
    RichText fragment = richedit::readRtf(data, lastReport_, richedit::RtfReadMode::Fragment);
    change([&] {
      text_.erase(selStart_, selLength_);
      text_.insert(selStart_, fragment);
      selStart_ += fragment.length();
      selLength_ = 0;
    });
  } else {
    // Replacing the whole content starts afresh: no undo, scrolled to the top.
    text_ = richedit::readRtf(data, lastReport_, richedit::RtfReadMode::Document);
    undo_.reset();
    selStart_ = 0;
    selLength_ = 0;
    scrollY_ = 0;
    geometryChanged();
  }
  return !lastReport_.error;
}

int RichEdit::breakLongParagraphs() {
  if (!characterAdvance) return 0;
  int breaks = richedit::wrapParagraphs(text_, wrapWidth, characterAdvance);
  if (breaks) geometryChanged();
  return breaks;
}

void RichEdit::change(const std::function<void()>& edit) {
  undo_ = std::make_unique<RichText>(text_);
  edit();
  geometryChanged();
  setVertScrollPos(scrollY_);
}

void RichEdit::clear() {
  // The old content becomes the undo state as it is, without a copy.
  undo_ = std::make_unique<RichText>(std::move(text_));
  text_ = RichText();
  geometryChanged();
  selStart_ = 0;
  selLength_ = 0;
  scrollY_ = 0;
}

void RichEdit::selectAll() {
  selStart_ = 0;
  selLength_ = textLength();
}

void RichEdit::setSelection(int start, int length) {
  int total = textLength();
  selStart_ = std::clamp(start, 0, total);
  selLength_ = std::clamp(length, 0, total - selStart_);
  insertionFormatSet_ = false;
}

std::string RichEdit::selText() const { return text_.slice(selStart_, selLength_).plainText(); }

void RichEdit::copyToClipboard() {
  if (selLength_ > 0) clipboard_.setText(text_.slice(selStart_, selLength_));
}

void RichEdit::cutToClipboard() {
  if (selLength_ <= 0) return;
  copyToClipboard();
  change([&] { text_.erase(selStart_, selLength_); });
  selLength_ = 0;
}

void RichEdit::pasteFromClipboard() {
  if (clipboard_.text()) {
    const RichText& fragment = *clipboard_.text();
    change([&] {
      text_.erase(selStart_, selLength_);
      text_.insert(selStart_, fragment);
      text_.normalise();
    });
    selStart_ += fragment.length();
    selLength_ = 0;
  } else if (clipboard_.picture()) {
    insertPicture(clipboard_.picture());
  }
}

void RichEdit::undo() {
  if (!undo_) return;
  std::swap(*undo_, text_);
  selStart_ = std::min(selStart_, textLength());
  selLength_ = 0;
  geometryChanged();
  setVertScrollPos(scrollY_);
}

CharFormat RichEdit::selAttributes() const {
  if (selLength_ == 0 && insertionFormatSet_) return insertionFormat_;
  return text_.formatAt(selLength_ > 0 ? selStart_ + 1 : selStart_);
}

void RichEdit::typeText(std::string_view typed) {
  CharFormat format = selAttributes();
  change([&] {
    text_.erase(selStart_, selLength_);
    text_.insertText(selStart_, typed, format);
  });
  selStart_ += static_cast<int>(typed.size());
  selLength_ = 0;
  insertionFormatSet_ = false;
}

void RichEdit::insertPicture(std::shared_ptr<const richedit::Picture> picture) {
  CharFormat format = selAttributes();
  change([&] {
    text_.erase(selStart_, selLength_);
    text_.insertPicture(selStart_, std::move(picture), format);
  });
  selStart_ += 1;
  selLength_ = 0;
}

int RichEdit::findText(const std::string& needle, int start, int length) const {
  if (needle.empty()) return -1;
  std::string haystack = text_.plainText();
  start = std::clamp(start, 0, static_cast<int>(haystack.size()));
  size_t limit = std::min(haystack.size(), static_cast<size_t>(start) + static_cast<size_t>(std::max(length, 0)));
  size_t found = haystack.find(needle, static_cast<size_t>(start));
  if (found == std::string::npos || found + needle.size() > limit) return -1;
  return static_cast<int>(found);
}

namespace {

bool hasPathBehind(const richedit::Paragraph& paragraph, size_t run) {
  return run + 1 < paragraph.runs.size() && paragraph.runs[run + 1].format.hidden &&
         !paragraph.runs[run + 1].picture && !paragraph.runs[run + 1].text.empty();
}

bool needsPath(const richedit::Paragraph& paragraph, size_t run) {
  const auto& picture = paragraph.runs[run].picture;
  return picture && !picture->jpeg.empty() && !hasPathBehind(paragraph, run);
}

}  // namespace

int RichEdit::picturesWithoutPath() const {
  int count = 0;
  for (const auto& paragraph : text_.paragraphs()) {
    for (size_t run = 0; run < paragraph.runs.size(); ++run) count += needsPath(paragraph, run) ? 1 : 0;
  }
  return count;
}

int RichEdit::attachPicturePaths(
    const std::function<std::optional<std::string>(const richedit::Picture&, int)>& pathFor) {
  int number = 0;
  int attached = 0;
  for (auto& paragraph : text_.paragraphs()) {
    for (size_t run = 0; run < paragraph.runs.size(); ++run) {
      if (!needsPath(paragraph, run)) continue;
      auto path = pathFor(*paragraph.runs[run].picture, ++number);
      if (!path) continue;
      // The hidden path in the format the picture insertion gives it.
      richedit::CharFormat hidden;
      hidden.halfPoints = 20;
      hidden.hidden = true;
      paragraph.runs.insert(paragraph.runs.begin() + static_cast<long>(run) + 1, richedit::Run{hidden, *path, nullptr});
      ++attached;
    }
  }
  if (attached) geometryChanged();
  return attached;
}

void RichEdit::applyToSelection(const FormatChange& formatChange) {
  if (selLength_ == 0) {
    if (!insertionFormatSet_) insertionFormat_ = selAttributes();
    formatChange.applyTo(insertionFormat_);
    insertionFormatSet_ = true;
    // An empty line shows the new format at once (its height follows it).
    auto [paragraph, offset] = text_.locate(selStart_);
    auto& target = text_.paragraphs()[static_cast<size_t>(paragraph)];
    if (target.runs.empty()) {
      formatChange.applyTo(target.endFormat);
      geometryChanged();
    }
    (void)offset;
    return;
  }
  change([&] { text_.applyFormat(selStart_, selLength_, formatChange); });
}

void RichEdit::setSelFontName(const std::string& name) {
  FormatChange formatChange;
  formatChange.font = richedit::nearestFamily(name);
  applyToSelection(formatChange);
}

void RichEdit::setSelSizePoints(int points) {
  FormatChange formatChange;
  formatChange.halfPoints = std::clamp(points, 1, 1637) * 2;
  applyToSelection(formatChange);
}

void RichEdit::setSelColour(Rgb newColour) {
  FormatChange formatChange;
  formatChange.colour = newColour;
  applyToSelection(formatChange);
}

void RichEdit::setSelStyle(bool bold, bool italic, bool underline) {
  FormatChange formatChange;
  formatChange.bold = bold;
  formatChange.italic = italic;
  formatChange.underline = underline;
  applyToSelection(formatChange);
}

}  // namespace qm
