#include <gtest/gtest.h>

#include <filesystem>

#include "test_support.h"

namespace qm {
namespace {

using test::runCommand;
using test::shellQuote;
using test::TempDir;

const std::string kCli = QM_CLI;
const std::string kSample =
    "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}}\\viewkind4\\pard\\f0\\fs24 Hello \\'e9t\\'e9\\par}";

std::string convertCommand(const std::string& input, const std::string& output, const std::string& flags = "") {
  return kCli + " convert " + shellQuote(input) + " -o " + shellQuote(output) + " " + flags + " </dev/null";
}

TEST(Cli, ConvertsADocument) {
  TempDir dir;
  test::writeFile(dir.file("in.rtf"), kSample);
  auto result = runCommand(convertCommand(dir.file("in.rtf"), dir.file("out.pdf")));
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("Saving RTF code..."), std::string::npos);
  EXPECT_EQ(test::qpdfProblems(dir.file("out.pdf")), "");
  EXPECT_NE(test::pdfText(dir.file("out.pdf")).find("Hello été"), std::string::npos);
  EXPECT_TRUE(fileExists(dir.file("out.rtf")));
  EXPECT_TRUE(fileExists(dir.file("out.par")));
}

TEST(Cli, RefusesToReplaceFilesWithoutYes) {
  TempDir dir;
  test::writeFile(dir.file("in.rtf"), kSample);
  test::writeFile(dir.file("out.pdf"), "keep me");
  auto refused = runCommand(convertCommand(dir.file("in.rtf"), dir.file("out.pdf")));
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.output.find(dir.file("out.pdf")), std::string::npos) << refused.output;
  EXPECT_EQ(test::readFile(dir.file("out.pdf")), "keep me");
  EXPECT_FALSE(fileExists(dir.file("out.rtf")));

  auto replaced = runCommand(convertCommand(dir.file("in.rtf"), dir.file("out.pdf"), "-y"));
  EXPECT_EQ(replaced.exitCode, 0) << replaced.output;
  EXPECT_EQ(test::qpdfProblems(dir.file("out.pdf")), "");
}

TEST(Cli, ExitCodes) {
  TempDir dir;
  test::writeFile(dir.file("in.rtf"), kSample);
  auto missingInput = runCommand(convertCommand(dir.file("absent.rtf"), dir.file("out.pdf")));
  EXPECT_EQ(missingInput.exitCode, 1);
  EXPECT_NE(missingInput.output.find("absent.rtf"), std::string::npos);
  test::writeFile(dir.file("plain.txt"), "just text, not RTF");
  auto notRtf = runCommand(convertCommand(dir.file("plain.txt"), dir.file("plain.pdf")));
  EXPECT_EQ(notRtf.exitCode, 1);
  EXPECT_NE(notRtf.output.find("is not an RTF document"), std::string::npos) << notRtf.output;
  EXPECT_FALSE(fileExists(dir.file("plain.pdf")));
  auto noFolder = runCommand(convertCommand(dir.file("in.rtf"), dir.file("no/such/folder/out.pdf")));
  EXPECT_NE(noFolder.exitCode, 0);
  auto usage = runCommand(kCli + " convert");
  EXPECT_EQ(usage.exitCode, 1);
  auto help = runCommand(kCli + " convert --help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.output.find("--output"), std::string::npos);
  auto version = runCommand(kCli + " --version");
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_NE(version.output.find("quillomatrix 2."), std::string::npos);
}

TEST(Cli, ConvertsTheBundledExample) {
  TempDir dir;
  auto result = runCommand(convertCommand(std::string(QM_EXAMPLES) + "/welcome.rtf", dir.file("welcome.pdf")));
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(test::qpdfProblems(dir.file("welcome.pdf")), "");
  std::string text = test::pdfText(dir.file("welcome.pdf"));
  for (const char* expected : {"Welcome to Quillomatrix", "café, naïve, À bientôt, Straße, € 20."}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

TEST(CliInspect, PrintsTheReadersTablesAsCsv) {
  test::TempDir dir;
  test::writeFile(dir.file("doc.rtf"),
                  "{\\rtf1{\\fonttbl{\\f0\\fnil Times;}}{\\colortbl ;\\red255\\green0\\blue0;}\\viewkind4"
                  "\\f0\\fs22 say \"hi\", (x) caf\\'e9\\par}");
  auto tokens = test::runCommand(kCli + " inspect " + test::shellQuote(dir.file("doc.rtf")) + " 2>/dev/null", false);
  EXPECT_EQ(tokens.exitCode, 0);
  EXPECT_EQ(tokens.output.rfind("NUM,KEYWORD,PARAM,Long,DONNEE,Bold,Italic,UnderL.,Hidden,SIZE,COLOR,FONT,Indice\n"
                                "1,rtf,1,,,,,,,,,,\n",
                                0),
            0u)
      << tokens.output;
  EXPECT_NE(tokens.output.find("11,fs,22,,\"say \"\"hi\"\", \\(x\\) caf\xe9\", , , , ,,,,\n12,par,0,,,,,,,,,,\n"),
            std::string::npos)
      << tokens.output;
  auto fonts = test::runCommand(kCli + " inspect --grid SG2 " + test::shellQuote(dir.file("doc.rtf")));
  EXPECT_EQ(fonts.output, "NUM,NAME\n0,\nresult 0\n");
  auto colours = test::runCommand(kCli + " inspect --grid SG3 " + test::shellQuote(dir.file("doc.rtf")) +
                                  " 2>/dev/null", false);
  EXPECT_EQ(colours.output, "NUM,RED,GREEN,BLUE\n1,255,0,0\n");
  test::writeFile(dir.file("bad.rtf"), "{\\rtf1 \\'zz}");
  auto bad = test::runCommand(kCli + " inspect " + test::shellQuote(dir.file("bad.rtf")) + " 2>&1 >/dev/null", false);
  EXPECT_EQ(bad.exitCode, 0);
  EXPECT_EQ(bad.output, "result 4\n");
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

TEST(CliConvert, AFullDiskLeavesThePreviousPdfInPlace) {
  test::TempDir dir;
  test::writeFile(dir.file("pic.jpg"), test::makeJpeg(300, 200));
  test::writeFile(dir.file("in.rtf"), "{\\rtf1\\viewkind4\\pard\\fs22 text\\v " + dir.file("pic.jpg") + "\\v0\\par}");
  test::writeFile(dir.file("out.pdf"), "previous");
  // Files may grow to 4 KiB: the RTF and parameter files fit, the PDF does not.
  auto result = test::runCommand("bash -c " + test::shellQuote("ulimit -f 4; trap '' XFSZ; exec " + kCli +
                                                               " convert " + dir.file("in.rtf") + " -o " +
                                                               dir.file("out.pdf") + " -y"));
  EXPECT_EQ(result.exitCode, 1) << result.output;
  EXPECT_NE(result.output.find("cannot be written"), std::string::npos) << result.output;
  EXPECT_EQ(test::readFile(dir.file("out.pdf")), "previous");
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    EXPECT_EQ(entry.path().filename().string().find(".out.pdf."), std::string::npos) << "a temporary file was left";
  }
}

TEST(CliConvert, DumpsEveryGrid) {
  test::TempDir dir;
  test::writeFile(dir.file("in.rtf"), kSample);
  std::filesystem::create_directory(dir.file("grids"));
  auto result = test::runCommand(convertCommand(dir.file("in.rtf"), dir.file("out.pdf"),
                                                "--dump-grids " + shellQuote(dir.file("grids"))));
  ASSERT_EQ(result.exitCode, 0) << result.output;
  for (const char* name : {"SG1", "SG2", "SG3", "SG4", "SG5", "SG6", "StringGrid1"}) {
    EXPECT_TRUE(fileExists(dir.file(std::string("grids/") + name + ".csv"))) << name;
  }
  std::string tokens = test::readFile(dir.file("grids/SG1.csv"));
  EXPECT_EQ(tokens.rfind("NUM,KEYWORD,PARAM,Long,DONNEE,Bold,Italic,UnderL.,Hidden,SIZE,COLOR,FONT,Indice\n", 0), 0u);
  EXPECT_NE(tokens.find(",fs,24,"), std::string::npos);
  EXPECT_EQ(test::readFile(dir.file("grids/SG6.csv")).rfind("Num,Object,1st_line,last_line,1st_SG1,last_SG1\n1,18,0,0,1,", 0),
            0u);
  EXPECT_EQ(test::readFile(dir.file("grids/StringGrid1.csv")).rfind("Num,Caption\n1,Page 1\n", 0), 0u);
}

}  // namespace
}  // namespace qm
