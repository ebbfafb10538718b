// The program: the application object, the program-wide state, the clipboard
// and the three windows, created in this order: Form1 (the main window),
// Form2 (document properties), Form3 (help viewer).  The windows reach each
// other through it.
#pragma once

#include <memory>

#include "app/program_state.h"
#include "platform/application.h"
#include "platform/clipboard.h"

namespace qm {

class TForm1;
class TForm2;
class TForm3;

class Program {
 public:
  explicit Program(Host& host);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  Application& application() { return application_; }
  Host& host() { return application_.host(); }
  ProgramState& state() { return state_; }
  Clipboard& clipboard() { return clipboard_; }
  TForm1& Form1() { return *form1_; }
  TForm2& Form2() { return *form2_; }
  TForm3& Form3() { return *form3_; }

  // Shows the main window, as the start-up does before the message loop.
  void start();

 private:
  Application application_;
  ProgramState state_;
  Clipboard clipboard_;
  std::unique_ptr<TForm1> form1_;
  std::unique_ptr<TForm2> form2_;
  std::unique_ptr<TForm3> form3_;
};

}  // namespace qm
