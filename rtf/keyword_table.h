// The RTF reader's vocabulary: the keyword table (what each control word or
// control symbol does) and the property table (which field of which property
// set a property keyword changes).  Constant data; a word is found by one
// lookup in a hash index built at compile time.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace qm::rtf {

enum class KeywordKind : std::uint8_t { Character = 0, Destination = 1, Property = 2, Special = 3 };
enum class PropertySet : std::uint8_t { Character = 0, Paragraph = 1, Section = 2, Document = 3 };
enum class SpecialKeyword : std::int32_t { Binary = 0, HexEscape = 1, SkipUnknown = 2 };

struct KeywordEntry {
  std::string_view keyword;
  std::int32_t defaultValue;
  bool defaultAlways;
  KeywordKind kind;
  std::int32_t index;  // character code, destination, property index or special number
};

struct PropertyEntry {
  std::uint8_t width;  // 1: low 8 bits, 2: whole 32-bit value
  PropertySet set;
  std::uint8_t field;  // field number inside the set, in the set's order
};

std::span<const KeywordEntry> keywordTable();
std::span<const PropertyEntry> propertyTable();

// The entry for a word, compared exactly and case-sensitively; null if none.
const KeywordEntry* findKeyword(std::string_view word);

}  // namespace qm::rtf
