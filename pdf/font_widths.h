// The standard fonts' character widths, as data, and the text width pass that
// measures every visible text run of the token table and writes into its Long
// column the position, in whole points from the left page edge, where the run
// ends on its line.  The page writer places pictures with it.
#pragma once

#include "grid/work_grid.h"

namespace qm::pdf {

// The advance of a byte at size 11 in thousandths of a point for the family
// letter "C", "T" or "H"; 0 for no family.
int characterWidth(char family, unsigned char byte);

void textWidthPass(WorkGrid& tokens, int tokenCount, const WorkGrid& fonts, int fontCount, char& currentFamily);

}  // namespace qm::pdf
