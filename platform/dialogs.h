// File dialogs and message boxes.  Both ask through the Host; a message box
// is one of the kinds error, warning, confirmation or information, with the
// buttons OK or OK and Abort.
#pragma once

#include <string>

#include "platform/application.h"

namespace qm {

class FileDialog {
 public:
  FileDialog(Application& application, FileDialogKind kind) : application_(application), kind_(kind) {}
  std::string title;
  std::string filter;
  std::string defaultExtension;
  std::string fileName;
  // Asks the host; true with fileName set when the user chose a file.  A
  // name typed without extension gets the default extension.
  bool execute();

 private:
  Application& application_;
  FileDialogKind kind_;
};

MessageAnswer MessageDlg(Application& application, const std::string& text, MessageKind kind,
                         MessageButtons buttons = MessageButtons::Ok);
void ShowMessage(Application& application, const std::string& text);

}  // namespace qm
