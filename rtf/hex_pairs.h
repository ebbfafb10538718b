// The hexadecimal escapes that the program's RTF reader turns into
// characters: written with digits and lowercase letters, and then exactly
// these 99 codes above 127.  The editor pad writes every other character
// above 127 as a plain byte, which the reader takes as it stands.
#pragma once

#include <array>

namespace qm::rtf {

inline constexpr std::array<bool, 256> kYieldingPairs = [] {
  std::array<bool, 256> yields{};
  for (int code : {0x80, 0x85, 0x88, 0x89, 0x8a, 0x8c, 0x93, 0x94, 0x95, 0x97, 0x98, 0x99, 0x9a, 0x9c, 0x9f, 0xa1,
                   0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7, 0xa8, 0xa9, 0xae, 0xb0, 0xb1, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6,
                   0xb9, 0xba, 0xbd, 0xbf}) {
    yields[static_cast<size_t>(code)] = true;
  }
  for (int code = 0xc0; code <= 0xff; ++code) yields[static_cast<size_t>(code)] = code != 0xd7;
  return yields;
}();

}  // namespace qm::rtf
