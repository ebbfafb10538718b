// Font resolution: gives every RTF font its family letter ("C" Courier,
// "T" Times, "H" Helvetica) by a byte-level scan of the RTF source file,
// copies the sizes and font numbers of the "fs" and "f" tokens into their
// columns, and maps a font number to the current family.
#pragma once

#include <string>
#include <string_view>

#include "grid/work_grid.h"

namespace qm::pdf {

// Scans the RTF source file's bytes and writes NAME of font rows 1 to 5.
void scanFontFamilies(std::string_view rtf, WorkGrid& fonts, int fontCount);
// The same on the file; false when it cannot be opened.
bool scanFontFamiliesOfFile(const std::string& path, WorkGrid& fonts, int fontCount);

// SIZE of every "fs" row := PARAM / 2; Indice of every "f" row := PARAM.
void sizeAndFontPass(WorkGrid& tokens, int tokenCount);

// The current family after resolving font number `fontNumber`: the letter of
// the last font row whose NUM equals it.  A row without a usable letter
// resolves to Times; no matching row leaves the family as it was.
void resolveFamily(const WorkGrid& fonts, int fontCount, std::string_view fontNumber, char& currentFamily);

// A usable family letter, Times for anything else.
char familyOrTimes(std::string_view name);

}  // namespace qm::pdf
