#include "platform/dialogs.h"

namespace qm {

bool FileDialog::execute() {
  auto chosen = application_.host().chooseFile({kind_, title, filter, defaultExtension});
  if (!chosen) return false;
  std::string name = *chosen;
  if (!defaultExtension.empty()) {
    size_t slash = name.find_last_of('/');
    size_t dot = name.find_last_of('.');
    bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    if (!hasExtension) name += "." + defaultExtension;
  }
  fileName = name;
  return true;
}

MessageAnswer MessageDlg(Application& application, const std::string& text, MessageKind kind,
                         MessageButtons buttons) {
  return application.host().showMessage({kind, buttons, text});
}

void ShowMessage(Application& application, const std::string& text) {
  application.host().showMessage({MessageKind::Information, MessageButtons::Ok, text});
}

}  // namespace qm
