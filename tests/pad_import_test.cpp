// The pad reads the RTF that word processors write: text and formatting,
// code pages, the structure it drops, pictures, long paragraphs, bad input.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/codepage.h"
#include "platform/richedit/rtf_parser.h"
#include "test_support.h"

namespace qm {
namespace {

using richedit::FontFamily;
using richedit::RichText;

std::vector<std::string> linesOf(const RichText& text, bool withHidden = true) {
  std::vector<std::string> lines;
  for (const auto& paragraph : text.paragraphs()) {
    std::string line;
    for (const auto& run : paragraph.runs) {
      if (run.picture) {
        line += "[picture]";
      } else if (withHidden || !run.format.hidden) {
        line += cp1252ToUtf8(run.text);
      }
    }
    lines.push_back(line);
  }
  return lines;
}

RichText read(const std::string& rtf, richedit::RtfReadReport* out = nullptr) {
  richedit::RtfReadReport report;
  RichText text = richedit::readRtf(rtf, report);
  if (out) *out = report;
  return text;
}

// The run holding `needle` in the text.
const richedit::Run* runWith(const RichText& text, const std::string& needle) {
  for (const auto& paragraph : text.paragraphs()) {
    for (const auto& run : paragraph.runs) {
      if (!run.picture && run.text.find(needle) != std::string::npos) return &run;
    }
  }
  return nullptr;
}

TEST(PadImport, AWordDocument) {
  richedit::RtfReadReport report;
  RichText text = read(test::readFile(std::string(QM_TEST_DATA) + "/word_style.rtf"), &report);
  EXPECT_FALSE(report.error);
  std::vector<std::string> expected = {
      "Quarterly report",
      "Plain, bold, italic, underlined, double, red and blue.",
      "Courier\tat 10 points",
      "Quotes “double” ‘single’, dashes – and —, a • bullet, non\u00a0breaking, softhyphen, non-breaking hyphen.",
      "See the note1 and the link example.org.",
      "Second line of the same paragraph.",
      "Polish: ?ód?, ?wi?tów",
      "Hidden: secret shown.",
      "After the page break.",
      "Item\tPrice",
      "Café crème\t3,50 €",
      "The end.",
  };
  EXPECT_EQ(linesOf(text), expected);
  EXPECT_EQ(report.replacedCharacters, 4);
  const auto* title = runWith(text, "Quarterly");
  ASSERT_TRUE(title);
  EXPECT_EQ(title->format.font, FontFamily::Helvetica);
  EXPECT_TRUE(title->format.bold);
  EXPECT_EQ(title->format.halfPoints, 32);
  EXPECT_TRUE(runWith(text, "bold")->format.bold);
  EXPECT_TRUE(runWith(text, "italic")->format.italic);
  EXPECT_TRUE(runWith(text, "underlined")->format.underline);
  EXPECT_TRUE(runWith(text, "double")->format.underline);
  EXPECT_EQ(runWith(text, "red")->format.colour, (Rgb{255, 0, 0}));
  EXPECT_EQ(runWith(text, "blue")->format.colour, (Rgb{0, 0, 255}));
  EXPECT_EQ(runWith(text, "Courier")->format.font, FontFamily::Courier);
  EXPECT_EQ(runWith(text, "Courier")->format.halfPoints, 20);
  EXPECT_TRUE(runWith(text, "secret")->format.hidden);
  EXPECT_FALSE(runWith(text, " shown.")->format.hidden);
  EXPECT_EQ(runWith(text, "example.org")->format.colour, (Rgb{0, 0, 255}));
  EXPECT_FALSE(runWith(text, "Plain")->format.bold);
}

TEST(PadImport, ALibreOfficeDocument) {
  richedit::RtfReadReport report;
  RichText text = read(test::readFile(std::string(QM_TEST_DATA) + "/libreoffice_style.rtf"), &report);
  EXPECT_FALSE(report.error);
  std::vector<std::string> expected = {
      "Deutsch und Français",
      "Grüße aus Köln, « guillemets » et l’apostrophe.",
      "€ is two bytes of fallback, green text, ?symbol.",
      "?????? in Cyrillic.",
      "mono    spaced",
      "•\tFirst item",
      "•\tSecond item",
      "After a PNG picture.",
  };
  EXPECT_EQ(linesOf(text), expected);
  EXPECT_EQ(report.droppedPictures, 1);
  EXPECT_EQ(report.replacedCharacters, 7);
  EXPECT_EQ(runWith(text, "Deutsch")->format.font, FontFamily::Helvetica);  // Liberation Sans
  EXPECT_EQ(runWith(text, "mono")->format.font, FontFamily::Courier);       // Liberation Mono
  EXPECT_EQ(runWith(text, "Gr")->format.font, FontFamily::Times);           // Liberation Serif
  EXPECT_EQ(runWith(text, "green")->format.colour, (Rgb{0, 128, 0}));
}

TEST(PadImport, CodePagesAndUnicode) {
  struct Case {
    std::string rtf;
    std::string text;  // UTF-8
    int replaced;
  } cases[] = {
      {"{\\rtf1\\ansi\\ansicpg1250 \\'e8\\'9a\\'f3}", "?šó", 1},
      {"{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'e0 \\'85}", "?? …", 2},
      {"{\\rtf1\\ansi\\ansicpg1253 \\'e1 \\'b4}", "? ?", 2},
      {"{\\rtf1\\ansi\\ansicpg1254 \\'f0\\'e7}", "?ç", 1},
      {"{\\rtf1\\ansi\\ansicpg1257 \\'e0\\'fc}", "?ü", 1},
      {"{\\rtf1\\ansi\\ansicpg437 \\'82\\'9c\\'b0}", "é£?", 1},
      {"{\\rtf1\\ansi\\ansicpg850 \\'82\\'d1\\'e1}", "éÐß", 0},
      {"{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fnil\\fcharset238 Arial;}}\\f0 \\'e8\\'f3}", "?ó", 1},
      {"{\\rtf1\\ansi \\u233? \\uc2\\u8364\\'80\\'80 \\uc0\\u252 x}", "é € üx", 0},
      {"{\\rtf1\\ansi \\u-3913? \\u-4064?}", "? ?", 2},
      {"{\\rtf1\\ansi {\\uc2\\u228\\'E8a}b}", "äb", 0},
      {"{\\rtf1\\ansi \\u8201?x\\u8203?y\\u8209?z}", " xy-z", 0},
      {"{\\rtf1\\ansi\\ansicpg936 \\'b2\\'e2\\'ca\\'d4 ok}", "?? ok", 2},
  };
  for (const auto& c : cases) {
    richedit::RtfReadReport report;
    RichText text = read(c.rtf, &report);
    EXPECT_EQ(linesOf(text)[0], c.text) << c.rtf;
    EXPECT_EQ(report.replacedCharacters, c.replaced) << c.rtf;
  }
}

TEST(PadImport, StructureItCannotShowIsDropped) {
  struct Case {
    std::string rtf;
    std::vector<std::string> lines;
  } cases[] = {
      {"{\\rtf1{\\stylesheet{\\s1 Heading;}}{\\info{\\author Me}}a{\\*\\unknown skipped}b\\par}", {"ab"}},
      {"{\\rtf1{\\header head\\par}{\\footerl foot\\par}body{\\footnote\\chftn note}\\par}", {"body"}},
      {"{\\rtf1 x{\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt shown}}y\\par}", {"xshowny"}},
      {"{\\rtf1 \\trowd\\cellx10\\cellx20 a\\cell b\\cell\\row c\\intbl\\cell d\\cell\\row}", {"a\tb", "c\td"}},
      {"{\\rtf1 {\\pard\\intbl one\\par two\\cell three\\cell\\row}}", {"one two\tthree"}},
      {"{\\rtf1 a\\line b\\sect c\\page d\\par e}", {"a", "b", "c", "d", "e"}},
      {"{\\rtf1 {\\shp{\\*\\shpinst{\\sp{\\sn x}{\\sv 1}}{\\shptxt in a box}}{\\shprslt fallback}}after\\par}",
       {"in a boxafter"}},
      {"{\\rtf1 {\\listtext 1.\\tab}item\\par}", {"1.\titem"}},
      {"{\\rtf1 {\\*\\bkmkstart m}mark{\\*\\bkmkend m}ed\\par}", {"marked"}},
      {"{\\rtf1 \\highlight3\\cb2 plain\\par}", {"plain"}},
  };
  for (const auto& c : cases) EXPECT_EQ(linesOf(read(c.rtf)), c.lines) << c.rtf;
}

std::string hex(const std::string& bytes) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

TEST(PadImport, JpegPicturesAreKeptOthersCounted) {
  std::string jpeg = test::makeJpeg(80, 40);
  struct Case {
    std::string group;
    int width, height;
  } cases[] = {
      {"{\\pict\\jpegblip " + hex(jpeg) + "}", 80, 40},
      {"{\\pict\\jpegblip\\picw80\\pich40\\picwgoal2400\\pichgoal1200 " + hex(jpeg) + "}", 160, 80},
      {"{\\pict\\jpegblip\\picscalex50\\picscaley25 " + hex(jpeg) + "}", 40, 10},
      {"{\\*\\shppict{\\pict\\jpegblip " + hex(jpeg) + "}}{\\nonshppict{\\pict\\wmetafile8 0100}}", 80, 40},
  };
  for (const auto& c : cases) {
    RichText text = read("{\\rtf1 a" + c.group + "b\\par}");
    ASSERT_EQ(text.paragraphs()[0].runs.size(), 3u) << c.group;
    const auto& picture = text.paragraphs()[0].runs[1].picture;
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->jpeg, jpeg);
    EXPECT_EQ(picture->width, c.width);
    EXPECT_EQ(picture->height, c.height);
  }
  richedit::RtfReadReport report;
  RichText dropped = read("{\\rtf1 a{\\pict\\pngblip 89504e47}{\\pict\\jpegblip 0102}b}", &report);
  EXPECT_EQ(linesOf(dropped)[0], "ab");
  EXPECT_EQ(report.droppedPictures, 2);
}

TEST(PadImport, BadInputNeverHangs) {
  struct Case {
    std::string input;
    bool error;
    std::string firstLine;
  } cases[] = {
      {"{\\rtf1 " + std::string(2000000, '{') + "x", true, "x"},
      {"{\\rtf1 a\\bin2147483647 b", true, "a"},
      {"{\\rtf1 \\fs2147483647 \\u2147483647 \\uc2147483647 x}", false, "?x"},
      {std::string("{\\rtf1 a\0b\0\0c}", 14), false, "abc"},
      {"{\\rtf1{\\fonttbl{\\f0 Times;}", true, ""},
      {"{\\rtf1{\\pict\\jpegblip ffd8ff", true, ""},
  };
  for (const auto& c : cases) {
    richedit::RtfReadReport report;
    RichText text = read(c.input, &report);
    EXPECT_EQ(report.error, c.error) << c.input.substr(0, 40);
    EXPECT_EQ(linesOf(text)[0], c.firstLine) << c.input.substr(0, 40);
  }
}

// Documents converted on the command line.
const std::string kCli = QM_CLI;

TEST(PadImport, LongParagraphsAreBrokenAtSpaces) {
  test::TempDir dir;
  std::string words;
  for (int i = 0; i < 120; ++i) words += "word" + std::to_string(i) + " ";
  test::writeFile(dir.file("long.rtf"), "{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs24 " + words + "\\par}");
  auto wrapped = test::runCommand(kCli + " convert " + test::shellQuote(dir.file("long.rtf")) + " -o " +
                                  test::shellQuote(dir.file("wrapped.pdf")) + " </dev/null");
  ASSERT_EQ(wrapped.exitCode, 0) << wrapped.output;
  EXPECT_EQ(test::qpdfProblems(dir.file("wrapped.pdf")), "");
  std::string text = test::pdfText(dir.file("wrapped.pdf"), false);
  std::istringstream lines(text);
  std::string line;
  std::vector<std::string> seen;
  int count = 0;
  while (std::getline(lines, line)) {
    if (line.empty() || line == "\f") continue;
    ++count;
    std::istringstream split(line);
    std::string word;
    while (split >> word) seen.push_back(word);
  }
  EXPECT_GT(count, 3);
  ASSERT_EQ(seen.size(), 120u);  // every word whole, none lost past the right edge
  for (int i = 0; i < 120; ++i) EXPECT_EQ(seen[static_cast<size_t>(i)], "word" + std::to_string(i));
  auto single = test::runCommand(kCli + " convert --no-wrap " + test::shellQuote(dir.file("long.rtf")) + " -o " +
                                 test::shellQuote(dir.file("single.pdf")) + " </dev/null");
  ASSERT_EQ(single.exitCode, 0) << single.output;
  std::string rtf = test::readFile(dir.file("single.rtf"));
  EXPECT_NE(rtf.find("word0 word1"), std::string::npos);
  EXPECT_NE(rtf.find("word118 word119 \\par"), std::string::npos);
}

TEST(PadImport, PicturesFromRtfAreWrittenBesideThePdf) {
  test::TempDir dir;
  std::string jpeg = test::makeJpeg(60, 30);
  test::writeFile(dir.file("in.rtf"), "{\\rtf1\\ansi\\pard\\fs22 Before\\par {\\pict\\jpegblip\\picw60\\pich30 " +
                                          hex(jpeg) + "} after\\par {\\pict\\jpegblip " + hex(jpeg) + "}\\par}");
  test::writeFile(dir.file("doc-picture-2.jpg"), "old");
  auto refused = test::runCommand(kCli + " convert " + test::shellQuote(dir.file("in.rtf")) + " -o " +
                                  test::shellQuote(dir.file("doc.pdf")) + " </dev/null");
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.output.find("doc-picture-2.jpg"), std::string::npos) << refused.output;
  EXPECT_EQ(test::readFile(dir.file("doc-picture-2.jpg")), "old");
  EXPECT_FALSE(fileExists(dir.file("doc-picture-1.jpg")));

  auto converted = test::runCommand(kCli + " convert -y " + test::shellQuote(dir.file("in.rtf")) + " -o " +
                                    test::shellQuote(dir.file("doc.pdf")) + " </dev/null");
  ASSERT_EQ(converted.exitCode, 0) << converted.output;
  EXPECT_EQ(test::readFile(dir.file("doc-picture-1.jpg")), jpeg);
  EXPECT_EQ(test::readFile(dir.file("doc-picture-2.jpg")), jpeg);
  std::string pdf = test::readFile(dir.file("doc.pdf"));
  EXPECT_EQ(test::qpdfProblems(dir.file("doc.pdf")), "");
  EXPECT_NE(pdf.find("/imVex_1"), std::string::npos);
  EXPECT_NE(pdf.find("/imVex_2"), std::string::npos);
  EXPECT_NE(pdf.find(jpeg), std::string::npos);
  auto images = test::runCommand("pdfimages -list " + test::shellQuote(dir.file("doc.pdf")));
  EXPECT_NE(images.output.find("    60    30  rgb"), std::string::npos) << images.output;
  std::string text = test::pdfText(dir.file("doc.pdf"));
  EXPECT_NE(text.find("Before"), std::string::npos);
  EXPECT_NE(text.find("after"), std::string::npos);
}

TEST(PadImport, FixturesConvertWithTheirText) {
  test::TempDir dir;
  struct Case {
    const char* fixture;
    std::vector<std::string> lines;
  } cases[] = {
      {"word_style.rtf",
       {"Quarterly report", "Plain, bold, italic, underlined, double, red and blue.",
        "Quotes “double” ‘single’, dashes – and —, a • bullet", "Café crème", "3,50 €", "Polish: ?ód?, ?wi?tów"}},
      {"libreoffice_style.rtf",
       {"Deutsch und Français", "Grüße aus Köln, « guillemets » et l’apostrophe.", "green text", "First item"}},
  };
  for (const auto& c : cases) {
    std::string pdf = dir.file(std::string(c.fixture) + ".pdf");
    auto result = test::runCommand(kCli + " convert -y " + test::shellQuote(std::string(QM_TEST_DATA) + "/" + c.fixture) +
                                   " -o " + test::shellQuote(pdf) + " </dev/null");
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(test::qpdfProblems(pdf), "") << c.fixture;
    std::string text = test::pdfText(pdf, false);
    for (const auto& line : c.lines) EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
  }
}

// The real documents of the shared corpus, when it is there.
// Split at white space, the no-break space included.
std::vector<std::string> words(const std::string& text) {
  std::vector<std::string> result;
  std::string word;
  for (size_t i = 0; i < text.size(); ++i) {
    bool space = std::isspace(static_cast<unsigned char>(text[i])) != 0;
    bool noBreak = text.compare(i, 2, "\xc2\xa0") == 0;
    if (space || noBreak) {
      if (!word.empty()) result.push_back(word);
      word.clear();
      if (noBreak) ++i;
    } else {
      word.push_back(text[i]);
    }
  }
  if (!word.empty()) result.push_back(word);
  return result;
}

bool cp1252CanHold(const std::string& word) {
  int replaced = 0;
  utf8ToCp1252(word, &replaced);
  return replaced == 0;
}

TEST(Corpus, RealDocumentsConvertWithTheirWords) {
  std::string corpus = QM_CORPUS;
  if (!std::filesystem::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
  // Two documents fall short of 98% by design: one hides its word with \v
  // (hidden text stays hidden in the PDF), one holds an optional hyphen,
  // which shows nothing on a line that does not break.
  const std::set<std::string> byDesign = {"word_formatting", "minimal_specialchars"};
  test::TempDir dir;
  int documents = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    if (entry.path().extension() != ".rtf") continue;
    ++documents;
    std::string name = entry.path().stem().string();
    std::string pdf = dir.file(name + ".pdf");
    auto result = test::runCommand(kCli + " convert -y -q " + test::shellQuote(entry.path().string()) + " -o " +
                                   test::shellQuote(pdf) + " </dev/null");
    ASSERT_EQ(result.exitCode, 0) << name << ": " << result.output;
    EXPECT_EQ(test::qpdfProblems(pdf), "") << name;
    std::map<std::string, int> have;
    for (const auto& word : words(test::runCommand("pdftotext -raw " + test::shellQuote(pdf) + " -").output)) {
      ++have[word];
    }
    int expected = 0;
    int found = 0;
    for (const auto& word : words(test::readFile(corpus + "/" + name + ".expected.txt"))) {
      if (!cp1252CanHold(word)) continue;
      ++expected;
      if (have[word] > 0) {
        --have[word];
        ++found;
      }
    }
    double share = expected ? 100.0 * found / expected : 100.0;
    EXPECT_GE(share, byDesign.count(name) ? 90.0 : 98.0) << name << ": " << found << " of " << expected;
  }
  EXPECT_GT(documents, 0);
}

}  // namespace
}  // namespace qm
