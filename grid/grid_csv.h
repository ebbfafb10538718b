// A work grid as CSV: comma separated, RFC 4180 quoting, one line per row
// ended by a line feed, cell bytes unchanged.  For inspecting the reader's
// tables and dumping the grids of a conversion.
#pragma once

#include <string>

#include "grid/work_grid.h"

namespace qm {

// Rows firstRow to lastRow (inclusive), every column.
std::string gridToCsv(const WorkGrid& grid, int firstRow, int lastRow);

}  // namespace qm
