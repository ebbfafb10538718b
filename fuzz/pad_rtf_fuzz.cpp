// Runs the editor pad's RTF reading on arbitrary bytes, then writes what it
// kept and reads that again: the pad's own RTF must always read back whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/richedit/rtf_parser.h"
#include "platform/richedit/rtf_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  qm::richedit::RtfReadReport report;
  qm::richedit::RichText text = qm::richedit::readRtf(input, report);
  std::string written = qm::richedit::writeRtf(text);
  qm::richedit::RtfReadReport again;
  qm::richedit::RichText back = qm::richedit::readRtf(written, again);
  if (again.error || qm::richedit::writeRtf(back) != written) std::abort();
  return 0;
}
