// RTF in: reads the pad's own RTF and the RTF that word processors write into
// the pad's model.  What the pad cannot show (style sheets, document info,
// headers, footers, footnotes, field instructions, unknown "\*" groups) is
// dropped without losing the text around it.  Bad input never crashes or
// hangs: the reading keeps what it accepted and reports an error.
#pragma once

#include <string_view>

#include "platform/richedit/rich_text.h"

namespace qm::richedit {

struct RtfReadReport {
  bool error = false;          // not RTF, unbalanced or truncated
  int replacedCharacters = 0;  // characters cp1252 cannot hold, now '?'
  int droppedPictures = 0;     // pictures that are not JPEG
};

enum class RtfReadMode {
  Document,  // a whole document: a final empty line after the last \par is not a line
  Fragment,  // a piece for the selection: its last \par does start a new line
};

RichText readRtf(std::string_view data, RtfReadReport& report, RtfReadMode mode = RtfReadMode::Document);

}  // namespace qm::richedit
