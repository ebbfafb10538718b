// The work grids and counters one conversion reads and writes, gathered so
// that the passes need nothing of the windows that own them.
#pragma once

#include "grid/row_counters.h"
#include "grid/work_grid.h"
#include "pdf/remembered_values.h"

namespace qm::pdf {

struct ConversionTables {
  WorkGrid& tokens;    // SG1
  WorkGrid& fonts;     // SG2
  WorkGrid& colours;   // SG3
  WorkGrid& lines;     // SG4
  WorkGrid& pictures;  // SG5
  WorkGrid& pages;     // SG6
  RowCounters& counters;
  RememberedValues& remembered;
};

// Column numbers of the grids.
enum PictureColumn : int { PicNum = 0, PicObject, PicWidth, PicHeight, X_RTF, Y_RTF, PicPage, Y_page, Line_PDF, X_PDF };
enum PageColumn : int { PageNum = 0, PageObject, FirstLine, LastLine, FirstToken, LastToken };

}  // namespace qm::pdf
