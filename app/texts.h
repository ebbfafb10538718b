// The texts the program shows in both languages, as one table.  The language
// flag is read at the moment a text is shown: 'F' picks French, any other
// value English.
#pragma once

#include <string>

namespace qm {

enum class Text {
  PdfExistsQuestion,        // + name between the two halves
  RtfExistsQuestion,
  PictureExistsQuestion,
  StatusSaving,
  StatusDecoding,
  StatusCreatingPdf,
  StatusCreatingPage,       // + page number
  // Captions and hints switched by the language buttons.
  ClearCaption,
  InsertPictureCaption,
  SelectAllCaption,
  OpenHint,
  ClearHint,
  CutHint,
  CopyHint,
  PasteHint,
  UndoHint,
  InsertPictureHint,
  ResetFormatHint,
  BoldHint,
  RedHint,
  BlueHint,
  GreenHint,
  BlackHint,
  ItalicHint,
  ItalicBoldHint,
  PdfHint,
  SelectAllHint,
  FontNameHint,
  FontSizeHint,
  ShowAnnotationCaption,
  TitleLabel,
  AuthorLabel,
  SubjectLabel,
  CreatorLabel,
  AnnotationLabel,
};

struct TextPair {
  const char* english;
  const char* french;
};

const TextPair& textPair(Text id);
// The text for a language flag.
std::string tr(Text id, char language);
// The two-part questions: first half, the file name, second half.
std::string question(Text id, char language, const std::string& fileName);

}  // namespace qm
