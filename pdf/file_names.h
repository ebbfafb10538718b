// The names a conversion derives from the PDF name the user chose: the RTF
// source file and the parameter file are the PDF name with its last three
// characters replaced ("report.pdf" gives "report.rtf" and "report.par").
#pragma once

#include <string>

namespace qm::pdf {

struct ConversionFileNames {
  std::string pdf;
  std::string rtfSource;
  std::string parameters;
};

ConversionFileNames deriveFileNames(const std::string& pdfFileName);

}  // namespace qm::pdf
