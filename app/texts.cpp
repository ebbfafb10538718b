#include "app/texts.h"

#include <iterator>

namespace qm {

namespace {

struct Entry {
  Text id;
  TextPair pair;
};

constexpr Entry kTexts[] = {
    {Text::PdfExistsQuestion, {"This PDF file :\n", "Ce fichier PDF :\n"}},
    {Text::RtfExistsQuestion, {"This RTF source file :\n", "Ce fichier source RTF :\n"}},
    {Text::PictureExistsQuestion, {"This picture file :\n", "Ce fichier image :\n"}},
    {Text::StatusSaving, {"Saving RTF code...", "Sauvegarde du code RTF..."}},
    {Text::StatusDecoding, {"Decoding RTF code...", "Analyse du code RTF..."}},
    {Text::StatusCreatingPdf, {"Generating PDF code...", "Génération du code PDF..."}},
    {Text::StatusCreatingPage, {"Creating PDF page  ", "Création de la page PDF  "}},
    {Text::ClearCaption, {"Clear", "Effacer"}},
    {Text::InsertPictureCaption, {"Insert picture", "Insérer image"}},
    {Text::SelectAllCaption, {"Select all", "Sélection totale"}},
    {Text::OpenHint, {"Open RTF file", "Charger un fichier RTF"}},
    {Text::ClearHint, {"Clean-up the RTF pad", "Effacer totalement la zone de saisie"}},
    {Text::CutHint, {"Cut", "Couper"}},
    {Text::CopyHint, {"Copy", "Copier"}},
    {Text::PasteHint, {"Paste", "Coller"}},
    {Text::UndoHint, {"Undo/Redo", "Défait/Refait"}},
    {Text::InsertPictureHint, {"Insert a Jpeg picture", "Insérer une image Jpeg"}},
    {Text::ResetFormatHint, {"Font size 11, black color, no attributes", "Police taille 11, noire, pas d'attributs"}},
    {Text::BoldHint, {"Bold", "Gras"}},
    {Text::RedHint, {"Red", "Rouge"}},
    {Text::BlueHint, {"Blue", "Bleu"}},
    {Text::GreenHint, {"Green", "Vert"}},
    {Text::BlackHint, {"Black", "Noir"}},
    {Text::ItalicHint, {"Italic", "Italique"}},
    {Text::ItalicBoldHint, {"Italic Bold", "Italique Gras"}},
    {Text::PdfHint, {"Save RTF and produce PDF", "Sauvegarde du code RTF et génération du code PDF"}},
    {Text::SelectAllHint, {"Compelely select the RTF texte", "Selection de la totalité du texte"}},
    {Text::FontNameHint, {"Font name", "Choix de la police de caractères"}},
    {Text::FontSizeHint, {"Font size", "Taille de la police de caractères"}},
    {Text::ShowAnnotationCaption, {"Show Annotation", "Montrer l'annotation"}},
    {Text::TitleLabel, {"Title", "Titre"}},
    {Text::AuthorLabel, {"Author", "Auteur"}},
    {Text::SubjectLabel, {"Subject", "Objet"}},
    {Text::CreatorLabel, {"Creator", "Créateur"}},
    {Text::AnnotationLabel, {"Annotation", "Annotation"}},
};

constexpr bool tableInOrder() {
  for (size_t i = 0; i < std::size(kTexts); ++i) {
    if (static_cast<size_t>(kTexts[i].id) != i) return false;
  }
  return true;
}
static_assert(tableInOrder(), "the text table follows the order of Text");

}  // namespace

const TextPair& textPair(Text id) { return kTexts[static_cast<size_t>(id)].pair; }

std::string tr(Text id, char language) {
  const TextPair& pair = textPair(id);
  return language == 'F' ? pair.french : pair.english;
}

std::string question(Text id, char language, const std::string& fileName) {
  const char* tail = language == 'F' ? "\nexiste déja.\n\nVoulez vous le remplacer ?"
                                     : "\nalready exist.\n\nDo you want to replace it ?";
  return tr(id, language) + fileName + tail;
}

}  // namespace qm
