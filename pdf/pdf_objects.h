// The PDF objects other than the page content streams: page objects, image
// XObjects with their length objects, the twelve standard Type 1 fonts, the
// outlines, the information dictionary, the text annotation, the pages tree
// and the catalog.  All are written through the PdfWriter's primitives.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "pdf/pdf_writer.h"
#include "pdf/tables.h"
#include "platform/jpeg_info.h"

namespace qm::pdf {

struct ImageData {
  std::string jpeg;  // the file's bytes, embedded unchanged
  JpegInfo info;
};

// The page object K+1 of page `page` whose content stream is K.
void writePageObject(PdfWriter& writer, const ConversionTables& tables, int page, int contentStream,
                     bool showAnnotation);
void WriteImageXObject(PdfWriter& writer, int number, const ImageData& image, int bitsPerComponent);
// The two objects of a picture that cannot be embedded: valid, unused.
void writeImagePlaceholder(PdfWriter& writer, int number);
long long CopyImageData(PdfWriter& writer, const std::string& jpeg);
void WriteType1Font(PdfWriter& writer, int number, int index, std::string_view baseFont);
void writeFonts(PdfWriter& writer);
// The outline root and one item per page, titled with the captions.
void writeOutlines(PdfWriter& writer, const ConversionTables& tables, const std::vector<std::string>& captions);
void WriteOutlineItem(PdfWriter& writer, int number, int parent, std::string_view title, int page, int next);
void WriteInfo(PdfWriter& writer, int number, std::string_view title, std::string_view author,
               std::string_view subject, std::string_view creator, std::string_view producer,
               std::string_view date);
void WriteTextAnnotation(PdfWriter& writer, int number, std::string_view text);
void writePagesTree(PdfWriter& writer, const ConversionTables& tables);
void WriteCatalog(PdfWriter& writer, int number, int pagesTree, int outlineRoot, int firstPageObject);

inline constexpr const char* kProducer = "This PDF file has been generated with Quillomatrix";

}  // namespace qm::pdf
