// TForm3, the help viewer: shows the user guide "Aide_English.rtf" or
// "Aide_Français.rtf" from the current directory, read-only.
#pragma once

#include "platform/application.h"
#include "platform/richedit/rich_edit.h"

namespace qm {

class Program;

class TForm3 : public Window {
 public:
  explicit TForm3(Program& program);
  RichEdit RichEdit2;

 protected:
  void FormShow() override;

 private:
  Program& program_;
};

}  // namespace qm
