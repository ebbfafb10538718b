#include "grid/grid_csv.h"

namespace qm {

namespace {

void appendField(std::string& out, std::string_view cell) {
  bool quote = cell.find_first_of(",\"\r\n") != std::string_view::npos;
  if (!quote) {
    out += cell;
    return;
  }
  out += '"';
  for (char c : cell) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

}  // namespace

std::string gridToCsv(const WorkGrid& grid, int firstRow, int lastRow) {
  std::string out;
  for (int row = firstRow; row <= lastRow; ++row) {
    for (int column = 0; column < grid.columnCount(); ++column) {
      if (column) out += ',';
      appendField(out, grid.cell(column, row));
    }
    out += '\n';
  }
  return out;
}

}  // namespace qm
