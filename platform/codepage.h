// Character sets.  The pad and the PDF hold 8-bit Windows-1252 text; the
// console and file names are UTF-8; RTF from elsewhere may use other Windows
// and DOS code pages.  Everything is mapped through Unicode code points.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

// The Unicode code point of a byte in a code page (1250, 1251, 1252, 1253,
// 1254, 1257, 437, 850; any other is read as 1252); 0 for an unmapped byte.
char32_t codePageToUnicode(int codePage, unsigned char byte);
// The cp1252 byte for a code point; 0 when cp1252 has no such character.
unsigned char unicodeToCp1252(char32_t codePoint);
// Whether the code page is one codePageToUnicode knows.
bool knownCodePage(int codePage);
// The Windows code page an RTF \fcharset stands for, 0 when none.
int codePageOfCharset(int charset);

std::string cp1252ToUtf8(std::string_view text);
// Characters cp1252 lacks become '?'; `replaced` counts them.
std::string utf8ToCp1252(std::string_view text, int* replaced = nullptr);
void appendUtf8(std::string& out, char32_t codePoint);

}  // namespace qm
