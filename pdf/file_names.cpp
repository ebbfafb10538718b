#include "pdf/file_names.h"

namespace qm::pdf {

ConversionFileNames deriveFileNames(const std::string& pdfFileName) {
  std::string stem = pdfFileName.size() >= 3 ? pdfFileName.substr(0, pdfFileName.size() - 3) : std::string();
  return {pdfFileName, stem + "rtf", stem + "par"};
}

}  // namespace qm::pdf
