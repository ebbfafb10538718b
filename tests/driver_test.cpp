#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "pdf/conversion.h"
#include "pdf/file_names.h"
#include "platform/memory_stream.h"
#include "props/properties_form.h"
#include "test_support.h"

namespace qm {
namespace {

using test::Harness;
using test::TempDir;

TEST(FileNames, TheLastThreeCharactersAreReplaced) {
  auto report = pdf::deriveFileNames("/docs/report.pdf");
  EXPECT_EQ(report.rtfSource, "/docs/report.rtf");
  EXPECT_EQ(report.parameters, "/docs/report.par");
  auto notes = pdf::deriveFileNames("notes.html");
  EXPECT_EQ(notes.rtfSource, "notes.hrtf");
  EXPECT_EQ(notes.parameters, "notes.hpar");
}

TEST(Driver, CancellingTheSaveDialogWritesNothing) {
  TempDir dir;
  Harness harness;
  harness.state().paragraphCounter = 5;
  harness.form().BitBtn16.click();  // no answer queued: cancelled
  EXPECT_EQ(harness.state().paragraphCounter, 0);
  EXPECT_EQ(harness.state().lastOutcome, ConversionOutcome::Cancelled);
  EXPECT_TRUE(harness.host.messages.empty());
  EXPECT_EQ(harness.form().caption, "Quillomatrix  Version 2.0");
}

TEST(Driver, AbortAtEitherQuestionStopsBeforeAnythingIsWritten) {
  struct Case {
    bool pdfExists;
    bool rtfExists;
    std::vector<MessageAnswer> answers;
    size_t questions;
    char language;
  } cases[] = {
      {true, false, {MessageAnswer::Abort}, 1, 'E'},
      {false, true, {MessageAnswer::Abort}, 1, 'E'},
      {true, true, {MessageAnswer::Ok, MessageAnswer::Abort}, 2, 'E'},
      {true, true, {MessageAnswer::Ok, MessageAnswer::Abort}, 2, 'F'},
  };
  for (const auto& c : cases) {
    TempDir dir;
    std::string pdf = dir.file("a.pdf");
    std::string rtf = dir.file("a.rtf");
    if (c.pdfExists) test::writeFile(pdf, "old pdf");
    if (c.rtfExists) test::writeFile(rtf, "old rtf");
    Harness harness;
    harness.state().language = c.language;
    harness.form().RichEdit1.typeText("new text");
    for (auto answer : c.answers) harness.host.questionAnswers.push_back(answer);
    harness.convert(pdf);
    ASSERT_EQ(harness.host.messages.size(), c.questions);
    const MessageBoxRequest& last = harness.host.messages.back();
    EXPECT_EQ(last.buttons, MessageButtons::OkAbort);
    if (c.rtfExists) {
      std::string expected = c.language == 'F' ? "Ce fichier source RTF :\n" + rtf +
                                                     "\nexiste déja.\n\nVoulez vous le remplacer ?"
                                               : "This RTF source file :\n" + rtf +
                                                     "\nalready exist.\n\nDo you want to replace it ?";
      EXPECT_EQ(last.text, expected);
      EXPECT_EQ(last.kind, c.language == 'F' ? MessageKind::Confirmation : MessageKind::Warning);
    } else {
      EXPECT_EQ(last.text, "This PDF file :\n" + pdf + "\nalready exist.\n\nDo you want to replace it ?");
      EXPECT_EQ(last.kind, MessageKind::Confirmation);
    }
    EXPECT_EQ(test::readFile(pdf), c.pdfExists ? "old pdf" : "");
    EXPECT_EQ(test::readFile(rtf), c.rtfExists ? "old rtf" : "");
    EXPECT_FALSE(fileExists(dir.file("a.par")));
    EXPECT_EQ(harness.state().lastOutcome, ConversionOutcome::Cancelled);
  }
}

TEST(Driver, SavesThePadAsRtfAndShowsWhatTheFileHolds) {
  TempDir dir;
  Harness harness;
  harness.form().RichEdit1.typeText("first\nsecond");
  harness.convert(dir.file("doc.pdf"));
  std::string rtf = test::readFile(dir.file("doc.rtf"));
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi", 0), 0u);
  EXPECT_NE(rtf.find("first\\par\nsecond\\par\n"), std::string::npos);
  EXPECT_EQ(harness.form().RichEdit1.text(), "first\nsecond");
  EXPECT_EQ(harness.form().caption, dir.file("doc.rtf"));
  EXPECT_EQ(harness.form().OpenDialog1.title, "Chargement du fichier RTF à ouvrir");
  const auto& status = harness.host.statusTexts;
  ASSERT_GE(status.size(), 3u);
  EXPECT_EQ(status[0], "Saving RTF code...");
  EXPECT_EQ(status[1], "Decoding RTF code...");
  EXPECT_EQ(status.back(), "");
}

TEST(Driver, FrenchStatusTexts) {
  TempDir dir;
  Harness harness;
  harness.form().BitBtn20.click();
  harness.convert(dir.file("doc.pdf"));
  const auto& status = harness.host.statusTexts;
  ASSERT_GE(status.size(), 2u);
  EXPECT_EQ(status[0], "Sauvegarde du code RTF...");
  EXPECT_EQ(status[1], "Analyse du code RTF...");
  EXPECT_NE(std::find(status.begin(), status.end(), "Création de la page PDF  1"), status.end());
}

// The pad's own geometry for lines of mixed sizes: 11-point lines are 17
// pixels high, 16-point lines 25; the last line repeats the height before it.
TEST(LineGeometry, FillsTheLineTableFromThePad) {
  TempDir dir;
  Harness harness;
  harness.loadPad(
      "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Times New Roman;}}\\viewkind4\\pard\\f0\\fs22 a\\par\n"
      "b\\par\n\\fs32 c\\par\n d\\par\n}");
  harness.convert(dir.file("lines.pdf"));
  const WorkGrid& lines = harness.form().SG4.grid;
  struct Row {
    const char* line;
    const char* y;
    const char* height;
  } expected[] = {{"0", "0", "17"}, {"1", "17", "17"}, {"2", "34", "25"}, {"3", "59", "25"}};
  for (int row = 0; row < 4; ++row) {
    EXPECT_EQ(lines.cell(0, row), expected[row].line);
    EXPECT_EQ(lines.cell(1, row), expected[row].y);
    EXPECT_EQ(lines.cell(2, row), expected[row].height);
    EXPECT_EQ(lines.cell(3, row), "");
  }
  EXPECT_EQ(harness.state().counters.lines, 4);
  EXPECT_EQ(lines.rowCount(), 5);
}

TEST(LineGeometry, ASingleLineHasNoHeight) {
  TempDir dir;
  Harness harness;
  harness.form().RichEdit1.typeText("only");
  harness.convert(dir.file("one.pdf"));
  EXPECT_EQ(harness.form().SG4.grid.cell(1, 0), "0");
  EXPECT_EQ(harness.form().SG4.grid.cell(2, 0), "");
  EXPECT_EQ(harness.state().counters.lines, 1);
}

TEST(Driver, ASecondConversionStartsFromEmptiedGrids) {
  TempDir dir;
  Harness harness;
  std::string longer;
  for (int i = 0; i < 60; ++i) longer += "line " + std::to_string(i) + "\n";
  harness.form().RichEdit1.typeText(longer);
  harness.convert(dir.file("long.pdf"));
  ASSERT_EQ(harness.state().counters.pages, 2);
  int oldTokens = harness.state().counters.tokens;

  harness.form().RichEdit1.clear();
  harness.form().RichEdit1.typeText("short");
  harness.convert(dir.file("short.pdf"));
  const TForm1& form = harness.form();
  const RowCounters& counters = harness.state().counters;
  EXPECT_LT(counters.tokens, oldTokens);
  for (int row = counters.tokens + 1; row <= oldTokens; ++row) {
    for (int column = 0; column < 13; ++column) ASSERT_EQ(form.SG1.grid.cell(column, row), "") << row;
  }
  EXPECT_EQ(counters.lines, 1);
  EXPECT_EQ(form.SG4.grid.cell(0, 5), "");
  EXPECT_EQ(counters.pages, 1);
  EXPECT_EQ(form.SG6.grid.cell(0, 2), "");
  EXPECT_EQ(form.SG1.grid.cell(4, 0), "DONNEE");
  EXPECT_EQ(form.SG1.grid.fixedColor(), (Rgb{255, 255, 0}));
  EXPECT_EQ(form.SG5.grid.cell(9, 0), "X_PDF");
  EXPECT_EQ(form.SG6.grid.fixedColor(), (Rgb{166, 202, 240}));
}

TEST(Driver, TheReaderCannotOpenTheRtfSourceFile) {
  // A folder named like the RTF source file: it can be neither written nor read.
  TempDir dir;
  std::filesystem::create_directory(dir.file("x.rtf"));
  Harness harness;
  harness.convert(dir.file("x.pdf"));
  EXPECT_EQ(harness.state().lastOutcome, ConversionOutcome::Failed);
  EXPECT_FALSE(fileExists(dir.file("x.pdf")));
  EXPECT_FALSE(harness.host.messages.empty());
}

TEST(Driver, CommandsThatChangeThePadWaitWhileAConversionRuns) {
  TempDir dir;
  Harness harness;
  harness.form().RichEdit1.typeText("text");
  int nested = 0;
  harness.host.onWindowShown = [&](Window& window) {
    if (window.name() != "Form2") return;
    // The properties dialog is up: the conversion is under way.
    harness.form().BitBtn3.click();                  // clear
    harness.host.fileAnswers.push_back(dir.file("second.pdf"));
    harness.form().BitBtn16.click();                 // a second conversion
    nested = static_cast<int>(harness.host.fileAnswers.size());
    window.hide();
  };
  harness.convert(dir.file("first.pdf"));
  EXPECT_EQ(nested, 1);  // the second press did not even ask for a name
  EXPECT_EQ(harness.form().RichEdit1.text(), "text");
  EXPECT_FALSE(fileExists(dir.file("second.pdf")));
  EXPECT_EQ(harness.state().lastOutcome, ConversionOutcome::Completed);
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

// A host that changes the RTF source file while the conversion shows its
// "Decoding" status, that is after the file was saved and before it is read.
class TamperingHost : public ScriptedHost {
 public:
  std::function<void()> tamper;
  void statusChanged(const std::string& text) override {
    ScriptedHost::statusChanged(text);
    if (text == "Decoding RTF code..." && tamper) tamper();
  }
};

struct TamperedConversion {
  test::TempDir dir;
  TamperingHost host;
  Program program{host};
  void run(const std::function<void(const std::string& rtf)>& change) {
    program.start();
    program.Form1().RichEdit1.typeText("text");
    std::string rtf = dir.file("t.rtf");
    host.tamper = [&change, rtf] { change(rtf); };
    host.fileAnswers.push_back(dir.file("t.pdf"));
    program.Form1().BitBtn16.click();
  }
};

TEST(Driver, ARtfSourceFileThatCannotBeOpenedStopsWithError) {
  TamperedConversion conversion;
  conversion.run([](const std::string& rtf) { std::filesystem::remove(rtf); });
  EXPECT_EQ(conversion.host.messageTexts().back(), "Error.");
  EXPECT_EQ(conversion.program.state().lastOutcome, ConversionOutcome::Failed);
  EXPECT_FALSE(fileExists(conversion.dir.file("t.pdf")));
}

TEST(Driver, AReaderErrorIsShownAndThePdfStillWritten) {
  TamperedConversion conversion;
  conversion.run([](const std::string& rtf) { test::writeFile(rtf, "{\\rtf1\\viewkind4\\pard\\fs22 broken\\par"); });
  auto messages = conversion.host.messageTexts();
  EXPECT_NE(std::find(messages.begin(), messages.end(), "Error parsing rtf"), messages.end());
  EXPECT_EQ(conversion.program.state().lastReaderResult, 3);
  EXPECT_EQ(conversion.program.state().lastOutcome, ConversionOutcome::Completed);
  EXPECT_EQ(test::qpdfProblems(conversion.dir.file("t.pdf")), "");
  EXPECT_NE(test::pdfText(conversion.dir.file("t.pdf")).find("broken"), std::string::npos);
  // The title stays the RTF source file's name set when it was saved.
  EXPECT_EQ(conversion.program.Form1().caption, conversion.dir.file("t.rtf"));
}

}  // namespace
}  // namespace qm
