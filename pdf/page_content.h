// The page content streams: for every page, its range of token rows becomes
// one content stream.  Text runs are shown in one of the twelve standard
// fonts in the size and colour their token carries; each paragraph mark moves
// down by the spacing the pad showed for that line; each picture keeps room
// in its line, has its image written on the spot and is drawn after the text.
// Fills the picture table and the page table's Num and Object.
#pragma once

#include <functional>
#include <string>

#include "pdf/pdf_writer.h"
#include "pdf/tables.h"

namespace qm::pdf {

struct PageWriterHooks {
  std::function<void(int page)> pageStarted;                // status text, messages
  std::function<void()> pictureMet;                         // messages
  std::function<void(const std::string& message)> error;    // message box
  std::function<bool()> annotationShown;                    // "Show Annotation" now
};

class PageContentWriter {
 public:
  PageContentWriter(ConversionTables& tables, PdfWriter& writer, int& paragraphCounter, int horizontalScaling,
                    PageWriterHooks hooks)
      : tables_(tables), writer_(writer), paragraphCounter_(paragraphCounter),
        horizontalScaling_(horizontalScaling), hooks_(std::move(hooks)) {}

  // Writes page p: its pictures, its content stream and its page object.
  void writePage(int page);
  int firstPageObject() const { return firstPageObject_; }

 private:
  void paragraphMark(std::string& content, int& y);
  void textToken(std::string& content, int row, const std::string& size);
  void pictureToken(std::string& content, int row, int page, int y);
  void placePicturesSharingLines();
  std::string pictureDrawing(int page) const;

  ConversionTables& tables_;
  PdfWriter& writer_;
  int& paragraphCounter_;
  int horizontalScaling_;
  PageWriterHooks hooks_;
  int firstPageObject_ = 0;
  bool fontSetOnPage_ = false;
};

// The text of the hidden scaling edit times 1.25, truncated (125 for "100").
int horizontalScalingFrom(const std::string& editText);

}  // namespace qm::pdf
