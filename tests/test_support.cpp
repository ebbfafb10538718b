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
  info.in_color_space = components == 1 ? JCS_GRAYSCALE : (components == 4 ? JCS_CMYK : JCS_RGB);
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

namespace qm::test {

PdfObjectIndex indexPdf(const std::string& pdf) {
  PdfObjectIndex index;
  size_t position = 0;
  while (position < pdf.size()) {
    size_t end = pdf.find('\n', position);
    if (end == std::string::npos) end = pdf.size();
    std::string line = pdf.substr(position, end - position);
    size_t space = line.find(" 0 obj");
    if (space != std::string::npos && space > 0 && line.size() == space + 6 &&
        line.find_first_not_of("0123456789") == space) {
      int number = std::stoi(line.substr(0, space));
      index.order.push_back(number);
      index.offsets[number] = position;
      // Skip stream data, which may hold anything.
      size_t stream = pdf.find("stream\n", end);
      size_t endobj = pdf.find("endobj\n", end);
      if (stream != std::string::npos && stream < endobj) endobj = pdf.find("endstream\nendobj\n", stream) + 10;
      position = endobj == std::string::npos ? pdf.size() : endobj + 7;
      continue;
    }
    position = end + 1;
  }
  size_t startxref = pdf.rfind("startxref\n");
  if (startxref != std::string::npos) index.startxref = std::stoll(pdf.substr(startxref + 10));
  if (index.startxref >= 0 && static_cast<size_t>(index.startxref) < pdf.size()) {
    size_t at = static_cast<size_t>(index.startxref);
    if (pdf.compare(at, 5, "xref\n") == 0) {
      size_t countLine = pdf.find('\n', at + 5);
      int count = std::stoi(pdf.substr(at + 7, countLine - at - 7));
      size_t entry = countLine + 1;
      for (int i = 0; i < count; ++i, entry += 20) index.xref.push_back(std::stoll(pdf.substr(entry, 10)));
      size_t trailer = pdf.find("trailer\n", entry);
      if (trailer != std::string::npos) index.trailer = pdf.substr(trailer, startxref - trailer);
    }
  }
  return index;
}

std::string objectText(const std::string& pdf, int number) {
  PdfObjectIndex index = indexPdf(pdf);
  auto it = index.offsets.find(number);
  if (it == index.offsets.end()) return {};
  size_t begin = it->second;
  size_t stream = pdf.find("stream\n", begin);
  size_t end = pdf.find("endobj\n", begin);
  if (stream != std::string::npos && stream < end) {
    size_t endstream = pdf.find("endstream\nendobj\n", stream);
    end = endstream + 10;
  }
  return pdf.substr(begin, end + 7 - begin);
}

std::string streamData(const std::string& pdf, int number) {
  std::string object = objectText(pdf, number);
  size_t start = object.find("stream\n");
  size_t end = object.rfind("endstream\n");
  if (start == std::string::npos || end == std::string::npos) return {};
  return object.substr(start + 7, end - start - 7);
}

}  // namespace qm::test
