#include "pdf/conversion.h"

#include "app/main_form.h"
#include "app/program.h"
#include "app/texts.h"
#include "pdf/file_names.h"
#include "pdf/font_resolution.h"
#include "pdf/font_widths.h"
#include "pdf/layout.h"
#include "pdf/number_format.h"
#include "pdf/page_content.h"
#include "pdf/pdf_objects.h"
#include "pdf/pdf_writer.h"
#include "platform/clock.h"
#include "props/properties_form.h"
#include "rtf/reader.h"

namespace qm::pdf {

namespace {

constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kAqua{0, 255, 255};
constexpr Rgb kSkyBlue{166, 202, 240};

// Marks the conversion as under way for as long as it runs.
class UnderWay {
 public:
  explicit UnderWay(Application& application) : application_(application) {
    application_.setConversionUnderWay(true);
  }
  ~UnderWay() { application_.setConversionUnderWay(false); }
  UnderWay(const UnderWay&) = delete;
  UnderWay& operator=(const UnderWay&) = delete;

 private:
  Application& application_;
};

// Ends the conversion after a message was shown; the program goes on.
struct ConversionStopped {
  ConversionOutcome outcome;
};

}  // namespace

Conversion::Conversion(Program& program)
    : program_(program), form_(program.Form1()), state_(program.state()) {}

void Conversion::run() {
  UnderWay underWay(program_.application());
  state_.lastOutcome = ConversionOutcome::Failed;
  try {
    steps();
  } catch (const SilentAbort&) {
    state_.lastOutcome = ConversionOutcome::Cancelled;
    form_.setStatus("");
    throw;
  } catch (const ConversionStopped& stopped) {
    state_.lastOutcome = stopped.outcome;
    form_.setStatus("");
  } catch (...) {
    form_.Label8.caption.clear();
    throw;
  }
}

void Conversion::status(const std::string& text) { form_.setStatus(text); }

void Conversion::steps() {
  state_.paragraphCounter = 0;
  if (!askNames() || !exportPadPictures()) throw SilentAbort{};
  // Values inherited from token to token start afresh with every document.
  state_.remembered = RememberedValues{};
  saveAndReload();
  resetWorkGrids(program_);
  lineGeometry();
  if (!readRtf()) throw ConversionStopped{ConversionOutcome::Failed};

  ConversionTables tables{form_.SG1.grid, form_.SG2.grid, form_.SG3.grid,     form_.SG4.grid,
                          form_.SG5.grid, form_.SG6.grid, state_.counters, state_.remembered};
  resolveFonts(tables);
  textWidthPass(tables.tokens, state_.counters.tokens, tables.fonts, state_.counters.fonts,
                state_.remembered.currentFamily);
  paginate(tables.lines, state_.counters.lines);
  buildPageTable(tables.lines, state_.counters.lines, tables.pages, state_.counters);
  findTokenRanges(tables.tokens, tables.pages, state_.counters);
  writePdf(tables);
}

bool Conversion::askNames() {
  Application& application = program_.application();
  if (!form_.SaveDialog1.execute()) return false;
  ConversionFileNames names = deriveFileNames(form_.SaveDialog1.fileName);
  state_.pdfFileName = names.pdf;
  state_.rtfSourceFileName = names.rtfSource;
  state_.parameterFileName = names.parameters;
  char language = state_.language;
  if (fileExists(names.pdf) &&
      MessageDlg(application, question(Text::PdfExistsQuestion, language, names.pdf), MessageKind::Confirmation,
                 MessageButtons::OkAbort) == MessageAnswer::Abort) {
    return false;
  }
  if (fileExists(names.rtfSource) &&
      MessageDlg(application, question(Text::RtfExistsQuestion, language, names.rtfSource),
                 language == 'F' ? MessageKind::Confirmation : MessageKind::Warning,
                 MessageButtons::OkAbort) == MessageAnswer::Abort) {
    return false;
  }
  return true;
}

// Pictures that came into the pad with RTF have no file behind them, so the
// conversion would leave their place empty: each is written as a JPEG file
// beside the PDF ("doc-picture-1.jpg" ...) and given its hidden path.
bool Conversion::exportPadPictures() {
  RichEdit& pad = form_.RichEdit1;
  int count = pad.picturesWithoutPath();
  if (count == 0) return true;
  const std::string& pdfName = state_.pdfFileName;
  size_t slash = pdfName.find_last_of('/');
  size_t dot = pdfName.find_last_of('.');
  std::string stem = dot != std::string::npos && (slash == std::string::npos || dot > slash) ? pdfName.substr(0, dot)
                                                                                             : pdfName;
  auto nameOf = [&stem](int number) { return stem + "-picture-" + std::to_string(number) + ".jpg"; };
  Application& application = program_.application();
  for (int number = 1; number <= count; ++number) {
    if (fileExists(nameOf(number)) &&
        MessageDlg(application, question(Text::PictureExistsQuestion, state_.language, nameOf(number)),
                   MessageKind::Confirmation, MessageButtons::OkAbort) == MessageAnswer::Abort) {
      return false;
    }
  }
  pad.attachPicturePaths([&](const richedit::Picture& picture, int number) -> std::optional<std::string> {
    std::string name = nameOf(number);
    if (!writeWholeFile(name, picture.jpeg)) {
      MessageDlg(application, "The image file \n" + name + "\ncannot be created", MessageKind::Error);
      return std::nullopt;
    }
    return name;
  });
  return true;
}

void Conversion::saveAndReload() {
  Application& application = program_.application();
  status(tr(Text::StatusSaving, state_.language));
  {
    MemoryStream out;
    form_.RichEdit1.streamOut(out);
    out.saveToFile(state_.rtfSourceFileName);
  }
  form_.caption = state_.rtfSourceFileName;
  form_.RichEdit1.clear();
  application.processMessages();
  MemoryStream in;
  in.loadFromFile(state_.rtfSourceFileName);
  if (!form_.RichEdit1.streamIn(in, false)) MessageDlg(application, "Failed to read stream.", MessageKind::Error);
}

void resetWorkGrids(Program& program) {
  TForm1& form = program.Form1();
  RowCounters& counters = program.state().counters;
  struct Reset {
    WorkGrid& grid;
    Rgb colour;
    const char* header;
    int firstRow;
    int lastRow;
  };
  Reset resets[] = {
      {form.SG1.grid, kYellow, "NUM,KEYWORD,PARAM,Long,DONNEE,Bold,Italic,UnderL.,Hidden,SIZE,COLOR,FONT,Indice", 1,
       counters.tokens},
      {form.SG2.grid, kAqua, "NUM,NAME", 1, counters.fonts},
      {form.SG3.grid, kAqua, "NUM,RED,GREEN,BLUE", 1, counters.colours},
      {form.SG4.grid, kYellow, nullptr, 0, counters.lines},
      {form.SG5.grid, kSkyBlue, "Num,Object,Width,Height,X_RTF,Y_RTF,Page,Y_page,Line_PDF,X_PDF", 1,
       counters.pictures},
      {form.SG6.grid, kSkyBlue, "Num,Object,1st_line,last_line,1st_SG1,last_SG1", 1, counters.pageObjects},
  };
  // Columns emptied per grid: all but the line table's last one.
  const int lastColumns[] = {12, 1, 3, 4, 9, 5};
  for (size_t i = 0; i < std::size(resets); ++i) {
    Reset& reset = resets[i];
    reset.grid.setFixedColor(reset.colour);
    if (reset.header) reset.grid.setHeader(reset.header);
    reset.grid.clearCells(reset.firstRow, reset.lastRow, 0, lastColumns[i]);
  }
  counters.tokens = 0;
  counters.fonts = 1;
  counters.colours = 1;
  counters.lines = 1;
  counters.pictures = 0;
  counters.pageObjects = 0;
  WorkGrid& captions = program.Form2().StringGrid1.grid;
  captions.setFixedColor(kSkyBlue);
  captions.setHeader("Num,Caption");
  counters.captions = 0;
}

void Conversion::lineGeometry() {
  RichEdit& pad = form_.RichEdit1;
  WorkGrid& lines = form_.SG4.grid;
  int count = pad.lineCount();
  for (int line = 0; line < count; ++line) {
    Point position = pad.posFromChar(pad.lineIndex(line));
    lines.setCell(0, line, line);
    lines.setCell(1, line, position.y);
    if (line >= 1) {
      lines.setCell(2, line - 1, lines.integerAt(1, line, 0) - lines.integerAt(1, line - 1, 0));
    }
    if (line == count - 1 && line >= 1) lines.setCell(2, line, lines.cell(2, line - 1));
    state_.counters.lines = line + 1;
    lines.setRowCount(line + 2);
  }
}

bool Conversion::readRtf() {
  Application& application = program_.application();
  status(tr(Text::StatusDecoding, state_.language));
  form_.OpenDialog1.title = "Chargement du fichier RTF à ouvrir";
  rtf::ByteStream stream;
  if (!stream.open(state_.rtfSourceFileName)) {
    MessageDlg(application, "Error.", MessageKind::Error);
    return false;
  }
  rtf::ReaderTables tables{form_.SG1.grid, form_.SG2.grid, form_.SG3.grid, state_.counters,
                           [&application] { application.processMessages(); }};
  int result = rtf::ReadRtf(stream, tables);
  state_.lastReaderResult = result;
  if (result != rtf::RtfOk) {
    MessageDlg(application, "Error parsing rtf", MessageKind::Error);
  } else {
    form_.caption = state_.rtfSourceFileName;
  }
  stream.close();
  return true;
}

void Conversion::resolveFonts(ConversionTables& tables) {
  if (!scanFontFamiliesOfFile(state_.rtfSourceFileName, tables.fonts, state_.counters.fonts)) {
    MessageDlg(program_.application(), "INVALID HANDLE File RTF", MessageKind::Error);
  }
  sizeAndFontPass(tables.tokens, state_.counters.tokens);
}

void Conversion::writePdf(ConversionTables& tables) {
  Application& application = program_.application();
  status(tr(Text::StatusCreatingPdf, state_.language));
  PdfWriter writer;
  if (!writer.create(state_.pdfFileName)) {
    MessageDlg(application, "The file \n" + state_.pdfFileName + "\ncannot be created", MessageKind::Error);
    throw ConversionStopped{ConversionOutcome::OutputNotCreated};
  }
  writer.WriteString("%PDF-1.3\n");

  PageWriterHooks hooks;
  hooks.pageStarted = [this](int page) {
    status(tr(Text::StatusCreatingPage, state_.language) + intText(page));
  };
  hooks.pictureMet = [&application] { application.processMessages(); };
  hooks.error = [&application](const std::string& message) { MessageDlg(application, message, MessageKind::Error); };
  hooks.annotationShown = [this] { return form_.CheckBox1.checked; };
  PageContentWriter pages(tables, writer, state_.paragraphCounter, horizontalScalingFrom(form_.Edit5.text()), hooks);
  for (int page = 1; page <= state_.counters.pages; ++page) pages.writePage(page);
  writeFonts(writer);

  waitForProperties();

  int outlineRoot = writer.nextFreeObject;
  std::vector<std::string> captions;
  const WorkGrid& captionGrid = program_.Form2().StringGrid1.grid;
  for (int page = 1; page <= state_.counters.pages; ++page) captions.emplace_back(captionGrid.cell(1, page));
  writeOutlines(writer, tables, captions);
  const DocumentProperties& properties = state_.properties;
  WriteInfo(writer, 2, properties.title, properties.author, properties.subject, properties.creator, kProducer,
            pdfDate(currentLocalDateTime()));
  WriteTextAnnotation(writer, 16, properties.annotation);
  writePagesTree(writer, tables);
  WriteCatalog(writer, 1, 3, outlineRoot, pages.firstPageObject());
  writer.writeCrossReferenceAndTrailer();
  application.processMessages();
  if (!writer.finish()) {
    MessageDlg(application, "The file \n" + state_.pdfFileName + "\ncannot be written", MessageKind::Error);
    throw ConversionStopped{ConversionOutcome::WriteFailed};
  }
  finish();
}

void Conversion::waitForProperties() {
  Application& application = program_.application();
  TForm2& dialog = program_.Form2();
  dialog.show();
  application.processMessages();
  while (dialog.visible()) {
    application.sleep(100);
    application.processMessages();
  }
}

void Conversion::finish() {
  program_.application().beep();
  status("");
  state_.lastOutcome = ConversionOutcome::Completed;
  program_.host().openDocument(state_.pdfFileName);
}

}  // namespace qm::pdf
