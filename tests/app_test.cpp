// The main window: start-up state, the formatting toolbar, the page
// indicator, picture insertion, opening files and the language switch.
#include <gtest/gtest.h>

#include "platform/jpeg_info.h"
#include "props/properties_form.h"
#include "test_support.h"

namespace qm {
namespace {

using test::Harness;

TEST(MainWindow, StartsAsDesigned) {
  Harness harness;
  TForm1& form = harness.form();
  EXPECT_EQ(form.caption, "Quillomatrix  Version 2.0");
  EXPECT_EQ(form.width, 923);
  EXPECT_EQ(form.height, 740);
  EXPECT_EQ(harness.program->application().title, "Quillomatrix");
  EXPECT_EQ(form.RichEdit1.text(), "");
  EXPECT_EQ(form.Label8.caption, "");
  EXPECT_EQ(form.ComboBox1.text, "Times New Roman");
  EXPECT_EQ(form.Edit4.text(), "11");
  EXPECT_TRUE(form.CheckBox1.checked);
  EXPECT_TRUE(form.BitBtn19.visible);
  EXPECT_TRUE(form.BitBtn20.visible);
  EXPECT_FALSE(form.SG1.visible);
  EXPECT_EQ(form.Edit5.text(), "100");
  const auto& windows = harness.program->application().windows();
  ASSERT_EQ(windows.size(), 3u);
  EXPECT_EQ(windows[0]->name(), "Form1");
  EXPECT_EQ(windows[1]->name(), "Form2");
  EXPECT_EQ(windows[2]->name(), "Form3");
  EXPECT_TRUE(windows[0]->visible());
  EXPECT_FALSE(windows[1]->visible());
  form.resize(923, 300);
  EXPECT_EQ(form.RichEdit1.height, 250);
}

richedit::CharFormat formatOfFirst(TForm1& form) { return form.RichEdit1.content().formatAt(1); }

TEST(Toolbar, TheToggleButtonsRememberWhatTheyLastDid) {
  Harness harness;
  TForm1& form = harness.form();
  form.RichEdit1.typeText("text");
  form.RichEdit1.selectAll();
  form.RichEdit1.setSelStyle(false, true, true);
  form.BitBtn10.click();  // bold: only bold
  EXPECT_TRUE(formatOfFirst(form).bold);
  EXPECT_FALSE(formatOfFirst(form).italic);
  EXPECT_FALSE(formatOfFirst(form).underline);
  form.BitBtn10.click();  // plain, not italic-underlined
  EXPECT_FALSE(formatOfFirst(form).bold);
  EXPECT_FALSE(formatOfFirst(form).italic);
  form.BitBtn22.click();  // italic bold, both flags on
  EXPECT_TRUE(formatOfFirst(form).bold && formatOfFirst(form).italic);
  form.BitBtn10.click();  // the bold flag was on: everything off
  EXPECT_FALSE(formatOfFirst(form).bold || formatOfFirst(form).italic);
  form.BitBtn10.click();
  EXPECT_TRUE(formatOfFirst(form).bold);
  form.BitBtn9.click();  // size 11, black, plain; the flags stay
  EXPECT_FALSE(formatOfFirst(form).bold);
  form.BitBtn10.click();  // the bold flag is still on: plain
  EXPECT_FALSE(formatOfFirst(form).bold);
  form.BitBtn13.click();
  EXPECT_EQ(formatOfFirst(form).colour, (Rgb{0, 255, 0}));
  form.ComboBox1.choose(0);
  EXPECT_EQ(formatOfFirst(form).font, richedit::FontFamily::Courier);
  EXPECT_EQ(form.ComboBox1.text, "Courier");
}

TEST(Toolbar, TheSizeField) {
  Harness harness;
  TForm1& form = harness.form();
  form.RichEdit1.typeText("text");
  form.RichEdit1.selectAll();
  form.Edit4.setText("abc");
  EXPECT_EQ(formatOfFirst(form).halfPoints, 22);
  form.Edit4.setText("2000");
  EXPECT_EQ(form.Edit4.text(), "1637");
  EXPECT_EQ(formatOfFirst(form).halfPoints, 3274);
  form.Edit4.setText("24");
  EXPECT_EQ(formatOfFirst(form).halfPoints, 48);
}

// 58 lines of 17 pixels and one of 14 put the next line's top at 1000.
void fillTo1000(TForm1& form) {
  std::string lines;
  for (int i = 0; i < 58; ++i) lines += "line\n";
  form.RichEdit1.typeText(lines);
  form.RichEdit1.setSelSizePoints(9);
  form.RichEdit1.typeText("small\n");
  form.RichEdit1.setSelSizePoints(11);
  ASSERT_EQ(form.RichEdit1.lineTop(59), 1000);
  form.RichEdit1.setSelection(form.RichEdit1.lineIndex(59), 0);
}

TEST(PageIndicator, FollowsTheCaretAcross732PixelPages) {
  Harness harness;
  TForm1& form = harness.form();
  std::string lines;
  for (int i = 0; i < 100; ++i) lines += "line\n";
  form.RichEdit1.typeText(lines);
  struct Case {
    int line;
    const char* page;
    Rgb colour;
  } cases[] = {{0, "1", {255, 255, 255}}, {43, "1", {255, 255, 255}}, {44, "2", {214, 248, 248}}, {87, "3", {255, 255, 255}}};
  for (const auto& c : cases) {
    form.RichEdit1.setSelection(form.RichEdit1.lineIndex(c.line), 0);
    form.RichEdit1.onKeyUp();
    EXPECT_EQ(form.Label10.caption, c.page) << c.line;
    EXPECT_EQ(form.RichEdit1.colour, c.colour) << c.line;
    EXPECT_EQ(form.Edit7.text(), std::to_string(c.line * 17));
  }
}

TEST(PictureInsertion, RefusesWhatIsNotAJpgOrDoesNotFit) {
  test::TempDir dir;
  Harness harness;
  TForm1& form = harness.form();
  fillTo1000(form);
  test::writeFile(dir.file("tall.jpg"), test::makeJpeg(10, 465));
  test::writeFile(dir.file("fits.jpg"), test::makeJpeg(10, 464));
  for (const char* name : {"PIC.Jpg", "pic.jpeg"}) {
    harness.host.fileAnswers.push_back(dir.file(name));
    form.BitBtn8.click();
    EXPECT_EQ(harness.host.messages.back().text, dir.file(name) + "\nis not a jpeg image.");
  }
  harness.host.fileAnswers.push_back(dir.file("tall.jpg"));
  form.BitBtn8.click();
  EXPECT_EQ(harness.host.messages.back().text,
            "Image height greater than remaining room on this page :\n\nImage height = 465 pixels\n"
            "Remaining room = 464 pixels");
  size_t before = harness.host.messages.size();
  std::string textBefore = form.RichEdit1.text();
  harness.host.fileAnswers.push_back(dir.file("fits.jpg"));
  form.BitBtn8.click();
  EXPECT_EQ(harness.host.messages.size(), before);
  EXPECT_EQ(form.RichEdit1.text().size(), textBefore.size() + 1 + dir.file("fits.jpg").size() + 1);
  EXPECT_NE(form.RichEdit1.text().find("?" + dir.file("fits.jpg") + "\n"), std::string::npos);
  ASSERT_TRUE(harness.program->clipboard().picture());
  EXPECT_EQ(harness.program->clipboard().picture()->height, 464);
}

TEST(PictureInsertion, APathWithBackslashesIsHiddenAsTyped) {
  test::TempDir dir;
  std::string path = dir.file("C:\\a\\b.jpg");
  test::writeFile(path, test::makeJpeg(20, 10));
  Harness harness;
  harness.host.fileAnswers.push_back(path);
  harness.form().BitBtn8.click();
  EXPECT_EQ(harness.form().RichEdit1.text(), "?" + path + "\n");
  MemoryStream out;
  harness.form().RichEdit1.streamOut(out);
  EXPECT_NE(out.bytes().find("C:\\\\a\\\\b.jpg\\v0"), std::string::npos);
}

TEST(OpenFile, ReplacesThePadAndResetsTheCaptions) {
  test::TempDir dir;
  Harness harness;
  TForm1& form = harness.form();
  form.RichEdit1.typeText("old");
  form.BitBtn1.click();  // cancelled
  EXPECT_EQ(form.RichEdit1.text(), "");
  EXPECT_EQ(form.caption, "Quillomatrix  Version 2.0");
  WorkGrid& captions = harness.program->Form2().StringGrid1.grid;
  captions.setCell(1, 2, "Intro");
  harness.state().counters.captions = 3;
  harness.state().counters.pages = 4;
  test::writeFile(dir.file("doc.rtf"), "{\\rtf1 opened\\par}");
  harness.host.fileAnswers.push_back(dir.file("doc.rtf"));
  form.BitBtn1.click();
  EXPECT_EQ(form.RichEdit1.text(), "opened");
  EXPECT_EQ(form.caption, dir.file("doc.rtf"));
  EXPECT_EQ(captions.cell(1, 2), "");
  EXPECT_EQ(harness.state().counters.captions, 0);
  EXPECT_EQ(harness.state().counters.pages, 1);
  test::writeFile(dir.file("bad.rtf"), "{\\rtf1 half");
  harness.host.fileAnswers.push_back(dir.file("bad.rtf"));
  form.BitBtn1.click();
  EXPECT_EQ(harness.host.messages.back().text, "Failed to read stream.");
  EXPECT_EQ(form.RichEdit1.text(), "half");
}

TEST(Language, SwitchesEveryTextAndBack) {
  Harness harness;
  TForm1& form = harness.form();
  form.BitBtn20.click();
  EXPECT_EQ(harness.state().language, 'F');
  EXPECT_EQ(form.BitBtn3.caption, "Effacer");
  EXPECT_EQ(form.BitBtn16.hint, "Sauvegarde du code RTF et génération du code PDF");
  EXPECT_EQ(harness.program->Form2().Label4.caption, "Créateur");
  EXPECT_TRUE(form.BitBtn19.visible);
  EXPECT_FALSE(form.BitBtn20.visible);
  form.BitBtn19.click();
  EXPECT_EQ(harness.state().language, 'E');
  EXPECT_EQ(form.BitBtn3.caption, "Clear");
  EXPECT_EQ(form.BitBtn3.hint, "Clean-up the RTF pad");  // not the designed "Clear pad"
  EXPECT_EQ(form.BitBtn16.caption, "PDF");
  EXPECT_FALSE(form.BitBtn19.visible);
  EXPECT_TRUE(form.BitBtn20.visible);
}

TEST(Application, AnEscapedErrorIsShownAndTheProgramGoesOn) {
  Harness harness;
  harness.form().BitBtn23.click();  // the help file is not in the current folder
  ASSERT_FALSE(harness.host.messages.empty());
  EXPECT_EQ(harness.host.messages.back().kind, MessageKind::Error);
  EXPECT_NE(harness.host.messages.back().text.find("Aide_English.rtf"), std::string::npos);
  harness.form().RichEdit1.typeText("still working");
  EXPECT_EQ(harness.form().RichEdit1.text(), "still working");
}

}  // namespace
}  // namespace qm
