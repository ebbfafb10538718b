// The program-wide state: everything the windows and the conversion share,
// owned by the program object (there are no globals), so that every test
// builds a fresh program.
#pragma once

#include <string>

#include "grid/row_counters.h"
#include "pdf/remembered_values.h"

namespace qm {

struct DocumentProperties {
  std::string title;
  std::string author;
  std::string subject;
  std::string creator;
  std::string annotation;
};

// How the last conversion ended, for callers that report it (the command line).
enum class ConversionOutcome {
  NotRun,
  Completed,          // the PDF was written
  Cancelled,          // the save dialog was cancelled or a question answered Abort
  OutputNotCreated,   // the PDF output file could not be created
  WriteFailed,        // writing the PDF failed (a full disk)
  Failed,             // another error stopped the conversion
};

struct ProgramState {
  char language = 'E';
  std::string openedFileName;
  std::string pictureFileName;
  std::string rtfSourceFileName;
  std::string pdfFileName;
  std::string parameterFileName;
  int paragraphCounter = 0;
  DocumentProperties properties;
  RowCounters counters;
  pdf::RememberedValues remembered;
  bool boldToggle = false;
  bool italicToggle = false;
  bool underlineToggle = false;
  ConversionOutcome lastOutcome = ConversionOutcome::NotRun;
  int lastReaderResult = 0;
  // Characters of the last opened file that cp1252 could not hold.
  int replacedCharacters = 0;
  int droppedPictures = 0;
};

}  // namespace qm
