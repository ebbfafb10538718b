#include "test_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include <jpeglib.h>

#include "platform/memory_stream.h"

namespace qm::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "qm-test-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  path_ = ::mkdtemp(buffer.data());
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string readFile(const std::string& path) {
  std::string bytes;
  readWholeFile(path, bytes);
  return bytes;
}

void writeFile(const std::string& path, const std::string& bytes) { writeWholeFile(path, bytes); }

std::string shellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

CommandResult runCommand(const std::string& command, bool mergeStderr) {
  CommandResult result;
  std::FILE* pipe = ::popen((mergeStderr ? command + " 2>&1" : command).c_str(), "r");
  if (!pipe) return result;
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, got);
  int status = ::pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

std::string qpdfProblems(const std::string& pdfPath) {
  CommandResult check = runCommand("qpdf --check " + shellQuote(pdfPath));
  bool clean = check.exitCode == 0 && check.output.find("WARNING") == std::string::npos &&
               check.output.find("No syntax or stream encoding errors") != std::string::npos;
  return clean ? std::string() : check.output;
}

std::string pdfText(const std::string& pdfPath, bool layout) {
  return runCommand(std::string("pdftotext ") + (layout ? "-layout " : "") + shellQuote(pdfPath) + " - 2>/dev/null")
      .output;
}

Harness::Harness() : program(std::make_unique<Program>(host)) { program->start(); }

void Harness::loadPad(const std::string& rtf) {
  MemoryStream stream;
  stream.write(rtf);
  stream.seek(0);
  form().RichEdit1.streamIn(stream, false);
}

void Harness::convert(const std::string& pdfPath) {
  host.fileAnswers.push_back(pdfPath);
  form().BitBtn16.click();
}

std::string makeJpeg(int width, int height, int components) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = components;
  info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(width) * components);
  for (int x = 0; x < width * components; ++x) row[static_cast<size_t>(x)] = static_cast<JSAMPLE>((x * 7) & 0xFF);
  JSAMPROW rows[1] = {row.data()};
  while (info.next_scanline < info.image_height) jpeg_write_scanlines(&info, rows, 1);
  jpeg_finish_compress(&info);
  std::string bytes(reinterpret_cast<char*>(buffer), size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return bytes;
}

}  // namespace qm::test
