#include "rtf/keyword_table.h"

#include <array>

#include "platform/keyword_index.h"

namespace qm::rtf {

namespace {

using K = KeywordKind;
using S = PropertySet;

// Field numbers inside the sets, in the sets' order.
enum CharacterField : std::uint8_t { Bold, Underline, UnderlineNone, DoubleUnderline, Hidden, FontSize, ColourIndex, FontNumber, Italic };
enum ParagraphField : std::uint8_t { LeftIndent, RightIndent, FirstIndent, Justification };
enum SectionField : std::uint8_t { Columns, SectionBreak, PageNumberX, PageNumberY, PageNumberFormat };
enum DocumentField : std::uint8_t { PageWidth, PageHeight, LeftMargin, TopMargin, RightMargin, BottomMargin, FirstPage, FacingPages, Landscape };

constexpr PropertyEntry kProperties[] = {
    {1, S::Character, Bold},            // 0
    {1, S::Character, Italic},          // 1
    {1, S::Character, Underline},       // 2
    {1, S::Character, UnderlineNone},   // 3
    {1, S::Character, DoubleUnderline}, // 4
    {1, S::Character, Hidden},          // 5
    {1, S::Character, FontSize},        // 6
    {1, S::Character, ColourIndex},     // 7
    {1, S::Character, FontNumber},      // 8
    {2, S::Paragraph, LeftIndent},      // 9
    {2, S::Paragraph, RightIndent},     // 10
    {2, S::Paragraph, FirstIndent},     // 11
    {2, S::Section, Columns},           // 12
    {2, S::Section, PageNumberX},       // 13
    {2, S::Section, PageNumberY},       // 14
    {2, S::Document, PageWidth},        // 15
    {2, S::Document, PageHeight},       // 16
    {2, S::Document, LeftMargin},       // 17
    {2, S::Document, RightMargin},      // 18
    {2, S::Document, TopMargin},        // 19
    {2, S::Document, BottomMargin},     // 20
    {2, S::Document, FirstPage},        // 21
    {1, S::Section, SectionBreak},      // 22
    {1, S::Section, PageNumberFormat},  // 23
    {1, S::Document, FacingPages},      // 24
    {1, S::Document, Landscape},        // 25
    {1, S::Paragraph, Justification},   // 26
};

constexpr KeywordEntry kKeywords[] = {
    {"b", 1, false, K::Property, 0},
    {"ul", 1, false, K::Property, 2},
    {"ulnone", 1, false, K::Property, 3},
    {"uldb", 1, false, K::Property, 4},
    {"v", 1, false, K::Property, 5},
    {"fs", 28, false, K::Property, 6},
    {"cf", 0, false, K::Property, 7},
    {"f", 0, false, K::Property, 8},
    {"i", 1, false, K::Property, 1},
    {"li", 0, false, K::Property, 9},
    {"ri", 0, false, K::Property, 10},
    {"fi", 0, false, K::Property, 11},
    {"cols", 1, false, K::Property, 12},
    {"sbknone", 0, true, K::Property, 22},
    {"sbkcol", 1, true, K::Property, 22},
    {"sbkeven", 2, true, K::Property, 22},
    {"sbkodd", 3, true, K::Property, 22},
    {"sbkpage", 4, true, K::Property, 22},
    {"pgnx", 0, false, K::Property, 13},
    {"pgny", 0, false, K::Property, 14},
    {"pgndec", 0, true, K::Property, 23},
    {"pgnucrm", 1, true, K::Property, 23},
    {"pgnlcrm", 2, true, K::Property, 23},
    {"pgnucltr", 3, true, K::Property, 23},
    {"pgnlcltr", 4, true, K::Property, 23},
    {"qc", 2, true, K::Property, 26},
    {"ql", 0, true, K::Property, 26},
    {"qr", 1, true, K::Property, 26},
    {"qj", 3, true, K::Property, 26},
    {"paperw", 12240, false, K::Property, 15},
    {"paperh", 15480, false, K::Property, 16},
    {"margl", 1800, false, K::Property, 17},
    {"margr", 1800, false, K::Property, 18},
    {"margt", 1440, false, K::Property, 19},
    {"margb", 1440, false, K::Property, 20},
    {"pgnstart", 1, true, K::Property, 21},
    {"facingp", 1, true, K::Property, 24},
    {"landscape", 1, true, K::Property, 25},
    {"\n", 0, false, K::Character, 10},
    {"\r", 0, false, K::Character, 10},
    {"tab", 0, false, K::Character, 9},
    {"ldblquote", 0, false, K::Character, 34},
    {"rdblquote", 0, false, K::Character, 34},
    {"bin", 0, false, K::Special, 0},
    {"*", 0, false, K::Special, 2},
    {"'", 0, false, K::Special, 1},
    {"author", 0, false, K::Destination, 1},
    {"buptim", 0, false, K::Destination, 1},
    {"colortbl", 0, false, K::Destination, 1},
    {"comment", 0, false, K::Destination, 1},
    {"creatim", 0, false, K::Destination, 1},
    {"doccomm", 0, false, K::Destination, 1},
    {"fonttbl", 0, false, K::Destination, 1},
    {"footer", 0, false, K::Destination, 1},
    {"footerf", 0, false, K::Destination, 1},
    {"footerl", 0, false, K::Destination, 1},
    {"footerr", 0, false, K::Destination, 1},
    {"footnote", 0, false, K::Destination, 1},
    {"ftncn", 0, false, K::Destination, 1},
    {"ftnsep", 0, false, K::Destination, 1},
    {"ftnsepc", 0, false, K::Destination, 1},
    {"header", 0, false, K::Destination, 1},
    {"headerf", 0, false, K::Destination, 1},
    {"headerl", 0, false, K::Destination, 1},
    {"headerr", 0, false, K::Destination, 1},
    {"info", 0, false, K::Destination, 1},
    {"keywords", 0, false, K::Destination, 1},
    {"operator", 0, false, K::Destination, 1},
    {"pict", 0, false, K::Destination, 1},
    {"printim", 0, false, K::Destination, 1},
    {"private1", 0, false, K::Destination, 1},
    {"revtim", 0, false, K::Destination, 1},
    {"rxe", 0, false, K::Destination, 1},
    {"stylesheet", 0, false, K::Destination, 1},
    {"subject", 0, false, K::Destination, 1},
    {"tc", 0, false, K::Destination, 1},
    {"title", 0, false, K::Destination, 1},
    {"txe", 0, false, K::Destination, 1},
    {"xe", 0, false, K::Destination, 1},
    {"{", 0, false, K::Character, 123},
    {"}", 0, false, K::Character, 125},
    {"\\", 0, false, K::Character, 92},
};
static_assert(std::size(kKeywords) == 82);
static_assert(std::size(kProperties) == 27);

constexpr size_t kKeywordCount = std::size(kKeywords);

constexpr auto kWordOf = [](const KeywordEntry& entry) { return entry.keyword; };
constexpr KeywordIndex<256> kIndex(kKeywords, kWordOf);

}  // namespace

std::span<const KeywordEntry> keywordTable() { return kKeywords; }
std::span<const PropertyEntry> propertyTable() { return kProperties; }

const KeywordEntry* findKeyword(std::string_view word) {
  int entry = kIndex.find(kKeywords, kWordOf, word);
  return entry < 0 ? nullptr : &kKeywords[entry];
}

}  // namespace qm::rtf
