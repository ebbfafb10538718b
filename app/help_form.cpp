#include "app/help_form.h"

#include "app/program.h"

namespace qm {

TForm3::TForm3(Program& program)
    : Window(program.application(), "Form3"), RichEdit2("RichEdit2", program.clipboard()), program_(program) {
  caption = "Quillomatrix  Version 2.0";
  width = 783;
  height = 540;
  alwaysOnTop = true;
  RichEdit2.setBounds(0, 0, 783, 540);
}

void TForm3::FormShow() {
  RichEdit2.clear();
  caption = "Quillomatrix  Version 2.0";
  const char* file = program_.state().language == 'F' ? "Aide_Français.rtf" : "Aide_English.rtf";
  MemoryStream stream;
  stream.loadFromFile(file);  // a missing guide is reported by the standard error box
  RichEdit2.streamIn(stream, false);
}

}  // namespace qm
