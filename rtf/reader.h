// The program's RTF reader: a table-driven state machine that walks the RTF
// source file byte by byte and records, in the work grids, one token-table
// row per control word with the text that follows it and the character
// formatting in force (SG1), the font numbers of the font table (SG2) and
// the colours of the colour table (SG3).  It keeps no document model of its
// own beyond a stack of group states.
#pragma once

#include <functional>

#include "grid/row_counters.h"
#include "grid/work_grid.h"
#include "rtf/byte_stream.h"

namespace qm::rtf {

enum ReaderResult : int {
  RtfOk = 0,
  RtfUnbalancedClose = 1,
  RtfNoMemory = 2,
  RtfUnclosedGroup = 3,
  RtfBadHexDigit = 4,
  RtfBadTable = 5,
  RtfBadState = 6,
  RtfEndInControlWord = 7,
};

// Token table columns.
enum TokenColumn : int {
  NUM = 0, KEYWORD, PARAM, Long, DONNEE, Bold, Italic, UnderL, Hidden, SIZE, COLOR, FONT, Indice,
};

struct ReaderTables {
  WorkGrid& tokens;   // SG1
  WorkGrid& fonts;    // SG2
  WorkGrid& colours;  // SG3
  RowCounters& counters;
  // Lets the user interface process its pending messages (once per word).
  std::function<void()> processMessages;
};

// The character and paragraph properties in force when a reading ended, for
// callers that look at more than the grids (tests and diagnostics).
struct ReaderEndState {
  int bold = 0, underline = 0, underlineNone = 0, doubleUnderline = 0, hidden = 0, fontSize = 0, colourIndex = 0,
      fontNumber = 0, italic = 0;
  int leftIndent = 0, rightIndent = 0, firstIndent = 0, justification = 0;
  int groupDepth = 0;
};

// Reads the whole stream; returns one of the result codes.  Every reading
// starts from the initial state; rows written before a failure stay.
int ReadRtf(ByteStream& stream, ReaderTables& tables, ReaderEndState* endState = nullptr);

}  // namespace qm::rtf
