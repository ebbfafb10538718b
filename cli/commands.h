// The command line: "quillomatrix convert IN.rtf -o OUT.pdf" runs the PDF
// button's conversion headless on a document opened into the pad exactly as
// the "Open RTF file" command does; "quillomatrix inspect FILE.rtf" prints
// the tables the program's RTF reader fills.
//
// Exit status: 0 success, 1 a user-facing failure (a refused question, a
// file that cannot be read or written), 2 the PDF cannot be created.
#pragma once

namespace qm::cli {

int run(int argc, char** argv);

}  // namespace qm::cli
