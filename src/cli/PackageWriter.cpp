#include "cli/PackageWriter.h"

#include <limits>
#include <vector>

#include "archive/BlockCodec.h"
#include "archive/PkaArchive.h"
#include "archive/index/ByteStream.h"
#include "archive/index/InstallOptions.h"
#include "archive/index/PackageIndex.h"
#include "archive/index/VariableRecord.h"
#include "platform/MemoryFile.h"

namespace tessary::cli {
namespace {

// Counts the bytes read through it, for the progress bar and to notice a
// source that changed size while it was packed.
class CountingFile final : public PlatformFile {
 public:
  CountingFile(PlatformFile& inner, Progress& progress) : inner_(inner), progress_(progress) {}
  WinError read(void* buffer, std::uint32_t count, std::uint32_t& done) override {
    WinError result = inner_.read(buffer, count, done);
    bytes += done;
    progress_.advance(done);
    return result;
  }
  WinError write(const void* buffer, std::uint32_t count, std::uint32_t& done) override {
    return inner_.write(buffer, count, done);
  }
  WinError seek(std::int64_t offset, SeekOrigin origin, std::uint64_t& position) override {
    return inner_.seek(offset, origin, position);
  }
  WinError size(std::uint64_t& size) override { return inner_.size(size); }
  WinError setEndOfFile() override { return inner_.setEndOfFile(); }

  std::uint64_t bytes = 0;

 private:
  PlatformFile& inner_;
  Progress& progress_;
};

class Writer {
 public:
  Writer(PackageInputs& inputs, Progress& progress, std::string& error)
      : in_(inputs), progress_(progress), error_(error) {}

  bool run(std::unique_ptr<HostFile> out);

 private:
  bool fail(const std::string& message) {
    error_ = message;
    return false;
  }
  bool stream(const char* name, int type, const std::vector<std::uint8_t>& bytes);
  bool put(int handle, const void* bytes, std::size_t count, std::uint32_t& used);
  bool fileStream(const std::string& undoStub, const std::string& bitmap);
  bool block(int handle, CTree& node, const PlannedBlock& planned);

  PackageInputs& in_;
  Progress& progress_;
  std::string& error_;
  std::unique_ptr<PkaArchive> archive_ = std::make_unique<PkaArchive>();
  std::uint32_t fileUsed_ = 0;
};

bool Writer::put(int handle, const void* bytes, std::size_t count, std::uint32_t& used) {
  const auto* at = static_cast<const std::uint8_t*>(bytes);
  while (count > 0) {
    std::uint32_t piece = static_cast<std::uint32_t>(std::min<std::size_t>(count, kBlockPieceSize));
    if (used > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max()) - piece)
      return fail("the package would pass 2 GB");
    if (PKAwrite(*archive_, handle, at, piece) != static_cast<int>(piece)) return fail("writing the package failed");
    used += piece;
    at += piece;
    count -= piece;
  }
  return true;
}

bool Writer::stream(const char* name, int type, const std::vector<std::uint8_t>& bytes) {
  int handle = PKAcreat(*archive_, name, 0, type);
  if (handle < 0) return fail(std::string("cannot create the stream \"") + name + "\"");
  std::uint32_t used = 0;
  bool ok = put(handle, bytes.data(), bytes.size(), used);
  if (PKAclose(*archive_, handle) != 0 && ok) return fail(std::string("cannot close the stream \"") + name + "\"");
  return ok;
}

bool Writer::block(int handle, CTree& node, const PlannedBlock& planned) {
  if (fileUsed_ > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max()))
    return fail("the package would pass 2 GB");
  node.dataOffset = static_cast<std::int32_t>(fileUsed_);
  MemorySink header;
  if (!writeFileBlockHeader(header, planned.header)) return fail("cannot store the header of \"" + node.name + "\"");
  node.dataSize = 0;
  if (!put(handle, header.bytes().data(), header.bytes().size(), node.dataSize)) return false;
  fileUsed_ += node.dataSize;
  if (planned.source.empty()) return true;

  std::string openError;
  std::unique_ptr<HostFile> source = HostFile::openRead(planned.source, openError);
  if (!source) return fail("cannot read " + openError);
  CountingFile counted(*source, progress_);
  if (planned.compress) {
    if (!compressFileToStream(counted, node, *archive_, handle, fileUsed_))
      return fail("cannot pack " + planned.source.string() + " (read failed, or the package would pass 4 GB)");
  } else {
    std::vector<std::uint8_t> piece(kBlockPieceSize);
    for (;;) {
      std::uint32_t done = 0;
      if (counted.read(piece.data(), kBlockPieceSize, done) != kErrorSuccess)
        return fail("cannot read " + planned.source.string());
      if (done == 0) break;
      std::uint32_t written = 0;
      if (!put(handle, piece.data(), done, written)) return false;
      node.dataSize += written;
      fileUsed_ += written;
    }
  }
  if (counted.bytes != planned.header.fileSize)
    return fail(planned.source.string() + " changed while the package was built");
  return true;
}

bool Writer::fileStream(const std::string& undoStub, const std::string& bitmap) {
  int handle = PKAcreat(*archive_, "File", 0, 9);
  if (handle < 0) return fail("cannot create the stream \"File\"");
  bool ok = put(handle, undoStub.data(), undoStub.size(), fileUsed_) && put(handle, bitmap.data(), bitmap.size(), fileUsed_);
  // Blocks go in tree order, parents before children, so that a reader
  // walking the tree reads the stream forwards.
  std::vector<CTree*> pending{in_.files->root.get()};
  while (ok && !pending.empty()) {
    CTree* node = pending.back();
    pending.pop_back();
    auto planned = in_.files->blocks.find(node);
    if (planned != in_.files->blocks.end()) ok = block(handle, *node, planned->second);
    for (auto it = node->children.rbegin(); it != node->children.rend(); ++it) pending.push_back(it->get());
  }
  if (PKAclose(*archive_, handle) != 0 && ok) return fail("cannot close the stream \"File\"");
  return ok;
}

bool Writer::run(std::unique_ptr<HostFile> out) {
  const Manifest& manifest = *in_.manifest;
  std::uint32_t done = 0;
  if (out->write(in_.stub.data(), static_cast<std::uint32_t>(in_.stub.size()), done) != kErrorSuccess ||
      done != in_.stub.size())
    return fail("cannot write the runtime stub");
  std::uint32_t base = 0;
  if (PKAappendEmptyArchive(*out, base) != 0) return fail("cannot append the archive to the runtime stub");
  if (PKAsetFileHandle(*archive_, std::move(out)) != 0) return fail("cannot open the new archive");

  std::string undoStub, bitmap, readError;
  if (manifest.undo && !makeUndoStub(in_.stub, undoStub)) return fail("cannot make the undo stub");
  if (manifest.bitmap && !readWholeFile(*manifest.bitmap, bitmap, readError))
    return fail("cannot read the bitmap " + readError);

  InstallOptions options = manifest.options;
  options.undoStubOffset = manifest.undo ? 0 : -1;
  options.undoStubLength = static_cast<std::uint32_t>(undoStub.size());
  options.bitmapOffset = bitmap.empty() ? 0 : static_cast<std::int32_t>(undoStub.size());
  options.bitmapLength = static_cast<std::uint32_t>(bitmap.size());
  options.preInstall = in_.files->programs[0];
  options.midInstall = in_.files->programs[1];
  options.postInstall = in_.files->programs[2];
  MemorySink optionBytes;
  if (!writeInstallOptions(optionBytes, options)) return fail("the install options cannot be stored");
  std::vector<std::uint8_t> optionStream = optionBytes.take();
  if (optionStream.size() < kInstallOptionsStreamSize) optionStream.resize(kInstallOptionsStreamSize, 0);

  if (!stream("InstallOptions", 10, optionStream) || !stream("Registry", 8, in_.registry->records) ||
      !fileStream(undoStub, bitmap))
    return false;

  PackageIndex index;
  index.header.registryUsed = static_cast<std::uint32_t>(in_.registry->records.size());
  index.header.fileUsed = fileUsed_;
  index.registryTree = std::move(in_.registry->root);
  index.fileTree = std::move(in_.files->root);
  MemorySink indexBytes;
  bool indexOk = writeRegFileIndex(indexBytes, index, "RegFileIndex", nullptr);
  in_.registry->root = std::move(index.registryTree);
  in_.files->root = std::move(index.fileTree);
  if (!indexOk) return fail("the package index cannot be stored");

  MemorySink variableBytes;
  if (!writeVariableRecords(variableBytes, manifest.variables)) return fail("the variables cannot be stored");
  if (!stream("RegFileIndex", 7, indexBytes.bytes()) || !stream("Variable", 11, variableBytes.bytes())) return false;
  if (PKAcloseArchive(*archive_) != 0) return fail("cannot finish the archive");
  return true;
}

}  // namespace

bool makeUndoStub(const std::string& stub, std::string& undoStub) {
  MemoryFile file(std::vector<std::uint8_t>(stub.begin(), stub.end()));
  std::uint32_t base = 0;
  if (PKAappendEmptyArchive(file, base) != 0) return false;
  undoStub.assign(file.bytes().begin(), file.bytes().end());
  return true;
}

bool writePackage(std::unique_ptr<HostFile> out, PackageInputs& inputs, Progress& progress, std::string& error) {
  Writer writer(inputs, progress, error);
  return writer.run(std::move(out));
}

}  // namespace tessary::cli
