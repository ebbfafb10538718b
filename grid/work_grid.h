// A work grid: a table of text cells addressed by column and row (both from
// 0) with a settable row count.  The conversion keeps every intermediate
// result in such grids; numbers are stored as decimal text and flags as "X"
// or a single space.  A cell never written reads as the empty text, whatever
// the row count says, so the row count is only what a viewer would show.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "grid/cell_text.h"

namespace qm {

struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

class WorkGrid {
 public:
  WorkGrid(int columns, int rows);

  int columnCount() const { return columns_; }
  int rowCount() const { return rowCount_; }
  void setRowCount(int rows);

  // Reading outside the stored area gives the empty text.  The view stays
  // valid until the cell is written again.
  std::string_view cell(int column, int row) const {
    if (column < 0 || column >= columns_ || row < 0 || row >= storedRows_) return {};
    return at(column, row).view();
  }
  void setCell(int column, int row, std::string_view text);
  void setCell(int column, int row, long long number);
  // Appends in amortised constant time (the cell keeps its capacity).
  void appendToCell(int column, int row, std::string_view text);
  void appendToCell(int column, int row, char c);
  // The cell itself, for a writer that appends to it many times; it stays
  // valid for the grid's life (rows never move).  Null outside the grid.
  CellText* cellForAppending(int column, int row) { return slot(column, row); }

  // The cell read as a decimal integer; `fallback` when it is empty or not a
  // number (surrounding blanks allowed, nothing else).
  int integerAt(int column, int row, int fallback) const;

  // Writes row 0 from a comma text, one piece per column from column 0.
  void setHeader(std::string_view commaText);
  // Empties columns [firstColumn, lastColumn] of rows [firstRow, lastRow].
  void clearCells(int firstRow, int lastRow, int firstColumn, int lastColumn);

  Rgb fixedColor() const { return fixedColor_; }
  void setFixedColor(Rgb colour) { fixedColor_ = colour; }
  int topRow() const { return topRow_; }
  void setTopRow(int row) { topRow_ = row; }

 private:
  CellText* slot(int column, int row);
  CellText& at(int column, int row) const {
    return chunks_[static_cast<size_t>(row) / kChunkRows][static_cast<size_t>(row) % kChunkRows * columns_ + column];
  }

  // Rows are stored in chunks that never move, so that a growing grid costs
  // no copying of the rows it already has.
  static constexpr size_t kChunkRows = 1024;
  int columns_;
  int rowCount_;
  int storedRows_ = 0;
  std::vector<std::unique_ptr<CellText[]>> chunks_;
  Rgb fixedColor_{};
  int topRow_ = 0;
};

// Parses a whole decimal integer ("-12", " 7 "); nullopt-like via `ok`.
bool parseInteger(std::string_view text, long long& value);
// Integer value of a text as the grids read it: fallback when not a number.
int textToInt(std::string_view text, int fallback);

}  // namespace qm
