// End-to-end conversions of generated documents through the command line,
// 1 to 1000 pages: wall time and the child's peak memory.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>

#include "document_generator.h"
#include "platform/memory_stream.h"

extern char** environ;

namespace {

struct Run {
  double seconds = 0;
  long peakKilobytes = 0;
  int status = -1;
};

Run convertOnce(const std::string& input, const std::string& output) {
  std::string cli = QM_CLI;
  const char* arguments[] = {cli.c_str(), "convert", input.c_str(), "-o", output.c_str(), "-y", "-q", nullptr};
  auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  Run run;
  if (::posix_spawn(&child, cli.c_str(), nullptr, nullptr, const_cast<char* const*>(arguments), environ) != 0) {
    return run;
  }
  int status = 0;
  rusage usage{};
  ::wait4(child, &status, 0, &usage);
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.peakKilobytes = usage.ru_maxrss;
  run.status = status;
  return run;
}

void ConvertPages(benchmark::State& state) {
  int pages = static_cast<int>(state.range(0));
  auto folder = std::filesystem::temp_directory_path() / ("qm-bench-" + std::to_string(pages));
  std::filesystem::create_directories(folder);
  std::string input = (folder / "in.rtf").string();
  std::string document = qm::bench::generateDocument(pages);
  qm::writeWholeFile(input, document);
  long peak = 0;
  for (auto _ : state) {
    Run run = convertOnce(input, (folder / "out.pdf").string());
    if (run.status != 0) {
      state.SkipWithError("the conversion failed");
      break;
    }
    state.SetIterationTime(run.seconds);
    peak = std::max(peak, run.peakKilobytes);
  }
  state.counters["rtf_MB"] = static_cast<double>(document.size()) / 1e6;
  state.counters["peak_MB"] = static_cast<double>(peak) / 1024.0;
  std::filesystem::remove_all(folder);
}
BENCHMARK(ConvertPages)->Arg(1)->Arg(10)->Arg(100)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
