// A registry tree built in the test, run through the registry pass on a
// simulated computer, with the log read back.
#pragma once

#include <map>
#include <memory>

#include "archive/IndexObject.h"
#include "archive/PackageEngine.h"
#include "archive/PkaArchive.h"
#include "platform/sim/SimPlatform.h"
#include "registry/PackageRegistryRecords.h"
#include "registry/RegistryPass.h"
#include "registry/RegistryUndoRecorder.h"
#include "unit/sim/SimTestFolder.h"

namespace tessary::regtest {

constexpr const char* kAnnSid = "S-1-5-21-7-8-9-1004";
constexpr const char* kBobSid = "S-1-5-21-7-8-9-1005";

inline UserContext user(const std::string& account, const std::string& sid, const std::string& profile) {
  UserContext context;
  context.accountName = account;
  context.hiveKey = sid;
  context.profileDir = profile;
  Variable root;
  root.name = "$Local Machine$", root.value = "HKEY_LOCAL_MACHINE";
  Variable current;
  current.name = "$Current User$", current.value = "HKEY_CURRENT_USER";
  Variable app;
  app.name = "$AppDir$", app.value = profile + "\\App";
  context.variables = {app, root, current};
  return context;
}

// Nodes named by full path, as packages store them.
class TreeBuilder {
 public:
  CTree& root() { return root_; }
  CTree* key(CTree& parent, const std::string& path, std::uint32_t flags = 0) {
    auto node = std::make_unique<CTree>(path);
    node->flags = flags;
    parent.leaf = 0;
    return parent.addChild(std::move(node));
  }
  CTree* value(CTree& key, const std::string& name, std::uint32_t type, std::vector<std::uint8_t> data,
               std::uint32_t flags = 0, std::uint32_t lfn = 0) {
    CTree* node = this->key(key, key.name + "\\" + name, flags);
    node->dataOffset = 0;
    node->dataSize = static_cast<std::uint32_t>(data.size() + 4);
    node->attributes = lfn;
    records_[node] = RegistryValueRecord{type, std::move(data)};
    return node;
  }
  RegistryRecordReader reader() {
    return [this](const CTree& node, RegistryValueRecord& record) {
      auto found = records_.find(&node);
      if (found == records_.end()) return false;
      record = found->second;
      return true;
    };
  }

 private:
  CTree root_;
  std::map<const CTree*, RegistryValueRecord> records_;
};

inline std::vector<std::uint8_t> sz(const std::string& text) {
  std::vector<std::uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  return data;
}

inline std::vector<std::uint8_t> dword(std::uint32_t number) {
  return {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
          static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)};
}

// A simulated computer, its log and the pass's settings.
class PassRig {
 public:
  PassRig(const std::string& ini, const std::string& registry)
      : folder_(simtest::makeMachine(temp_, ini, registry)), sim_(simtest::loadSim(folder_)) {
    if (!sim_) return;
    // Hives load only with the restore privilege, as a run enables it.
    sim_->setPrivilege("SeRestorePrivilege", true);
    system_ = std::make_unique<TargetSystem>(*sim_);
    log_ = std::make_unique<RunLog>(*sim_);
    log_->settings().level = 4;
    log_->open("C:\\pass.log");
  }

  RegistryPassResult run(TreeBuilder& tree, const std::vector<UserContext>& users,
                         const std::function<void(RegistryPassContext&)>& adjust = {}) {
    RegistryPassContext context{*system_, *log_, users, tree.reader()};
    if (adjust) adjust(context);
    return registryPass(tree.root(), context);
  }

  // The log's lines so far.
  std::string log() {
    log_->close();
    std::string text = simtest::readFile(folder_ / "drives" / "C" / "pass.log");
    log_->open("C:\\pass.log");
    return text;
  }

  std::optional<RegistryValue> read(RegistryRoot root, const std::string& key, const std::string& name) {
    RegistryValue value;
    if (sim_->regQueryValue(root, key, name, value) != kErrorSuccess) return std::nullopt;
    return value;
  }
  bool keyExists(RegistryRoot root, const std::string& key) { return sim_->regOpenKey(root, key) == kErrorSuccess; }

  SimPlatform& sim() { return *sim_; }
  bool loaded() const { return sim_ != nullptr; }
  const std::filesystem::path& folder() const { return folder_; }

 private:
  simtest::TempFolder temp_;
  std::filesystem::path folder_;
  std::unique_ptr<SimPlatform> sim_;
  std::unique_ptr<TargetSystem> system_;
  std::unique_ptr<RunLog> log_;
};

// A new, empty undo package at `path` on `platform`, open on `engine`.
inline bool openEmptyPackage(Platform& platform, const std::string& path, PackageEngine& engine) {
  {
    std::unique_ptr<PlatformFile> file;
    if (platform.openFile(path, FileAccess::ReadWrite, kShareNone, FileDisposition::CreateAlways, file) !=
            kErrorSuccess ||
        !file)
      return false;
    std::uint32_t base = 0;
    if (PKAappendEmptyArchive(*file, base) != 0) return false;
  }
  return engine.openPackage(path, false) && engine.indexObject() != nullptr;
}

}  // namespace tessary::regtest
