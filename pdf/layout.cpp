#include "pdf/layout.h"

#include "rtf/reader.h"

namespace qm::pdf {

void paginate(WorkGrid& lines, int lineCount) {
  int page = 1;
  for (int row = 0; row < lineCount; ++row) {
    int y = lines.integerAt(1, row, 0);
    int pageY = 30 + kPageTextHeight * page - y;
    lines.setCell(4, row, pageY);
    lines.setCell(5, row, page);
    if (pageY < 30) {
      ++page;
      lines.setCell(4, row, pageY + kPageTextHeight);
      lines.setCell(5, row, page);
    }
  }
}

void buildPageTable(const WorkGrid& lines, int lineCount, WorkGrid& pages, RowCounters& counters) {
  pages.setCell(PageNum, 1, "1");
  pages.setCell(FirstLine, 1, "0");
  int page = 1;
  counters.pages = 1;
  for (int row = 1; row < lineCount; ++row) {
    if (lines.cell(5, row) == lines.cell(5, row - 1)) continue;
    pages.setCell(LastLine, page, lines.cell(0, row - 1));
    page = lines.integerAt(5, row, page);
    pages.setCell(PageNum, page, page);
    pages.setCell(FirstLine, page, lines.cell(0, row));
    pages.setRowCount(page + 2);
    counters.pages = page;
  }
  pages.setCell(LastLine, page, lines.cell(0, lineCount > 0 ? lineCount - 1 : 0));
}

void findTokenRanges(const WorkGrid& tokens, WorkGrid& pages, RowCounters& counters) {
  counters.pageObjects = 0;
  int start = 1;
  long long paragraphs = 0;
  for (int page = 1; page <= counters.pages; ++page) {
    int lastLine = pages.integerAt(LastLine, page, 500);
    for (int row = start; row <= counters.tokens; ++row) {
      if (tokens.cell(rtf::KEYWORD, row) == "par") ++paragraphs;
      if (paragraphs == static_cast<long long>(lastLine) + 1) {
        int number = tokens.integerAt(rtf::NUM, row, 0);
        pages.setCell(LastToken, page, number - 1);
        pages.setCell(FirstToken, page + 1, number);
        start = row + 1;
        break;
      }
    }
  }
  pages.setCell(FirstToken, 1, "1");
  pages.setCell(LastToken, counters.pages, counters.tokens);
}

}  // namespace qm::pdf
