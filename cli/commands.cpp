#include "cli/commands.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <unistd.h>

#include "app/main_form.h"
#include "app/program.h"
#include "cli/console_host.h"
#include "grid/grid_csv.h"
#include "pdf/conversion.h"
#include "platform/codepage.h"
#include "platform/memory_stream.h"
#include "props/properties_form.h"
#include "rtf/reader.h"

namespace qm::cli {

namespace {

struct ConvertOptions {
  std::string input;
  std::string output;
  bool assumeYes = false;
  std::string language = "en";
  bool open = false;
  bool quiet = false;
  std::string dumpGrids;
  std::optional<std::string> title, author, subject, creator, annotation;
  std::vector<std::string> captions;
  bool noAnnotation = false;
  bool noPar = false;
  bool noWrap = false;
};

struct InspectOptions {
  std::string file;
  std::string grid = "SG1";
};

// Whether a file can be read, without reading it all: the pad reads it next.
bool readable(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  std::fgetc(file);  // a folder opens, but fails its first read
  bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}

bool sameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error);
}

bool writeGrids(Program& program, const std::string& folder) {
  TForm1& form = program.Form1();
  struct Dump {
    const char* name;
    const WorkGrid& grid;
  };
  Dump dumps[] = {{"SG1", form.SG1.grid}, {"SG2", form.SG2.grid}, {"SG3", form.SG3.grid},
                  {"SG4", form.SG4.grid}, {"SG5", form.SG5.grid}, {"SG6", form.SG6.grid},
                  {"StringGrid1", program.Form2().StringGrid1.grid}};
  for (const Dump& dump : dumps) {
    std::string path = folder + "/" + dump.name + ".csv";
    if (!writeWholeFile(path, gridToCsv(dump.grid, 0, dump.grid.rowCount() - 1))) {
      std::cerr << "quillomatrix: error: cannot write " << path << '\n';
      return false;
    }
  }
  return true;
}

// Fills the properties dialog from the options, then presses OK (or closes
// it without OK for --no-par).
void answerProperties(Window& window, const ConvertOptions& options) {
  auto* dialog = dynamic_cast<TForm2*>(&window);
  if (!dialog) {
    window.hide();
    return;
  }
  auto apply = [](Edit& edit, const std::optional<std::string>& value) {
    if (value) edit.setText(utf8ToCp1252(*value));
  };
  apply(dialog->Edit1, options.title);
  apply(dialog->Edit2, options.author);
  apply(dialog->Edit3, options.subject);
  apply(dialog->Edit4, options.creator);
  if (options.annotation) dialog->Memo1.text = utf8ToCp1252(*options.annotation);
  for (const std::string& caption : options.captions) {
    size_t equals = caption.find('=');
    int page = textToInt(caption.substr(0, equals), 0);
    if (page >= 1) dialog->StringGrid1.grid.setCell(1, page, utf8ToCp1252(caption.substr(equals + 1)));
  }
  if (options.noPar) {
    dialog->hide();
  } else {
    dialog->BitBtn1.click();
  }
}

int convert(const ConvertOptions& options) {
  if (!readable(options.input)) {
    std::cerr << "quillomatrix: error: cannot read " << options.input << '\n';
    return 1;
  }
  for (const std::string& caption : options.captions) {
    size_t equals = caption.find('=');
    if (equals == std::string::npos || textToInt(caption.substr(0, equals), 0) < 1) {
      std::cerr << "quillomatrix: error: --caption takes N=TEXT with a page number N from 1, not " << caption
                << '\n';
      return 1;
    }
  }
  ConsoleHost host;
  host.assumeYes = options.assumeYes;
  host.interactive = ::isatty(STDIN_FILENO) == 1;
  host.openViewer = options.open;
  host.quiet = options.quiet;
  host.openAnswer = options.input;
  host.saveAnswer = options.output;
  host.onWindowShown = [&options](Window& window) { answerProperties(window, options); };

  Program program(host);
  program.start();
  TForm1& form = program.Form1();
  if (options.language == "fr") form.BitBtn20.click();
  if (options.noAnnotation) form.CheckBox1.checked = false;
  if (options.noWrap) form.RichEdit1.wrapLongParagraphs = false;
  form.BitBtn1.click();
  const ProgramState& state = program.state();
  // A file the pad could not read at all would give an empty PDF.
  if (form.RichEdit1.lastReadReport().error && form.RichEdit1.textLength() == 0) {
    std::cerr << "quillomatrix: error: " << options.input << " is not an RTF document; nothing was converted\n";
    return 1;
  }
  if (state.replacedCharacters > 0) {
    std::cerr << "quillomatrix: note: " << state.replacedCharacters
              << " characters that Windows-1252 cannot hold were replaced by \"?\"\n";
  }
  if (state.droppedPictures > 0) {
    std::cerr << "quillomatrix: note: " << state.droppedPictures
              << " pictures that are not JPEG were left out\n";
  }
  form.BitBtn16.click();

  if (!options.dumpGrids.empty() && !writeGrids(program, options.dumpGrids)) return 1;
  switch (state.lastOutcome) {
    case ConversionOutcome::Completed:
      if (!options.quiet) {
        std::cerr << "quillomatrix: wrote " << state.pdfFileName << " (" << state.counters.pages
                  << (state.counters.pages == 1 ? " page)\n" : " pages)\n");
      }
      return 0;
    case ConversionOutcome::Cancelled:
      std::cerr << "quillomatrix: stopped, nothing replaced: "
                << (host.refusedQuestion.empty() ? std::string("the conversion was cancelled") : host.refusedQuestion)
                << " (use -y to replace)\n";
      if (sameFile(state.rtfSourceFileName, options.input)) {
        std::cerr << "quillomatrix: note: " << options.input
                  << " is the document you convert; the RTF source file is written beside the PDF, so choose "
                     "another PDF name to keep it, or -y to replace it with the pad's RTF\n";
      }
      return 1;
    case ConversionOutcome::OutputNotCreated: return 2;
    case ConversionOutcome::WriteFailed:
    case ConversionOutcome::Failed:
    case ConversionOutcome::NotRun: return 1;
  }
  return 1;
}

int inspect(const InspectOptions& options) {
  ConsoleHost host;
  host.quiet = true;
  Program program(host);
  pdf::resetWorkGrids(program);
  TForm1& form = program.Form1();
  RowCounters& counters = program.state().counters;
  rtf::ByteStream stream;
  if (!stream.open(options.file)) {
    std::cerr << "quillomatrix: error: cannot read " << options.file << '\n';
    return 1;
  }
  rtf::ReaderTables tables{form.SG1.grid, form.SG2.grid, form.SG3.grid, counters,
                           [&program] { program.application().processMessages(); }};
  int result = rtf::ReadRtf(stream, tables);
  std::string csv;
  if (options.grid == "SG2") {
    csv = gridToCsv(form.SG2.grid, 0, counters.fonts);
  } else if (options.grid == "SG3") {
    csv = gridToCsv(form.SG3.grid, 0, counters.colours);
  } else {
    csv = gridToCsv(form.SG1.grid, 0, counters.tokens);
  }
  std::fwrite(csv.data(), 1, csv.size(), stdout);
  std::fflush(stdout);
  std::cerr << "result " << result << '\n';
  return 0;
}

}  // namespace

int run(int argc, char** argv) {
  CLI::App app{"Quillomatrix: formatted text (RTF) to PDF with the standard fonts", "quillomatrix"};
  app.set_version_flag("--version", std::string("quillomatrix ") + QM_VERSION);
  app.require_subcommand(1);

  ConvertOptions convertOptions;
  CLI::App* convertCommand = app.add_subcommand("convert", "Convert an RTF document to PDF");
  convertCommand->add_option("input", convertOptions.input, "The RTF document to convert")->required();
  convertCommand->add_option("-o,--output", convertOptions.output,
                             "The PDF to write; the RTF source file (.rtf) and the parameter file (.par) "
                             "are written beside it")
      ->required();
  convertCommand->add_flag("-y,--yes", convertOptions.assumeYes,
                           "Replace existing files without asking (the PDF and the RTF source file beside it)");
  convertCommand->add_option("--lang", convertOptions.language, "Language of the messages")
      ->check(CLI::IsMember({"en", "fr"}));
  convertCommand->add_flag("--open", convertOptions.open, "Open the finished PDF in the desktop's viewer");
  convertCommand->add_flag("-q,--quiet", convertOptions.quiet, "Print errors and warnings only");
  convertCommand->add_option("--dump-grids", convertOptions.dumpGrids,
                             "Write every work grid of the conversion as CSV files into this folder")
      ->check(CLI::ExistingDirectory);
  convertCommand->add_option("--title", convertOptions.title, "Document title (kept in the parameter file)");
  convertCommand->add_option("--author", convertOptions.author, "Document author");
  convertCommand->add_option("--subject", convertOptions.subject, "Document subject");
  convertCommand->add_option("--creator", convertOptions.creator, "Document creator");
  convertCommand->add_option("--annotation", convertOptions.annotation, "Text of the note shown on every page");
  convertCommand->add_option("--caption", convertOptions.captions,
                             "Outline caption of page N, as N=TEXT (repeatable); pages without one keep "
                             "the stored caption or \"Page N\"");
  convertCommand->add_flag("--no-annotation", convertOptions.noAnnotation,
                           "Do not show the annotation on the pages (untick \"Show Annotation\")");
  convertCommand->add_flag("--no-par", convertOptions.noPar,
                           "Close the properties dialog without OK: no parameter file is written and the "
                           "options above are not used");

  convertCommand->add_flag("--no-wrap", convertOptions.noWrap,
                           "Keep one PDF line per paragraph, even where it runs past the page's right edge "
                           "(by default such paragraphs are broken at spaces)");

  InspectOptions inspectOptions;
  CLI::App* inspectCommand =
      app.add_subcommand("inspect", "Print a table of the program's RTF reader as CSV (result code on stderr)");
  inspectCommand->add_option("file", inspectOptions.file, "The RTF file to read")->required();
  inspectCommand->add_option("--grid", inspectOptions.grid, "SG1 tokens, SG2 fonts or SG3 colours")
      ->check(CLI::IsMember({"SG1", "SG2", "SG3"}));

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error) == 0 ? 0 : 1;
  }
  if (convertCommand->parsed()) return convert(convertOptions);
  return inspect(inspectOptions);
}

}  // namespace qm::cli
