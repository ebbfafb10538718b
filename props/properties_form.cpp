#include "props/properties_form.h"

#include <cstdio>

#include "app/main_form.h"
#include "app/program.h"
#include "platform/dialogs.h"
#include "platform/memory_stream.h"
#include "props/param_file.h"

namespace qm {

TForm2::TForm2(Program& program) : Window(program.application(), "Form2"), program_(program) {
  caption = "Quillomatrix  Version 2.0";
  width = 716;
  height = 426;
  alwaysOnTop = true;
  struct Row {
    Label& label;
    const char* text;
    int labelLeft, labelTop;
    Control& field;
    int left, top, fieldWidth, fieldHeight;
  };
  Row rows[] = {
      {Label1, "Title", 20, 20, Edit1, 104, 16, 205, 21},
      {Label2, "Author", 20, 56, Edit2, 104, 52, 205, 21},
      {Label3, "Subject", 16, 92, Edit3, 104, 88, 205, 21},
      {Label4, "Creator", 16, 124, Edit4, 104, 120, 205, 21},
      {Label5, "Annotation", 20, 168, Memo1, 104, 164, 205, 117},
  };
  for (auto& row : rows) {
    row.label.caption = row.text;
    row.label.setBounds(row.labelLeft, row.labelTop, 80, 15);
    row.label.font = {"Tahoma", 15, true, {}};
    row.field.setBounds(row.left, row.top, row.fieldWidth, row.fieldHeight);
  }
  Memo1.maxLength = 1000;
  StringGrid1.setBounds(364, 16, 320, 353);
  StringGrid1.grid.setFixedColor({0, 255, 255});
  BitBtn1.caption = "OK";
  BitBtn1.setBounds(144, 352, 75, 25);
  BitBtn1.onClick = [this] { application().runHandler([this] { BitBtn1Click(); }); };
}

std::vector<Control*> TForm2::tabOrder() { return {&Edit1, &Edit2, &Edit3, &Edit4, &StringGrid1, &BitBtn1, &Memo1}; }

void TForm2::fillDefaultCaptions(int extraRows) {
  ProgramState& state = program_.state();
  WorkGrid& grid = StringGrid1.grid;
  int pages = state.counters.pages;
  for (int row = 1; row <= pages; ++row) {
    grid.setCell(0, row, row);
    grid.setCell(1, row, "Page " + std::to_string(row));
  }
  grid.setRowCount(pages + extraRows);
  state.counters.captions = pages + 1;
}

void TForm2::FormShow() {
  ProgramState& state = program_.state();
  const std::string& name = state.parameterFileName;
  if (fileExists(name)) {
    std::string bytes;
    if (!readWholeFile(name, bytes)) {
      MessageDlg(application(), "The parameter file\n\n" + name + "\n\ncannot be opened", MessageKind::Error);
    } else {
      props::ParameterFields stored = props::parseParameterFile(bytes);
      Edit* edits[] = {&Edit1, &Edit2, &Edit3, &Edit4};
      const std::string* values[] = {&stored.title, &stored.author, &stored.subject, &stored.creator};
      for (int i = 0; i < 4; ++i) {
        if (!values[i]->empty()) edits[i]->setText(*values[i]);
      }
      if (!stored.annotation.empty()) Memo1.text = stored.annotation;
      fillDefaultCaptions(1);
      WorkGrid& grid = StringGrid1.grid;
      int row = 1;
      for (const auto& storedRow : stored.captions) {
        if (!storedRow.number.empty()) grid.setCell(0, row, storedRow.number);
        if (!storedRow.caption.empty()) grid.setCell(1, row, storedRow.caption);
        ++row;
      }
    }
  } else {
    fillDefaultCaptions(2);
  }
  bool annotation = program_.Form1().CheckBox1.checked;
  Memo1.enabled = annotation;
  Label5.enabled = annotation;
}

void TForm2::BitBtn1Click() {
  ProgramState& state = program_.state();
  WorkGrid& grid = StringGrid1.grid;
  // "|" separates the fields of the parameter file; it cannot be kept.
  Memo1.text = props::withoutBars(Memo1.text);
  for (int row = 1; row <= state.counters.pages; ++row) {
    grid.setCell(0, row, props::withoutBars(std::string(grid.cell(0, row))));
    grid.setCell(1, row, props::withoutBars(std::string(grid.cell(1, row))));
  }
  state.properties = {Edit1.text(), Edit2.text(), Edit3.text(), Edit4.text(), Memo1.text};

  props::ParameterFields fields{Edit1.text(), Edit2.text(), Edit3.text(), Edit4.text(), Memo1.text, {}};
  for (int row = 1; row <= state.counters.pages; ++row) fields.captions.push_back({std::string(grid.cell(0, row)), std::string(grid.cell(1, row))});
  const std::string& name = state.parameterFileName;
  if (!writeWholeFile(name, props::formatParameterFile(fields))) {
    MessageDlg(application(), "The parameter file\n\n" + name + "\n\ncannot be created", MessageKind::Error);
  }
  hide();
}

}  // namespace qm
