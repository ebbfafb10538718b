#include "document_generator.h"

namespace qm::bench {

std::string generateDocument(int pages) {
  static const char* kWords[] = {"quill", "matrix", "page", "line", "caf\\'e9", "na\\'efve", "PDF", "text",
                                 "\\{brace\\}", "back\\\\slash", "(paren)", "Times", "font", "size", "colour"};
  static const char* kRuns[] = {"\\b ", "\\b0 ", "\\i ", "\\i0 ", "\\cf1 ", "\\cf2 ", "\\cf0 ", "\\f1 ", "\\f2 ", "\\f0 "};
  std::string rtf =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Times New Roman;}"
      "{\\f1\\fnil\\fcharset0 Courier;}{\\f2\\fnil\\fcharset0 Helvetica;}}\n"
      "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\n\\viewkind4\\uc1\\pard\\f0\\fs22 ";
  unsigned state = 12345;
  auto next = [&state] {
    state = state * 1103515245u + 12345u;
    return (state >> 16) & 0x7fff;
  };
  for (int line = 0; line < pages * 43; ++line) {
    size_t width = 0;
    while (width < 60) {
      if (next() % 4 == 0) rtf += kRuns[next() % std::size(kRuns)];
      const char* word = kWords[next() % std::size(kWords)];
      rtf += word;
      rtf += ' ';
      width += std::char_traits<char>::length(word) + 1;
    }
    rtf += "\\par\n";
  }
  rtf += "}\n";
  return rtf;
}

}  // namespace qm::bench
