#include "pdf/font_widths.h"

#include "pdf/font_resolution.h"
#include "rtf/reader.h"

namespace qm::pdf {

namespace {

constexpr int kCourierWidth = 8383;
constexpr int kDefaultWidth = 5000;
constexpr int kFirstListed = 32;   // space
constexpr int kLastListed = 122;   // z

// Advances of the bytes 32 to 122 at size 11, in thousandths of a point.
constexpr int kTimes[kLastListed - kFirstListed + 1] = {
    3497, 5000, 5721, 5000, 5000, 5000, 5000, 2529, 5000, 5000,
    5000, 7911, 3514, 4668, 3497, 5000, 6994, 6994, 6994, 6994,
    6994, 6994, 6994, 6994, 6994, 6994, 5000, 5000, 5000, 5000,
    5000, 5000, 5000, 10100, 9336, 9336, 10100, 8573, 7792, 10100,
    10100, 4669, 5483, 10100, 8556, 12460, 10100, 10100, 7792, 10100,
    9336, 7792, 8539, 10100, 10100, 13207, 10100, 10100, 8539, 5000,
    5000, 5000, 5000, 5000, 5000, 6213, 7011, 6213, 7011, 6213,
    4702, 7011, 7011, 3904, 3904, 7011, 3904, 10915, 7011, 7011,
    7011, 7011, 4668, 5466, 3904, 7011, 7011, 10134, 7011, 7011,
    6213,
};
constexpr int kHelvetica[kLastListed - kFirstListed + 1] = {
    4689, 5000, 5999, 5000, 5000, 5000, 5000, 4709, 5000, 5000,
    5000, 10052, 4709, 5630, 4709, 5000, 9356, 9356, 9356, 9356,
    9356, 9356, 9356, 9356, 9356, 9356, 5000, 5000, 5000, 5000,
    5000, 5000, 5000, 9328, 9328, 10100, 10100, 9328, 8555, 10887,
    10100, 3892, 6996, 9356, 7783, 11674, 10100, 10887, 9356, 10887,
    10100, 9328, 8555, 10100, 9328, 13219, 9328, 9328, 8527, 5000,
    5000, 5000, 5000, 5000, 5000, 7754, 7754, 6996, 7783, 7783,
    3892, 7754, 7783, 3090, 3090, 6996, 3090, 11674, 7783, 7783,
    7783, 7783, 4664, 6996, 3892, 9356, 6996, 10100, 6996, 6996,
    6996,
};

}  // namespace

int characterWidth(char family, unsigned char byte) {
  if (family == 'C') return kCourierWidth;
  if (family != 'T' && family != 'H') return 0;
  // Looked up as a signed byte: everything from 128 up falls on the default.
  int code = static_cast<signed char>(byte);
  if (code < kFirstListed || code > kLastListed) return kDefaultWidth;
  return family == 'T' ? kTimes[code - kFirstListed] : kHelvetica[code - kFirstListed];
}

double characterAdvance(const richedit::CharFormat& format, unsigned char byte) {
  char family = format.font == richedit::FontFamily::Courier     ? 'C'
                : format.font == richedit::FontFamily::Helvetica ? 'H'
                                                                 : 'T';
  if (byte == '\t') return kBlanksPerTab * characterAdvance(format, ' ');
  // The table gives 5000 to every character it does not list, which is
  // narrower than most of them: a line measured with it could still run off
  // the page.  Accented letters count as their base letters, other
  // characters as wide ones.
  int width = characterWidth(family, byte);
  if (family != 'C' && width == 5000) {
    if (byte >= 0xC0 && byte <= 0xDE) {
      width = characterWidth(family, 'O');
    } else if (byte >= 0xDF) {
      width = characterWidth(family, 'o');
    } else {
      width = 7000;
    }
  }
  double points = width * (format.halfPoints / 2.0) / 11.0 / 1000.0;
  return format.bold ? points * 1.1 : points;
}

void textWidthPass(WorkGrid& tokens, int tokenCount, const WorkGrid& fonts, int fontCount, char& currentFamily) {
  constexpr float kLineStart = 5000.0f;
  float x = kLineStart;
  for (int row = 1; row <= tokenCount; ++row) {
    std::string_view fontNumber = tokens.cell(rtf::Indice, row);
    if (!fontNumber.empty()) resolveFamily(fonts, fontCount, fontNumber, currentFamily);
    if (tokens.cell(rtf::KEYWORD, row) == "par") x = kLineStart;
    std::string_view text = tokens.cell(rtf::DONNEE, row);
    if (text.empty() || tokens.cell(rtf::Hidden, row) == "X") continue;
    float width = 0.0f;
    for (char c : text) width += static_cast<float>(characterWidth(currentFamily, static_cast<unsigned char>(c)));
    int size = tokens.integerAt(rtf::SIZE, row, 11);
    width = static_cast<float>(static_cast<long double>(size) * width * (1.0L / 11.0L));
    x = x + width;
    tokens.setCell(rtf::Long, row, static_cast<long long>(x) / 1000);
  }
}

}  // namespace qm::pdf
