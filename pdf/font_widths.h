// The standard fonts' character widths, as data, and the text width pass that
// measures every visible text run of the token table and writes into its Long
// column the position, in whole points from the left page edge, where the run
// ends on its line.  The page writer places pictures with it.
#pragma once

#include "grid/work_grid.h"
#include "platform/richedit/rich_text.h"

namespace qm::pdf {

// The advance of a byte at size 11 in thousandths of a point for the family
// letter "C", "T" or "H"; 0 for no family.
int characterWidth(char family, unsigned char byte);

// The room for a line on the page: from x = 5 to a small margin before the
// right edge of the 612-point page.
inline constexpr double kLineWidth = 595;
// The tab stop as the page writer shows it: this many blanks.
inline constexpr int kBlanksPerTab = 4;

// The advance of a character in points as a page shows it, for breaking long
// paragraphs: the width table at the character's size (the tables include
// the 125% horizontal scaling), on the wide side where the table only
// guesses, bold a little wider, a tab as its blanks.
double characterAdvance(const richedit::CharFormat& format, unsigned char byte);

void textWidthPass(WorkGrid& tokens, int tokenCount, const WorkGrid& fonts, int fontCount, char& currentFamily);

}  // namespace qm::pdf
