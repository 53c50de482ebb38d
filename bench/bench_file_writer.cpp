#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/file_writer.h"

// The atomic replacement beside a plain overwrite in place (open, write, fsync), the cheapest
// durable write a program can do, for data-table-sized files.
namespace {

std::string Folder() {
  static std::string folder = [] {
    std::string pattern = "/tmp/koret-bench-XXXXXX";
    return std::string(::mkdtemp(pattern.data()));
  }();
  return folder;
}

void BM_AtomicReplace(benchmark::State& state) {
  const std::string contents(static_cast<size_t>(state.range(0)), 'x');
  const std::string path = Folder() + "/atomic.xml";
  TAtomicFileWriter writer;
  for (auto _ : state) writer.ReplaceFile(path, contents);
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_OverwriteInPlace(benchmark::State& state) {
  const std::string contents(static_cast<size_t>(state.range(0)), 'x');
  const std::string path = Folder() + "/inplace.xml";
  for (auto _ : state) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    benchmark::DoNotOptimize(::write(fd, contents.data(), contents.size()));
    ::fsync(fd);
    ::close(fd);
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_AtomicReplace)->Arg(64 << 10)->Arg(4 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OverwriteInPlace)->Arg(64 << 10)->Arg(4 << 20)->Unit(benchmark::kMillisecond);
