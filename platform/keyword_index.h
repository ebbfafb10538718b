// A hash index over a constant table of words, built at compile time: one
// hash and, nearly always, one comparison per lookup.  The RTF readers find
// their control words with it.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace qm {

constexpr std::uint32_t hashWord(std::string_view word) {
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (char c : word) hash = (hash ^ static_cast<std::uint8_t>(c)) * 16777619u;
  return hash;
}

// `Slots` must exceed the table's size; `wordOf` gives an entry's word.
template <size_t Slots>
class KeywordIndex {
 public:
  template <typename Table, typename WordOf>
  constexpr KeywordIndex(const Table& table, WordOf wordOf) {
    slots_.fill(kEmpty);
    for (size_t entry = 0; entry < std::size(table); ++entry) {
      size_t slot = hashWord(wordOf(table[entry])) % Slots;
      while (slots_[slot] != kEmpty) slot = (slot + 1) % Slots;
      slots_[slot] = static_cast<std::uint16_t>(entry);
    }
  }

  // The entry's position in the table, or -1.
  template <typename Table, typename WordOf>
  constexpr int find(const Table& table, WordOf wordOf, std::string_view word) const {
    for (size_t slot = hashWord(word) % Slots; slots_[slot] != kEmpty; slot = (slot + 1) % Slots) {
      if (wordOf(table[slots_[slot]]) == word) return slots_[slot];
    }
    return -1;
  }

 private:
  static constexpr std::uint16_t kEmpty = 0xFFFF;
  std::array<std::uint16_t, Slots> slots_{};
};

}  // namespace qm
