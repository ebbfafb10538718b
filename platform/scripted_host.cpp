#include "platform/scripted_host.h"

#include "platform/application.h"

namespace qm {

std::optional<std::string> ScriptedHost::chooseFile(const FileDialogRequest& request) {
  dialogs.push_back(request);
  if (fileAnswers.empty()) return std::nullopt;
  auto answer = fileAnswers.front();
  fileAnswers.pop_front();
  return answer;
}

MessageAnswer ScriptedHost::showMessage(const MessageBoxRequest& request) {
  messages.push_back(request);
  if (request.buttons != MessageButtons::OkAbort || questionAnswers.empty()) return MessageAnswer::Ok;
  MessageAnswer answer = questionAnswers.front();
  questionAnswers.pop_front();
  return answer;
}

void ScriptedHost::windowShown(Window& window) {
  if (onWindowShown) {
    onWindowShown(window);
  } else if (window.name() != "Form1") {
    window.hide();
  }
}

std::vector<std::string> ScriptedHost::messageTexts() const {
  std::vector<std::string> texts;
  for (const auto& message : messages) texts.push_back(message.text);
  return texts;
}

}  // namespace qm
