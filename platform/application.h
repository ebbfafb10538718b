// The application object: its title, the windows it owns in creation order,
// the processing of pending messages, the silent abort that ends a command
// when the user cancels, and the standard error box that reports any other
// exception escaping a handler and lets the program go on.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/host.h"

namespace qm {

class Application;

// Ends the current command without a message (a cancelled dialog, Abort).
struct SilentAbort {};

// An error the standard error box shows with this text.
class PlatformError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Window {
 public:
  Window(Application& application, std::string name);
  virtual ~Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  const std::string& name() const { return name_; }
  Application& application() { return application_; }

  std::string caption;
  int width = 0;
  int height = 0;
  bool centred = true;
  bool alwaysOnTop = false;

  bool visible() const { return visible_; }
  // Show runs the show handler, then tells the host the window is visible.
  void show();
  void hide();
  void resize(int newWidth, int newHeight);

 protected:
  virtual void FormShow() {}
  virtual void FormResize() {}

 private:
  Application& application_;
  std::string name_;
  bool visible_ = false;
};

class Application {
 public:
  explicit Application(Host& host) : host_(host) {}

  Host& host() { return host_; }
  std::string title;

  void registerWindow(Window& window) { windows_.push_back(&window); }
  const std::vector<Window*>& windows() const { return windows_; }

  void processMessages() { host_.processMessages(); }
  void sleep(int milliseconds) { host_.sleepMilliseconds(milliseconds); }
  void beep() { host_.beep(); }

  // Runs an event handler: a silent abort ends it quietly, any other
  // exception is shown in the standard error box; the program goes on.
  void runHandler(const std::function<void()>& handler);
  void showStandardError(const std::string& text);

  // While a conversion runs, the commands that change the pad or the grids
  // are refused (the conversion lets messages through and is not re-entrant).
  bool conversionUnderWay() const { return conversionUnderWay_; }
  void setConversionUnderWay(bool value) { conversionUnderWay_ = value; }

 private:
  Host& host_;
  std::vector<Window*> windows_;
  bool conversionUnderWay_ = false;
};

}  // namespace qm
