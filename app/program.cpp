#include "app/program.h"

#include "app/help_form.h"
#include "app/main_form.h"
#include "props/properties_form.h"

namespace qm {

Program::Program(Host& host) : application_(host) {
  application_.title = "Quillomatrix";
  form1_ = std::make_unique<TForm1>(*this);
  form2_ = std::make_unique<TForm2>(*this);
  form3_ = std::make_unique<TForm3>(*this);
}

Program::~Program() = default;

void Program::start() { form1_->show(); }

}  // namespace qm
