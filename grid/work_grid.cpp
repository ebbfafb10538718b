#include "grid/work_grid.h"

#include <charconv>
#include <limits>

namespace qm {

bool parseInteger(std::string_view text, long long& value) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
  while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  if (begin == end) return false;
  const char* first = text.data() + begin;
  const char* last = text.data() + end;
  if (*first == '+') ++first;
  auto [ptr, ec] = std::from_chars(first, last, value);
  return ec == std::errc() && ptr == last;
}

int textToInt(std::string_view text, int fallback) {
  long long value = 0;
  if (!parseInteger(text, value)) return fallback;
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
    return fallback;
  }
  return static_cast<int>(value);
}

WorkGrid::WorkGrid(int columns, int rows) : columns_(columns), rowCount_(rows) {}

void WorkGrid::setRowCount(int rows) { rowCount_ = rows < 0 ? 0 : rows; }

CellText* WorkGrid::slot(int column, int row) {
  if (column < 0 || column >= columns_ || row < 0) return nullptr;
  if (row >= storedRows_) {
    size_t chunksNeeded = static_cast<size_t>(row) / kChunkRows + 1;
    while (chunks_.size() < chunksNeeded) {
      chunks_.push_back(std::make_unique<CellText[]>(kChunkRows * static_cast<size_t>(columns_)));
    }
    storedRows_ = row + 1;
  }
  return &at(column, row);
}

void WorkGrid::setCell(int column, int row, std::string_view text) {
  if (CellText* s = slot(column, row)) s->assign(text);
}

void WorkGrid::setCell(int column, int row, long long number) {
  char buffer[24];
  auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, number);
  (void)ec;
  setCell(column, row, std::string_view(buffer, static_cast<size_t>(ptr - buffer)));
}

void WorkGrid::appendToCell(int column, int row, std::string_view text) {
  if (CellText* s = slot(column, row)) s->append(text);
}

void WorkGrid::appendToCell(int column, int row, char c) {
  if (CellText* s = slot(column, row)) s->push_back(c);
}

int WorkGrid::integerAt(int column, int row, int fallback) const {
  return textToInt(cell(column, row), fallback);
}

void WorkGrid::setHeader(std::string_view commaText) {
  int column = 0;
  size_t start = 0;
  while (true) {
    size_t comma = commaText.find(',', start);
    setCell(column++, 0, commaText.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
}

void WorkGrid::clearCells(int firstRow, int lastRow, int firstColumn, int lastColumn) {
  if (firstRow < 0) firstRow = 0;
  if (lastRow >= storedRows_) lastRow = storedRows_ - 1;
  if (firstColumn < 0) firstColumn = 0;
  if (lastColumn >= columns_) lastColumn = columns_ - 1;
  for (int row = firstRow; row <= lastRow; ++row) {
    for (int column = firstColumn; column <= lastColumn; ++column) {
      at(column, row).clear();
    }
  }
}

}  // namespace qm
