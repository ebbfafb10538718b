#include <gtest/gtest.h>

#include "platform/clipboard.h"
#include "platform/memory_stream.h"
#include "platform/richedit/rich_edit.h"
#include "rtf/keyword_table.h"
#include "rtf/reader.h"

namespace qm::rtf {
namespace {

// One reading on fresh grids, prepared as the driver prepares them.
struct Reading {
  WorkGrid tokens{13, 5};
  WorkGrid fonts{2, 5};
  WorkGrid colours{4, 5};
  RowCounters counters;
  ReaderEndState end;
  int result = -1;
  int messagePumps = 0;

  explicit Reading(const std::string& rtf) { read(rtf); }
  Reading() = default;

  int read(const std::string& rtf) {
    counters.tokens = 0;
    counters.fonts = 1;
    counters.colours = 1;
    ByteStream stream;
    stream.openMemory(rtf);
    ReaderTables tables{tokens, fonts, colours, counters, [this] { ++messagePumps; }};
    result = ReadRtf(stream, tables, &end);
    return result;
  }
  std::string cell(int column, int row) const { return std::string(tokens.cell(column, row)); }
  // The row of the n-th occurrence (from 1) of a keyword.
  int row(const std::string& keyword, int occurrence = 1) const {
    for (int r = 1; r <= counters.tokens; ++r) {
      if (tokens.cell(KEYWORD, r) == keyword && --occurrence == 0) return r;
    }
    return -1;
  }
};

TEST(RtfReader, ResultCodesArriveWhereTheyArise) {
  struct Case {
    std::string input;
    int result;
    int tokens;           // rows begun before the reading stopped
    std::string lastText;  // DONNEE of the last row
  } cases[] = {
      {"", RtfOk, 0, ""},
      {"{\\rtf1 a}", RtfOk, 1, "a"},
      {"}", RtfUnbalancedClose, 0, ""},
      {"{\\rtf1 a}}\\b b", RtfUnbalancedClose, 1, "a"},
      {"{\\rtf1 {\\b a}", RtfUnclosedGroup, 2, "a"},
      {"{\\rtf1 x\\'g9 y}", RtfBadHexDigit, 1, "x"},
      {"{\\rtf1 x\\'4g y}", RtfBadHexDigit, 1, "x"},
      {"{\\rtf1 x\\", RtfEndInControlWord, 1, "x"},
      {"{\\rtf1 x\\li-", RtfEndInControlWord, 1, "x"},
      {"{\\rtf1 x\\li-360}", RtfOk, 2, ""},
  };
  for (const auto& c : cases) {
    Reading reading(c.input);
    EXPECT_EQ(reading.result, c.result) << c.input;
    EXPECT_EQ(reading.counters.tokens, c.tokens) << c.input;
    EXPECT_EQ(reading.cell(DONNEE, reading.counters.tokens), c.lastText) << c.input;
  }
  EXPECT_EQ(Reading("{\\rtf1 x\\li-360}").cell(PARAM, 2), "-360");
}

TEST(RtfReader, AFailedReadingLeavesNothingForTheNext) {
  Reading reading;
  EXPECT_EQ(reading.read("{\\rtf1 {{{\\b\\'zz"), RtfBadHexDigit);
  EXPECT_EQ(reading.read("{\\rtf1 {\\i a}b}"), RtfOk);
  EXPECT_EQ(reading.end.groupDepth, 0);
  EXPECT_EQ(reading.end.bold, 0);
  EXPECT_EQ(reading.cell(Italic, reading.row("i")), " ");  // state at the row's last character, b
}

TEST(RtfReader, HexadecimalEscapes) {
  struct Case {
    std::string input;
    std::string text;
    int result;
  } cases[] = {
      {"{\\rtf1 \\'e9}", "\xe9", RtfOk},
      {"{\\rtf1 \\'E9}", "", RtfOk},
      {"{\\rtf1 \\'41}", "", RtfOk},
      {"{\\rtf1 \\'d7\\'80\\'81}", "\x80", RtfOk},
      {"{\\rtf1 \\'e\r\n9}", "\xe9", RtfOk},
      {"{\\rtf1 \\'e{a}9}", "a\xe9", RtfOk},
      {"{\\rtf1 \\'g9}", "", RtfBadHexDigit},
  };
  for (const auto& c : cases) {
    Reading reading(c.input);
    EXPECT_EQ(reading.result, c.result) << c.input;
    EXPECT_EQ(reading.cell(DONNEE, 1), c.text) << c.input;
    EXPECT_EQ(reading.counters.tokens, 1) << "escapes begin no row: " << c.input;
  }
}

TEST(RtfReader, ExactlyTheNinetyNineListedPairsYieldCharacters) {
  int yielding = 0;
  for (int code = 0; code < 256; ++code) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02x", code);
    Reading reading(std::string("{\\rtf1 \\'") + pair + "}");
    if (!reading.cell(DONNEE, 1).empty()) {
      ++yielding;
      EXPECT_GE(code, 128);
      EXPECT_EQ(static_cast<unsigned char>(reading.cell(DONNEE, 1)[0]), code);
    }
  }
  EXPECT_EQ(yielding, 99);
}

TEST(RtfReader, BinaryData) {
  Reading three("{\\rtf1 \\li3\\bin {\\}z}");
  EXPECT_EQ(three.result, RtfOk);
  EXPECT_EQ(three.cell(DONNEE, three.row("bin")), "{\\\\}z");
  Reading zero("{\\rtf1 \\li0\\bin }x}");
  EXPECT_EQ(zero.result, RtfOk);
  EXPECT_EQ(zero.cell(DONNEE, zero.row("bin")), "}x");
  // Inside a skipped destination the bytes are still data, and dropped.
  Reading skipped("{\\rtf1 {\\info\\li2\\bin }}}after}");
  EXPECT_EQ(skipped.result, RtfOk);
  EXPECT_EQ(skipped.cell(DONNEE, skipped.row("bin")), "after");
}

TEST(RtfReader, SkipUnknownMark) {
  Reading unknown("{\\rtf1 a{\\*\\unknownword b\\par c}d}");
  EXPECT_EQ(unknown.cell(DONNEE, unknown.row("rtf")), "a");
  EXPECT_EQ(unknown.cell(DONNEE, unknown.row("par")), "d");
  Reading plainUnknown("{\\rtf1 a{\\unknownword b}c}");
  EXPECT_EQ(plainUnknown.cell(DONNEE, plainUnknown.row("unknownword")), "bc");
  Reading known("{\\rtf1 a{\\*\\pict 0a0b}c}");
  EXPECT_EQ(known.cell(DONNEE, known.row("pict")), "c");
  Reading knownProperty("{\\rtf1 {\\*\\b x}y}");
  EXPECT_EQ(knownProperty.cell(DONNEE, knownProperty.row("b")), "xy");
  EXPECT_EQ(knownProperty.cell(Bold, knownProperty.row("b")), " ");
}

TEST(RtfReader, PropertyWidthsAndDefaults) {
  struct Case {
    std::string input;
    int ReaderEndState::*field;
    int expected;
  } cases[] = {
      {"{\\rtf1 \\fs300 x", &ReaderEndState::fontSize, 44},
      {"{\\rtf1 \\fs x", &ReaderEndState::fontSize, 28},
      {"{\\rtf1 \\b2 x", &ReaderEndState::bold, 2},
      {"{\\rtf1 \\b\\b0 x", &ReaderEndState::bold, 0},
      {"{\\rtf1 \\qc5 x", &ReaderEndState::justification, 2},
      {"{\\rtf1 \\qr x", &ReaderEndState::justification, 1},
      {"{\\rtf1 \\fi-360 x", &ReaderEndState::firstIndent, -360},
      {"{\\rtf1 \\li99999999999 x", &ReaderEndState::leftIndent, 2147483647},
      {"{\\rtf1 \\li-99999999999999999999999 x", &ReaderEndState::leftIndent, -2147483647 - 1},
      {"{\\rtf1 \\ulnone x", &ReaderEndState::underlineNone, 1},
      {"{\\rtf1 {\\info \\b x}", &ReaderEndState::bold, 0},
  };
  for (const auto& c : cases) {
    Reading reading(c.input);
    EXPECT_EQ(reading.end.*c.field, c.expected) << c.input;
  }
  Reading bold2("{\\rtf1 \\b2 x}");
  EXPECT_EQ(bold2.cell(Bold, 2), " ");
}

TEST(RtfReader, UnderlineNoneHidesLaterUnderlineInTheGroup) {
  Reading reading("{\\rtf1 \\ul a\\ulnone b\\ul c{\\ulnone0\\ul d}}");
  EXPECT_EQ(reading.cell(UnderL, reading.row("ul")), "X");
  EXPECT_EQ(reading.cell(UnderL, reading.row("ulnone")), " ");
  EXPECT_EQ(reading.cell(UnderL, reading.row("ul", 2)), " ");
  EXPECT_EQ(reading.cell(UnderL, reading.row("ul", 3)), "X");
}

TEST(RtfReader, WordsLongerThanTheBuffersAreCut) {
  std::string longWord(200, 'a');
  std::string longNumber(500, '9');
  Reading reading("{\\rtf1 \\" + longWord + longNumber + " x}");
  EXPECT_EQ(reading.result, RtfOk);
  EXPECT_EQ(reading.cell(KEYWORD, 2), std::string(31, 'a'));
  EXPECT_EQ(reading.cell(PARAM, 2), "2147483647");
  EXPECT_EQ(reading.cell(DONNEE, 2), "x");
}

TEST(RtfReader, DeepNestingNeedsNoStack) {
  Reading reading(std::string(1000000, '{') + "x");
  EXPECT_EQ(reading.result, RtfUnclosedGroup);
  EXPECT_EQ(reading.end.groupDepth, 1000000);
  Reading balanced(std::string(200000, '{') + "y" + std::string(200000, '}'));
  EXPECT_EQ(balanced.result, RtfOk);
  EXPECT_EQ(balanced.cell(DONNEE, 0), "y");
}

TEST(RtfReader, FontAndColourTables) {
  Reading reading(
      "{\\rtf1{\\fonttbl{\\f0\\fnil Times New Roman;}{\\f1\\fnil Courier;}}"
      "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\\viewkind4\\f1 x\\f0 y}");
  EXPECT_EQ(reading.counters.fonts, 2);
  EXPECT_EQ(reading.fonts.cell(0, 1), "0");
  EXPECT_EQ(reading.fonts.cell(0, 2), "1");
  EXPECT_EQ(reading.fonts.cell(1, 1), "");  // names come from the family scan
  EXPECT_EQ(reading.fonts.rowCount(), 4);
  EXPECT_EQ(reading.counters.colours, 2);
  const char* expected[3][4] = {{"", "", "", ""}, {"1", "255", "0", "0"}, {"2", "0", "0", "255"}};
  for (int row = 1; row <= 2; ++row) {
    for (int column = 0; column < 4; ++column) EXPECT_EQ(reading.colours.cell(column, row), expected[row][column]);
  }
  EXPECT_EQ(reading.colours.rowCount(), 4);
}

TEST(RtfReader, FontTableModeLastsUntilViewkindOrTheColourTable) {
  Reading noViewkind("{\\rtf1{\\fonttbl{\\f0 Times;}}\\f0 a\\f5 b{\\colortbl;}\\f7 c}");
  EXPECT_EQ(noViewkind.counters.fonts, 3);  // f0 in the table, then f0 and f5 of the body
  EXPECT_EQ(noViewkind.fonts.cell(0, 3), "5");
  Reading colourFirst("{\\rtf1{\\colortbl\\green9;\\red1\\green2\\blue3;}}");
  EXPECT_EQ(colourFirst.colours.cell(2, 0), "9");  // before any "red": the header row
  EXPECT_EQ(colourFirst.colours.cell(0, 1), "1");
}

TEST(RtfReader, TextEscapesAndRowZero) {
  Reading reading("lead{\\rtf1 (x) a\\\\b \\{c\\} tab\\tab\\\n}");
  EXPECT_EQ(reading.cell(DONNEE, 0), "lead");
  EXPECT_EQ(reading.cell(DONNEE, 1), "\\(x\\) a\\\\b {c} tab");
  EXPECT_EQ(reading.cell(DONNEE, 2), "\t\n");
  EXPECT_EQ(reading.counters.tokens, 2);
}

TEST(RtfReader, ColourAndFontAreWrittenOnChangeOnly) {
  Reading reading("{\\rtf1 a\\cf2 b\\par c\\cf200\\f200 d\\cf2 e\\cf0\\cf2\\par f}");
  EXPECT_EQ(reading.cell(COLOR, reading.row("rtf")), "");
  EXPECT_EQ(reading.cell(COLOR, reading.row("cf")), "2");
  EXPECT_EQ(reading.cell(COLOR, reading.row("par")), "");
  EXPECT_EQ(reading.cell(COLOR, reading.row("f")), "-56");
  EXPECT_EQ(reading.cell(FONT, reading.row("f")), "-56");
  EXPECT_EQ(reading.cell(COLOR, reading.row("cf", 3)), "2");
  EXPECT_EQ(reading.cell(COLOR, reading.row("par", 2)), "");
  EXPECT_EQ(reading.cell(Bold, reading.row("cf", 4)), "");  // no character, no flags
}

TEST(RtfReader, BoldGroupThenPlainTextIsOneRow) {
  Reading reading("{\\rtf1 {\\b bold} plain}");
  int row = reading.row("b");
  EXPECT_EQ(reading.cell(DONNEE, row), "bold plain");
  EXPECT_EQ(reading.cell(Bold, row), " ");
}

TEST(RtfReader, APictureMarkerFromHiddenText) {
  Reading reading("{\\rtf1 {\\pict\\jpegblip ffd8ffe0}\\v C:\\\\pics\\\\a (1).jpg\\v0\\par}");
  int row = reading.row("v");
  EXPECT_EQ(reading.cell(DONNEE, row), "C:\\\\pics\\\\a \\(1\\).jpg");
  EXPECT_EQ(reading.cell(Hidden, row), "X");
  EXPECT_EQ(reading.cell(DONNEE, reading.row("pict")), "");
  EXPECT_EQ(reading.cell(DONNEE, reading.row("jpegblip")), "");
}

TEST(RtfReader, LetsMessagesThroughOncePerControlWord) {
  Reading reading("{\\rtf1\\b a\\'e9\\{\\par}");
  EXPECT_EQ(reading.messagePumps, 3);  // rtf, b, par: control symbols are not words
}

TEST(RtfReader, ThePadsOwnRtfGivesTheRowsTheLaterPassesNeed) {
  Clipboard clipboard;
  RichEdit pad("RichEdit1", clipboard);
  pad.typeText("plain ");
  pad.setSelFontName("Courier");
  pad.setSelSizePoints(14);
  pad.setSelColour({255, 0, 0});
  pad.setSelStyle(true, true, false);
  pad.typeText("styled\nC:\\pic.jpg");
  pad.setSelection(pad.textLength() - 10, 10);
  richedit::FormatChange hide;
  pad.setSelStyle(false, false, false);
  MemoryStream out;
  pad.streamOut(out);
  std::string rtf = out.bytes();
  // Hide the path as the picture insertion does.
  rtf.replace(rtf.find("C:\\\\pic.jpg"), 11, "\\v C:\\\\pic.jpg\\v0 ");
  Reading reading(rtf);
  EXPECT_EQ(reading.result, RtfOk) << rtf;
  for (const char* keyword : {"fs", "f", "cf", "b", "i", "v", "par", "viewkind"}) {
    EXPECT_GT(reading.row(keyword), 0) << keyword << " in " << rtf;
  }
  EXPECT_EQ(reading.cell(DONNEE, reading.row("v")), "C:\\\\pic.jpg");
  EXPECT_EQ(reading.cell(Hidden, reading.row("v")), "X");
  EXPECT_EQ(reading.counters.fonts, 2);
  EXPECT_EQ(reading.counters.colours, 1);
  EXPECT_EQ(reading.colours.cell(1, 1), "255");
}

TEST(KeywordTable, HoldsTheVocabularyInOrder) {
  auto keywords = keywordTable();
  ASSERT_EQ(keywords.size(), 82u);
  EXPECT_EQ(keywords[0].keyword, "b");
  EXPECT_EQ(keywords[45].keyword, "'");
  EXPECT_EQ(keywords[81].keyword, "\\");
  EXPECT_EQ(propertyTable().size(), 27u);
  for (const auto& entry : keywords) EXPECT_EQ(findKeyword(entry.keyword), &entry);
  EXPECT_EQ(findKeyword("B"), nullptr);
  EXPECT_EQ(findKeyword("par"), nullptr);
}

}  // namespace
}  // namespace qm::rtf
