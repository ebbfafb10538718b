// TForm1, the main window: the editor pad, the formatting column, the PDF
// button, the status label, the page indicator, the file dialogs and the six
// hidden work grids that hold every intermediate result of a conversion.
#pragma once

#include <memory>
#include <string>

#include "platform/application.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/richedit/rich_edit.h"

namespace qm {

class Program;

class TForm1 : public Window {
 public:
  explicit TForm1(Program& program);

  Program& program() { return program_; }

  RichEdit RichEdit1;

  Button BitBtn19{"BitBtn19"}, BitBtn20{"BitBtn20"}, BitBtn1{"BitBtn1"}, BitBtn3{"BitBtn3"}, BitBtn18{"BitBtn18"},
      BitBtn4{"BitBtn4"}, BitBtn5{"BitBtn5"}, BitBtn6{"BitBtn6"}, BitBtn7{"BitBtn7"}, BitBtn8{"BitBtn8"},
      BitBtn9{"BitBtn9"}, BitBtn10{"BitBtn10"}, BitBtn15{"BitBtn15"}, BitBtn22{"BitBtn22"}, BitBtn11{"BitBtn11"},
      BitBtn12{"BitBtn12"}, BitBtn13{"BitBtn13"}, BitBtn21{"BitBtn21"}, BitBtn16{"BitBtn16"};
  // Hidden buttons.
  Button BitBtn2{"BitBtn2"}, BitBtn14{"BitBtn14"}, BitBtn17{"BitBtn17"}, BitBtn23{"BitBtn23"}, Button1{"Button1"},
      Button2{"Button2"}, Button3{"Button3"}, Button4{"Button4"}, Button5{"Button5"};

  ComboBox ComboBox1{"ComboBox1"};
  Edit Edit4{"Edit4"};
  UpDown UpDown1{"UpDown1"};
  Label Label6{"Label6"}, Label10{"Label10"}, Label8{"Label8"};
  CheckBox CheckBox1{"CheckBox1"};
  // Hidden labels and edits.
  Label Label1{"Label1"}, Label2{"Label2"}, Label3{"Label3"}, Label4{"Label4"}, Label5{"Label5"}, Label7{"Label7"},
      Label9{"Label9"};
  Edit Edit1{"Edit1"}, Edit2{"Edit2"}, Edit3{"Edit3"}, Edit5{"Edit5"}, Edit6{"Edit6"}, Edit7{"Edit7"}, Edit8{"Edit8"};
  UpDown UpDown2{"UpDown2"};

  StringGridControl SG1{"SG1", 13, 5}, SG2{"SG2", 2, 5}, SG3{"SG3", 4, 5}, SG4{"SG4", 6, 5}, SG5{"SG5", 10, 10},
      SG6{"SG6", 6, 5};

  FileDialog OpenDialog1, OpenPictureDialog1, SaveDialog1;

  // Handlers.
  void FormCreate() {}
  void BitBtn16Click();  // the conversion
  void BitBtn1Click();   // open an RTF file
  void BitBtn8Click();   // insert a picture
  void BitBtn19Click();  // language switch (both flag buttons)
  void BitBtn23Click();  // help viewer
  void BitBtn3Click();
  void BitBtn18Click();
  void BitBtn4Click();
  void BitBtn5Click();
  void BitBtn6Click();
  void BitBtn7Click();
  void BitBtn9Click();
  void BitBtn10Click();
  void BitBtn15Click();
  void BitBtn14Click();
  void BitBtn22Click();
  void BitBtn11Click();
  void BitBtn12Click();
  void BitBtn13Click();
  void BitBtn21Click();
  void ComboBox1Change();
  void Edit4Change();
  void RichEdit1KeyUp();
  void RichEdit1MouseUp();
  void BitBtn2Click() {}
  void BitBtn17Click();
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();
  void Button5Click();

  // Sets the status label and lets the window repaint.
  void setStatus(const std::string& text);

 protected:
  void FormShow() override {}
  void FormResize() override;

 private:
  void layOut();
  void connect();
  void toggleStyle(bool& flag, bool bold, bool italic, bool underline);
  void pageIndicator();

  Program& program_;
};

}  // namespace qm
