#include <gtest/gtest.h>

#include "platform/clipboard.h"
#include "platform/richedit/rich_edit.h"
#include "platform/richedit/rtf_parser.h"
#include "platform/richedit/rtf_writer.h"
#include "test_support.h"

namespace qm {
namespace {

using richedit::CharFormat;
using richedit::FontFamily;
using richedit::RichText;

std::string roundTrip(const std::string& rtf) {
  richedit::RtfReadReport report;
  RichText text = richedit::readRtf(rtf, report);
  EXPECT_FALSE(report.error) << rtf;
  return richedit::writeRtf(text);
}

RichText sampleWithEveryAttribute() {
  RichText text;
  CharFormat plain;
  text.insertText(0, "Plain ", plain);
  struct Piece {
    const char* text;
    void (*change)(CharFormat&);
  } pieces[] = {
      {"bold ", [](CharFormat& f) { f.bold = true; }},
      {"italic ", [](CharFormat& f) { f.italic = true; }},
      {"under ", [](CharFormat& f) { f.underline = true; }},
      {"hidden", [](CharFormat& f) { f.hidden = true; }},
      {" courier ", [](CharFormat& f) { f.font = FontFamily::Courier; }},
      {"helvetica ", [](CharFormat& f) { f.font = FontFamily::Helvetica; }},
      {"big ", [](CharFormat& f) { f.halfPoints = 48; }},
      {"red ", [](CharFormat& f) { f.colour = {255, 0, 0}; }},
      {"grey", [](CharFormat& f) { f.colour = {128, 128, 128}; }},
  };
  for (const auto& piece : pieces) {
    CharFormat format;
    piece.change(format);
    text.insertText(text.length(), piece.text, format);
  }
  text.insertText(text.length(), "\nescapes \\ { } tab\there\n\nlast", plain);
  return text;
}

TEST(PadRtf, WritesTheFormTheConversionReads) {
  std::string rtf = richedit::writeRtf(sampleWithEveryAttribute());
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Times New Roman;}"
                      "{\\f1\\fnil\\fcharset0 Courier;}{\\f2\\fnil\\fcharset0 Helvetica;}}\n"
                      "{\\colortbl ;\\red255\\green0\\blue0;\\red128\\green128\\blue128;}\n"
                      "\\viewkind4\\uc1\\pard\\f0\\fs22 Plain \\b bold \\b0\\i italic \\i0\\ul under \\ulnone\\v hidden",
                      0),
            0u)
      << rtf;
  for (const char* word : {"\\f1\\v0  courier", "\\fs48 big", "\\cf1 red", "\\cf2 grey", "\\\\", "\\{", "\\}",
                           "\\tab here\\par\n", "\\par\n\\par\nlast\\par\n}"}) {
    EXPECT_NE(rtf.find(word), std::string::npos) << word << " in " << rtf;
  }
}

TEST(PadRtf, RoundTripGivesTheSameBytesForEveryAttribute) {
  std::string first = richedit::writeRtf(sampleWithEveryAttribute());
  EXPECT_EQ(roundTrip(first), first);
}

// Characters above 127 are lowercase escapes where the program's reader
// turns escapes into characters, plain bytes where it would drop them.
TEST(PadRtf, Characters128To255TravelSoTheReaderKeepsThem) {
  std::string all;
  for (int c = 128; c <= 255; ++c) {
    if (c == 0x81 || c == 0x8d || c == 0x8f || c == 0x90 || c == 0x9d) continue;  // not in cp1252
    all.push_back(static_cast<char>(c));
  }
  RichText text;
  text.insertText(0, all, CharFormat{});
  std::string rtf = richedit::writeRtf(text);
  EXPECT_NE(rtf.find("\\'80\x82"), std::string::npos);
  EXPECT_NE(rtf.find("\\'e9"), std::string::npos);
  EXPECT_EQ(rtf.find("\\'E9"), std::string::npos);
  EXPECT_NE(rtf.find("\\'d6\xd7\\'d8"), std::string::npos);
  EXPECT_NE(rtf.find("\x96"), std::string::npos);  // en dash
  richedit::RtfReadReport report;
  EXPECT_EQ(richedit::readRtf(rtf, report).plainText(), all);
  EXPECT_EQ(roundTrip(rtf), rtf);
}

TEST(PadRtf, PicturesTravelInAJpegBlipGroup) {
  RichText text;
  auto picture = std::make_shared<richedit::Picture>();
  picture->jpeg = test::makeJpeg(40, 30);
  picture->width = 40;
  picture->height = 30;
  text.insertText(0, "before after", CharFormat{});
  text.insertPicture(7, picture, CharFormat{});
  std::string rtf = richedit::writeRtf(text);
  EXPECT_NE(rtf.find("{\\pict\\jpegblip\\picw40\\pich30\\picwgoal600\\pichgoal450\nffd8"), std::string::npos);
  richedit::RtfReadReport report;
  RichText back = richedit::readRtf(rtf, report);
  ASSERT_EQ(back.paragraphs()[0].runs.size(), 3u);
  ASSERT_TRUE(back.paragraphs()[0].runs[1].picture);
  EXPECT_EQ(back.paragraphs()[0].runs[1].picture->jpeg, picture->jpeg);
  EXPECT_EQ(back.paragraphs()[0].runs[1].picture->height, 30);
  EXPECT_EQ(roundTrip(rtf), rtf);
}

TEST(PadRtf, ReadsThePictureMarkerSnippetIntoTheSelection) {
  Clipboard clipboard;
  RichEdit pad("RichEdit1", clipboard);
  pad.typeText("AB");
  pad.setSelection(1, 0);
  MemoryStream snippet;
  snippet.write(
      "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\froman Times New Roman;}}\n{\\colortbl\\red0\\green0\\blue0;}\n"
      "\\deflang1033\\pard\\plain\\f3\\fs20 \\v C:\\\\a\\\\b.jpg\\v0\n\\par }");
  snippet.seek(0);
  ASSERT_TRUE(pad.streamIn(snippet, true));
  EXPECT_EQ(pad.text(), "AC:\\a\\b.jpg\nB");
  const auto& runs = pad.content().paragraphs()[0].runs;
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_TRUE(runs[1].format.hidden);
  EXPECT_EQ(runs[1].format.halfPoints, 20);
  std::string rtf;
  MemoryStream out;
  pad.streamOut(out);
  EXPECT_NE(out.bytes().find("\\v C:\\\\a\\\\b.jpg\\v0"), std::string::npos) << out.bytes();
}

TEST(PadRtf, SurvivesTruncatedAndGarbageInput) {
  std::string good = richedit::writeRtf(sampleWithEveryAttribute());
  for (size_t cut = 0; cut + 2 < good.size(); cut += 7) {
    richedit::RtfReadReport report;
    richedit::readRtf(good.substr(0, cut), report);
    EXPECT_TRUE(report.error) << "cut at " << cut;
  }
  const std::string garbage[] = {
      "", "not rtf at all", "{\\rtf1", "{\\rtf1 {{{{{{{{", "{\\rtf1 }}}}}}", "{\\rtf1 \\", "{\\rtf1 \\'", "{\\rtf1 \\'4",
      "{\\rtf1 \\bin999999999 abc}", "{\\rtf1 \\fs99999999999999999999999 x}", std::string("{\\rtf1 a\0b}", 11),
      "{\\rtf1{\\pict\\jpegblip 0102zz}}", "{\\rtf1 \\u-99999999 x\\uc99999 y}",
      std::string(100000, '{'),
  };
  for (const auto& input : garbage) {
    richedit::RtfReadReport report;
    RichText text = richedit::readRtf(input, report);
    EXPECT_GE(text.paragraphs().size(), 1u);
  }
  richedit::RtfReadReport report;
  EXPECT_EQ(richedit::readRtf("{\\rtf1 kept {\\b text", report).plainText(), "kept text");
  EXPECT_TRUE(report.error);
}

TEST(PadGeometry, LinesFollowTheirTallestRun) {
  Clipboard clipboard;
  RichEdit pad("RichEdit1", clipboard);
  pad.typeText("eleven\nalso eleven\n");
  pad.setSelSizePoints(24);
  pad.typeText("big");
  ASSERT_EQ(pad.lineCount(), 3);
  EXPECT_EQ(RichEdit::textHeightPixels(22), 17);
  EXPECT_EQ(pad.posFromChar(pad.lineIndex(0)).y, 0);
  EXPECT_EQ(pad.posFromChar(pad.lineIndex(1)).y, 17);
  EXPECT_EQ(pad.posFromChar(pad.lineIndex(2)).y, 34);
  EXPECT_EQ(pad.lineHeight(2), RichEdit::textHeightPixels(48));
  EXPECT_EQ(pad.lineIndex(1), 7);
  EXPECT_EQ(pad.lineIndex(3), -1);
}

TEST(PadEditing, UndoRedoesWhenPressedAgain) {
  Clipboard clipboard;
  RichEdit pad("RichEdit1", clipboard);
  pad.typeText("one");
  pad.typeText(" two");
  pad.undo();
  EXPECT_EQ(pad.text(), "one");
  pad.undo();
  EXPECT_EQ(pad.text(), "one two");
}

TEST(PadEditing, CutCopyPasteKeepFormatting) {
  Clipboard clipboard;
  RichEdit pad("RichEdit1", clipboard);
  pad.typeText("hello world");
  pad.setSelection(0, 5);
  pad.setSelStyle(true, false, false);
  pad.copyToClipboard();
  pad.setSelection(11, 0);
  pad.pasteFromClipboard();
  EXPECT_EQ(pad.text(), "hello worldhello");
  EXPECT_TRUE(pad.content().formatAt(13).bold);
  pad.setSelection(0, 6);
  pad.cutToClipboard();
  EXPECT_EQ(pad.text(), "worldhello");
  EXPECT_EQ(pad.findText("hello", 0, pad.textLength()), 5);
  EXPECT_EQ(pad.findText("Hello", 0, pad.textLength()), -1);
}

}  // namespace
}  // namespace qm
