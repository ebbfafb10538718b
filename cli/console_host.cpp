#include "cli/console_host.h"

#include <cstdio>
#include <iostream>
#include <spawn.h>
#include <sys/wait.h>

#include "platform/application.h"

extern char** environ;

namespace qm::cli {

std::string oneLine(const std::string& text) {
  std::string line;
  for (char c : text) {
    if (c == '\n' || c == '\r') {
      if (!line.empty() && line.back() != ' ') line.push_back(' ');
    } else {
      line.push_back(c);
    }
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

std::optional<std::string> ConsoleHost::chooseFile(const FileDialogRequest& request) {
  switch (request.kind) {
    case FileDialogKind::Open: return openAnswer;
    case FileDialogKind::Save: return saveAnswer;
    case FileDialogKind::OpenPicture: return std::nullopt;
  }
  return std::nullopt;
}

MessageAnswer ConsoleHost::showMessage(const MessageBoxRequest& request) {
  const char* kind = "note";
  switch (request.kind) {
    case MessageKind::Error: kind = "error"; break;
    case MessageKind::Warning: kind = "warning"; break;
    case MessageKind::Confirmation: kind = "question"; break;
    case MessageKind::Information: kind = "note"; break;
  }
  std::string text = oneLine(request.text);
  if (request.buttons != MessageButtons::OkAbort) {
    if (request.kind == MessageKind::Error) ++errors;
    std::cerr << "quillomatrix: " << kind << ": " << text << '\n';
    return MessageAnswer::Ok;
  }
  if (assumeYes) {
    if (!quiet) std::cerr << "quillomatrix: " << kind << ": " << text << " yes (-y)\n";
    return MessageAnswer::Ok;
  }
  if (interactive) {
    std::cerr << "quillomatrix: " << kind << ": " << text << " [y/N] " << std::flush;
    std::string answer;
    if (std::getline(std::cin, answer) && (answer == "y" || answer == "Y" || answer == "yes")) {
      return MessageAnswer::Ok;
    }
  }
  if (refusedQuestion.empty()) refusedQuestion = text;
  return MessageAnswer::Abort;
}

void ConsoleHost::statusChanged(const std::string& text) {
  if (!quiet && !text.empty()) std::cerr << "quillomatrix: " << text << '\n';
}

void ConsoleHost::windowShown(Window& window) {
  if (window.name() == "Form1") return;
  if (onWindowShown) {
    onWindowShown(window);
  } else {
    window.hide();
  }
}

void ConsoleHost::openDocument(const std::string& path) {
  if (!openViewer) return;
  const char* arguments[] = {"xdg-open", path.c_str(), nullptr};
  pid_t child = 0;
  if (::posix_spawnp(&child, "xdg-open", nullptr, nullptr, const_cast<char* const*>(arguments), environ) != 0) {
    std::cerr << "quillomatrix: warning: cannot start a viewer (xdg-open) for " << path << '\n';
  }
}

}  // namespace qm::cli
