// A work grid: a table of text cells addressed by column and row (both from
// 0) with a settable row count.  The conversion keeps every intermediate
// result in such grids; numbers are stored as decimal text and flags as "X"
// or a single space.  A cell never written reads as the empty text, whatever
// the row count says, so the row count is only what a viewer would show.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

  // Reading outside the stored area gives the empty text.
  const std::string& cell(int column, int row) const;
  void setCell(int column, int row, std::string_view text);
  void setCell(int column, int row, long long number);
  // Appends in amortised constant time (the cell keeps its capacity).
  void appendToCell(int column, int row, std::string_view text);
  void appendToCell(int column, int row, char c);

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
  std::string* slot(int column, int row);

  int columns_;
  int rowCount_;
  int storedRows_ = 0;
  std::vector<std::string> cells_;  // row-major, storedRows_ * columns_
  Rgb fixedColor_{};
  int topRow_ = 0;
};

// Parses a whole decimal integer ("-12", " 7 "); nullopt-like via `ok`.
bool parseInteger(std::string_view text, long long& value);
// Integer value of a text as the grids read it: fallback when not a number.
int textToInt(std::string_view text, int fallback);

}  // namespace qm
