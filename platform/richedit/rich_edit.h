// The editor pad control: a rich text model with a selection, selection
// attributes, clipboard commands, single-level undo, find, RTF out and in,
// and deterministic line geometry.
//
// Geometry (the conversion turns it into PDF positions, so it is fixed):
//  - one paragraph is one line; the pad never wraps;
//  - a line is as high as its tallest run or picture; text of s points is
//    ceil(s * 96/72 * 1.15) pixels high (96 pixels per inch, the 1.15 line
//    spacing of Times New Roman), so 11-point lines are 17 pixels apart;
//    an empty line takes the height of its paragraph mark's format;
//  - the first line's top is y = 0 when the pad is scrolled to the top;
//  - x of a character is 1 plus an average advance for each character before
//    it in its line (0.6 em in Courier, 0.5 em in the other fonts; a picture
//    advances by its width).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/controls.h"
#include "platform/memory_stream.h"
#include "platform/richedit/line_wrap.h"
#include "platform/richedit/rich_text.h"
#include "platform/richedit/rtf_parser.h"

namespace qm {

struct Point {
  int x = 0;
  int y = 0;
};

class RichEdit : public Control {
 public:
  RichEdit(std::string name, Clipboard& clipboard);

  const richedit::RichText& content() const { return text_; }
  std::string text() const { return text_.plainText(); }
  int textLength() const { return text_.length(); }

  // RTF in both directions.  Stream-in returns false (the error flag) when
  // the RTF could not be read completely; the pad keeps what it accepted.
  void streamOut(MemoryStream& stream) const;
  bool streamIn(MemoryStream& stream, bool replaceSelection);
  const richedit::RtfReadReport& lastReadReport() const { return lastReport_; }

  // Geometry.
  int lineCount() const;
  int lineIndex(int line) const;  // first character of a line, -1 past the end
  Point posFromChar(int index) const;
  int lineFromChar(int index) const;
  int lineTop(int line) const;     // in document pixels, not scrolled
  int lineHeight(int line) const;
  int documentHeight() const;
  Point caretPos() const { return posFromChar(selStart_); }
  int vertScrollPos() const { return scrollY_; }
  void setVertScrollPos(int y);
  int firstVisibleLine() const;
  void scrollPageUp();
  void scrollPageDown();

  // Editing.
  void clear();
  void selectAll();
  void setSelection(int start, int length);
  int selStart() const { return selStart_; }
  int selLength() const { return selLength_; }
  std::string selText() const;
  void cutToClipboard();
  void copyToClipboard();
  void pasteFromClipboard();
  void undo();  // undoes the last change; pressed again it redoes it
  bool canUndo() const { return static_cast<bool>(undo_); }
  // Types text at the selection with the insertion format.
  void typeText(std::string_view text);
  void insertPicture(std::shared_ptr<const richedit::Picture> picture);
  int findText(const std::string& text, int start, int length) const;
  // Pictures with JPEG data but no hidden path right behind them (pictures
  // that came in with RTF, not from a file): `pathFor` is asked for a file
  // holding each, numbered from 1, and its path is put behind the picture as
  // hidden text, as the picture insertion does.  A nullopt answer leaves the
  // picture as it is.  Returns how many pictures got a path.
  int attachPicturePaths(const std::function<std::optional<std::string>(const richedit::Picture&, int)>& pathFor);
  // How many pictures lack such a path.
  int picturesWithoutPath() const;
  void setFocus() { focused_ = true; }
  bool focused() const { return focused_; }

  // Selection attributes: applied to the selection, and to what is typed
  // next at an empty selection.
  void setSelFontName(const std::string& name);
  void setSelSizePoints(int points);
  void setSelColour(Rgb newColour);
  void setSelStyle(bool bold, bool italic, bool underline);
  richedit::CharFormat selAttributes() const;

  // Breaks the paragraphs wider than `wrapWidth`, measured with
  // `characterAdvance`, into several lines (the pad never wraps by itself);
  // returns the number of breaks.  `wrapLongParagraphs` tells whether opening
  // a file does so.
  int breakLongParagraphs();
  bool wrapLongParagraphs = false;
  double wrapWidth = 0;
  richedit::CharacterAdvance characterAdvance;

  std::function<void()> onKeyUp;
  std::function<void()> onMouseUp;

  static int textHeightPixels(int halfPoints);

 private:
  void change(const std::function<void()>& edit);
  void applyToSelection(const richedit::FormatChange& change);
  void geometryChanged() { geometryValid_ = false; }
  void buildGeometry() const;

  Clipboard& clipboard_;
  richedit::RichText text_;
  int selStart_ = 0;
  int selLength_ = 0;
  richedit::CharFormat insertionFormat_;
  bool insertionFormatSet_ = false;
  std::unique_ptr<richedit::RichText> undo_;
  int scrollY_ = 0;
  bool focused_ = false;
  richedit::RtfReadReport lastReport_;

  mutable bool geometryValid_ = false;
  mutable std::vector<int> lineStarts_;
  mutable std::vector<int> lineTops_;
  mutable std::vector<int> lineHeights_;
  mutable int totalLength_ = 0;
};

}  // namespace qm
