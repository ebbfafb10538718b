// Runs the program's RTF reader on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "grid/row_counters.h"
#include "grid/work_grid.h"
#include "rtf/reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qm::WorkGrid tokens(13, 5), fonts(2, 5), colours(4, 5);
  qm::RowCounters counters;
  counters.fonts = 1;
  counters.colours = 1;
  qm::rtf::ByteStream stream;
  stream.openMemory(std::string(reinterpret_cast<const char*>(data), size));
  qm::rtf::ReaderTables tables{tokens, fonts, colours, counters, {}};
  qm::rtf::ReadRtf(stream, tables);
  return 0;
}
