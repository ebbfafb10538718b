#include "pdf/pdf_objects.h"

#include "pdf/number_format.h"

namespace qm::pdf {

namespace {

constexpr const char* kBaseFonts[12] = {
    "Times-Roman", "Times-Bold",   "Times-Italic",      "Times-BoldItalic",      "Courier",           "Courier-Bold",
    "Courier-Oblique", "Courier-BoldOblique", "Helvetica", "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique",
};

constexpr const char* kFontResources =
    "/Resources <<\n/Font << /F1 4 0 R  /F2 5 0 R /F3 6 0 R /F4 7 0 R /F5 8 0 R  /F6 9 0 R /F7 10 0 R /F8 11 0 R "
    "/F9 12 0 R  /F10 13 0 R /F11 14 0 R /F12 15 0 R>>\n";

// A picture row whose JPEG could be read has its width; the others are not
// drawn and not listed.
bool drawable(const WorkGrid& pictures, int row) { return !pictures.cell(PicWidth, row).empty(); }

}  // namespace

void writePageObject(PdfWriter& writer, const ConversionTables& tables, int page, int contentStream,
                     bool showAnnotation) {
  writer.BeginObject(contentStream + 1);
  writer.OpenDict();
  std::string body = "/Type /Page\n/Parent 3 0 R\n/MediaBox [0 0 612 792]\n/Contents ";
  appendInt(body, contentStream);
  body += " 0 R\n";
  if (showAnnotation) body += "/Annots [16 0 R]\n";
  body += kFontResources;
  body += "/XObject << ";
  const WorkGrid& pictures = tables.pictures;
  std::string pageText = intText(page);
  for (int row = 1; row <= tables.counters.pictures; ++row) {
    if (pictures.cell(PicPage, row) != pageText || !drawable(pictures, row)) continue;
    body += "/imVex_";
    body += pictures.cell(PicNum, row);
    body += ' ';
    body += pictures.cell(PicObject, row);
    body += " 0 R ";
  }
  body += ">>\n>>\n";
  writer.WriteString(body);
  writer.CloseDict();
  writer.EndObject();
}

long long CopyImageData(PdfWriter& writer, const std::string& jpeg) {
  long long copied = writer.WriteString(jpeg);
  writer.WriteString(">\n");
  return copied + 2;
}

void WriteImageXObject(PdfWriter& writer, int number, const ImageData& image, int bitsPerComponent) {
  writer.BeginObject(number);
  writer.OpenDict();
  std::string head = "/Type /XObject\n/Subtype /Image\n/Width ";
  appendInt(head, image.info.width);
  head += " /Height ";
  appendInt(head, image.info.height);
  head += " /BitsPerComponent ";
  appendInt(head, bitsPerComponent);
  head += "\n/Length ";
  appendInt(head, number + 1);
  head += " 0 R\n";
  switch (image.info.components) {
    case 1: head += "/ColorSpace /DeviceGray\n"; break;
    case 4:
      head += "/ColorSpace /DeviceCMYK\n";
      if (image.info.adobeInverted) head += "/Decode [1 0 1 0 1 0 1 0]\n";
      break;
    default: head += "/ColorSpace /DeviceRGB\n"; break;
  }
  head += "/Filter /DCTDecode\n>>\nstream\n";
  writer.WriteString(head);
  long long length = CopyImageData(writer, image.jpeg);
  writer.WriteString("endstream\n");
  writer.EndObject();
  writer.BeginObject(number + 1);
  writer.WriteString(intText(length) + "\n");
  writer.EndObject();
}

void writeImagePlaceholder(PdfWriter& writer, int number) {
  writer.BeginObject(number);
  writer.WriteString("<<\n>>\n");
  writer.EndObject();
  writer.BeginObject(number + 1);
  writer.WriteString("0\n");
  writer.EndObject();
}

void WriteType1Font(PdfWriter& writer, int number, int index, std::string_view baseFont) {
  writer.BeginObject(number);
  writer.OpenDict();
  std::string body = "/Type /Font\n/Subtype /Type1\n/Name /F";
  appendInt(body, index);
  body += "\n/BaseFont /";
  body += baseFont;
  body += "\n/Encoding /WinAnsiEncoding\n";
  writer.WriteString(body);
  writer.CloseDict();
  writer.EndObject();
}

void writeFonts(PdfWriter& writer) {
  for (int number = 4; number <= 15; ++number) WriteType1Font(writer, number, number - 3, kBaseFonts[number - 4]);
}

void WriteOutlineItem(PdfWriter& writer, int number, int parent, std::string_view title, int page, int next) {
  writer.BeginObject(number);
  writer.OpenDict();
  std::string body = "/Parent ";
  appendInt(body, parent);
  body += " 0 R\n/Dest [";
  appendInt(body, page);
  body += " 0 R /XYZ 0 800 0]\n/Next ";
  appendInt(body, next);
  body += " 0 R\n/Count 0\n/Title (";
  body += escapeLiteral(title);
  body += ")\n";
  writer.WriteString(body);
  writer.CloseDict();
  writer.EndObject();
}

void writeOutlines(PdfWriter& writer, const ConversionTables& tables, const std::vector<std::string>& captions) {
  int pageCount = tables.counters.pages;
  int root = writer.nextFreeObject;
  writer.BeginObject(root);
  writer.nextFreeObject += pageCount;
  writer.OpenDict();
  std::string body = "/Type /Outlines\n/Count ";
  appendInt(body, pageCount);
  body += "\n/First ";
  appendInt(body, root + 1);
  body += " 0 R /Last ";
  appendInt(body, root + pageCount);
  body += " 0 R >>\n";
  writer.WriteString(body);
  writer.EndObject();
  for (int page = 1; page <= pageCount; ++page) {
    std::string_view title = static_cast<size_t>(page) <= captions.size() ? captions[static_cast<size_t>(page) - 1]
                                                                          : std::string_view();
    WriteOutlineItem(writer, root + page, root, title, tables.pages.integerAt(PageObject, page, 0), root + page + 1);
  }
}

void WriteInfo(PdfWriter& writer, int number, std::string_view title, std::string_view author,
               std::string_view subject, std::string_view creator, std::string_view producer,
               std::string_view date) {
  writer.BeginTrailerObject(number, "/Info");
  writer.OpenDict();
  std::string body;
  struct Entry {
    const char* key;
    std::string_view value;
  };
  for (const Entry& entry : {Entry{"/Title", title}, Entry{"/Author", author}, Entry{"/Subject", subject},
                             Entry{"/Creator", creator}, Entry{"/Producer", producer},
                             Entry{"/CreationDate", date}}) {
    body += entry.key;
    body += " (";
    body += escapeLiteral(entry.value);
    body += ")\n";
  }
  writer.WriteString(body);
  writer.CloseDict();
  writer.EndObject();
}

void WriteTextAnnotation(PdfWriter& writer, int number, std::string_view text) {
  writer.BeginObject(number);
  writer.OpenDict();
  std::string body = "/Type /Annot /Subtype /Text\n/Rect [550 550 770 780]\n/Contents (";
  body += escapeLiteral(text);
  body += ")\n";
  writer.WriteString(body);
  writer.CloseDict();
  writer.EndObject();
}

void writePagesTree(PdfWriter& writer, const ConversionTables& tables) {
  writer.BeginObject(3);
  std::string body = "/Type /Pages\n/Count ";
  appendInt(body, tables.counters.pageObjects);
  body += "\n/Kids [";
  for (int row = 1; row <= tables.counters.pageObjects; ++row) {
    body += tables.pages.cell(PageObject, row);
    body += " 0 R ";
  }
  body += "]\n";
  writer.WriteDict(body);
  writer.EndObject();
}

void WriteCatalog(PdfWriter& writer, int number, int pagesTree, int outlineRoot, int firstPageObject) {
  writer.BeginTrailerObject(number, "/Root");
  std::string body = "/Type /Catalog\n/PageMode/UseOutlines\n/Pages ";
  appendInt(body, pagesTree);
  body += " 0 R\n/Outlines ";
  appendInt(body, outlineRoot);
  body += " 0 R\n/OpenAction [";
  appendInt(body, firstPageObject);
  body += " 0 R /Fit]\n";
  writer.WriteDict(body);
  writer.EndObject();
}

}  // namespace qm::pdf
