// The PDF file: content streams, objects, numbering, cross-reference table,
// and what viewers read of it (qpdf --check, pdftotext).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "pdf/page_content.h"
#include "pdf/pdf_objects.h"
#include "pdf/pdf_writer.h"
#include "props/properties_form.h"
#include "rtf/reader.h"
#include "test_support.h"

namespace qm {
namespace {

using test::Harness;
using test::TempDir;

// A fixed creation date, so that two conversions can be compared byte for byte.
class FixedDate {
 public:
  FixedDate() { ::setenv("SOURCE_DATE_EPOCH", "1700000000", 1); }
  ~FixedDate() { ::unsetenv("SOURCE_DATE_EPOCH"); }
};

// The work grids of one page, filled by hand, and the page written from them.
struct PageGrids {
  WorkGrid tokens{13, 5}, fonts{2, 5}, colours{4, 5}, lines{6, 5}, pictures{10, 10}, pages{6, 5};
  RowCounters counters;
  pdf::RememberedValues remembered;
  pdf::ConversionTables tables{tokens, fonts, colours, lines, pictures, pages, counters, remembered};

  // Page 1 holds token rows 1 to `lastToken`; returns the PDF's bytes.
  std::string writePage(const std::string& path, int lastToken) {
    pages.setCell(pdf::FirstToken, 1, "1");
    pages.setCell(pdf::LastToken, 1, lastToken);
    counters.tokens = lastToken;
    counters.pages = 1;
    pdf::PdfWriter writer;
    EXPECT_TRUE(writer.create(path));
    writer.WriteString("%PDF-1.3\n");
    int paragraphs = 0;
    pdf::PageContentWriter(tables, writer, paragraphs, 125, {}).writePage(1);
    EXPECT_TRUE(writer.finish());
    return test::readFile(path);
  }
};

TEST(PageContent, HiInHelveticaBoldRedWithAPicture) {
  TempDir dir;
  std::string jpeg = test::makeJpeg(100, 50);
  test::writeFile(dir.file("pic (1).jpg"), jpeg);
  PageGrids grids;
  WorkGrid& tokens = grids.tokens;
  tokens.setCell(rtf::KEYWORD, 1, "fs");
  tokens.setCell(rtf::SIZE, 1, "12");
  tokens.setCell(rtf::KEYWORD, 2, "f");
  tokens.setCell(rtf::Indice, 2, "2");
  tokens.setCell(rtf::DONNEE, 2, "Hi");
  tokens.setCell(rtf::Bold, 2, "X");
  tokens.setCell(rtf::Italic, 2, " ");
  tokens.setCell(rtf::Hidden, 2, " ");
  tokens.setCell(rtf::COLOR, 2, "1");
  tokens.setCell(rtf::Long, 2, "19");
  tokens.setCell(rtf::KEYWORD, 3, "v");
  tokens.setCell(rtf::DONNEE, 3, dir.file("pic \\(1\\).jpg"));
  tokens.setCell(rtf::Hidden, 3, "X");
  grids.fonts.setCell(0, 1, "2");
  grids.fonts.setCell(1, 1, "H");
  grids.counters.fonts = 1;
  grids.colours.setHeader("NUM,RED,GREEN,BLUE");
  const char* red[] = {"1", "255", "0", "0"};
  for (int column = 0; column < 4; ++column) grids.colours.setCell(column, 1, red[column]);
  grids.counters.colours = 1;
  std::string pdf = grids.writePage(dir.file("page.pdf"), 3);
  const WorkGrid& pictures = grids.pictures;
  const WorkGrid& pages = grids.pages;

  EXPECT_EQ(test::streamData(pdf, 19), "BT\n17 TL\n 5 762 Td  125 Tz /F10 12 Tf 1 0 0 rg (Hi) Tj (" +
                                           std::string(33, ' ') +
                                           ") Tj \nET\n250 300 m\nq 100 0 0 50 19 762 cm\n/imVex_1 Do\nQ\n");
  EXPECT_EQ(test::objectText(pdf, 17).rfind("17 0 obj\n<<\n/Type /XObject\n/Subtype /Image\n/Width 100 /Height 50 /BitsPerComponent 8\n"
            "/Length 18 0 R\n/ColorSpace /DeviceRGB\n/Filter /DCTDecode\n>>\nstream\n", 0),
            0u);
  EXPECT_EQ(test::streamData(pdf, 17), jpeg + ">\n");
  EXPECT_EQ(test::objectText(pdf, 18), "18 0 obj\n" + std::to_string(jpeg.size() + 2) + "\nendobj\n");
  EXPECT_NE(test::objectText(pdf, 20).find("/Contents 19 0 R\n/Annots [16 0 R]\n"), std::string::npos);
  EXPECT_NE(test::objectText(pdf, 20).find("/XObject << /imVex_1 17 0 R >>\n>>\n>>\nendobj\n"), std::string::npos);
  std::string stream = test::objectText(pdf, 19);
  EXPECT_EQ(stream.rfind("19 0 obj\n<< /Length " + std::to_string(test::streamData(pdf, 19).size()) + " >>\nstream\n", 0),
            0u);
  EXPECT_EQ(pictures.cell(pdf::X_RTF, 1), "19");
  EXPECT_EQ(pictures.cell(pdf::Y_page, 1), "762");
  EXPECT_EQ(pictures.cell(pdf::Y_RTF, 1), "");
  EXPECT_EQ(pages.cell(pdf::PageObject, 1), "20");
}

// Converts a pad of `lines` lines, with a picture on the first line when
// `picture` is set, and returns the PDF's bytes.
std::string convertPad(TempDir& dir, int lines, bool picture, Harness& harness, const std::string& name = "doc") {
  if (picture) {
    test::writeFile(dir.file("pic.jpg"), test::makeJpeg(100, 50));
    harness.host.fileAnswers.push_back(dir.file("pic.jpg"));
    harness.form().BitBtn8.click();
  }
  std::string text;
  for (int line = 0; line < lines; ++line) text += (line ? "\nline " : "line ") + std::to_string(line);
  harness.form().RichEdit1.typeText(text);
  harness.convert(dir.file(name + ".pdf"));
  EXPECT_EQ(harness.state().lastOutcome, ConversionOutcome::Completed);
  std::string pdf = test::readFile(dir.file(name + ".pdf"));
  EXPECT_EQ(test::qpdfProblems(dir.file(name + ".pdf")), "");
  return pdf;
}

TEST(PdfFile, NumberingAndObjectOrder) {
  struct Case {
    int lines;
    bool picture;
    std::vector<int> order;
    int size;
  } cases[] = {
      {3, false, {17, 18, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 19, 20, 2, 16, 3, 1}, 21},
      {3, true, {17, 18, 19, 20, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 21, 22, 2, 16, 3, 1}, 23},
      {60, false, {17, 18, 19, 20, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 21, 22, 23, 2, 16, 3, 1}, 24},
  };
  for (const auto& c : cases) {
    TempDir dir;
    Harness harness;
    std::string pdf = convertPad(dir, c.lines, c.picture, harness);
    test::PdfObjectIndex index = test::indexPdf(pdf);
    EXPECT_EQ(index.order, c.order);
    ASSERT_EQ(index.xref.size(), static_cast<size_t>(c.size));
    for (int number = 1; number < c.size; ++number) {
      EXPECT_EQ(index.xref[static_cast<size_t>(number)], static_cast<long long>(index.offsets[number])) << number;
    }
    EXPECT_EQ(pdf.substr(static_cast<size_t>(index.startxref), 5), "xref\n");
    EXPECT_EQ(index.trailer, "trailer\n<<\n/Size " + std::to_string(c.size) + "\n/Root 1 0 R\n/Info 2 0 R\n>>\n");
    EXPECT_EQ(pdf.substr(0, 9), "%PDF-1.3\n");
    EXPECT_EQ(pdf.substr(pdf.size() - 6), "%%EOF\n");
    EXPECT_NE(pdf.find("0000000000 65535 f \n"), std::string::npos);
  }
}

TEST(PdfFile, DocumentObjects) {
  TempDir dir;
  Harness harness;
  std::string pdf = convertPad(dir, 60, false, harness);
  EXPECT_EQ(test::objectText(pdf, 21),
            "21 0 obj\n<<\n/Type /Outlines\n/Count 2\n/First 22 0 R /Last 23 0 R >>\nendobj\n");
  EXPECT_EQ(test::objectText(pdf, 22),
            "22 0 obj\n<<\n/Parent 21 0 R\n/Dest [18 0 R /XYZ 0 800 0]\n/Next 23 0 R\n/Count 0\n/Title (Page 1)\n"
            ">>\nendobj\n");
  EXPECT_NE(test::objectText(pdf, 23).find("/Dest [20 0 R /XYZ 0 800 0]\n/Next 24 0 R\n"), std::string::npos);
  EXPECT_EQ(test::objectText(pdf, 3), "3 0 obj\n<<\n/Type /Pages\n/Count 2\n/Kids [18 0 R 20 0 R ]\n>>\nendobj\n");
  EXPECT_EQ(test::objectText(pdf, 1),
            "1 0 obj\n<<\n/Type /Catalog\n/PageMode/UseOutlines\n/Pages 3 0 R\n/Outlines 21 0 R\n"
            "/OpenAction [18 0 R /Fit]\n>>\nendobj\n");
  EXPECT_EQ(test::objectText(pdf, 8),
            "8 0 obj\n<<\n/Type /Font\n/Subtype /Type1\n/Name /F5\n/BaseFont /Courier\n/Encoding /WinAnsiEncoding\n"
            ">>\nendobj\n");
  EXPECT_EQ(test::objectText(pdf, 16),
            "16 0 obj\n<<\n/Type /Annot /Subtype /Text\n/Rect [550 550 770 780]\n/Contents ()\n>>\nendobj\n");
  EXPECT_NE(test::objectText(pdf, 2).find("/Title ()\n/Author ()\n/Subject ()\n/Creator ()\n"
                                          "/Producer (This PDF file has been generated with Quillomatrix)\n"
                                          "/CreationDate (D:"),
            std::string::npos);
  // Page 2 starts at 775 with the paragraph mark that ends page 1's last line.
  EXPECT_EQ(test::streamData(pdf, 19).substr(0, 36), "BT\n17 TL\n 5 775 Td  125 Tz 0 -17 Td ");
}

TEST(PdfFile, AnnotationsFollowTheCheckBox) {
  TempDir dir;
  Harness harness;
  harness.form().CheckBox1.checked = false;
  std::string pdf = convertPad(dir, 2, false, harness);
  EXPECT_EQ(test::objectText(pdf, 18).find("/Annots"), std::string::npos);
  EXPECT_FALSE(test::objectText(pdf, 16).empty());
}

TEST(PdfFile, TwoConversionsGiveTheSameBytes) {
  FixedDate date;
  TempDir dir;
  Harness harness;
  harness.form().RichEdit1.typeText("caf\xe9 (red)");
  harness.form().RichEdit1.selectAll();
  harness.form().BitBtn11.click();
  harness.form().RichEdit1.setSelection(0, 0);
  harness.convert(dir.file("one.pdf"));
  harness.convert(dir.file("two.pdf"));
  std::string one = test::readFile(dir.file("one.pdf"));
  EXPECT_EQ(one, test::readFile(dir.file("two.pdf")));
  EXPECT_NE(one.find("/CreationDate (D:20231114221320+00'00')"), std::string::npos);
  EXPECT_NE(test::streamData(one, 17).find("1 0 0 rg (caf\xe9 \\(red\\)) Tj"), std::string::npos);
  // A new document in the same run starts from black, not from the red left behind.
  harness.form().RichEdit1.clear();
  harness.form().BitBtn21.click();
  harness.form().RichEdit1.typeText("black");
  harness.convert(dir.file("three.pdf"));
  EXPECT_NE(test::streamData(test::readFile(dir.file("three.pdf")), 17).find("0 0 0 rg (black) Tj"),
            std::string::npos);
}

TEST(PdfFile, ColoursAreFractionsOf255) {
  TempDir dir;
  Harness harness;
  harness.loadPad(
      "{\\rtf1{\\fonttbl{\\f0\\fnil Times New Roman;}}{\\colortbl ;\\red128\\green0\\blue255;}\\viewkind4\\pard"
      "\\f0\\fs22\\cf1 grey\\par}");
  harness.convert(dir.file("c.pdf"));
  EXPECT_NE(test::streamData(test::readFile(dir.file("c.pdf")), 17).find("0.502 0 1 rg (grey) Tj"),
            std::string::npos);
}

TEST(PdfFile, ViewersReadTheTextBack) {
  TempDir dir;
  Harness harness;
  harness.loadPad(
      "{\\rtf1{\\fonttbl{\\f0\\fnil Times New Roman;}{\\f1\\fnil Courier;}{\\f2\\fnil Helvetica;}}\\viewkind4\\pard"
      "\\f0\\fs22 Premi\\'e8re ligne \\'e0 Paris\\par\\f1 Zweite Zeile: Stra\\'dfe\\par\\f2\\b\\i Tr\\'e8s \\'e9t\\'e9"
      "\\par}");
  harness.convert(dir.file("t.pdf"));
  EXPECT_EQ(test::qpdfProblems(dir.file("t.pdf")), "");
  std::string text = test::pdfText(dir.file("t.pdf"));
  for (const char* line : {"Première ligne à Paris", "Zweite Zeile: Straße", "Très été"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
  }
}

TEST(PdfFile, HostileTextsCannotAddPdfSyntax) {
  TempDir dir;
  Harness harness;
  harness.host.onWindowShown = [](Window& window) {
    auto& dialog = dynamic_cast<TForm2&>(window);
    dialog.Edit1.setText("a) /JavaScript (b \\");
    dialog.Memo1.text = "note (with \\ backslash";
    dialog.StringGrid1.grid.setCell(1, 1, "cap)tion");
    dialog.BitBtn1.click();
  };
  harness.form().RichEdit1.typeText("x");
  harness.convert(dir.file("h.pdf"));
  std::string pdf = test::readFile(dir.file("h.pdf"));
  EXPECT_EQ(test::qpdfProblems(dir.file("h.pdf")), "");
  EXPECT_NE(pdf.find("/Title (a\\) /JavaScript \\(b \\\\)\n"), std::string::npos);
  EXPECT_NE(pdf.find("/Contents (note \\(with \\\\ backslash)\n"), std::string::npos);
  EXPECT_NE(pdf.find("/Title (cap\\)tion)\n"), std::string::npos);
  auto info = test::runCommand("pdfinfo " + test::shellQuote(dir.file("h.pdf")));
  EXPECT_NE(info.output.find("a) /JavaScript (b \\"), std::string::npos) << info.output;
}

TEST(PdfFile, PicturesThatCannotBeEmbeddedAreNeitherCopiedNorDrawn) {
  TempDir dir;
  test::writeFile(dir.file("secret.jpg"), "not a picture but a secret");
  Harness harness;
  harness.loadPad("{\\rtf1\\viewkind4\\pard\\fs22 a\\v " + dir.file("secret.jpg") + "\\v0 b\\v " +
                  dir.file("missing.jpg") + "\\v0\\par}");
  harness.convert(dir.file("p.pdf"));
  std::string pdf = test::readFile(dir.file("p.pdf"));
  EXPECT_EQ(test::qpdfProblems(dir.file("p.pdf")), "");
  EXPECT_EQ(pdf.find("secret"), std::string::npos);
  EXPECT_EQ(pdf.find("imVex"), std::string::npos);
  auto messages = harness.host.messageTexts();
  EXPECT_NE(std::find(messages.begin(), messages.end(),
                      "The image file \n" + dir.file("secret.jpg") + "\nis not a JPEG picture that can be read"),
            messages.end());
  EXPECT_NE(std::find(messages.begin(), messages.end(), "The image file \n" + dir.file("missing.jpg") +
                                                            "\ncannot be opened"),
            messages.end());
  test::PdfObjectIndex index = test::indexPdf(pdf);
  EXPECT_EQ(index.xref.size(), 25u);  // the two pictures' numbers still went to objects
}

TEST(PdfFile, ColourSpacesFollowTheJpeg) {
  struct Case {
    int components;
    const char* declared;
  } cases[] = {{1, "/ColorSpace /DeviceGray\n/Filter"},
               {3, "/ColorSpace /DeviceRGB\n/Filter"},
               {4, "/ColorSpace /DeviceCMYK\n/Decode [1 0 1 0 1 0 1 0]\n/Filter"}};
  for (const auto& c : cases) {
    TempDir dir;
    test::writeFile(dir.file("pic.jpg"), test::makeJpeg(8, 8, c.components));
    Harness harness;
    harness.loadPad("{\\rtf1\\viewkind4\\pard\\fs22 \\v " + dir.file("pic.jpg") + "\\v0\\par}");
    harness.convert(dir.file("g.pdf"));
    std::string pdf = test::readFile(dir.file("g.pdf"));
    EXPECT_NE(test::objectText(pdf, 17).find(c.declared), std::string::npos) << c.components << "\n"
                                                                             << test::objectText(pdf, 17).substr(0, 200);
    EXPECT_EQ(test::qpdfProblems(dir.file("g.pdf")), "");
  }
}

TEST(PageContent, AFontNumberThatIsNotANumberKeepsTheFontBefore) {
  TempDir dir;
  PageGrids grids;
  const char* rows[][3] = {{"f", "1", "a"}, {"f", "x1", "b"}};
  for (int row = 1; row <= 2; ++row) {
    grids.tokens.setCell(rtf::KEYWORD, row, rows[row - 1][0]);
    grids.tokens.setCell(rtf::Indice, row, rows[row - 1][1]);
    grids.tokens.setCell(rtf::DONNEE, row, rows[row - 1][2]);
  }
  grids.fonts.setCell(0, 1, "1");
  grids.fonts.setCell(1, 1, "C");
  grids.fonts.setCell(0, 2, "x1");  // would match the text, were it taken as it stands
  grids.fonts.setCell(1, 2, "H");
  grids.counters.fonts = 2;
  std::string stream = test::streamData(grids.writePage(dir.file("f.pdf"), 2), 17);
  EXPECT_NE(stream.find("/F5 10 Tf 0 0 0 rg (a) Tj /F5 10 Tf 0 0 0 rg (b) Tj"), std::string::npos) << stream;
}

TEST(PdfFile, AnOutputThatCannotBeCreatedStopsTheConversionOnly) {
  TempDir dir;
  Harness harness;
  harness.form().RichEdit1.typeText("keep me");
  // A PDF name that is a folder: the RTF source file beside it is fine, the PDF is not.
  std::filesystem::create_directory(dir.file("folder.pdf"));
  harness.convert(dir.file("folder.pdf"));
  EXPECT_EQ(harness.state().lastOutcome, ConversionOutcome::OutputNotCreated);
  EXPECT_EQ(harness.form().RichEdit1.text(), "keep me");
  EXPECT_EQ(harness.host.messageTexts().back(), "The file \n" + dir.file("folder.pdf") + "\ncannot be created");
  EXPECT_EQ(harness.form().Label8.caption, "");
  EXPECT_EQ(harness.host.beeps, 0);
  // The program goes on: the next conversion works.
  harness.convert(dir.file("fine.pdf"));
  EXPECT_EQ(harness.state().lastOutcome, ConversionOutcome::Completed);
  EXPECT_EQ(harness.host.beeps, 1);
}

}  // namespace
}  // namespace qm
