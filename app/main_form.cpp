#include "app/main_form.h"

#include "app/help_form.h"
#include "app/program.h"
#include "app/texts.h"
#include "pdf/conversion.h"
#include "pdf/font_widths.h"
#include "platform/jpeg_info.h"
#include "props/properties_form.h"

namespace qm {

namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kTint{214, 248, 248};
constexpr int kPageHeight = 732;
constexpr size_t kSnippetBuffer = 10000;

// Doubles every lone backslash of a path for RTF (a pair already doubled
// stays), and escapes braces, which would otherwise open or close groups.
std::string escapePathForRtf(std::string path) {
  for (size_t i = 1; i + 1 < path.size(); ++i) {
    if (path[i] == '\\' && path[i - 1] != '\\' && path[i + 1] != '\\') {
      path.insert(i, 1, '\\');
      ++i;
    }
  }
  std::string escaped;
  for (char c : path) {
    if (c == '{' || c == '}') escaped.push_back('\\');
    escaped.push_back(c);
  }
  return escaped;
}

}  // namespace

TForm1::TForm1(Program& program)
    : Window(program.application(), "Form1"),
      RichEdit1("RichEdit1", program.clipboard()),
      OpenDialog1(program.application(), FileDialogKind::Open),
      OpenPictureDialog1(program.application(), FileDialogKind::OpenPicture),
      SaveDialog1(program.application(), FileDialogKind::Save),
      program_(program) {
  layOut();
  connect();
}

void TForm1::layOut() {
  caption = "Quillomatrix  Version 2.0";
  width = 923;
  height = 740;
  centred = true;

  RichEdit1.setBounds(16, 5, 617, 690);
  // Paragraphs of opened files that would run past the PDF page's right
  // edge are broken into lines that fit.
  RichEdit1.wrapLongParagraphs = true;
  RichEdit1.wrapWidth = pdf::kLineWidth;
  RichEdit1.characterAdvance = pdf::characterAdvance;
  RichEdit1.colour = {255, 255, 255};
  RichEdit1.font = {"Times New Roman", 15, false, {}};

  struct ButtonSpec {
    Button& button;
    int left, top, width, height;
    const char* caption;
    const char* hint;
  };
  ButtonSpec buttons[] = {
      {BitBtn19, 725, 76, 25, 25, "", "English version"},
      {BitBtn20, 725, 76, 25, 25, "", "Version en français"},
      {BitBtn1, 796, 76, 25, 25, "", "Open RTF file"},
      {BitBtn3, 725, 156, 100, 25, "Clear", "Clear pad"},
      {BitBtn18, 725, 183, 100, 25, "Select all", "Compelely select the RTF texte"},
      {BitBtn4, 725, 211, 25, 25, "", "Cut"},
      {BitBtn5, 750, 211, 25, 25, "", "Copy"},
      {BitBtn6, 775, 211, 25, 25, "", "Paste"},
      {BitBtn7, 800, 211, 25, 25, "", "Undo/Redo"},
      {BitBtn8, 725, 239, 100, 25, "Insert picture", "Add pict"},
      {BitBtn9, 725, 307, 25, 25, "", "Font size 11, black color, no attributes"},
      {BitBtn10, 750, 307, 25, 25, "", "Bold"},
      {BitBtn15, 775, 307, 25, 25, "", "Italic"},
      {BitBtn22, 800, 307, 25, 25, "", "Italic Bold"},
      {BitBtn11, 725, 339, 25, 25, "", "Red"},
      {BitBtn12, 750, 339, 25, 25, "", "Blue"},
      {BitBtn13, 775, 339, 25, 25, "", "Green"},
      {BitBtn21, 800, 339, 25, 25, "", "Black"},
      {BitBtn16, 725, 550, 100, 25, "PDF", "Save RTF and produce PDF"},
  };
  for (auto& spec : buttons) {
    spec.button.setBounds(spec.left, spec.top, spec.width, spec.height);
    spec.button.caption = spec.caption;
    spec.button.hint = spec.hint;
  }

  ComboBox1.setBounds(725, 381, 98, 21);
  ComboBox1.hint = "Font name";
  ComboBox1.items = {"Courier", "Helvetica", "Times New Roman"};
  ComboBox1.text = "Times New Roman";
  Edit4.setBounds(725, 409, 79, 21);
  Edit4.hint = "Font size";
  Edit4.setText("11");
  UpDown1.hint = "Font size";
  UpDown1.minimum = 0;
  UpDown1.maximum = 1637;
  UpDown1.position = 11;
  UpDown1.associate = &Edit4;

  Label6.caption = "Page";
  Label6.setBounds(726, 447, 40, 15);
  Label6.font = {"Tahoma", 15, true, {}};
  Label10.setBounds(778, 447, 40, 15);
  Label10.font = {"Tahoma", 15, true, kRed};
  CheckBox1.caption = "Show Annotation";
  CheckBox1.setBounds(725, 516, 150, 17);
  CheckBox1.font.bold = true;
  CheckBox1.checked = true;
  Label8.setBounds(642, 649, 255, 24);
  Label8.font = {"Tahoma", 19, true, kRed};

  OpenDialog1.filter = "*.rtf|*.rtf";
  OpenPictureDialog1.filter = "Fichier image JPEG (*.jpg)|*.jpg";
  SaveDialog1.filter = "*.pdf|*.pdf";
  SaveDialog1.defaultExtension = "pdf";

  struct HiddenLabel {
    Label& label;
    const char* caption;
  };
  for (auto& hidden : {HiddenLabel{Label3, "\\fonttbl"}, HiddenLabel{Label4, "\\colortbl"}, HiddenLabel{Label1, "Lines"},
                       HiddenLabel{Label2, "Picts"}, HiddenLabel{Label5, "Pages"}, HiddenLabel{Label7, "RTF"},
                       HiddenLabel{Label9, "Absolute Y"}}) {
    hidden.label.caption = hidden.caption;
    hidden.label.visible = false;
  }
  BitBtn2.caption = "RTF";
  BitBtn2.hint = "Save RTF";
  BitBtn14.hint = "Underline";
  BitBtn17.caption = "Seek";
  BitBtn23.hint = "Open RTF file";
  Button1.caption = "Get caret pos";
  Button2.caption = "First visible line";
  Button3.caption = "Page up";
  Button4.caption = "Page down";
  Button5.caption = "Vert Scroll pos";
  for (Control* hidden : std::initializer_list<Control*>{&BitBtn2, &BitBtn14, &BitBtn17, &BitBtn23, &Button1,
                                                         &Button2, &Button3, &Button4, &Button5}) {
    hidden->visible = false;
  }
  Edit2.setText("X");
  Edit3.setText("Y");
  Edit7.colour = kRed;
  Edit7.font.colour = {255, 255, 255};
  Edit5.setText("100");
  UpDown2.minimum = 0;
  UpDown2.maximum = 200;
  UpDown2.position = 100;
  UpDown2.associate = &Edit5;
  for (Control* hidden : std::initializer_list<Control*>{&Edit1, &Edit2, &Edit3, &Edit5, &Edit6, &Edit7, &Edit8,
                                                         &UpDown2}) {
    hidden->visible = false;
  }
  for (StringGridControl* grid : {&SG1, &SG2, &SG3, &SG4, &SG5, &SG6}) grid->visible = false;
}

void TForm1::connect() {
  auto bind = [this](Control& control, void (TForm1::*handler)()) {
    control.onClick = [this, handler] { application().runHandler([this, handler] { (this->*handler)(); }); };
  };
  bind(BitBtn16, &TForm1::BitBtn16Click);
  bind(BitBtn1, &TForm1::BitBtn1Click);
  bind(BitBtn8, &TForm1::BitBtn8Click);
  bind(BitBtn19, &TForm1::BitBtn19Click);
  bind(BitBtn20, &TForm1::BitBtn19Click);
  bind(BitBtn23, &TForm1::BitBtn23Click);
  bind(BitBtn3, &TForm1::BitBtn3Click);
  bind(BitBtn18, &TForm1::BitBtn18Click);
  bind(BitBtn4, &TForm1::BitBtn4Click);
  bind(BitBtn5, &TForm1::BitBtn5Click);
  bind(BitBtn6, &TForm1::BitBtn6Click);
  bind(BitBtn7, &TForm1::BitBtn7Click);
  bind(BitBtn9, &TForm1::BitBtn9Click);
  bind(BitBtn10, &TForm1::BitBtn10Click);
  bind(BitBtn15, &TForm1::BitBtn15Click);
  bind(BitBtn14, &TForm1::BitBtn14Click);
  bind(BitBtn22, &TForm1::BitBtn22Click);
  bind(BitBtn11, &TForm1::BitBtn11Click);
  bind(BitBtn12, &TForm1::BitBtn12Click);
  bind(BitBtn13, &TForm1::BitBtn13Click);
  bind(BitBtn21, &TForm1::BitBtn21Click);
  bind(BitBtn2, &TForm1::BitBtn2Click);
  bind(BitBtn17, &TForm1::BitBtn17Click);
  bind(Button1, &TForm1::Button1Click);
  bind(Button2, &TForm1::Button2Click);
  bind(Button3, &TForm1::Button3Click);
  bind(Button4, &TForm1::Button4Click);
  bind(Button5, &TForm1::Button5Click);
  ComboBox1.onChange = [this] { application().runHandler([this] { ComboBox1Change(); }); };
  Edit4.onChange = [this] { application().runHandler([this] { Edit4Change(); }); };
  RichEdit1.onKeyUp = [this] { application().runHandler([this] { RichEdit1KeyUp(); }); };
  RichEdit1.onMouseUp = [this] { application().runHandler([this] { RichEdit1MouseUp(); }); };
}

void TForm1::FormResize() { RichEdit1.height = height - 50; }

void TForm1::setStatus(const std::string& text) {
  Label8.caption = text;
  program_.host().statusChanged(text);
  application().processMessages();
}

void TForm1::BitBtn16Click() {
  if (application().conversionUnderWay()) return;
  pdf::Conversion(program_).run();
}

// Opening an RTF file: the pad reads it itself.
void TForm1::BitBtn1Click() {
  if (application().conversionUnderWay()) return;
  ProgramState& state = program_.state();
  RichEdit1.clear();
  caption = "Quillomatrix  Version 2.0";
  if (!OpenDialog1.execute()) throw SilentAbort{};
  state.openedFileName = OpenDialog1.fileName;
  state.counters.pages = 1;
  MemoryStream stream;
  stream.loadFromFile(state.openedFileName);
  bool ok = RichEdit1.streamIn(stream, false);
  if (RichEdit1.wrapLongParagraphs) RichEdit1.breakLongParagraphs();
  state.replacedCharacters = RichEdit1.lastReadReport().replacedCharacters;
  state.droppedPictures = RichEdit1.lastReadReport().droppedPictures;
  if (!ok) MessageDlg(application(), "Failed to read stream.", MessageKind::Error);
  caption = state.openedFileName;
  WorkGrid& captions = program_.Form2().StringGrid1.grid;
  captions.clearCells(1, state.counters.captions, 0, 1);
  state.counters.captions = 0;
}

// Inserting a JPEG picture: the picture, then its path as hidden text and a
// paragraph break, refused when it does not fit on the rest of the page.
void TForm1::BitBtn8Click() {
  if (application().conversionUnderWay()) return;
  ProgramState& state = program_.state();
  if (!OpenPictureDialog1.execute()) throw SilentAbort{};
  state.pictureFileName = OpenPictureDialog1.fileName;
  const std::string& path = state.pictureFileName;
  std::string extension = path.size() >= 4 ? path.substr(path.size() - 4) : path;
  if (extension != ".jpg" && extension != ".JPG") {
    MessageDlg(application(), path + "\nis not a jpeg image.", MessageKind::Error);
    throw SilentAbort{};
  }
  auto picture = std::make_shared<richedit::Picture>();
  if (!readWholeFile(path, picture->jpeg)) throw PlatformError("Cannot open file \"" + path + "\".");
  JpegInfo info = readJpegInfo(picture->jpeg);
  if (!info.valid) throw PlatformError("JPEG error: \"" + path + "\" is not a JPEG picture that can be read.");
  picture->width = info.width;
  picture->height = info.height;
  picture->sourcePath = path;

  Point caret = RichEdit1.caretPos();
  int y = caret.y + RichEdit1.vertScrollPos();
  while (y > kPageHeight) y -= kPageHeight;
  int room = kPageHeight - y;
  if (room < info.height) {
    MessageDlg(application(),
               "Image height greater than remaining room on this page :\n\nImage height = " +
                   std::to_string(info.height) + " pixels\nRemaining room = " + std::to_string(room) + " pixels",
               MessageKind::Error);
    throw SilentAbort{};
  }
  std::string snippet =
      "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\froman Times New Roman;}}\n"
      "{\\colortbl\\red0\\green0\\blue0;}\n"
      "\\deflang1033\\pard\\plain\\f3\\fs20 \\v " +
      escapePathForRtf(path) + "\\v0\n\\par }";
  if (snippet.size() >= kSnippetBuffer) {
    MessageDlg(application(), path + "\nThe path of this picture is too long.", MessageKind::Error);
    throw SilentAbort{};
  }
  program_.clipboard().setPicture(picture);
  RichEdit1.pasteFromClipboard();
  MemoryStream stream;
  stream.write(snippet);
  stream.seek(0);
  if (!RichEdit1.streamIn(stream, true)) MessageDlg(application(), "Failed to read stream es.", MessageKind::Error);
}

void TForm1::BitBtn19Click() {
  ProgramState& state = program_.state();
  char language = state.language == 'E' ? 'F' : 'E';
  state.language = language;
  struct Binding {
    std::string& target;
    Text text;
  };
  TForm2& form2 = program_.Form2();
  Binding bindings[] = {
      {BitBtn3.caption, Text::ClearCaption},      {BitBtn8.caption, Text::InsertPictureCaption},
      {BitBtn18.caption, Text::SelectAllCaption}, {BitBtn1.hint, Text::OpenHint},
      {BitBtn3.hint, Text::ClearHint},            {BitBtn4.hint, Text::CutHint},
      {BitBtn5.hint, Text::CopyHint},             {BitBtn6.hint, Text::PasteHint},
      {BitBtn7.hint, Text::UndoHint},             {BitBtn8.hint, Text::InsertPictureHint},
      {BitBtn9.hint, Text::ResetFormatHint},      {BitBtn10.hint, Text::BoldHint},
      {BitBtn11.hint, Text::RedHint},             {BitBtn12.hint, Text::BlueHint},
      {BitBtn13.hint, Text::GreenHint},           {BitBtn21.hint, Text::BlackHint},
      {BitBtn15.hint, Text::ItalicHint},          {BitBtn22.hint, Text::ItalicBoldHint},
      {BitBtn16.hint, Text::PdfHint},             {BitBtn18.hint, Text::SelectAllHint},
      {ComboBox1.hint, Text::FontNameHint},       {Edit4.hint, Text::FontSizeHint},
      {UpDown1.hint, Text::FontSizeHint},         {CheckBox1.caption, Text::ShowAnnotationCaption},
      {form2.Label1.caption, Text::TitleLabel},   {form2.Label2.caption, Text::AuthorLabel},
      {form2.Label3.caption, Text::SubjectLabel}, {form2.Label4.caption, Text::CreatorLabel},
      {form2.Label5.caption, Text::AnnotationLabel},
  };
  for (auto& binding : bindings) binding.target = tr(binding.text, language);
  BitBtn19.visible = language == 'F';
  BitBtn20.visible = language != 'F';
}

void TForm1::BitBtn23Click() {
  program_.Form3().show();
  bool found = fileExists("Aide_Français.rtf");
  ShowMessage(application(), found ? "Aide_Français.rtf Trouvé " : "Impossible de trouver Aide_Français.rtf");
}

void TForm1::BitBtn3Click() {
  if (application().conversionUnderWay()) return;
  RichEdit1.clear();
  caption = "Quillomatrix  Version 2.0";
}

void TForm1::BitBtn18Click() {
  RichEdit1.selectAll();
  RichEdit1.setFocus();
}

void TForm1::BitBtn4Click() {
  if (!application().conversionUnderWay()) RichEdit1.cutToClipboard();
}
void TForm1::BitBtn5Click() { RichEdit1.copyToClipboard(); }
void TForm1::BitBtn6Click() {
  if (!application().conversionUnderWay()) RichEdit1.pasteFromClipboard();
}
void TForm1::BitBtn7Click() {
  if (!application().conversionUnderWay()) RichEdit1.undo();
}

void TForm1::BitBtn9Click() {
  if (application().conversionUnderWay()) return;
  RichEdit1.setSelSizePoints(11);
  RichEdit1.setSelColour(kBlack);
  RichEdit1.setSelStyle(false, false, false);
}

void TForm1::toggleStyle(bool& flag, bool bold, bool italic, bool underline) {
  if (application().conversionUnderWay()) return;
  if (flag) {
    RichEdit1.setSelStyle(false, false, false);
    flag = false;
  } else {
    RichEdit1.setSelStyle(bold, italic, underline);
    flag = true;
  }
}

void TForm1::BitBtn10Click() { toggleStyle(program_.state().boldToggle, true, false, false); }
void TForm1::BitBtn15Click() { toggleStyle(program_.state().italicToggle, false, true, false); }
void TForm1::BitBtn14Click() { toggleStyle(program_.state().underlineToggle, false, false, true); }

void TForm1::BitBtn22Click() {
  if (application().conversionUnderWay()) return;
  RichEdit1.setSelStyle(true, true, false);
  program_.state().boldToggle = true;
  program_.state().italicToggle = true;
}

void TForm1::BitBtn11Click() {
  if (!application().conversionUnderWay()) RichEdit1.setSelColour(kRed);
}
void TForm1::BitBtn12Click() {
  if (!application().conversionUnderWay()) RichEdit1.setSelColour(kBlue);
}
void TForm1::BitBtn13Click() {
  if (!application().conversionUnderWay()) RichEdit1.setSelColour(kGreen);
}
void TForm1::BitBtn21Click() {
  if (!application().conversionUnderWay()) RichEdit1.setSelColour(kBlack);
}

void TForm1::ComboBox1Change() {
  if (application().conversionUnderWay()) return;
  int index = ComboBox1.itemIndex;
  if (index >= 0 && index < static_cast<int>(ComboBox1.items.size())) {
    RichEdit1.setSelFontName(ComboBox1.items[static_cast<size_t>(index)]);
  }
}

void TForm1::Edit4Change() {
  if (application().conversionUnderWay()) return;
  if (textToInt(Edit4.text(), 11) > 1637) Edit4.setText("1637");  // raises the change again
  RichEdit1.setSelSizePoints(textToInt(Edit4.text(), 11));
}

void TForm1::pageIndicator() {
  int y = RichEdit1.caretPos().y + RichEdit1.vertScrollPos();
  Edit7.setText(std::to_string(y));
  int page = 1;
  while (y > kPageHeight) {
    y -= kPageHeight;
    ++page;
  }
  Label10.caption = std::to_string(page);
  RichEdit1.colour = page % 2 == 1 ? Rgb{255, 255, 255} : kTint;
}

void TForm1::RichEdit1KeyUp() { pageIndicator(); }
void TForm1::RichEdit1MouseUp() { pageIndicator(); }

void TForm1::BitBtn17Click() {
  const std::string& needle = Edit1.text();
  int found = RichEdit1.findText(needle, 0, RichEdit1.textLength());
  if (found < 0) return;
  RichEdit1.setFocus();
  RichEdit1.setSelection(found, static_cast<int>(needle.size()));
}

void TForm1::Button1Click() {
  Point caret = RichEdit1.caretPos();
  Edit2.setText(std::to_string(caret.x));
  Edit3.setText(std::to_string(caret.y));
}
void TForm1::Button2Click() { Edit8.setText(std::to_string(RichEdit1.firstVisibleLine())); }
void TForm1::Button3Click() { RichEdit1.scrollPageUp(); }
void TForm1::Button4Click() { RichEdit1.scrollPageDown(); }
void TForm1::Button5Click() { Edit6.setText(std::to_string(RichEdit1.vertScrollPos())); }

}  // namespace qm
