// Registry pass speed on a simulated XP computer: 50 000 string values in
// 500 new keys installed while an undo package records them, then the undo
// package's tree run to take them out again. The counter "values/s" counts
// the values of both runs.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>

#include "archive/IndexObject.h"
#include "archive/PackageEngine.h"
#include "archive/PkaArchive.h"
#include "platform/sim/SimPlatform.h"
#include "registry/PackageRegistryRecords.h"
#include "registry/RegistryPass.h"
#include "registry/RegistryUndoRecorder.h"

namespace {

using namespace tessary;
namespace fs = std::filesystem;

constexpr int kKeys = 500;
constexpr int kValuesPerKey = 100;

const char* const kIni =
    "[os]\nplatform=2\nmajor=5\nminor=1\nbuild=2600\n[computer]\nname=PC1\n[session]\nuser=ann\n"
    "[accounts]\nann=PC1,S-1-5-21-7-8-9-1004,admin,C:\\Documents and Settings\\ann\n"
    "[privileges]\nheld=SeBackupPrivilege,SeRestorePrivilege\n[drives]\nC=fixed,100M,200M\n";
const char* const kRegistry = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n\r\n";

fs::path makeMachine() {
  fs::path folder = fs::temp_directory_path() / "tessary-registry-bench";
  fs::remove_all(folder);
  fs::create_directories(folder / "drives" / "C");
  std::ofstream(folder / "machine.ini", std::ios::binary) << kIni;
  std::ofstream(folder / "registry.reg", std::ios::binary) << kRegistry;
  return folder;
}

struct PackageTree {
  CTree root;
  std::map<const CTree*, RegistryValueRecord> records;
};

void buildTree(PackageTree& tree) {
  CTree* bench = tree.root.addChild(std::make_unique<CTree>("$Local Machine$\\SOFTWARE\\Bench"));
  for (int k = 0; k < kKeys; ++k) {
    CTree* key = bench->addChild(std::make_unique<CTree>(bench->name + "\\Key" + std::to_string(k)));
    for (int v = 0; v < kValuesPerKey; ++v) {
      auto node = std::make_unique<CTree>(key->name + "\\Value" + std::to_string(v));
      std::string text = "C:\\Program Files\\Bench\\file" + std::to_string(v) + ".dat";
      RegistryValueRecord record{kRegSz, std::vector<std::uint8_t>(text.begin(), text.end())};
      record.data.push_back(0);
      node->dataOffset = 0;
      node->dataSize = static_cast<std::uint32_t>(record.data.size() + 4);
      tree.records[key->addChild(std::move(node))] = std::move(record);
    }
  }
}

bool openEmptyPackage(Platform& platform, const std::string& path, PackageEngine& engine) {
  {
    std::unique_ptr<PlatformFile> file;
    if (platform.openFile(path, FileAccess::ReadWrite, kShareNone, FileDisposition::CreateAlways, file) != 0 ||
        !file)
      return false;
    std::uint32_t base = 0;
    if (PKAappendEmptyArchive(*file, base) != 0) return false;
  }
  return engine.openPackage(path, false);
}

void BM_InstallAndUndo50000Values(benchmark::State& state) {
  PackageTree tree;
  buildTree(tree);
  UserContext user;
  user.hiveKey = "S-1-5-21-7-8-9-1004";
  Variable machine;
  machine.name = "$Local Machine$", machine.value = "HKEY_LOCAL_MACHINE";
  user.variables = {machine};
  const std::vector<UserContext> users = {user};
  std::int64_t values = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::string error;
    std::unique_ptr<SimPlatform> sim = SimPlatform::load(makeMachine().string(), error);
    if (!sim) {
      state.SkipWithError(error.c_str());
      return;
    }
    TargetSystem system(*sim);
    RunLog log(*sim);
    auto undo = std::make_unique<PackageEngine>(*sim);
    if (!openEmptyPackage(*sim, "C:\\undo.exe", *undo)) {
      state.SkipWithError("no undo package");
      return;
    }
    state.ResumeTiming();

    RegistryUndoRecorder recorder(*undo);
    RegistryPassContext install{system, log, users, [&](const CTree& node, RegistryValueRecord& record) {
                                  record = tree.records.at(&node);
                                  return true;
                                }};
    install.undo = &recorder;
    const RegistryPassResult installed = registryPass(tree.root, install);
    RegistryPassContext undoRun{system, log, users, packageRecordReader(*undo)};
    undoRun.undoPackage = true;
    const RegistryPassResult undone = registryPass(*undo->indexObject()->index().registryTree, undoRun);
    if (installed.errors != 0 || undone.errors != 0 || !recorder.ok()) {
      state.SkipWithError("the pass reported errors");
      return;
    }
    values += 2 * kKeys * kValuesPerKey;

    state.PauseTiming();
    undo.reset();
    sim.reset();
    state.ResumeTiming();
  }
  state.counters["values/s"] = benchmark::Counter(static_cast<double>(values), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_InstallAndUndo50000Values)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
