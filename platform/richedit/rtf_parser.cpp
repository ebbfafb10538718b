#include "platform/richedit/rtf_parser.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/codepage.h"
#include "platform/jpeg_info.h"
#include "platform/keyword_index.h"

namespace qm::richedit {

namespace {

// Where the text of a group goes.
enum class Destination : unsigned char { Body, Skip, FontTable, ColourTable, Picture };

enum class Action : unsigned char {
  SkipGroup,     // a destination the pad does not show
  FontTable,
  ColourTable,
  Picture,
  Keep,          // a group whose text stays (field results, shape text ...)
  Char,          // outputs the Unicode character `value`
  Nothing,       // known and without effect here
  LineEnd,       // \par, \line, \sect, \page
  Cell,          // \cell, \nestcell
  Row,           // \row, \nestrow
  InTable,
  ParagraphDefaults,
  Plain,
  Bold,
  Italic,
  Underline,
  UnderlineNone,
  Hidden,
  FontSize,
  Font,
  Colour,
  Unicode,
  UnicodeSkip,
  CodePage,
  DefaultFont,
  Binary,
  FootnoteMark,
  FontCharset,
  FontFamilyWord,
  Red,
  Green,
  Blue,
  PictureJpeg,
  PictureOther,
  PictureWidth,
  PictureHeight,
  PictureGoalWidth,
  PictureGoalHeight,
  PictureScaleX,
  PictureScaleY,
};

struct Keyword {
  std::string_view word;
  Action action;
  char32_t value = 0;
};

// In alphabetical order, for the reader of this table; found through a hash index.
constexpr Keyword kKeywords[] = {
    {"aftncn", Action::SkipGroup},
    {"aftnsep", Action::SkipGroup},
    {"aftnsepc", Action::SkipGroup},
    {"annotation", Action::SkipGroup},
    {"ansicpg", Action::CodePage},
    {"atnauthor", Action::SkipGroup},
    {"atndate", Action::SkipGroup},
    {"atnicn", Action::SkipGroup},
    {"atnid", Action::SkipGroup},
    {"atnref", Action::SkipGroup},
    {"atntime", Action::SkipGroup},
    {"author", Action::SkipGroup},
    {"b", Action::Bold},
    {"background", Action::SkipGroup},
    {"bin", Action::Binary},
    {"bkmkend", Action::SkipGroup},
    {"bkmkstart", Action::SkipGroup},
    {"blue", Action::Blue},
    {"bullet", Action::Char, 0x2022},
    {"buptim", Action::SkipGroup},
    {"cell", Action::Cell},
    {"cf", Action::Colour},
    {"chftn", Action::FootnoteMark},
    {"colorschememapping", Action::SkipGroup},
    {"colortbl", Action::ColourTable},
    {"comment", Action::SkipGroup},
    {"creatim", Action::SkipGroup},
    {"datastore", Action::SkipGroup},
    {"deff", Action::DefaultFont},
    {"dibitmap", Action::PictureOther},
    {"doccomm", Action::SkipGroup},
    {"docvar", Action::SkipGroup},
    {"emdash", Action::Char, 0x2014},
    {"emfblip", Action::PictureOther},
    {"emspace", Action::Char, 0x20},
    {"endash", Action::Char, 0x2013},
    {"enspace", Action::Char, 0x20},
    {"f", Action::Font},
    {"falt", Action::SkipGroup},
    {"fbidi", Action::FontFamilyWord},
    {"fchars", Action::SkipGroup},
    {"fcharset", Action::FontCharset},
    {"fdecor", Action::FontFamilyWord},
    {"field", Action::Keep},
    {"filetbl", Action::SkipGroup},
    {"fldinst", Action::SkipGroup},
    {"fldrslt", Action::Keep},
    {"fldtype", Action::SkipGroup},
    {"fmodern", Action::FontFamilyWord},
    {"fnil", Action::FontFamilyWord},
    {"fonttbl", Action::FontTable},
    {"footer", Action::SkipGroup},
    {"footerf", Action::SkipGroup},
    {"footerl", Action::SkipGroup},
    {"footerr", Action::SkipGroup},
    {"footnote", Action::SkipGroup},
    {"froman", Action::FontFamilyWord},
    {"fs", Action::FontSize},
    {"fscript", Action::FontFamilyWord},
    {"fswiss", Action::FontFamilyWord},
    {"ftech", Action::FontFamilyWord},
    {"ftnalt", Action::SkipGroup},
    {"ftncn", Action::SkipGroup},
    {"ftnsep", Action::SkipGroup},
    {"ftnsepc", Action::SkipGroup},
    {"generator", Action::SkipGroup},
    {"green", Action::Green},
    {"header", Action::SkipGroup},
    {"headerf", Action::SkipGroup},
    {"headerl", Action::SkipGroup},
    {"headerr", Action::SkipGroup},
    {"i", Action::Italic},
    {"info", Action::SkipGroup},
    {"intbl", Action::InTable},
    {"jpegblip", Action::PictureJpeg},
    {"keywords", Action::SkipGroup},
    {"latentstyles", Action::SkipGroup},
    {"lchars", Action::SkipGroup},
    {"ldblquote", Action::Char, 0x201C},
    {"line", Action::LineEnd},
    {"listoverridetable", Action::SkipGroup},
    {"listpicture", Action::SkipGroup},
    {"listtable", Action::SkipGroup},
    {"lquote", Action::Char, 0x2018},
    {"macpict", Action::PictureOther},
    {"mmathPr", Action::SkipGroup},
    {"nestcell", Action::Cell},
    {"nestrow", Action::Row},
    {"nonshppict", Action::SkipGroup},
    {"objdata", Action::SkipGroup},
    {"object", Action::Keep},
    {"operator", Action::SkipGroup},
    {"page", Action::LineEnd},
    {"par", Action::LineEnd},
    {"pard", Action::ParagraphDefaults},
    {"passwordhash", Action::SkipGroup},
    {"pgdsctbl", Action::SkipGroup},
    {"pgptbl", Action::SkipGroup},
    {"pich", Action::PictureHeight},
    {"pichgoal", Action::PictureGoalHeight},
    {"picscalex", Action::PictureScaleX},
    {"picscaley", Action::PictureScaleY},
    {"pict", Action::Picture},
    {"picw", Action::PictureWidth},
    {"picwgoal", Action::PictureGoalWidth},
    {"plain", Action::Plain},
    {"pmmetafile", Action::PictureOther},
    {"pngblip", Action::PictureOther},
    {"pnseclvl", Action::SkipGroup},
    {"printim", Action::SkipGroup},
    {"private1", Action::SkipGroup},
    {"protusertbl", Action::SkipGroup},
    {"qmspace", Action::Char, 0x20},
    {"rdblquote", Action::Char, 0x201D},
    {"red", Action::Red},
    {"result", Action::Keep},
    {"revtbl", Action::SkipGroup},
    {"revtim", Action::SkipGroup},
    {"row", Action::Row},
    {"rquote", Action::Char, 0x2019},
    {"rsidtbl", Action::SkipGroup},
    {"rxe", Action::SkipGroup},
    {"sect", Action::LineEnd},
    {"shp", Action::Keep},
    {"shpinst", Action::Keep},
    {"shppict", Action::Keep},
    {"shprslt", Action::SkipGroup},
    {"shptxt", Action::Keep},
    {"sp", Action::SkipGroup},
    {"stylesheet", Action::SkipGroup},
    {"subject", Action::SkipGroup},
    {"tab", Action::Char, 0x09},
    {"tc", Action::SkipGroup},
    {"themedata", Action::SkipGroup},
    {"title", Action::SkipGroup},
    {"txe", Action::SkipGroup},
    {"u", Action::Unicode},
    {"uc", Action::UnicodeSkip},
    {"ul", Action::Underline},
    {"uld", Action::Underline},
    {"uldash", Action::Underline},
    {"uldashd", Action::Underline},
    {"uldashdd", Action::Underline},
    {"uldb", Action::Underline},
    {"ulhwave", Action::Underline},
    {"ulldash", Action::Underline},
    {"ulnone", Action::UnderlineNone},
    {"ulth", Action::Underline},
    {"ulthd", Action::Underline},
    {"ulthdash", Action::Underline},
    {"ulw", Action::Underline},
    {"ulwave", Action::Underline},
    {"userprops", Action::SkipGroup},
    {"v", Action::Hidden},
    {"wbitmap", Action::PictureOther},
    {"wgrffmtfilter", Action::SkipGroup},
    {"wmetafile", Action::PictureOther},
    {"xe", Action::SkipGroup},
    {"xmlclose", Action::SkipGroup},
    {"xmlnstbl", Action::SkipGroup},
    {"xmlopen", Action::SkipGroup},
};

constexpr auto kWordOf = [](const Keyword& keyword) { return keyword.word; };
constexpr KeywordIndex<512> kIndex(kKeywords, kWordOf);

const Keyword* findKeyword(std::string_view word) {
  int entry = kIndex.find(kKeywords, kWordOf, word);
  return entry < 0 ? nullptr : &kKeywords[entry];
}

struct FontEntry {
  FontFamily family = FontFamily::Times;
  int codePage = 0;  // 0: the document's
};

struct GroupState {
  Destination destination = Destination::Body;
  CharFormat format;
  int fontNumber = -1;
  int unicodeSkip = 1;
  bool inTable = false;
};

constexpr int kDefaultHalfPoints = 24;  // RTF's default size, 12 points
constexpr size_t kMaximumDepth = 100000;
constexpr size_t kMaximumWordLength = 32;

class Parser {
 public:
  Parser(std::string_view data, RtfReadReport& report, RtfReadMode mode)
      : data_(data), report_(report), mode_(mode) {
    state_.format.halfPoints = kDefaultHalfPoints;
  }

  RichText run() {
    while (position_ < data_.size() && (data_[position_] == ' ' || data_[position_] == '\r' || data_[position_] == '\n')) {
      ++position_;
    }
    if (data_.substr(position_, 5) != "{\\rtf") {
      report_.error = true;
      return std::move(text_);
    }
    while (position_ < data_.size() && !finished_) step();
    if (!finished_) report_.error = true;  // groups left open: truncated
    finishDocument();
    return std::move(text_);
  }

 private:
  void step() {
    char c = data_[position_++];
    switch (c) {
      case '{': openGroup(); break;
      case '}': closeGroup(); break;
      case '\\': controlWord(); break;
      case '\r':
      case '\n': break;
      default: data(static_cast<unsigned char>(c)); break;
    }
  }

  void openGroup() {
    if (stack_.size() >= kMaximumDepth) {
      ++overflowDepth_;
      return;
    }
    stack_.push_back(state_);
    groupStart_ = true;
  }

  void closeGroup() {
    pendingSkip_ = 0;
    if (overflowDepth_ > 0) {
      --overflowDepth_;
      return;
    }
    if (stack_.empty()) {
      finished_ = true;  // the document's group closed; what follows is not RTF
      return;
    }
    Destination closing = state_.destination;
    if (closing == Destination::FontTable) finishFontEntry();
    if (closing == Destination::Picture && (stack_.back().destination != Destination::Picture)) finishPicture();
    state_ = stack_.back();
    stack_.pop_back();
    if (closing == Destination::FontTable && state_.destination != Destination::FontTable) refreshFonts();
    groupStart_ = false;
    if (stack_.empty()) finished_ = true;
  }

  void controlWord() {
    if (position_ >= data_.size()) {
      report_.error = true;
      return;
    }
    unsigned char first = static_cast<unsigned char>(data_[position_]);
    if (!isLetter(first)) {
      ++position_;
      controlSymbol(first);
      return;
    }
    char word[kMaximumWordLength + 1];
    size_t length = 0;
    while (position_ < data_.size() && isLetter(static_cast<unsigned char>(data_[position_]))) {
      if (length < kMaximumWordLength) word[length++] = data_[position_];
      ++position_;
    }
    bool negative = false;
    if (position_ < data_.size() && data_[position_] == '-') {
      negative = true;
      ++position_;
    }
    bool hasParameter = false;
    long long parameter = 0;
    while (position_ < data_.size() && data_[position_] >= '0' && data_[position_] <= '9') {
      hasParameter = true;
      if (parameter < INT_MAX) parameter = parameter * 10 + (data_[position_] - '0');
      ++position_;
    }
    if (parameter > INT_MAX) parameter = INT_MAX;
    if (negative) parameter = -parameter;
    if (position_ < data_.size() && data_[position_] == ' ') ++position_;
    bool starred = groupStart_ && starPending_;
    groupStart_ = false;
    starPending_ = false;
    dispatch(std::string_view(word, length), static_cast<int>(parameter), hasParameter, starred);
  }

  static bool isLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

  void controlSymbol(unsigned char symbol) {
    switch (symbol) {
      case '*':
        starPending_ = true;
        return;
      case '\'':
        hexEscape();
        return;
      case '~': character(0xA0); return;
      case '_': character('-'); return;
      case '-': return;  // optional hyphen: shows nothing when the line does not break
      case '\r':
      case '\n': lineEnd(); return;
      case '\\':
      case '{':
      case '}': character(symbol); return;
      default: return;
    }
  }

  void hexEscape() {
    int value = 0;
    for (int k = 0; k < 2; ++k) {
      if (position_ >= data_.size()) {
        report_.error = true;
        return;
      }
      int digit = hexValue(static_cast<unsigned char>(data_[position_]));
      if (digit < 0) return;  // a malformed escape yields nothing; the byte is read again as text
      ++position_;
      value = value * 16 + digit;
    }
    if (consumeSkippedFallback()) return;
    if (state_.destination == Destination::FontTable) {
      fontName_.push_back(static_cast<char>(value));
      return;
    }
    if (state_.destination != Destination::Body) return;
    int codePage = currentCodePage();
    if (isDoubleByteCodePage(codePage) && value >= 0x81 && value != 0xFF) {
      // A lead byte: its trail byte follows, as a \'xx or as a plain byte.
      if (position_ + 3 < data_.size() && data_[position_] == '\\' && data_[position_ + 1] == '\'') {
        position_ += 4;
      } else if (position_ < data_.size() && data_[position_] > 0x20 && data_[position_] != '\\' &&
                 data_[position_] != '{' && data_[position_] != '}') {
        ++position_;
      }
      replaced();
      return;
    }
    char32_t point = codePageToUnicode(codePage, static_cast<unsigned char>(value));
    if (point == 0 && value >= 128) {
      undefinedByte(codePage, static_cast<unsigned char>(value));
      return;
    }
    character(point);
  }

  static bool isDoubleByteCodePage(int codePage) {
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
  }

  static int hexValue(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  int currentCodePage() const {
    auto it = fonts_.find(state_.fontNumber < 0 ? defaultFont_ : state_.fontNumber);
    if (it != fonts_.end() && it->second.codePage) return it->second.codePage;
    return documentCodePage_;
  }

  // After \uN, the next N characters are its fallback for older readers.
  bool consumeSkippedFallback() {
    if (pendingSkip_ <= 0) return false;
    --pendingSkip_;
    return true;
  }

  void dispatch(std::string_view word, int parameter, bool hasParameter, bool starred) {
    const Keyword* keyword = findKeyword(word);
    if (pendingSkip_ > 0 && (!keyword || (keyword->action != Action::Binary))) {
      --pendingSkip_;
      return;
    }
    if (!keyword) {
      if (starred) state_.destination = Destination::Skip;
      return;
    }
    if (state_.destination == Destination::Skip && keyword->action != Action::Binary) return;
    if (state_.destination == Destination::Picture) {
      pictureWord(keyword->action, parameter, hasParameter);
      return;
    }
    if (state_.destination == Destination::FontTable) {
      fontTableWord(*keyword, parameter);
      return;
    }
    if (state_.destination == Destination::ColourTable) {
      colourTableWord(keyword->action, parameter);
      return;
    }
    bodyWord(*keyword, parameter, hasParameter);
  }

  void bodyWord(const Keyword& keyword, int parameter, bool hasParameter) {
    bool on = !hasParameter || parameter != 0;
    switch (keyword.action) {
      case Action::SkipGroup: state_.destination = Destination::Skip; break;
      case Action::FontTable:
        state_.destination = Destination::FontTable;
        fontName_.clear();
        fontEntryOpen_ = false;
        break;
      case Action::ColourTable:
        state_.destination = Destination::ColourTable;
        colours_.clear();
        colourEntry_ = Rgb{};
        break;
      case Action::Picture:
        state_.destination = Destination::Picture;
        picture_ = PictureInProgress{};
        break;
      case Action::Keep:
      case Action::Nothing:
      case Action::PictureJpeg:
      case Action::PictureOther:
      case Action::PictureWidth:
      case Action::PictureHeight:
      case Action::PictureGoalWidth:
      case Action::PictureGoalHeight:
      case Action::PictureScaleX:
      case Action::PictureScaleY:
      case Action::FontCharset:
      case Action::FontFamilyWord:
      case Action::Red:
      case Action::Green:
      case Action::Blue: break;
      case Action::Char: character(keyword.value); break;
      case Action::LineEnd:
        if (state_.inTable && keyword.word == "par") {
          character(' ');
        } else {
          lineEnd();
        }
        break;
      case Action::Cell: character('\t'); break;
      case Action::Row:
        trimTrailingTab();
        lineEnd();
        state_.inTable = false;
        break;
      case Action::InTable: state_.inTable = true; break;
      case Action::ParagraphDefaults: state_.inTable = false; break;
      case Action::Plain: {
        CharFormat plain;
        plain.halfPoints = kDefaultHalfPoints;
        state_.format = plain;
        state_.fontNumber = defaultFont_;
        applyFont();
        break;
      }
      case Action::Bold: state_.format.bold = on; break;
      case Action::Italic: state_.format.italic = on; break;
      case Action::Underline: state_.format.underline = on; break;
      case Action::UnderlineNone: state_.format.underline = false; break;
      case Action::Hidden: state_.format.hidden = on; break;
      case Action::FontSize:
        state_.format.halfPoints = hasParameter && parameter > 0 ? std::min(parameter, 3274) : kDefaultHalfPoints;
        break;
      case Action::Font:
        state_.fontNumber = parameter;
        applyFont();
        break;
      case Action::Colour: {
        size_t index = parameter < 0 ? 0 : static_cast<size_t>(parameter);
        state_.format.colour = index < colours_.size() ? colours_[index] : Rgb{};
        break;
      }
      case Action::Unicode: unicode(parameter); break;
      case Action::UnicodeSkip: state_.unicodeSkip = std::clamp(parameter, 0, 10); break;
      case Action::CodePage:
        if (knownCodePage(parameter) || isDoubleByteCodePage(parameter)) documentCodePage_ = parameter;
        break;
      case Action::DefaultFont:
        defaultFont_ = parameter;
        if (state_.fontNumber < 0) state_.fontNumber = parameter;
        break;
      case Action::Binary: binary(parameter, hasParameter); break;
      case Action::FootnoteMark: {
        std::string number = std::to_string(++footnotes_);
        for (char digit : number) character(static_cast<unsigned char>(digit));
        break;
      }
    }
  }

  void fontTableWord(const Keyword& keyword, int parameter) {
    switch (keyword.action) {
      case Action::Font:
        finishFontEntry();
        fontEntryOpen_ = true;
        fontNumber_ = parameter;
        fontEntry_ = FontEntry{};
        rtfFamilyWord_.clear();
        break;
      case Action::FontCharset: fontEntry_.codePage = codePageOfCharset(parameter); break;
      case Action::FontFamilyWord:
        if (keyword.word != "fbidi") rtfFamilyWord_ = keyword.word;
        break;
      case Action::SkipGroup: state_.destination = Destination::Skip; break;
      case Action::Unicode: break;
      case Action::Binary: binary(parameter, true); break;
      default: break;
    }
  }

  void colourTableWord(Action action, int parameter) {
    int value = std::clamp(parameter, 0, 255);
    switch (action) {
      case Action::Red: colourEntry_.red = value; break;
      case Action::Green: colourEntry_.green = value; break;
      case Action::Blue: colourEntry_.blue = value; break;
      case Action::Binary: binary(parameter, true); break;
      default: break;
    }
  }

  void pictureWord(Action action, int parameter, bool hasParameter) {
    switch (action) {
      case Action::PictureJpeg: picture_.jpeg = true; break;
      case Action::PictureOther: picture_.other = true; break;
      case Action::PictureWidth: picture_.width = parameter; break;
      case Action::PictureHeight: picture_.height = parameter; break;
      case Action::PictureGoalWidth: picture_.goalWidth = parameter; break;
      case Action::PictureGoalHeight: picture_.goalHeight = parameter; break;
      case Action::PictureScaleX: picture_.scaleX = parameter; break;
      case Action::PictureScaleY: picture_.scaleY = parameter; break;
      case Action::Binary: binary(parameter, hasParameter); break;
      default: break;
    }
  }

  // \binN: N raw bytes follow.  In a picture they are its data, elsewhere
  // they are dropped.  Without a count nothing follows.
  void binary(int count, bool hasCount) {
    if (!hasCount || count <= 0) return;
    size_t available = data_.size() - position_;
    size_t take = std::min(static_cast<size_t>(count), available);
    if (state_.destination == Destination::Picture) picture_.data.append(data_.substr(position_, take));
    position_ += take;
    if (take < static_cast<size_t>(count)) report_.error = true;
  }

  void data(unsigned char byte) {
    switch (state_.destination) {
      case Destination::Skip: return;
      case Destination::FontTable:
        if (byte == ';') {
          finishFontEntry();
        } else {
          fontName_.push_back(static_cast<char>(byte));
        }
        return;
      case Destination::ColourTable:
        if (byte == ';') {
          colours_.push_back(colourEntry_);
          colourEntry_ = Rgb{};
        }
        return;
      case Destination::Picture: pictureHex(byte); return;
      case Destination::Body: break;
    }
    if (consumeSkippedFallback()) return;
    if (byte == 0) return;
    if (byte >= 32 && byte < 128) {
      // Plain text runs to the next special byte: taken as one piece.
      size_t start = position_ - 1;
      size_t end = position_;
      while (end < data_.size() && isPlainText(static_cast<unsigned char>(data_[end]))) ++end;
      appendText(data_.substr(start, end - start));
      position_ = end;
      return;
    }
    if (byte < 128) {
      character(byte);
      return;
    }
    // A raw 8-bit byte: read in the document's code page like an escape.
    char32_t point = codePageToUnicode(currentCodePage(), byte);
    if (point == 0) {
      undefinedByte(currentCodePage(), byte);
    } else {
      character(point);
    }
  }

  void pictureHex(unsigned char byte) {
    int digit = hexValue(byte);
    if (digit < 0) return;
    if (picture_.halfByte < 0) {
      picture_.halfByte = digit;
    } else {
      picture_.data.push_back(static_cast<char>(picture_.halfByte * 16 + digit));
      picture_.halfByte = -1;
    }
  }

  // \uN: the character, then the next \ucN characters are its fallback.
  void unicode(int value) {
    if (value < 0) value += 65536;
    character(static_cast<char32_t>(value));
    pendingSkip_ = state_.unicodeSkip;
  }

  // A byte its code page leaves undefined.  In cp1252 the pad keeps it as it
  // is (a file path in hidden text may hold such bytes); elsewhere it is
  // replaced.
  void undefinedByte(int codePage, unsigned char byte) {
    if (codePage == 1252) {
      if (state_.destination == Destination::Body) appendByte(byte);
    } else {
      replaced();
    }
  }

  void replaced() {
    ++report_.replacedCharacters;
    appendByte('?');
  }

  // Characters cp1252 lacks that have an obvious stand-in in it; 0: none
  // needed (they show nothing).
  static std::optional<unsigned char> standIn(char32_t point) {
    if ((point >= 0x2000 && point <= 0x200A) || point == 0x202F || point == 0x205F || point == 0x3000) return ' ';
    if (point == 0x200B || point == 0x200C || point == 0x200D || point == 0x2060 || point == 0xFEFF) return 0;
    if (point == 0x2010 || point == 0x2011 || point == 0x2212) return '-';
    if (point == 0x2012) return 0x96;
    if (point == 0x2015) return 0x97;
    return std::nullopt;
  }

  void character(char32_t point) {
    if (consumeSkippedFallback()) return;
    if (state_.destination != Destination::Body) return;
    if (auto stand = standIn(point)) {
      if (*stand) appendByte(*stand);
      return;
    }
    if (point == '\t' || point >= 32) {
      unsigned char byte = unicodeToCp1252(point);
      if (byte == 0) {
        replaced();
      } else {
        appendByte(byte);
      }
    }
  }

  static bool isPlainText(unsigned char c) { return c >= 32 && c < 128 && c != '{' && c != '}' && c != '\\'; }

  // The text run that characters in the current format go to.
  std::string& currentRun() {
    auto& runs = text_.paragraphs().back().runs;
    if (runs.empty() || runs.back().picture || !(runs.back().format == state_.format)) {
      runs.push_back(Run{state_.format, {}, nullptr});
    }
    return runs.back().text;
  }
  void appendByte(unsigned char byte) { currentRun().push_back(static_cast<char>(byte)); }
  void appendText(std::string_view text) { currentRun().append(text); }

  void lineEnd() {
    if (state_.destination != Destination::Body) return;
    auto& paragraphs = text_.paragraphs();
    paragraphs.back().endFormat = state_.format;
    paragraphs.emplace_back();
    endedLines_ = true;
  }

  void trimTrailingTab() {
    auto& runs = text_.paragraphs().back().runs;
    if (!runs.empty() && !runs.back().picture && !runs.back().text.empty() && runs.back().text.back() == '\t') {
      runs.back().text.pop_back();
      if (runs.back().text.empty()) runs.pop_back();
    }
  }

  void finishFontEntry() {
    if (!fontEntryOpen_) return;
    fontEntryOpen_ = false;
    std::string name = fontName_;
    fontName_.clear();
    while (!name.empty() && (name.back() == ' ' || name.back() == ';')) name.pop_back();
    while (!name.empty() && name.front() == ' ') name.erase(name.begin());
    fontEntry_.family = nearestFamily(name, rtfFamilyWord_);
    fonts_[fontNumber_] = fontEntry_;
  }

  void refreshFonts() {
    applyFont();
    for (auto& saved : stack_) {
      auto it = fonts_.find(saved.fontNumber < 0 ? defaultFont_ : saved.fontNumber);
      if (it != fonts_.end()) saved.format.font = it->second.family;
    }
  }

  void applyFont() {
    auto it = fonts_.find(state_.fontNumber < 0 ? defaultFont_ : state_.fontNumber);
    state_.format.font = it != fonts_.end() ? it->second.family : FontFamily::Times;
  }

  void finishPicture() {
    if (!picture_.jpeg || picture_.data.empty()) {
      ++report_.droppedPictures;
      return;
    }
    JpegInfo info = readJpegInfo(picture_.data);
    if (!info.valid) {
      ++report_.droppedPictures;
      return;
    }
    auto picture = std::make_shared<Picture>();
    int scaleX = picture_.scaleX > 0 ? picture_.scaleX : 100;
    int scaleY = picture_.scaleY > 0 ? picture_.scaleY : 100;
    if (picture_.goalWidth > 0 && picture_.goalHeight > 0) {
      picture->width = static_cast<int>(static_cast<long long>(picture_.goalWidth) * scaleX / 100 / 15);
      picture->height = static_cast<int>(static_cast<long long>(picture_.goalHeight) * scaleY / 100 / 15);
    } else {
      picture->width = static_cast<int>(static_cast<long long>(info.width) * scaleX / 100);
      picture->height = static_cast<int>(static_cast<long long>(info.height) * scaleY / 100);
    }
    if (picture->width <= 0) picture->width = 1;
    if (picture->height <= 0) picture->height = 1;
    picture->jpeg = std::move(picture_.data);
    // The group's own format is the one around the picture.
    GroupState around = stack_.empty() ? state_ : stack_.back();
    auto& runs = text_.paragraphs().back().runs;
    runs.push_back(Run{around.format, {}, std::move(picture)});
  }

  void finishDocument() {
    auto& paragraphs = text_.paragraphs();
    if (mode_ == RtfReadMode::Document && endedLines_ && paragraphs.size() > 1 && paragraphs.back().empty()) {
      paragraphs.pop_back();
    } else {
      paragraphs.back().endFormat = state_.format;
    }
  }

  struct PictureInProgress {
    bool jpeg = false;
    bool other = false;
    int width = 0, height = 0, goalWidth = 0, goalHeight = 0, scaleX = 100, scaleY = 100;
    int halfByte = -1;
    std::string data;
  };

  std::string_view data_;
  RtfReadReport& report_;
  RtfReadMode mode_;
  size_t position_ = 0;
  RichText text_;
  GroupState state_;
  std::vector<GroupState> stack_;
  size_t overflowDepth_ = 0;
  bool finished_ = false;
  bool groupStart_ = false;
  bool starPending_ = false;
  bool endedLines_ = false;
  int pendingSkip_ = 0;
  int documentCodePage_ = 1252;
  int defaultFont_ = 0;
  int footnotes_ = 0;
  std::map<int, FontEntry> fonts_;
  bool fontEntryOpen_ = false;
  int fontNumber_ = 0;
  FontEntry fontEntry_;
  std::string fontName_;
  std::string rtfFamilyWord_;
  std::vector<Rgb> colours_;
  Rgb colourEntry_{};
  PictureInProgress picture_;
};

}  // namespace

RichText readRtf(std::string_view data, RtfReadReport& report, RtfReadMode mode) {
  return Parser(data, report, mode).run();
}

}  // namespace qm::richedit
