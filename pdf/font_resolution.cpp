#include "pdf/font_resolution.h"

#include "platform/memory_stream.h"
#include "rtf/reader.h"

namespace qm::pdf {

namespace {

constexpr int kAttemptsPerFont = 9999;
constexpr int kStepsPerSearch = 99;

// The font rows each first digit of "{\f<digit>" searches, in order.
constexpr int kRowsByDigit[6][5] = {
    {1, 0}, {2, 3, 4, 5, 0}, {0}, {3, 4, 5, 0}, {4, 5, 0}, {5, 0},
};

class Scanner {
 public:
  explicit Scanner(std::string_view bytes) : bytes_(bytes) {}
  int read() { return position_ < bytes_.size() ? static_cast<unsigned char>(bytes_[position_++]) : -1; }
  void stepBack(size_t count) { position_ = position_ >= count ? position_ - count : 0; }
  bool atEnd() const { return position_ >= bytes_.size(); }

 private:
  std::string_view bytes_;
  size_t position_ = 0;
};

void searchName(Scanner& scanner, WorkGrid& fonts, int row) {
  for (int step = 0; step < kStepsPerSearch; ++step) {
    int byte = scanner.read();
    if (byte < 0) return;
    if (byte != ' ') continue;
    int letter = scanner.read();
    if (letter == 'C' || letter == 'T' || letter == 'H') {
      fonts.setCell(1, row, std::string(1, static_cast<char>(letter)));
      return;
    }
  }
}

}  // namespace

void scanFontFamilies(std::string_view rtf, WorkGrid& fonts, int fontCount) {
  Scanner scanner(rtf);
  long long attempts = static_cast<long long>(fontCount) * kAttemptsPerFont;
  for (long long attempt = 0; attempt < attempts && !scanner.atEnd(); ++attempt) {
    if (scanner.read() != '{') continue;
    if (scanner.read() != '\\') {
      scanner.stepBack(1);
      continue;
    }
    if (scanner.read() != 'f') {
      scanner.stepBack(2);
      continue;
    }
    int digit = scanner.read();
    if (digit < '0' || digit > '5') continue;
    for (int row : kRowsByDigit[digit - '0']) {
      if (row == 0) break;
      searchName(scanner, fonts, row);
    }
  }
}

bool scanFontFamiliesOfFile(const std::string& path, WorkGrid& fonts, int fontCount) {
  std::string bytes;
  if (!readWholeFile(path, bytes)) return false;
  scanFontFamilies(bytes, fonts, fontCount);
  return true;
}

void sizeAndFontPass(WorkGrid& tokens, int tokenCount) {
  for (int row = 0; row <= tokenCount; ++row) {
    std::string_view keyword = tokens.cell(rtf::KEYWORD, row);
    if (keyword == "fs") {
      tokens.setCell(rtf::SIZE, row, tokens.integerAt(rtf::PARAM, row, 0) / 2);
    } else if (keyword == "f") {
      tokens.setCell(rtf::Indice, row, tokens.cell(rtf::PARAM, row));
    }
  }
}

char familyOrTimes(std::string_view name) {
  char letter = name.empty() ? 0 : name.front();
  return letter == 'C' || letter == 'H' || letter == 'T' ? letter : 'T';
}

void resolveFamily(const WorkGrid& fonts, int fontCount, std::string_view fontNumber, char& currentFamily) {
  for (int row = 1; row <= fontCount; ++row) {
    if (fonts.cell(0, row) == fontNumber) currentFamily = familyOrTimes(fonts.cell(1, row));
  }
}

}  // namespace qm::pdf
