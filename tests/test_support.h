// Helpers shared by the tests: temporary folders, files, a program driven by
// a scripted host, and the PDF oracles (qpdf --check, pdftotext).
#pragma once

#include <map>
#include <memory>
#include <vector>
#include <string>

#include "app/main_form.h"
#include "app/program.h"
#include "platform/scripted_host.h"

namespace qm::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

struct CommandResult {
  int exitCode = -1;
  std::string output;  // stdout and stderr together
};
// Runs a shell command; its stderr joins stdout unless `mergeStderr` is false.
CommandResult runCommand(const std::string& command, bool mergeStderr = true);
std::string shellQuote(const std::string& text);

// qpdf --check: "" when the file is sound, else what qpdf said.
std::string qpdfProblems(const std::string& pdfPath);
std::string pdfText(const std::string& pdfPath, bool layout = true);

// A fresh program with a scripted host, started.
struct Harness {
  ScriptedHost host;
  std::unique_ptr<Program> program;
  Harness();
  TForm1& form() { return program->Form1(); }
  ProgramState& state() { return program->state(); }
  // Replaces the pad's content by RTF, as opening a file would.
  void loadPad(const std::string& rtf);
  // Presses the PDF button with the save dialog answered by `pdfPath`.
  void convert(const std::string& pdfPath);
};

// A small valid JPEG of the given size: 1 component grey, 3 RGB, 4 CMYK
// (libjpeg writes the Adobe marker, with inverted CMYK, for those).
std::string makeJpeg(int width, int height, int components = 3);

}  // namespace qm::test

namespace qm::test {

// Reading our own PDFs back, byte for byte.
struct PdfObjectIndex {
  std::vector<int> order;            // object numbers in file order
  std::map<int, size_t> offsets;     // where each "N 0 obj" line begins
  std::vector<long long> xref;       // offsets listed in the cross-reference table, entry 0 included
  long long startxref = -1;
  std::string trailer;
};
PdfObjectIndex indexPdf(const std::string& pdf);
// The bytes of object n from its header line to "endobj\n" included.
std::string objectText(const std::string& pdf, int number);
// The data of stream object n, between "stream\n" and "endstream".
std::string streamData(const std::string& pdf, int number);

}  // namespace qm::test
