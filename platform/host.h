// Host: everything that needs a person or the desktop goes through here.
// The program never asks the user directly; it asks its Host, which is a
// scripted one in tests, a console one on the command line and a desktop one
// in the windowed program.
#pragma once

#include <optional>
#include <string>

namespace qm {

class Window;

enum class MessageKind { Error, Warning, Confirmation, Information };
enum class MessageButtons { Ok, OkAbort };
enum class MessageAnswer { Ok, Abort };

struct MessageBoxRequest {
  MessageKind kind = MessageKind::Information;
  MessageButtons buttons = MessageButtons::Ok;
  std::string text;  // UTF-8
};

enum class FileDialogKind { Open, Save, OpenPicture };

struct FileDialogRequest {
  FileDialogKind kind = FileDialogKind::Open;
  std::string title;   // empty: the platform's default title
  std::string filter;  // "description|pattern" pairs
  std::string defaultExtension;
};

class Host {
 public:
  virtual ~Host() = default;

  // A file chosen by the user, or nullopt when the dialog was cancelled.
  virtual std::optional<std::string> chooseFile(const FileDialogRequest& request) = 0;
  virtual MessageAnswer showMessage(const MessageBoxRequest& request) = 0;
  // The status label changed (the conversion's progress texts).
  virtual void statusChanged(const std::string& text) { (void)text; }
  // A window became visible or hidden; a host may answer a dialog then.
  virtual void windowShown(Window& window) { (void)window; }
  // Let the user act: run pending user-interface events once.
  virtual void processMessages() {}
  virtual void openDocument(const std::string& path) { (void)path; }
  virtual void beep() {}
  virtual void sleepMilliseconds(int milliseconds) { (void)milliseconds; }
};

}  // namespace qm
