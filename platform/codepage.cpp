#include "platform/codepage.h"

#include "platform/codepage_tables.h"

namespace qm {

namespace {

const codepage_tables::UpperHalf* findPage(int codePage) {
  for (const auto& page : codepage_tables::kUpperHalves) {
    if (page.codePage == codePage) return &page;
  }
  return nullptr;
}


}  // namespace

bool knownCodePage(int codePage) { return findPage(codePage) != nullptr; }

char32_t codePageToUnicode(int codePage, unsigned char byte) {
  if (byte < 128) return byte;
  const auto* page = findPage(codePage);
  if (!page) page = findPage(1252);
  return page->points[byte - 128];
}

unsigned char unicodeToCp1252(char32_t codePoint) {
  if (codePoint < 128) return static_cast<unsigned char>(codePoint);
  if (codePoint >= 0xA0 && codePoint <= 0xFF) return static_cast<unsigned char>(codePoint);
  const auto& points = codepage_tables::kUpperHalves[0].points;  // cp1252 comes first
  for (int i = 0; i < 32; ++i) {
    if (points[i] == codePoint) return static_cast<unsigned char>(128 + i);
  }
  return 0;
}

int codePageOfCharset(int charset) {
  switch (charset) {
    case 0: return 1252;
    case 161: return 1253;
    case 162: return 1254;
    case 186: return 1257;
    case 204: return 1251;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return 0;
  }
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

std::string cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    char32_t point = codePageToUnicode(1252, static_cast<unsigned char>(c));
    appendUtf8(out, point ? point : U'?');
  }
  return out;
}

std::string utf8ToCp1252(std::string_view text, int* replaced) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    char32_t point = 0;
    size_t length = 1;
    if (lead < 0x80) {
      point = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      point = lead & 0x1F;
      length = 2;
    } else if ((lead & 0xF0) == 0xE0) {
      point = lead & 0x0F;
      length = 3;
    } else if ((lead & 0xF8) == 0xF0) {
      point = lead & 0x07;
      length = 4;
    } else {
      length = 0;  // stray continuation byte
    }
    bool valid = length > 0 && i + length <= text.size();
    for (size_t k = 1; valid && k < length; ++k) {
      unsigned char next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) valid = false;
      point = (point << 6) | (next & 0x3F);
    }
    if (!valid) {
      // Not UTF-8: keep the byte, it is most likely already cp1252.
      out.push_back(static_cast<char>(lead));
      ++i;
      continue;
    }
    unsigned char byte = unicodeToCp1252(point);
    if (byte == 0 && point != 0) {
      out.push_back('?');
      if (replaced) ++*replaced;
    } else {
      out.push_back(static_cast<char>(byte));
    }
    i += length;
  }
  return out;
}

}  // namespace qm
