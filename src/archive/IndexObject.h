// The index object of an open package: the package index in memory (both
// trees and the build-time folders, archive/index/PackageIndex.h) and its
// diagnostic log, the computer information log, opened when the object is
// made. The index is read from and written to files, because the engine
// stages the "RegFileIndex" stream through a temporary file.
#pragma once

#include <string>
#include <string_view>

#include "archive/CompInfoLog.h"
#include "archive/index/IndexObserver.h"
#include "archive/index/PackageIndex.h"
#include "platform/Platform.h"

namespace tessary {

class IndexObject final : public IndexObserver {
 public:
  explicit IndexObject(Platform& platform) : platform_(platform), log_(platform) {}

  PackageIndex& index() { return index_; }
  const PackageIndex& index() const { return index_; }

  // Reads the index (without the 12-byte stream header) from the file at
  // `path`. On failure the index is unchanged and the log gets
  // "(OPEN)\tUnable to Open: <path>" or "(OPEN)\tUnable to load the index
  // files contained in <path>".
  bool readFile(const std::string& path);

  // Writes the index (without the header) to the file at `path`, replacing
  // it. On failure the file may hold part of it and the log gets
  // "(OPEN)\tUnable to Save: <path>" or the load line above.
  bool writeFile(const std::string& path);

  // A line the engine forwards to the log; "\n" ends it.
  void note(std::string_view line) { log_.append(line); }

  void diagnostic(std::string_view line) override { log_.append(line); }
  // Windows stay responsive during a long load.
  void beforeNode() override { platform_.processPendingMessages(); }

 private:
  Platform& platform_;
  CompInfoLog log_;
  PackageIndex index_;
};

}  // namespace tessary
