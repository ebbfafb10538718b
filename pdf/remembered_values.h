// Values the page content writer and the font resolution carry from one
// token to the next: a token that leaves its size, font or colour cell empty
// inherits them.  They are restored to these start values at the beginning
// of every conversion, so that converting the same document twice gives the
// same PDF.
#pragma once

#include <string>

#include "grid/work_grid.h"

namespace qm::pdf {

struct RememberedValues {
  std::string size = "10";
  std::string lineSpacing;
  std::string fontIndex;
  char familyLetter = 0;  // of the page content writer
  Rgb colour{};
  int currentX = 5;
  char currentFamily = 0;  // of family resolution and the width pass
};

}  // namespace qm::pdf
