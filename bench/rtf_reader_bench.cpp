// The program's RTF reader on a generated 1000-page document, in MB/s.
#include <benchmark/benchmark.h>

#include "document_generator.h"
#include "grid/row_counters.h"
#include "grid/work_grid.h"
#include "rtf/reader.h"

namespace {

void ReadThousandPages(benchmark::State& state) {
  const std::string document = qm::bench::generateDocument(1000);
  for (auto _ : state) {
    qm::WorkGrid tokens(13, 5), fonts(2, 5), colours(4, 5);
    qm::RowCounters counters;
    counters.fonts = 1;
    counters.colours = 1;
    qm::rtf::ByteStream stream;
    stream.openMemory(document);
    int pumps = 0;
    qm::rtf::ReaderTables tables{tokens, fonts, colours, counters, [&pumps] { ++pumps; }};
    int result = qm::rtf::ReadRtf(stream, tables);
    benchmark::DoNotOptimize(result);
    state.counters["tokens"] = counters.tokens;
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(document.size()));
  state.counters["MB"] = static_cast<double>(document.size()) / 1e6;
}
BENCHMARK(ReadThousandPages)->Unit(benchmark::kMillisecond);

}  // namespace
