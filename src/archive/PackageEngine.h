// The package side of the engine: one package archive with its index
// streams open, the install options and the index in memory, saving,
// closing, and the undo package made from the package's undo stub.
//
// Streams and slots. The five streams are opened in this order, so that in
// a package this system wrote (where their data lies in the same order) they
// take slots 0..4 in file order; growing "InstallOptions", "File" or
// "RegFileIndex" in place moves the streams after it (PkaArchive.h, WriteAt).
//
//   slot  stream            type  made when missing
//   0     "InstallOptions"  10    12288 zero bytes, format 3.1
//   1     "Registry"         8    65535 zero bytes
//   2     "File"             9    empty
//   3     "RegFileIndex"     7    12-byte header and 65535 zero bytes
//   4     "Variable"        11    empty; format 3.0 and later only
//
// A stub whose archive holds no stream gets all five: that is how an undo
// package comes into being.
//
// Every operation leaves a status code (EngineStatus.h); 10000 after success.
// Every failure of opening abandons the package, so the engine is never
// half open; a failed save leaves the package open and unsaved.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/EngineStatus.h"
#include "archive/IndexObject.h"
#include "archive/PkaArchive.h"
#include "archive/index/InstallOptions.h"
#include "archive/index/VariableRecord.h"
#include "platform/Platform.h"

namespace tessary {

enum class PackageStream { InstallOptions = 0, Registry, File, RegFileIndex, Variable };
inline constexpr std::size_t kPackageStreamCount = 5;

struct PackageStreamInfo {
  const char* name;
  std::int16_t type;
};

// In opening order.
inline constexpr std::array<PackageStreamInfo, kPackageStreamCount> kPackageStreams = {{
    {"InstallOptions", 10},
    {"Registry", 8},
    {"File", 9},
    {"RegFileIndex", 7},
    {"Variable", 11},
}};

inline constexpr std::uint32_t kNewRegistryStreamSize = 65535;
inline constexpr std::uint32_t kNewIndexStreamFill = 65535;
inline constexpr std::size_t kUndoDescriptionKept = 244;

// What the caller of openPackage knows that the package does not.
struct PackageOpenContext {
  // The profile folder of the user logged on to the desktop, recorded as the
  // build-time profile folder of a new index; empty when user profiles are
  // disabled. The user-profile code supplies it.
  std::string loggedOnProfileFolder;
};

class PackageEngine {
 public:
  explicit PackageEngine(Platform& platform);
  // Closes an open package; when saving fails, abandons it.
  ~PackageEngine();
  PackageEngine(const PackageEngine&) = delete;
  PackageEngine& operator=(const PackageEngine&) = delete;

  // --- life of a package ---

  // Opens the package archive at `path` (read-write when possible unless
  // `readOnly`) and its streams, creating missing ones, reads the install
  // options and the index. True at once when a package is open already.
  // False with the package not open and the status 10001, 10002, 10003,
  // 10005 or 10020.
  bool openPackage(const std::string& path, bool readOnly, const PackageOpenContext& context = {});

  // Writes the install options, the index and (format 3.0 and later) the
  // variables when some were handed in, then closes and reopens the archive
  // so the stream lengths reach the directory. False with the status of the
  // first failure (10010 when the package is not open); the package stays
  // open unless the archive could not be reopened (10002).
  bool savePackage();

  // Saves, then closes; false (package still open) when saving failed. True
  // when no package is open.
  bool closePackage();

  // Closes without saving and deletes the extracted bitmap; the install
  // options go back to those of a new engine. The status is kept.
  void abandonPackage();

  // Current length of the named stream; 0 when the package has none, -1
  // when no package is open.
  std::int64_t streamLength(std::string_view name);

  // Extracts this package's undo stub to `targetPath` and opens it as a new
  // package on a second engine (undoPackage()), with options taken from this
  // one. False when there is no open package (10010), the stub cannot be
  // extracted (10018; nothing is left at the target) or opened (the undo
  // engine's status; the target is deleted).
  bool createUndoPackage(const std::string& targetPath);

  // The undo package's engine after createUndoPackage; null before.
  PackageEngine* undoPackage() { return undo_.get(); }

  // --- install options ---

  // Reads the record from "InstallOptions" (10004 when it is not open).
  bool loadInstallOptions();
  // Stores the bitmap and the undo stub whose source paths are set, then
  // writes the record at offset 0, growing the stream when the record is
  // longer. True when the status is 10000.
  bool saveInstallOptions();

  // True when `clearText` is the run password, else status 10006.
  bool checkPassword(std::string_view clearText);
  // Stores the password scrambled; false (10005) for a text that cannot be
  // stored.
  bool setPassword(std::string_view clearText);
  std::string getPassword() const;

  InstallOptions& options() { return options_; }
  const InstallOptions& options() const { return options_; }

  // --- index ---

  // Stages "RegFileIndex" after its header through a temporary file and
  // reads it. False with 10003 (temporary file) or 10002 (unreadable index).
  bool loadIndex();
  // Writes the index through a temporary file into "RegFileIndex", creating
  // the stream when it is not open (10001) and growing it when needed.
  // False with 10008.
  bool saveIndex();

  // The index of the open package; null when none is open.
  IndexObject* indexObject() { return index_.get(); }

  // The three words of the "RegFileIndex" header. fileUsed is the next free
  // offset of "File", where new blocks go.
  RegFileIndexHeader& usedLengths() { return header_; }

  // --- blobs in "File" ---

  // Makes sure "File" can take a block of `bytes` at its used length,
  // growing it by twice that and 65535 more bytes when it cannot (the
  // streams after it move up). Nothing is checked while "RegFileIndex" is
  // not open. False with 10005.
  bool makeRoomInFile(std::uint32_t bytes);

  // Appends the whole file at `path` to "File" at its used length. Returns
  // the offset, `length` set to the bytes stored; -1 with 10014 (source not
  // opened) or 10005.
  std::int64_t storeFileBlob(const std::string& path, std::uint32_t& length);

  // Writes the background bitmap to a new temporary file "~nu....tmp" in
  // "CorvaneTemp" and returns its name (deleted when the package closes).
  // Without a bitmap, status 10007 and the bitmap's source path is returned;
  // empty when the folder or file cannot be made or the blob read.
  std::string extractBitmap();
  // The extracted bitmap file; empty when there is none.
  const std::string& bitmapPath() const { return bitmapPath_; }

  // Writes the undo stub to `path`. False with 10018, the partial file deleted.
  bool extractUndoStub(const std::string& path);

  // Source files stored into "File" by the next save (the package builder's
  // way of adding them); cleared once stored.
  void setBitmapSource(std::string path) { bitmapSource_ = std::move(path); }
  void setUndoStubSource(std::string path) { undoStubSource_ = std::move(path); }

  // --- variables ---

  // Marks variables for saving: the records of the first user, in list
  // order. BuiltIn records are never written.
  void setVariablesToSave(std::vector<VariableRecord> records) { variablesToSave_ = std::move(records); }
  // Writes the marked variables to "Variable"; true when none are marked.
  // False with 10026 (no stream) or 10005.
  bool saveVariables();
  // Reads the package's variables. False with 10026 when it has no
  // "Variable" stream.
  bool readPackageVariables(std::vector<VariableRecord>& records);

  // --- state ---

  bool isOpen() const { return open_; }
  std::int32_t status() const { return status_; }
  void setStatus(std::int32_t status) { status_ = status; }
  const std::string& packagePath() const { return path_; }
  // The stream's handle, -1 when it is not open.
  int streamHandle(PackageStream stream) const { return streams_[static_cast<std::size_t>(stream)]; }
  PkaArchive& archive() { return *archive_; }
  Platform& platform() { return platform_; }

 private:
  bool fail(PackageStatus status);
  bool abandonWith(PackageStatus status);
  int& handle(PackageStream stream) { return streams_[static_cast<std::size_t>(stream)]; }
  int openStream(PackageStream stream);
  int createStream(PackageStream stream);
  bool writeZeros(int handle, std::uint32_t count);

  bool openOptionsStream();
  bool openRegistryStream();
  bool openFileStream();
  bool openIndexStream();
  void openVariableStream();
  bool reopenArchive();

  bool storeBlob(const std::string& source, std::int32_t& offset, std::uint32_t& length);
  bool copyBlobToFile(std::int32_t offset, std::uint32_t length, const std::string& path);
  void deleteBitmapFile();

  Platform& platform_;
  std::unique_ptr<PkaArchive> archive_;
  bool open_ = false;
  std::array<int, kPackageStreamCount> streams_;
  std::string path_;
  PackageOpenContext context_;
  std::unique_ptr<IndexObject> index_;
  RegFileIndexHeader header_;
  InstallOptions options_;
  std::string bitmapPath_;
  std::string bitmapSource_;
  std::string undoStubSource_;
  std::optional<std::vector<VariableRecord>> variablesToSave_;
  std::int32_t status_ = statusCode(PackageStatus::Success);
  std::unique_ptr<PackageEngine> undo_;
};

}  // namespace tessary
