#include "pdf/page_content.h"

#include "pdf/font_resolution.h"
#include "pdf/font_widths.h"
#include "pdf/number_format.h"
#include "pdf/pdf_objects.h"
#include "platform/memory_stream.h"
#include "rtf/reader.h"

namespace qm::pdf {

namespace {

// Font resources by family and style: plain, bold, italic, bold italic.
const char* fontResource(char family, bool bold, bool italic) {
  static constexpr const char* kResources[3][4] = {
      {"/F1 ", "/F2 ", "/F3 ", "/F4 "},
      {"/F5 ", "/F6 ", "/F7 ", "/F8 "},
      {"/F9 ", "/F10 ", "/F11 ", "/F12 "},
  };
  int familyRow = family == 'C' ? 1 : (family == 'H' ? 2 : 0);
  int style = (bold ? 1 : 0) + (italic ? 2 : 0);
  return kResources[familyRow][style];
}

}  // namespace

int horizontalScalingFrom(const std::string& editText) {
  return static_cast<int>(textToInt(editText, 100) * 1.25);
}

void PageContentWriter::writePage(int page) {
  if (hooks_.pageStarted) hooks_.pageStarted(page);
  WorkGrid& tokens = tables_.tokens;
  RememberedValues& remembered = tables_.remembered;
  int first = tables_.pages.integerAt(FirstToken, page, 500);
  int last = tables_.pages.integerAt(LastToken, page, 500);
  int startY = page == 1 ? 762 : 775;
  fontSetOnPage_ = false;
  int y = startY;

  std::string content = "BT\n17 TL\n ";
  appendInt(content, 5);
  content += ' ';
  appendInt(content, startY);
  content += " Td  ";
  appendInt(content, horizontalScaling_);
  content += " Tz ";

  for (int row = first; row <= last; ++row) {
    std::string_view sizeCell = tokens.cell(rtf::SIZE, row);
    if (!sizeCell.empty()) remembered.size = sizeCell;
    if (tokens.cell(rtf::KEYWORD, row) == "par") paragraphMark(content, y);
    std::string_view fontIndex = tokens.cell(rtf::Indice, row);
    long long index = 0;
    if (!fontIndex.empty() && parseInteger(fontIndex, index)) remembered.fontIndex = intText(index);
    std::string_view text = tokens.cell(rtf::DONNEE, row);
    if (text.empty()) continue;
    if (tokens.cell(rtf::Hidden, row) != "X") {
      textToken(content, row, remembered.size);
    } else {
      pictureToken(content, row, page, y);
    }
  }
  content += "\nET\n";
  placePicturesSharingLines();

  int stream = writer_.nextFreeObject;
  writer_.BeginObject(stream);
  tables_.counters.pageObjects += 1;
  tables_.pages.setCell(PageNum, page, page);
  tables_.pages.setCell(PageObject, page, stream + 1);
  writer_.nextFreeObject += 2;
  std::string drawing = pictureDrawing(page);
  std::string head = "<< /Length ";
  appendInt(head, static_cast<long long>(content.size() + drawing.size()));
  head += " >>\nstream\n";
  writer_.WriteString(head);
  writer_.WriteString(content);
  writer_.WriteString(drawing);
  writer_.WriteString("endstream\n");
  writer_.EndObject();

  if (page == 1) firstPageObject_ = stream + 1;
  bool annotation = hooks_.annotationShown ? hooks_.annotationShown() : true;
  writePageObject(writer_, tables_, page, stream, annotation);
}

void PageContentWriter::paragraphMark(std::string& content, int& y) {
  RememberedValues& remembered = tables_.remembered;
  remembered.currentX = 5;
  ++paragraphCounter_;
  std::string counter = intText(paragraphCounter_);
  // The line whose number is the paragraph count gives the spacing.  Line
  // table row r holds line r, so that is row `counter` when it exists;
  // without one the spacing stays.
  const WorkGrid& lines = tables_.lines;
  if (paragraphCounter_ < tables_.counters.lines && lines.cell(0, paragraphCounter_) == counter) {
    remembered.lineSpacing = lines.cell(2, paragraphCounter_);
  }
  // A paragraph without a spacing yet (the last line of a one-line
  // document) moves by 0: an empty number would break the operator.
  long long spacing = 0;
  bool numeric = parseInteger(remembered.lineSpacing, spacing);
  content += "0 -";
  content += numeric ? remembered.lineSpacing : std::string("0");
  content += " Td ";
  y -= static_cast<int>(spacing);
}

void PageContentWriter::textToken(std::string& content, int row, const std::string& size) {
  const WorkGrid& tokens = tables_.tokens;
  const WorkGrid& fonts = tables_.fonts;
  RememberedValues& remembered = tables_.remembered;
  for (int fontRow = 0; fontRow <= tables_.counters.fonts; ++fontRow) {
    if (fonts.cell(0, fontRow) == remembered.fontIndex) remembered.familyLetter = familyOrTimes(fonts.cell(1, fontRow));
  }
  bool bold = tokens.cell(rtf::Bold, row) == "X";
  bool italic = tokens.cell(rtf::Italic, row) == "X";
  content += fontResource(remembered.familyLetter, bold, italic);
  content += size;
  content += " Tf ";
  fontSetOnPage_ = true;
  remembered.currentX = tokens.integerAt(rtf::Long, row, 0);
  std::string_view colour = tokens.cell(rtf::COLOR, row);
  if (!colour.empty()) {
    remembered.colour = Rgb{};
    const WorkGrid& colours = tables_.colours;
    for (int colourRow = 1; colourRow <= tables_.counters.colours; ++colourRow) {
      if (colours.cell(0, colourRow) == colour) {
        remembered.colour = {colours.integerAt(1, colourRow, 0), colours.integerAt(2, colourRow, 0),
                             colours.integerAt(3, colourRow, 0)};
        break;
      }
    }
  }
  content += colourComponent(remembered.colour.red);
  content += ' ';
  content += colourComponent(remembered.colour.green);
  content += ' ';
  content += colourComponent(remembered.colour.blue);
  content += " rg (";
  // The standard fonts have no glyph for a tab: it is shown as blanks.
  for (char c : tokens.cell(rtf::DONNEE, row)) {
    if (c == '\t') {
      content.append(static_cast<size_t>(kBlanksPerTab), ' ');
    } else {
      content += c;
    }
  }
  content += ") Tj ";
}

void PageContentWriter::pictureToken(std::string& content, int row, int page, int y) {
  WorkGrid& pictures = tables_.pictures;
  int number = ++tables_.counters.pictures;
  if (hooks_.pictureMet) hooks_.pictureMet();
  pictures.setRowCount(number + 2);
  pictures.setCell(PicNum, number, number);

  // The marker's text is the path as the token table escaped it.
  std::string path;
  std::string_view escaped = tables_.tokens.cell(rtf::DONNEE, row);
  for (size_t i = 0; i < escaped.size(); ++i) {
    if (escaped[i] == '\\' && i + 1 < escaped.size()) ++i;
    path.push_back(escaped[i]);
  }
  ImageData image;
  bool opened = readWholeFile(path, image.jpeg);
  if (!opened) {
    if (hooks_.error) hooks_.error("The image file \n" + path + "\ncannot be opened");
  } else {
    image.info = readJpegInfo(image.jpeg);
    if (!image.info.valid) {
      if (hooks_.error) hooks_.error("The image file \n" + path + "\nis not a JPEG picture that can be read");
    }
  }
  bool embeddable = opened && image.info.valid;
  int width = embeddable ? image.info.width : 0;
  if (embeddable) {
    pictures.setCell(PicWidth, number, image.info.width);
    pictures.setCell(PicHeight, number, image.info.height);
  }
  pictures.setCell(Y_page, number, y);
  pictures.setCell(PicPage, number, page);

  int blanks = static_cast<int>(static_cast<float>(width * 0.32 + 1));
  // Showing the blanks needs a font; a picture before any text of the page
  // would otherwise show them with none.
  if (!fontSetOnPage_) {
    content += fontResource(tables_.remembered.familyLetter, false, false);
    content += tables_.remembered.size;
    content += " Tf ";
    fontSetOnPage_ = true;
  }
  content += '(';
  content.append(static_cast<size_t>(blanks), ' ');
  content += ") Tj ";

  int object = writer_.nextFreeObject;
  if (embeddable) {
    WriteImageXObject(writer_, object, image, 8);
  } else {
    writeImagePlaceholder(writer_, object);
  }
  pictures.setCell(PicObject, number, object);
  writer_.nextFreeObject += 2;
  pictures.setCell(X_RTF, number, tables_.remembered.currentX);
  pictures.setCell(Line_PDF, number, paragraphCounter_);
}

void PageContentWriter::placePicturesSharingLines() {
  WorkGrid& pictures = tables_.pictures;
  for (int row = 1; row <= tables_.counters.pictures; ++row) {
    bool sameLine = pictures.cell(PicPage, row) == pictures.cell(PicPage, row - 1) &&
                    pictures.cell(Line_PDF, row) == pictures.cell(Line_PDF, row - 1);
    int offset = sameLine ? pictures.integerAt(X_PDF, row - 1, 0) + pictures.integerAt(PicWidth, row - 1, 0) : 0;
    pictures.setCell(X_PDF, row, offset);
  }
}

std::string PageContentWriter::pictureDrawing(int page) const {
  const WorkGrid& pictures = tables_.pictures;
  std::string pageText = intText(page);
  std::string drawing;
  for (int row = 1; row <= tables_.counters.pictures; ++row) {
    if (pictures.cell(PicPage, row) != pageText || pictures.cell(PicWidth, row).empty()) continue;
    drawing += "250 300 m\nq ";
    drawing += pictures.cell(PicWidth, row);
    drawing += " 0 0 ";
    drawing += pictures.cell(PicHeight, row);
    drawing += ' ';
    appendInt(drawing, pictures.integerAt(X_RTF, row, 0) + pictures.integerAt(X_PDF, row, 0));
    drawing += ' ';
    drawing += pictures.cell(Y_page, row);
    drawing += " cm\n/imVex_";
    drawing += pictures.cell(PicNum, row);
    drawing += " Do\nQ\n";
  }
  return drawing;
}

}  // namespace qm::pdf
