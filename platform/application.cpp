#include "platform/application.h"

#include <new>

namespace qm {

Window::Window(Application& application, std::string name) : application_(application), name_(std::move(name)) {
  application_.registerWindow(*this);
}

void Window::show() {
  if (!visible_) {
    visible_ = true;
    FormShow();
  }
  application_.host().windowShown(*this);
}

void Window::hide() { visible_ = false; }

void Window::resize(int newWidth, int newHeight) {
  width = newWidth;
  height = newHeight;
  FormResize();
}

void Application::showStandardError(const std::string& text) {
  host_.showMessage({MessageKind::Error, MessageButtons::Ok, text});
}

void Application::runHandler(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const SilentAbort&) {
  } catch (const std::bad_alloc&) {
    showStandardError("Out of memory.");
  } catch (const std::exception& error) {
    showStandardError(error.what());
  }
}

}  // namespace qm
