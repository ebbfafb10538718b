// Line and page layout.  The pad does not wrap, so every pad line is one PDF
// line, and its pixel position becomes its position on the page (one pixel is
// one point; a page holds 732 pixels of text, page y from 762 down to 30).
//  - pagination: page y and page number of every line (line table 4 and 5);
//  - page table build: first and last line of every page, the page count;
//  - token ranges: by counting "par" tokens, the first and last token of
//    every page.
#pragma once

#include "pdf/tables.h"

namespace qm::pdf {

inline constexpr int kPageTextHeight = 732;

void paginate(WorkGrid& lines, int lineCount);
void buildPageTable(const WorkGrid& lines, int lineCount, WorkGrid& pages, RowCounters& counters);
void findTokenRanges(const WorkGrid& tokens, WorkGrid& pages, RowCounters& counters);

}  // namespace qm::pdf
