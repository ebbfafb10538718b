// The document properties: the parameter file's byte layout, the dialog,
// and the properties reaching the PDF through the command line.
#include <gtest/gtest.h>

#include <filesystem>

#include "props/param_file.h"
#include "props/properties_form.h"
#include "test_support.h"

namespace qm {
namespace {

using namespace std::string_literals;

using props::formatParameterFile;
using props::ParameterFields;
using props::parseParameterFile;
using test::Harness;
using test::TempDir;

std::vector<props::CaptionRow> defaultCaptions(int pages) {
  std::vector<props::CaptionRow> rows;
  for (int page = 1; page <= pages; ++page) rows.push_back({std::to_string(page), "Page " + std::to_string(page)});
  return rows;
}

TEST(ParameterFile, ByteLayout) {
  ParameterFields hi{"T", "A", "", "", "Hi", defaultCaptions(2)};
  EXPECT_EQ(formatParameterFile(hi), "T\r\nA\r\n\r\n\r\nHi||2\0\0\0" "1|Page 1|2|Page 2|\r\n"s);
  ParameterFields report{"Report", "", "", "", "line one\r\nline two", defaultCaptions(3)};
  EXPECT_EQ(formatParameterFile(report),
            "Report\r\n\r\n\r\n\r\nline one\r\nline two||3\0\0\0" "1|Page 1|2|Page 2|3|Page 3|\r\n"s);
}

TEST(ParameterFile, ReadsBackWhatWasWritten) {
  ParameterFields fields{"Title", "Author", "Subject", "Creator", "Two\r\nlines", defaultCaptions(3)};
  fields.captions[1].caption = "Intro";
  ParameterFields back = parseParameterFile(formatParameterFile(fields));
  EXPECT_EQ(back.title, "Title");
  EXPECT_EQ(back.creator, "Creator");
  EXPECT_EQ(back.annotation, "Two\r\nlines");
  ASSERT_EQ(back.captions.size(), 3u);
  EXPECT_EQ(back.captions[1].caption, "Intro");
  EXPECT_EQ(back.captions[2].number, "3");
}

TEST(ParameterFile, BarsCannotBeStored) {
  ParameterFields fields{"a|b", "", "", "", "x|y", {{"1", "c|d"}}};
  std::string bytes = formatParameterFile(fields);
  EXPECT_EQ(bytes, "a|b\r\n\r\n\r\n\r\nx/y||1\0\0\0" "1|c/d|\r\n"s);
  ParameterFields back = parseParameterFile(bytes);
  EXPECT_EQ(back.annotation, "x/y");
  EXPECT_EQ(back.captions[0].caption, "c/d");
}

TEST(ParameterFile, ManyPagesUseAllFourDigits) {
  ParameterFields fields;
  fields.captions = defaultCaptions(1234);
  std::string bytes = formatParameterFile(fields);
  EXPECT_EQ(bytes.substr(10, 4), "1234");
  EXPECT_EQ(parseParameterFile(bytes).captions.size(), 1234u);
  fields.captions = defaultCaptions(10002);
  bytes = formatParameterFile(fields);
  EXPECT_EQ(bytes.substr(10, 4), "9999");
  ParameterFields back = parseParameterFile(bytes);
  ASSERT_EQ(back.captions.size(), 9999u);
  EXPECT_EQ(back.captions.back().caption, "Page 9999");
}

TEST(ParameterFile, ShortOrDamagedFilesGiveWhatCouldBeRead) {
  struct Case {
    std::string bytes;
    std::string title;
    std::string annotation;
    size_t captions;
  } cases[] = {
      {"", "", "", 0},
      {"Half a tit", "Half a tit", "", 0},
      {"T\r\nA\r\nS\r\nC\r\nnote without end", "T", "note without end", 0},
      {"T\r\n\r\n\r\n\r\n||5\0\0\0" "1|One|2|Tw"s, "T", "", 2},
      {"T\r\n\r\n\r\n\r\n||x9\0\0" "1|One|"s, "T", "", 0},
      {"\xff\xfe\0\r\n\r\n||99999999999"s, "\xff\xfe\0"s, "", 0},
  };
  for (const auto& c : cases) {
    ParameterFields fields = parseParameterFile(c.bytes);
    EXPECT_EQ(fields.title, c.title);
    EXPECT_EQ(fields.annotation, c.annotation);
    EXPECT_EQ(fields.captions.size(), c.captions);
  }
  ParameterFields partial = parseParameterFile("T\r\n\r\n\r\n\r\n||5\0\0\0" "1|One|2|Tw"s);
  EXPECT_EQ(partial.captions[1].caption, "Tw");
}

// The dialog as a conversion shows it.
struct Dialog {
  TempDir dir;
  Harness harness;
  TForm2& form() { return harness.program->Form2(); }
  std::string par() { return dir.file("doc.par"); }
  void show(int pages) {
    harness.state().parameterFileName = par();
    harness.state().counters.pages = pages;
    harness.host.onWindowShown = [](Window&) {};
    form().show();
  }
  std::string caption(int row) { return std::string(form().StringGrid1.grid.cell(1, row)); }
};

TEST(PropertiesDialog, FirstShowFillsDefaultCaptionsAndOkWritesTheFile) {
  Dialog dialog;
  dialog.show(3);
  const WorkGrid& grid = dialog.form().StringGrid1.grid;
  EXPECT_EQ(grid.cell(0, 3), "3");
  EXPECT_EQ(dialog.caption(3), "Page 3");
  EXPECT_EQ(grid.rowCount(), 5);  // one empty row more
  EXPECT_EQ(dialog.harness.state().counters.captions, 4);
  dialog.form().Edit1.setText("Report");
  dialog.form().BitBtn1.click();
  EXPECT_FALSE(dialog.form().visible());
  EXPECT_EQ(test::readFile(dialog.par()),
            "Report\r\n\r\n\r\n\r\n||3\0\0\0" "1|Page 1|2|Page 2|3|Page 3|\r\n"s);
  EXPECT_EQ(dialog.harness.state().properties.title, "Report");
}

TEST(PropertiesDialog, ReloadsStoredValues) {
  Dialog dialog;
  ParameterFields stored{"Stored", "", "Topic", "", "Note", defaultCaptions(3)};
  stored.captions[1].caption = "Intro";
  test::writeFile(dialog.par(), formatParameterFile(stored));
  dialog.form().Edit2.setText("typed author");
  dialog.show(5);
  EXPECT_EQ(dialog.form().Edit1.text(), "Stored");
  EXPECT_EQ(dialog.form().Edit2.text(), "typed author");  // an empty stored field keeps the edit
  EXPECT_EQ(dialog.form().Memo1.text, "Note");
  EXPECT_EQ(dialog.caption(2), "Intro");
  EXPECT_EQ(dialog.caption(4), "Page 4");
  EXPECT_EQ(dialog.caption(5), "Page 5");
  EXPECT_EQ(dialog.form().StringGrid1.grid.rowCount(), 6);
  dialog.form().BitBtn1.click();
  EXPECT_EQ(parseParameterFile(test::readFile(dialog.par())).captions.size(), 5u);
}

TEST(PropertiesDialog, OkStillHandsOverWhenTheFileCannotBeCreated) {
  Dialog dialog;
  std::filesystem::create_directory(dialog.par());  // a folder in the way
  dialog.show(1);
  dialog.form().Edit1.setText("Kept");
  dialog.form().Memo1.text = "a|b";
  dialog.form().BitBtn1.click();
  EXPECT_EQ(dialog.harness.host.messageTexts().back(),
            "The parameter file\n\n" + dialog.par() + "\n\ncannot be created");
  EXPECT_EQ(dialog.harness.state().properties.title, "Kept");
  EXPECT_EQ(dialog.harness.state().properties.annotation, "a/b");
  EXPECT_FALSE(dialog.form().visible());
}

TEST(PropertiesDialog, TheAnnotationFollowsTheCheckBox) {
  Dialog dialog;
  dialog.harness.form().CheckBox1.checked = false;
  dialog.show(1);
  EXPECT_FALSE(dialog.form().Memo1.enabled);
  EXPECT_FALSE(dialog.form().Label5.enabled);
}

TEST(PropertiesDialog, ClosingWithoutOkKeepsTheLastOk) {
  TempDir dir;
  Harness harness;
  harness.host.onWindowShown = [](Window& window) {
    auto& dialog = dynamic_cast<TForm2&>(window);
    dialog.Edit1.setText("First");
    dialog.BitBtn1.click();
  };
  harness.form().RichEdit1.typeText("x");
  harness.convert(dir.file("a.pdf"));
  harness.host.onWindowShown = [](Window& window) {
    dynamic_cast<TForm2&>(window).Edit1.setText("Not confirmed");
    window.hide();
  };
  harness.convert(dir.file("b.pdf"));
  EXPECT_NE(test::readFile(dir.file("b.pdf")).find("/Title (First)"), std::string::npos);
  EXPECT_FALSE(fileExists(dir.file("b.par")));
}

TEST(PropertiesEndToEnd, TitleAndCaptionsTravelThroughTheParameterFile) {
  TempDir dir;
  std::string rtf = "{\\rtf1\\ansi\\viewkind4\\pard\\fs22 ";
  for (int line = 0; line < 60; ++line) rtf += "line " + std::to_string(line) + "\\par\n";
  rtf += "}";
  test::writeFile(dir.file("in.rtf"), rtf);
  std::string cli = QM_CLI;
  std::string pdf = dir.file("out.pdf");
  auto first = test::runCommand(cli + " convert " + test::shellQuote(dir.file("in.rtf")) + " -o " +
                                test::shellQuote(pdf) + " --title 'Rapport été' --caption 2=Intro </dev/null");
  ASSERT_EQ(first.exitCode, 0) << first.output;
  auto check = [&](const std::string& when) {
    EXPECT_EQ(test::qpdfProblems(pdf), "") << when;
    auto info = test::runCommand("pdfinfo " + test::shellQuote(pdf));
    EXPECT_NE(info.output.find("Title:           Rapport été"), std::string::npos) << when << info.output;
    auto page1 = test::runCommand("qpdf --show-object=22 " + test::shellQuote(pdf));
    auto page2 = test::runCommand("qpdf --show-object=23 " + test::shellQuote(pdf));
    EXPECT_NE(page1.output.find("/Title (Page 1)"), std::string::npos) << when << page1.output;
    EXPECT_NE(page2.output.find("/Title (Intro)"), std::string::npos) << when << page2.output;
  };
  check("first conversion");
  auto second = test::runCommand(cli + " convert " + test::shellQuote(dir.file("in.rtf")) + " -o " +
                                 test::shellQuote(pdf) + " -y </dev/null");
  ASSERT_EQ(second.exitCode, 0) << second.output;
  check("second conversion, from the parameter file");
}

}  // namespace
}  // namespace qm
