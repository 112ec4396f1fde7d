// The file pass on a simulated computer against writing the same files
// directly: 10 000 small files, and one 200 MB file with the peak memory of
// the process that installs it.
//
//   file_pass_bench [--benchmark_filter=Small|Large]
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

#include "cli/BuildCommand.h"
#include "cli/MachineCommand.h"
#include "control/InstallApp.h"
#include "platform/sim/SimPlatform.h"

namespace {

namespace fs = std::filesystem;
using namespace tessary;

constexpr int kSmallFiles = 10000;
constexpr std::size_t kLargeBytes = 200u << 20;

fs::path benchFolder() { return fs::temp_directory_path() / "tessary-file-pass-bench"; }

void writeBytes(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// Text-like data: it compresses as real files do.
std::string sampleBytes(std::size_t size, unsigned seed) {
  static const char* const kWords[] = {"install ", "package ", "file ", "folder ", "undo ", "the ", "a ", "of "};
  std::mt19937 random(seed);
  std::string bytes;
  bytes.reserve(size);
  while (bytes.size() < size) bytes += random() % 5 == 0 ? std::to_string(random()) : kWords[random() % 8];
  bytes.resize(size);
  return bytes;
}

struct Fixture {
  fs::path machine;   // the computer before the run
  fs::path package;
  fs::path payload;   // the files as the package holds them
  std::uint64_t bytes = 0;
};

Fixture makeFixture(const std::string& name, bool large) {
  Fixture f;
  const fs::path root = benchFolder() / name;
  f.machine = root / "machine";
  f.payload = root / "payload" / "App";
  f.package = root / "app.exe";
  if (fs::exists(f.package)) {
    for (const auto& entry : fs::recursive_directory_iterator(f.payload))
      if (entry.is_regular_file()) f.bytes += entry.file_size();
    return f;
  }
  fs::remove_all(root);
  if (cli::runMachineCommand({"new", f.machine.string(), "--os", "xp"}) != 0) throw std::runtime_error("machine");
  if (large) {
    fs::create_directories(f.payload);
    std::ofstream big(f.payload / "big.dat", std::ios::binary);
    for (std::size_t done = 0; done < kLargeBytes; done += 1u << 20) big << sampleBytes(1u << 20, done >> 20);
  } else {
    for (int i = 0; i < kSmallFiles; ++i)
      writeBytes(f.payload / ("d" + std::to_string(i / 100)) / ("f" + std::to_string(i) + ".txt"),
                 sampleBytes(200 + i % 1800, i));
  }
  for (const auto& entry : fs::recursive_directory_iterator(f.payload))
    if (entry.is_regular_file()) f.bytes += entry.file_size();
  writeBytes(root / "stub.exe", std::string("MZ") + std::string(1022, '\0'));
  writeBytes(root / "payload" / "app.toml",
             "[package]\ntitle = \"Bench\"\n\n[[files]]\nsource = \"App\"\ntarget = '$Program Files$\\App'\n");
  if (cli::runBuild({(root / "payload" / "app.toml").string(), "-o", f.package.string(), "--stub",
                     (root / "stub.exe").string()}) != 0)
    throw std::runtime_error("package");
  return f;
}

// A fresh copy of the computer with the package placed on it.
fs::path freshComputer(const Fixture& f) {
  const fs::path computer = f.machine.parent_path() / "run";
  fs::remove_all(computer);
  fs::copy(f.machine, computer, fs::copy_options::recursive);
  fs::create_directories(computer / "drives" / "C" / "Packages");
  fs::copy_file(f.package, computer / "drives" / "C" / "Packages" / "app.exe");
  return computer;
}

int install(const fs::path& computer) {
  std::string error;
  std::unique_ptr<SimPlatform> sim = SimPlatform::load(computer.string(), error);
  if (!sim) throw std::runtime_error(error);
  sim->setProgram("C:\\Packages\\app.exe", "\"C:\\Packages\\app.exe\" /q");
  InstallApp app(*sim);
  return app.run();
}

void reportRates(benchmark::State& state, const Fixture& f, double files) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes));
  state.counters["files/s"] = benchmark::Counter(files, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_SmallFilesInstalled(benchmark::State& state) {
  const Fixture f = makeFixture("small", false);
  for (auto _ : state) {
    state.PauseTiming();
    const fs::path computer = freshComputer(f);
    state.ResumeTiming();
    if (install(computer) != 0) state.SkipWithError("the install failed");
  }
  reportRates(state, f, kSmallFiles);
}

// The same tree written by the host's own file functions.
void BM_SmallFilesWrittenDirectly(benchmark::State& state) {
  const Fixture f = makeFixture("small", false);
  const fs::path target = f.machine.parent_path() / "direct";
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(target);
    state.ResumeTiming();
    fs::copy(f.payload, target, fs::copy_options::recursive);
  }
  reportRates(state, f, kSmallFiles);
}

// Installs in a child process, so that its peak memory is the install's; rates
// are taken from the wall clock, as the parent spends no CPU meanwhile.
void BM_LargeFileInstalled(benchmark::State& state) {
  const Fixture f = makeFixture("large", true);
  for (auto _ : state) {
    state.PauseTiming();
    const fs::path computer = freshComputer(f);
    state.ResumeTiming();
    const pid_t child = fork();
    if (child == 0) _exit(install(computer) == 0 ? 0 : 1);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("the install failed");
  }
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  state.counters["child_peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
  reportRates(state, f, 1);
}

void BM_LargeFileWrittenDirectly(benchmark::State& state) {
  const Fixture f = makeFixture("large", true);
  const fs::path target = f.machine.parent_path() / "direct.dat";
  for (auto _ : state) {
    fs::remove(target);
    fs::copy_file(f.payload / "big.dat", target);
  }
  reportRates(state, f, 1);
}

BENCHMARK(BM_SmallFilesInstalled)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_SmallFilesWrittenDirectly)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_LargeFileInstalled)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_LargeFileWrittenDirectly)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace
