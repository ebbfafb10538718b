// A Host for tests: file dialogs and message boxes are answered from queues,
// and every message box, status text, shown window and opened document is
// recorded so that a test can check what a user would have seen.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/host.h"

namespace qm {

class ScriptedHost : public Host {
 public:
  // Answers for the next file dialogs (nullopt = cancel).  With the queue
  // empty, a dialog is cancelled.
  std::deque<std::optional<std::string>> fileAnswers;
  // Answers for the next OK/Abort questions; with the queue empty, OK.
  std::deque<MessageAnswer> questionAnswers;
  // Called when a window is shown (the properties dialog, say).  With none
  // set, a shown dialog other than the main window is closed with its window
  // button, so that a wait for it ends.
  std::function<void(Window&)> onWindowShown;

  std::vector<MessageBoxRequest> messages;
  std::vector<FileDialogRequest> dialogs;
  std::vector<std::string> statusTexts;
  std::vector<std::string> openedDocuments;
  int beeps = 0;
  int messagePumps = 0;

  std::optional<std::string> chooseFile(const FileDialogRequest& request) override;
  MessageAnswer showMessage(const MessageBoxRequest& request) override;
  void statusChanged(const std::string& text) override { statusTexts.push_back(text); }
  void windowShown(Window& window) override;
  void processMessages() override { ++messagePumps; }
  void openDocument(const std::string& path) override { openedDocuments.push_back(path); }
  void beep() override { ++beeps; }

  // The texts of the message boxes shown so far.
  std::vector<std::string> messageTexts() const;
};

}  // namespace qm
