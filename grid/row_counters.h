// The row counters: how many data rows of each work grid are in use, and the
// page count found by the last layout.  Program-wide values owned by the
// program state; every phase of a conversion reads and writes them here.
#pragma once

namespace qm {

struct RowCounters {
  int tokens = 0;       // SG1: number of the last token row begun
  int fonts = 0;        // SG2: number of the last font row written
  int colours = 0;      // SG3: number of the last colour row written
  int lines = 0;        // SG4: number of pad lines recorded
  int pictures = 0;     // SG5: pictures met so far in this conversion
  int pageObjects = 0;  // SG6: pages that have a page object
  int captions = 0;     // StringGrid1 of the properties dialog
  int pages = 1;        // pages found by the last layout
};

}  // namespace qm
