// Controls as plain objects: the properties the program's windows use
// (caption, hint, text, visibility, position, font, colour ...) and events as
// callable handlers.  A desktop front end mirrors these objects on screen; the
// program logic only ever talks to them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "grid/work_grid.h"

namespace qm {

struct FontSpec {
  std::string name = "Tahoma";
  int heightPixels = 13;
  bool bold = false;
  Rgb colour{};
};

class Control {
 public:
  explicit Control(std::string name) : name_(std::move(name)) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& name() const { return name_; }

  std::string caption;
  std::string hint;
  bool visible = true;
  bool enabled = true;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  FontSpec font;
  Rgb colour{255, 255, 255};

  std::function<void()> onClick;

  // Runs the click handler as a user's click would.
  void click() {
    if (onClick && enabled) onClick();
  }
  void setBounds(int l, int t, int w, int h) {
    left = l;
    top = t;
    width = w;
    height = h;
  }

 private:
  std::string name_;
};

using Button = Control;
using Label = Control;

class Edit : public Control {
 public:
  using Control::Control;
  const std::string& text() const { return text_; }
  // Setting the text raises the change event when it differs, as typing does.
  void setText(std::string text);
  std::function<void()> onChange;

 private:
  std::string text_;
};

class Memo : public Control {
 public:
  using Control::Control;
  std::string text;  // lines separated by CR LF
  int maxLength = 0;
};

class CheckBox : public Control {
 public:
  using Control::Control;
  bool checked = false;
};

class ComboBox : public Control {
 public:
  using Control::Control;
  std::vector<std::string> items;
  int itemIndex = -1;
  std::string text;
  std::function<void()> onChange;
  // Picks an item as a user would, raising the change event.
  void choose(int index);
};

class UpDown : public Control {
 public:
  using Control::Control;
  int minimum = 0;
  int maximum = 100;
  int position = 0;
  bool wrap = false;
  Edit* associate = nullptr;
};

class StringGridControl : public Control {
 public:
  StringGridControl(std::string name, int columns, int rows) : Control(std::move(name)), grid(columns, rows) {}
  WorkGrid grid;
};

}  // namespace qm
