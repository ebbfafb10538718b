// The Host of the command line: the file dialogs are answered with the
// command's arguments, message boxes are printed to stderr with their kind,
// status texts become progress lines, and the overwrite questions are
// answered OK by -y, asked on a terminal, and otherwise refused.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/host.h"

namespace qm::cli {

class ConsoleHost : public Host {
 public:
  std::optional<std::string> openAnswer;
  std::optional<std::string> saveAnswer;
  bool assumeYes = false;
  bool interactive = false;      // stdin is a terminal
  bool openViewer = false;       // --open
  bool quiet = false;
  std::function<void(Window&)> onWindowShown;

  // The first question that was refused, for the exit message.
  std::string refusedQuestion;
  int errors = 0;

  std::optional<std::string> chooseFile(const FileDialogRequest& request) override;
  MessageAnswer showMessage(const MessageBoxRequest& request) override;
  void statusChanged(const std::string& text) override;
  void windowShown(Window& window) override;
  void openDocument(const std::string& path) override;
};

// Message texts on one line: their line breaks become blanks.
std::string oneLine(const std::string& text);

}  // namespace qm::cli
