// Font resolution, widths and layout, on work grids filled by hand.
#include <gtest/gtest.h>

#include "pdf/font_resolution.h"
#include "pdf/font_widths.h"
#include "pdf/layout.h"
#include "pdf/number_format.h"
#include "rtf/reader.h"

namespace qm::pdf {
namespace {

using rtf::DONNEE;
using rtf::Hidden;
using rtf::Indice;
using rtf::KEYWORD;
using rtf::Long;
using rtf::SIZE;

TEST(FamilyScan, FollowsTheByteLevelRules) {
  struct Case {
    std::string table;
    int fonts;
    std::vector<std::string> names;  // rows 1..
  } cases[] = {
      {"{\\fonttbl{\\f0\\fnil Times New Roman;}{\\f1\\fnil Courier;}{\\f2\\fnil Helvetica;}}", 3, {"T", "C", "H"}},
      {"{\\fonttbl{\\f0\\fnil Courier;}}", 1, {"C"}},
      {"{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}", 2, {"T", ""}},
      {"{\\fonttbl{\\f12\\fnil Courier;}{\\f13\\fnil Helvetica;}}", 2, {"", "C"}},
      {"{\\fonttbl{\\f0\\fnil  Courier;}}", 1, {""}},  // two blanks hide the letter
  };
  for (const auto& c : cases) {
    WorkGrid fonts(2, 8);
    scanFontFamilies(c.table + "\n\\viewkind4 text", fonts, c.fonts);
    for (size_t row = 1; row <= c.names.size(); ++row) {
      EXPECT_EQ(fonts.cell(1, static_cast<int>(row)), c.names[row - 1]) << c.table << " row " << row;
    }
  }
}

TEST(FamilyResolution, MapsFontNumbersAndFallsBackToTimes) {
  WorkGrid fonts(2, 8);
  fonts.setCell(0, 1, "0");
  fonts.setCell(1, 1, "C");
  fonts.setCell(0, 2, "1");  // no letter: resolves to Times, no error
  fonts.setCell(0, 3, "2");
  fonts.setCell(1, 3, "X");
  char family = 0;
  resolveFamily(fonts, 3, "0", family);
  EXPECT_EQ(family, 'C');
  resolveFamily(fonts, 3, "9", family);
  EXPECT_EQ(family, 'C');  // no such font: unchanged
  resolveFamily(fonts, 3, "1", family);
  EXPECT_EQ(family, 'T');
  family = 'H';
  resolveFamily(fonts, 3, "2", family);
  EXPECT_EQ(family, 'T');
}

TEST(SizeAndFontPass, CopiesSizesAndFontNumbers) {
  WorkGrid tokens(13, 5);
  const char* rows[][2] = {{"fs", "22"}, {"fs", "23"}, {"fs", "0"}, {"f", "2"}, {"b", "1"}};
  for (int row = 1; row <= 5; ++row) {
    tokens.setCell(KEYWORD, row, rows[row - 1][0]);
    tokens.setCell(rtf::PARAM, row, rows[row - 1][1]);
  }
  sizeAndFontPass(tokens, 5);
  EXPECT_EQ(tokens.cell(SIZE, 1), "11");
  EXPECT_EQ(tokens.cell(SIZE, 2), "11");
  EXPECT_EQ(tokens.cell(SIZE, 3), "0");
  EXPECT_EQ(tokens.cell(Indice, 4), "2");
  EXPECT_EQ(tokens.cell(SIZE, 4), "");
  EXPECT_EQ(tokens.cell(SIZE, 5), "");
  EXPECT_EQ(tokens.cell(Indice, 5), "");
}

// Rows: keyword, text, hidden, size, font number.
struct TokenRow {
  const char* keyword;
  const char* text;
  const char* hidden;
  const char* size;
  const char* font;
};

std::vector<std::string> widthsOf(const std::vector<TokenRow>& rows, char startFamily = 0) {
  WorkGrid tokens(13, 5);
  WorkGrid fonts(2, 5);
  const char* families[] = {"T", "C", "H"};
  for (int row = 1; row <= 3; ++row) {
    fonts.setCell(0, row, row - 1);
    fonts.setCell(1, row, families[row - 1]);
  }
  for (size_t i = 0; i < rows.size(); ++i) {
    int row = static_cast<int>(i) + 1;
    tokens.setCell(KEYWORD, row, rows[i].keyword);
    tokens.setCell(DONNEE, row, rows[i].text);
    tokens.setCell(Hidden, row, rows[i].hidden);
    tokens.setCell(SIZE, row, rows[i].size);
    tokens.setCell(Indice, row, rows[i].font);
  }
  char family = startFamily;
  textWidthPass(tokens, static_cast<int>(rows.size()), fonts, 3, family);
  std::vector<std::string> longs;
  for (size_t i = 1; i <= rows.size(); ++i) longs.emplace_back(tokens.cell(Long, static_cast<int>(i)));
  return longs;
}

TEST(TextWidthPass, MeasuresRunsWithTheFamilyTables) {
  using V = std::vector<std::string>;
  EXPECT_EQ(widthsOf({{"f", "", " ", "", "0"}, {"par", "Hello", " ", "", ""}}), (V{"", "36"}));
  EXPECT_EQ(widthsOf({{"f", "", " ", "", "0"}, {"fs", "Hello", " ", "22", ""}}), (V{"", "67"}));
  EXPECT_EQ(widthsOf({{"f", "abc", " ", "", "1"}}), (V{"30"}));
  EXPECT_EQ(widthsOf({{"f", "Hello ", " ", "", "0"}, {"fs", "World", " ", "12", "2"}}), (V{"39", "79"}));
  EXPECT_EQ(widthsOf({{"par", "text", " ", "", ""}}), (V{"5"}));  // no family resolved yet
  EXPECT_EQ(widthsOf({{"f", "\xe9", " ", "", "0"}}), (V{"10"}));
  EXPECT_EQ(widthsOf({{"f", "\xe9", " ", "", "1"}}), (V{"13"}));
  EXPECT_EQ(widthsOf({{"f", "\\\\", " ", "", "2"}}), (V{"15"}));
  // Hidden text is not measured; a bold row after an "fs" row is size 11.
  EXPECT_EQ(widthsOf({{"f", "ab", " ", "", "1"}, {"v", "C:\\\\x.jpg", "X", "", ""}, {"b", "ab", " ", "", ""}}),
            (V{"21", "", "38"}));
  EXPECT_EQ(widthsOf({{"f", "", " ", "", "0"}, {"fs", "", " ", "22", ""}, {"b", "Hello", " ", "", ""}}),
            (V{"", "", "36"}));
  EXPECT_EQ(characterWidth('T', 'M'), 12460);
  EXPECT_EQ(characterWidth('H', '+'), 10052);
  EXPECT_EQ(characterWidth('C', 200), 8383);
  EXPECT_EQ(characterWidth(0, 'a'), 0);
}

TEST(Pagination, CutsLinesInto732PixelPages) {
  WorkGrid lines(6, 5);
  const int ys[] = {0, 732, 733, 1464, 1465};
  for (int row = 0; row < 5; ++row) {
    lines.setCell(0, row, row);
    lines.setCell(1, row, ys[row]);
  }
  paginate(lines, 5);
  const char* expected[][2] = {{"762", "1"}, {"30", "1"}, {"761", "2"}, {"30", "2"}, {"761", "3"}};
  for (int row = 0; row < 5; ++row) {
    EXPECT_EQ(lines.cell(4, row), expected[row][0]) << row;
    EXPECT_EQ(lines.cell(5, row), expected[row][1]) << row;
  }
}

TEST(Pagination, FortyFourLinesOf17PixelsFillPageOne) {
  WorkGrid lines(6, 5), pages(6, 5), tokens(13, 5);
  RowCounters counters;
  for (int row = 0; row < 60; ++row) {
    lines.setCell(0, row, row);
    lines.setCell(1, row, row * 17);
  }
  paginate(lines, 60);
  EXPECT_EQ(lines.cell(4, 0), "762");
  EXPECT_EQ(lines.cell(5, 43), "1");
  EXPECT_EQ(lines.cell(4, 44), "746");
  EXPECT_EQ(lines.cell(5, 44), "2");
  buildPageTable(lines, 60, pages, counters);
  EXPECT_EQ(counters.pages, 2);
  EXPECT_EQ(pages.cell(FirstLine, 1), "0");
  EXPECT_EQ(pages.cell(LastLine, 1), "43");
  EXPECT_EQ(pages.cell(FirstLine, 2), "44");
  EXPECT_EQ(pages.cell(LastLine, 2), "59");
  EXPECT_EQ(pages.rowCount(), 4);
  // Tokens: a header word, then one "par" per line with the next line's text.
  counters.tokens = 62;
  tokens.setCell(KEYWORD, 1, "pard");
  tokens.setCell(KEYWORD, 2, "fs");
  for (int row = 3; row <= 62; ++row) tokens.setCell(KEYWORD, row, "par");
  for (int row = 1; row <= 62; ++row) tokens.setCell(rtf::NUM, row, row);
  findTokenRanges(tokens, pages, counters);
  EXPECT_EQ(pages.cell(FirstToken, 1), "1");
  EXPECT_EQ(pages.cell(LastToken, 1), "45");   // the 44th "par" is row 46
  EXPECT_EQ(pages.cell(FirstToken, 2), "46");
  EXPECT_EQ(pages.cell(LastToken, 2), "62");
}

TEST(Pagination, OnePageDocument) {
  WorkGrid lines(6, 5), pages(6, 5), tokens(13, 5);
  RowCounters counters;
  counters.pages = 7;  // from a longer document before
  for (int row = 0; row < 3; ++row) {
    lines.setCell(0, row, row);
    lines.setCell(1, row, row * 17);
  }
  paginate(lines, 3);
  buildPageTable(lines, 3, pages, counters);
  counters.tokens = 9;
  findTokenRanges(tokens, pages, counters);
  EXPECT_EQ(counters.pages, 1);
  EXPECT_EQ(pages.cell(PageNum, 1), "1");
  EXPECT_EQ(pages.cell(LastLine, 1), "2");
  EXPECT_EQ(pages.cell(FirstToken, 1), "1");
  EXPECT_EQ(pages.cell(LastToken, 1), "9");
}

TEST(NumberFormat, ColourComponentsAndEscapes) {
  EXPECT_EQ(colourComponent(0), "0");
  EXPECT_EQ(colourComponent(255), "1");
  EXPECT_EQ(colourComponent(128), "0.502");
  EXPECT_EQ(colourComponent(51), "0.2");
  EXPECT_EQ(colourComponent(1), "0.004");
  EXPECT_EQ(colourComponent(300), "1");
  EXPECT_EQ(escapeLiteral("a(b)c\\d"), "a\\(b\\)c\\\\d");
  EXPECT_EQ(escapeLiteral(") /JavaScript"), "\\) /JavaScript");
}

}  // namespace
}  // namespace qm::pdf
