// The pad's rich text model.  The pad never wraps, so the document is a list
// of paragraphs, each one pad line, each a list of runs that share one
// character format.  A run is either text (Windows-1252 bytes) or one
// embedded picture.  Character indices count every text byte, a picture as
// one character, and one paragraph mark between paragraphs, as the rich edit
// control of the desktop does.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "grid/work_grid.h"

namespace qm::richedit {

enum class FontFamily : unsigned char { Times, Courier, Helvetica };

// "Times New Roman", "Courier" or "Helvetica".
const char* familyName(FontFamily family);
// The nearest of the three for any font name: monospaced names to Courier,
// sans-serif names to Helvetica, everything else to Times New Roman.  The
// RTF family word (\fmodern, \fswiss ...) decides when the name says nothing.
FontFamily nearestFamily(std::string_view fontName, std::string_view rtfFamily = {});

struct CharFormat {
  FontFamily font = FontFamily::Times;
  int halfPoints = 22;  // 11 points
  Rgb colour{};
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool hidden = false;
  friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

// A change of some attributes, as the toolbar makes it.
struct FormatChange {
  std::optional<FontFamily> font;
  std::optional<int> halfPoints;
  std::optional<Rgb> colour;
  std::optional<bool> bold;
  std::optional<bool> italic;
  std::optional<bool> underline;
  std::optional<bool> hidden;
  void applyTo(CharFormat& format) const;
};

struct Picture {
  int width = 0;   // pixels in the pad
  int height = 0;  // pixels in the pad
  std::string jpeg;        // the JPEG file's bytes
  std::string sourcePath;  // where it was inserted from, when known
};

struct Run {
  CharFormat format;
  std::string text;                          // empty for a picture run
  std::shared_ptr<const Picture> picture;    // set for a picture run
  int length() const { return picture ? 1 : static_cast<int>(text.size()); }
};

struct Paragraph {
  std::vector<Run> runs;
  CharFormat endFormat;  // the format of the paragraph mark
  int length() const;
  bool empty() const { return runs.empty(); }
};

class RichText {
 public:
  RichText();  // one empty paragraph

  const std::vector<Paragraph>& paragraphs() const { return paragraphs_; }
  std::vector<Paragraph>& paragraphs() { return paragraphs_; }
  int length() const;
  std::string plainText() const;  // paragraphs joined by '\n', pictures as U+FFFC's stand-in '?'

  // The paragraph holding character `index` and the offset inside it.
  std::pair<int, int> locate(int index) const;
  CharFormat formatAt(int index) const;

  RichText slice(int start, int count) const;
  void erase(int start, int count);
  // Inserts another text at `index`; its paragraphs split the one there.
  void insert(int index, const RichText& fragment);
  // Inserts plain text ('\r' or '\n' starts a new paragraph).
  void insertText(int index, std::string_view text, const CharFormat& format);
  void insertPicture(int index, std::shared_ptr<const Picture> picture, const CharFormat& format);
  void applyFormat(int start, int count, const FormatChange& change);
  // Merges neighbouring runs of equal format (keeps the model small).
  void normalise();

 private:
  std::vector<Paragraph> paragraphs_;
};

}  // namespace qm::richedit
