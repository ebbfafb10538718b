// TForm2, the document properties dialog: title, author, subject, creator,
// the annotation and one caption per page.  The conversion shows it between
// the pages and the document objects; its OK button hands the values to the
// PDF and keeps them in the parameter file beside it.
#pragma once

#include "platform/application.h"
#include "platform/controls.h"

namespace qm {

class Program;

class TForm2 : public Window {
 public:
  explicit TForm2(Program& program);

  Label Label1{"Label1"}, Label2{"Label2"}, Label3{"Label3"}, Label4{"Label4"}, Label5{"Label5"};
  Edit Edit1{"Edit1"}, Edit2{"Edit2"}, Edit3{"Edit3"}, Edit4{"Edit4"};
  Memo Memo1{"Memo1"};
  StringGridControl StringGrid1{"StringGrid1", 2, 5};
  Button BitBtn1{"BitBtn1"};

  void BitBtn1Click();
  // Controls in tab order.
  std::vector<Control*> tabOrder();

 protected:
  void FormShow() override;

 private:
  void fillDefaultCaptions(int extraRows);
  Program& program_;
};

}  // namespace qm
