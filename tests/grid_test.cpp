#include <gtest/gtest.h>

#include "grid/grid_csv.h"
#include "grid/work_grid.h"

namespace qm {
namespace {

TEST(WorkGrid, UnwrittenCellsReadEmptyWhateverTheRowCount) {
  WorkGrid grid(3, 5);
  EXPECT_EQ(grid.cell(0, 0), "");
  EXPECT_EQ(grid.cell(2, 100), "");
  EXPECT_EQ(grid.cell(-1, 0), "");
  EXPECT_EQ(grid.cell(3, 0), "");  // past the last column
  grid.setCell(1, 40, "x");
  EXPECT_EQ(grid.cell(1, 40), "x");
  EXPECT_EQ(grid.rowCount(), 5);  // writing does not change the row count
  grid.setCell(5, 0, "ignored");
  EXPECT_EQ(grid.cell(5, 0), "");
}

TEST(WorkGrid, IntegersReadBackWithTheirDefault) {
  struct Case {
    const char* text;
    int expected;
  } cases[] = {{"17", 17}, {"-360", -360}, {" 7 ", 7}, {"", 99}, {"12a", 99}, {"X", 99}, {"99999999999", 99}};
  WorkGrid grid(1, 1);
  for (const auto& c : cases) {
    grid.setCell(0, 0, c.text);
    EXPECT_EQ(grid.integerAt(0, 0, 99), c.expected) << c.text;
  }
}

TEST(WorkGrid, HeaderClearAndAppend) {
  WorkGrid grid(4, 5);
  grid.setHeader("NUM,RED,GREEN,BLUE");
  EXPECT_EQ(grid.cell(3, 0), "BLUE");
  for (int row = 1; row <= 3; ++row) grid.setCell(0, row, row);
  grid.clearCells(1, 2, 0, 3);
  EXPECT_EQ(grid.cell(0, 1), "");
  EXPECT_EQ(grid.cell(0, 3), "3");
  EXPECT_EQ(grid.cell(0, 0), "NUM");
  grid.appendToCell(2, 9, "ab");
  grid.appendToCell(2, 9, 'c');
  EXPECT_EQ(grid.cell(2, 9), "abc");
}

TEST(GridCsv, QuotesAsRfc4180AndKeepsBytes) {
  WorkGrid grid(3, 2);
  grid.setCell(0, 0, "plain");
  grid.setCell(1, 0, "a,b");
  grid.setCell(2, 0, "say \"hi\"");
  grid.setCell(0, 1, std::string("caf\xe9"));
  grid.setCell(1, 1, "line\nbreak");
  EXPECT_EQ(gridToCsv(grid, 0, 1), "plain,\"a,b\",\"say \"\"hi\"\"\"\ncaf\xe9,\"line\nbreak\",\n");
}

}  // namespace
}  // namespace qm
