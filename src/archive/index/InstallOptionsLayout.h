// The field order of the install options record, written once and used by
// both the reader and the writer so the two cannot drift apart. `Io` is
// OptionsReading or OptionsWriting (InstallOptionsRead.cpp,
// InstallOptionsWrite.cpp); `Options` is InstallOptions, const for writing.
#pragma once

#include "archive/index/FormatVersion.h"
#include "archive/index/InstallOptions.h"

namespace tessary {

template <class Io, class Entry>
void transferProgramEntry(Io& io, Entry& e) {
  io.text(e.command);
  io.text(e.arguments);
  io.text(e.scriptId);
  io.u32(e.wait);
  io.u32(e.embedded);
  io.u32(e.showMode);  // stored before the script host
  io.u32(e.scriptHost);
  io.u32(e.runAtNextLogon);
  io.u32(e.stopOnFailure);
}

template <class Io, class Options>
void transferInstallOptions(Io& io, Options& o) {
  io.f32(o.formatVersion);
  const float v = o.formatVersion;
  io.u32(o.reserved2);
  io.u32(o.reserved3);
  io.text(o.builderText);
  io.text(o.runPassword);
  io.text(o.title);
  io.text(o.description);
  io.u32(o.bitmapLayout);
  io.i32(o.bitmapOffset);
  io.u32(o.bitmapLength);
  io.u32(o.targetOs);
  io.u32(o.overwriteType);
  io.u32(o.overwritePrompt);
  io.u32(o.rebootNeeded);
  io.u32(o.forceQuiet);
  io.u32(o.reserved16);

  if (hasUndoStubFields(v)) {
    io.i32(o.undoStubOffset);
    io.u32(o.undoStubLength);
    io.u32(o.isUndoPackage);
    io.u32(o.runMode);
  }

  if (hasLegacyTexts(v)) {
    for (auto& text : o.legacyTexts) io.text(text);
  }

  if (hasConditions(v)) {
    io.u32(o.requiredMemoryMb);
    auto& file = o.fileCondition;
    io.text(file.path);
    io.u32(file.kind);
    if (file.kind == static_cast<std::uint32_t>(FileConditionKind::Date)) {
      io.u32(file.op);
      io.f64(file.date);
      io.u32(file.dateStatus);
    } else if (file.kind == static_cast<std::uint32_t>(FileConditionKind::Version)) {
      io.u32(file.op);
      io.u32(file.versionHigh);
      io.u32(file.versionLow);
    }
    auto& reg = o.registryCondition;
    io.u32(reg.kind);
    io.text(reg.keyPath);
    io.text(reg.valueName);
    if (reg.kind == 1) {
      io.u32(reg.op);
      io.text(reg.data);
    }
    io.driveList(o.driveSpace);
    io.text(o.reservedText);
  }

  if (hasPackageId(v)) {
    io.u32(o.skipDiskSpaceCheck);
    io.bytes(o.reserved36);
    io.text(o.packageId);
  }

  if (hasProgramLists(v)) {
    io.programList(o.preInstall);
    io.programList(o.midInstall);
    io.programList(o.postInstall);
  }
}

}  // namespace tessary
