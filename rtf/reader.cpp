#include "rtf/reader.h"

#include <array>
#include <cstdint>
#include <limits>
#include <new>
#include <string_view>
#include <vector>

#include "rtf/hex_pairs.h"
#include "rtf/keyword_table.h"

namespace qm::rtf {

namespace {

struct CharacterProperties {
  std::uint8_t bold = 0, underline = 0, underlineNone = 0, doubleUnderline = 0, hidden = 0, fontSize = 0,
               colourIndex = 0, fontNumber = 0, italic = 0;
};
struct ParagraphProperties {
  std::int32_t leftIndent = 0, rightIndent = 0, firstIndent = 0;
  std::uint8_t justification = 0;
};
struct SectionProperties {
  std::int32_t columns = 0;
  std::uint8_t sectionBreak = 0;
  std::int32_t pageNumberX = 0, pageNumberY = 0;
  std::uint8_t pageNumberFormat = 0;
};
struct DocumentProperties {
  std::int32_t pageWidth = 0, pageHeight = 0, leftMargin = 0, topMargin = 0, rightMargin = 0, bottomMargin = 0,
               firstPage = 0;
  std::uint8_t facingPages = 0, landscape = 0;
};

enum class DestinationState : std::uint8_t { Normal = 0, Skip = 1 };
enum class InputState : std::uint8_t { Normal = 0, Binary = 1, Hex = 2 };

struct SavedGroupState {
  CharacterProperties character;
  ParagraphProperties paragraph;
  SectionProperties section;
  DocumentProperties document;
  DestinationState destination;
  InputState input;
};

constexpr size_t kMaximumWordLetters = 31;
constexpr size_t kMaximumParameterDigits = 19;

int hexValue(int c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
bool isLowerHexDigit(int c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }
bool isLetter(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

class Reader {
 public:
  Reader(ByteStream& stream, ReaderTables& tables) : stream_(stream), tables_(tables) {}

  ReaderEndState endState() const {
    ReaderEndState state;
    state.bold = character_.bold;
    state.underline = character_.underline;
    state.underlineNone = character_.underlineNone;
    state.doubleUnderline = character_.doubleUnderline;
    state.hidden = character_.hidden;
    state.fontSize = character_.fontSize;
    state.colourIndex = character_.colourIndex;
    state.fontNumber = character_.fontNumber;
    state.italic = character_.italic;
    state.leftIndent = paragraph_.leftIndent;
    state.rightIndent = paragraph_.rightIndent;
    state.firstIndent = paragraph_.firstIndent;
    state.justification = paragraph_.justification;
    state.groupDepth = depth_;
    return state;
  }

  int run() {
    hexDigitsLeft_ = 2;
    while (true) {
      int byte = stream_.get();
      if (byte < 0) {
        if (depth_ < 0) return RtfUnbalancedClose;
        if (depth_ > 0) return RtfUnclosedGroup;
        return RtfOk;
      }
      if (depth_ < 0) return RtfUnbalancedClose;
      int result = RtfOk;
      if (input_ == InputState::Binary) {
        result = TakeChar(byte);
      } else {
        switch (byte) {
          case '{': result = OpenGroup(); break;
          case '}': result = CloseGroup(); break;
          case '\\': result = ReadControlWord(); break;
          case '\r':
          case '\n': break;
          default:
            if (input_ == InputState::Normal) {
              result = TakeChar(byte);
              if (result == RtfOk) result = TakePlainRun();
            } else if (input_ == InputState::Hex) {
              result = HexDigit(byte);
            } else {
              result = RtfBadState;
            }
        }
      }
      if (result != RtfOk) return result;
    }
  }

 private:
  int OpenGroup() {
    try {
      stack_.push_back({character_, paragraph_, section_, document_, destination_, input_});
    } catch (const std::bad_alloc&) {
      return RtfNoMemory;
    }
    input_ = InputState::Normal;
    ++depth_;
    return RtfOk;
  }

  int CloseGroup() {
    if (stack_.empty()) return RtfUnbalancedClose;
    const SavedGroupState& saved = stack_.back();
    if (destination_ != saved.destination) EndDestination();
    character_ = saved.character;
    paragraph_ = saved.paragraph;
    section_ = saved.section;
    document_ = saved.document;
    destination_ = saved.destination;
    input_ = saved.input;
    stack_.pop_back();
    propertiesChanged_ = true;
    --depth_;
    return RtfOk;
  }

  int EndDestination() { return RtfOk; }

  int ReadControlWord() {
    int byte = stream_.get();
    if (byte < 0) return RtfEndInControlWord;
    if (!isLetter(byte)) {
      char symbol = static_cast<char>(byte);
      return DispatchKeyword(std::string_view(&symbol, 1), 0, false);
    }
    char word[kMaximumWordLetters];
    size_t letters = 0;
    while (isLetter(byte)) {
      if (letters < kMaximumWordLetters) word[letters++] = static_cast<char>(byte);  // longer words are cut
      byte = stream_.get();
    }
    bool negative = false;
    if (byte == '-') {
      negative = true;
      byte = stream_.get();
      if (byte < 0) return RtfEndInControlWord;
    }
    bool hasParameter = false;
    std::int64_t value = 0;
    size_t digits = 0;
    while (byte >= '0' && byte <= '9') {
      hasParameter = true;
      // Further digits are read and dropped; past the 32-bit range the
      // value only needs to stay out of it.
      if (digits < kMaximumParameterDigits && value <= std::numeric_limits<std::int32_t>::max()) {
        value = value * 10 + (byte - '0');
      }
      ++digits;
      byte = stream_.get();
    }
    if (negative) value = -value;
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    std::int32_t parameter = static_cast<std::int32_t>(value < kMin ? kMin : (value > kMax ? kMax : value));
    if (hasParameter) lastParameter_ = parameter;
    if (byte != ' ' && byte >= 0) stream_.unget(byte);
    std::string_view keyword(word, letters);
    BeginTokenRow(keyword, parameter);
    NoteTableKeyword(keyword, parameter);
    if (tables_.processMessages) tables_.processMessages();
    return DispatchKeyword(keyword, parameter, hasParameter);
  }

  // The plain data bytes that follow (no brace, backslash or line break) are
  // taken as one piece; the result is the same as taking them one by one.
  int TakePlainRun() {
    std::string_view run = stream_.takeWhile(
        [](unsigned char c) { return c != '{' && c != '}' && c != '\\' && c != '\r' && c != '\n'; });
    if (run.empty() || destination_ != DestinationState::Normal) return RtfOk;
    return EmitRun(run);
  }

  // EmitChar for each byte of a run, the appending done in pieces.
  int EmitRun(std::string_view run) {
    int row = tables_.counters.tokens;
    if (!text_) text_ = tables_.tokens.cellForAppending(DONNEE, row);
    if (!text_) return RtfOk;
    bool emitted = false;
    size_t start = 0;
    for (size_t i = 0; i < run.size(); ++i) {
      char c = run[i];
      if (c != '\0' && c != '(' && c != ')') continue;
      text_->append(run.substr(start, i - start));
      emitted = emitted || i > start;
      if (c != '\0') {
        text_->append(c == '(' ? "\\(" : "\\)");
        emitted = true;
      }
      start = i + 1;
    }
    text_->append(run.substr(start));
    emitted = emitted || run.size() > start;
    if (emitted) noteCharacterFormat(row);
    return RtfOk;
  }

  int TakeChar(int c) {
    if (input_ == InputState::Binary) {
      // A count of 0 or less (down to the smallest parameter) ends after one byte.
      if (binaryCount_ <= 1) {
        binaryCount_ = 0;
        input_ = InputState::Normal;
      } else {
        --binaryCount_;
      }
    }
    if (destination_ != DestinationState::Normal) return RtfOk;
    return EmitChar(c);
  }

  int HexDigit(int byte) {
    if (!hexPending_) {
      hexFirst_ = byte;
      hexPending_ = true;
    } else {
      if (isLowerHexDigit(hexFirst_) && isLowerHexDigit(byte)) {
        int code = hexValue(hexFirst_) * 16 + hexValue(byte);
        if (kYieldingPairs[static_cast<size_t>(code)]) {
          int result = TakeChar(code);
          if (result != RtfOk) return result;
        }
      }
      hexPending_ = false;
    }
    if (hexValue(byte) < 0) return RtfBadHexDigit;
    if (--hexDigitsLeft_ == 0) {
      input_ = InputState::Normal;
      hexDigitsLeft_ = 2;
    }
    return RtfOk;
  }

  int DispatchKeyword(std::string_view word, std::int32_t parameter, bool hasParameter) {
    const KeywordEntry* entry = findKeyword(word);
    if (!entry) {
      if (skipUnknown_) destination_ = DestinationState::Skip;
      skipUnknown_ = false;
      return RtfOk;
    }
    skipUnknown_ = false;
    switch (entry->kind) {
      case KeywordKind::Property:
        return SetProperty(entry->index, entry->defaultAlways || !hasParameter ? entry->defaultValue : parameter);
      case KeywordKind::Character: return TakeChar(entry->index);
      case KeywordKind::Destination: return EnterDestination(entry->index);
      case KeywordKind::Special: return DoSpecialKeyword(entry->index);
    }
    return RtfBadTable;
  }

  int SetProperty(std::int32_t index, std::int32_t value) {
    if (destination_ == DestinationState::Skip) return RtfOk;
    auto properties = propertyTable();
    if (index < 0 || static_cast<size_t>(index) >= properties.size()) return RtfBadTable;
    const PropertyEntry& property = properties[static_cast<size_t>(index)];
    if (property.width == 1) {
      std::uint8_t* field = byteField(property);
      if (!field) return RtfBadTable;
      *field = static_cast<std::uint8_t>(value & 0xFF);
    } else if (property.width == 2) {
      std::int32_t* field = wordField(property);
      if (!field) return RtfBadTable;
      *field = value;
    } else {
      return RtfBadTable;
    }
    propertiesChanged_ = true;
    return RtfOk;
  }

  std::uint8_t* byteField(const PropertyEntry& property) {
    switch (property.set) {
      case PropertySet::Character: {
        std::uint8_t* fields[] = {&character_.bold,     &character_.underline,   &character_.underlineNone,
                                  &character_.doubleUnderline, &character_.hidden, &character_.fontSize,
                                  &character_.colourIndex, &character_.fontNumber, &character_.italic};
        return property.field < std::size(fields) ? fields[property.field] : nullptr;
      }
      case PropertySet::Paragraph: return property.field == 3 ? &paragraph_.justification : nullptr;
      case PropertySet::Section:
        if (property.field == 1) return &section_.sectionBreak;
        if (property.field == 4) return &section_.pageNumberFormat;
        return nullptr;
      case PropertySet::Document:
        if (property.field == 7) return &document_.facingPages;
        if (property.field == 8) return &document_.landscape;
        return nullptr;
    }
    return nullptr;
  }

  std::int32_t* wordField(const PropertyEntry& property) {
    switch (property.set) {
      case PropertySet::Character: return nullptr;
      case PropertySet::Paragraph: {
        std::int32_t* fields[] = {&paragraph_.leftIndent, &paragraph_.rightIndent, &paragraph_.firstIndent};
        return property.field < std::size(fields) ? fields[property.field] : nullptr;
      }
      case PropertySet::Section:
        if (property.field == 0) return &section_.columns;
        if (property.field == 2) return &section_.pageNumberX;
        if (property.field == 3) return &section_.pageNumberY;
        return nullptr;
      case PropertySet::Document: {
        std::int32_t* fields[] = {&document_.pageWidth,  &document_.pageHeight,  &document_.leftMargin,
                                  &document_.topMargin,  &document_.rightMargin, &document_.bottomMargin,
                                  &document_.firstPage};
        return property.field < std::size(fields) ? fields[property.field] : nullptr;
      }
    }
    return nullptr;
  }

  int EnterDestination(std::int32_t) {
    destination_ = DestinationState::Skip;
    return RtfOk;
  }

  int DoSpecialKeyword(std::int32_t number) {
    if (destination_ == DestinationState::Skip && number != 0) return RtfOk;
    switch (static_cast<SpecialKeyword>(number)) {
      case SpecialKeyword::Binary:
        input_ = InputState::Binary;
        binaryCount_ = lastParameter_;
        return RtfOk;
      case SpecialKeyword::HexEscape: input_ = InputState::Hex; return RtfOk;
      case SpecialKeyword::SkipUnknown: skipUnknown_ = true; return RtfOk;
    }
    return RtfBadTable;
  }

  void NoteTableKeyword(std::string_view word, std::int32_t parameter) {
    RowCounters& counters = tables_.counters;
    // Only words starting like the table words need comparing.
    char first = word.empty() ? 0 : word.front();
    bool candidate = first == 'f' || first == 'v' || first == 'c' || first == 'r' || first == 'g' || first == 'b';
    if (candidate) noteTableWord(word, parameter, counters);
    tables_.fonts.setRowCount(counters.fonts + 2);
    tables_.colours.setRowCount(counters.colours + 2);
  }

  void noteTableWord(std::string_view word, std::int32_t parameter, RowCounters& counters) {
    if (word == "fonttbl") {
      fontTableMode_ = true;
      colourTableMode_ = false;
      counters.fonts = 0;
    } else if (word == "f" && fontTableMode_) {
      ++counters.fonts;
      tables_.fonts.setCell(0, counters.fonts, parameter);
    } else if (word == "viewkind") {
      fontTableMode_ = false;
      colourTableMode_ = false;
    } else if (word == "colortbl") {
      colourTableMode_ = true;
      fontTableMode_ = false;
      counters.colours = 0;
    } else if (word == "red" && colourTableMode_) {
      ++counters.colours;
      tables_.colours.setCell(0, counters.colours, counters.colours);
      tables_.colours.setCell(1, counters.colours, parameter);
    } else if (word == "green" && colourTableMode_) {
      tables_.colours.setCell(2, counters.colours, parameter);
    } else if (word == "blue" && colourTableMode_) {
      tables_.colours.setCell(3, counters.colours, parameter);
    }
  }

  void BeginTokenRow(std::string_view word, std::int32_t parameter) {
    WorkGrid& tokens = tables_.tokens;
    int row = ++tables_.counters.tokens;
    tokens.setCell(NUM, row, row);
    tokens.setCell(KEYWORD, row, word);
    tokens.setCell(PARAM, row, parameter);
    tokens.setTopRow(row);
    tokens.setRowCount(row + 2);
    flagsRow_ = -1;
    text_ = nullptr;
  }

  int EmitChar(int c) {
    if (c == 0) return RtfOk;
    WorkGrid& tokens = tables_.tokens;
    int row = tables_.counters.tokens;
    if (!text_) text_ = tokens.cellForAppending(DONNEE, row);
    if (!text_) return RtfOk;
    switch (c) {
      case '(': text_->append("\\("); break;
      case ')': text_->append("\\)"); break;
      case '\\': text_->append("\\\\"); break;
      default: text_->push_back(static_cast<char>(c)); break;
    }
    noteCharacterFormat(row);
    return RtfOk;
  }

  // The flags, colour and font cells for a character just emitted in `row`.
  void noteCharacterFormat(int row) {
    WorkGrid& tokens = tables_.tokens;
    // Within a row and without a property change, the flags, colour and font
    // are those the row already shows.
    if (row == flagsRow_ && !propertiesChanged_) return;
    propertiesChanged_ = false;
    writeFlags(row);
    int colour = static_cast<std::int8_t>(character_.colourIndex);
    if (colour != previousColour_) tokens.setCell(COLOR, row, colour);
    previousColour_ = colour;
    int font = static_cast<std::int8_t>(character_.fontNumber);
    if (font != previousFont_) tokens.setCell(FONT, row, font);
    previousFont_ = font;
  }

  // The flag cells show the state at the row's last character; they are
  // rewritten only when that state differs from what the row shows.
  void writeFlags(int row) {
    std::array<bool, 4> flags = {character_.bold == 1, character_.italic == 1,
                                 character_.underline == 1 && character_.underlineNone == 0, character_.hidden == 1};
    if (row == flagsRow_ && flags == flagsShown_) return;
    constexpr int kColumns[] = {Bold, Italic, UnderL, Hidden};
    for (size_t i = 0; i < flags.size(); ++i) tables_.tokens.setCell(kColumns[i], row, flags[i] ? "X" : " ");
    flagsRow_ = row;
    flagsShown_ = flags;
  }

  ByteStream& stream_;
  ReaderTables& tables_;
  std::int32_t depth_ = 0;
  std::vector<SavedGroupState> stack_;
  DestinationState destination_ = DestinationState::Normal;
  InputState input_ = InputState::Normal;
  bool skipUnknown_ = false;
  std::int32_t binaryCount_ = 0;
  std::int32_t lastParameter_ = 0;
  bool hexPending_ = false;
  int hexFirst_ = 0;
  int hexDigitsLeft_ = 2;
  CharacterProperties character_;
  ParagraphProperties paragraph_;
  SectionProperties section_;
  DocumentProperties document_;
  bool fontTableMode_ = false;
  bool colourTableMode_ = false;
  int previousColour_ = 0;
  int previousFont_ = 0;
  int flagsRow_ = -1;
  std::array<bool, 4> flagsShown_{};
  CellText* text_ = nullptr;  // DONNEE of the current row
  bool propertiesChanged_ = true;
};

}  // namespace

int ReadRtf(ByteStream& stream, ReaderTables& tables, ReaderEndState* endState) {
  Reader reader(stream, tables);
  int result = reader.run();
  if (endState) *endState = reader.endState();
  return result;
}

}  // namespace qm::rtf
