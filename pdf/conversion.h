// The conversion behind the PDF button: file names and overwrite questions,
// the save and reload of the pad through the RTF source file, the reset of
// the work grids and the line table, the RTF reader, font resolution, text
// widths, layout, the PDF pages and fonts, the properties dialog, the
// document objects, the cross-reference table, and the finish.
#pragma once

#include <string>

namespace qm {
class Program;
class TForm1;
struct ProgramState;
}

namespace qm::pdf {

struct ConversionTables;

// Empties the rows of the work grids that the previous conversion counted,
// writes their headers and fixed-cell colours, and resets the row counters
// (token count 0, font count 1, colour count 1 ...), as every conversion
// does before the RTF reader runs.
void resetWorkGrids(Program& program);

class Conversion {
 public:
  explicit Conversion(Program& program);
  // Runs the whole conversion; ends by a silent abort when the user cancels.
  void run();

 private:
  void steps();
  bool askNames();
  bool exportPadPictures();
  void saveAndReload();
  void lineGeometry();
  bool readRtf();
  void resolveFonts(ConversionTables& tables);
  void writePdf(ConversionTables& tables);
  void waitForProperties();
  void finish();
  void status(const std::string& text);

  Program& program_;
  TForm1& form_;
  ProgramState& state_;
};

}  // namespace qm::pdf
