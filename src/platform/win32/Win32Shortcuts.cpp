// Shortcuts through the shell-link object and its file interface.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <vector>

#include "platform/win32/Win32Com.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32Text.h"

namespace tessary {
namespace {

// Named here rather than taken from the uuid library.
const GUID kClsidShellLink = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const GUID kIidShellLinkA = {0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const GUID kIidPersistFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Arguments may be as long as an info tip; paths are shorter.
constexpr int kTextRoom = 1024 + 1;

// A Win32 error inside the result is passed on; any other failure becomes
// `otherwise`.
WinError errorOf(HRESULT result, WinError otherwise) {
  if (SUCCEEDED(result)) return kErrorSuccess;
  if (HRESULT_FACILITY(result) == FACILITY_WIN32 && HRESULT_CODE(result) != 0)
    return static_cast<WinError>(HRESULT_CODE(result));
  if (result == E_OUTOFMEMORY) return kErrorNotEnoughMemory;
  return otherwise;
}

std::vector<wchar_t> toWide(const std::string& text) {
  const int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::vector<wchar_t> buffer(size > 0 ? size : 1, L'\0');
  if (size > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer.data(), size);
  return buffer;
}

// One text of the shell link through `get(buffer, room)`.
template <class Get>
HRESULT linkText(Get get, std::string& text) {
  std::vector<char> buffer(kTextRoom, '\0');
  const HRESULT result = get(buffer.data(), static_cast<int>(buffer.size()));
  text = SUCCEEDED(result) ? boundedText(buffer.data(), buffer.size()) : std::string();
  return result;
}

// The shell-link object with its file interface.
struct ShellLink {
  ComPointer<IShellLinkA> link;
  ComPointer<IPersistFile> file;

  HRESULT create() {
    HRESULT result = CoCreateInstance(kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER, kIidShellLinkA, link.out());
    if (SUCCEEDED(result)) result = link->QueryInterface(kIidPersistFile, file.out());
    return result;
  }
};

}  // namespace

WinError Win32Platform::readShortcut(const std::string& path, ShortcutFields& fields) {
  fields = {};
  // A shortcut that does not exist needs no shell.
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return lastFailure();
  ComApartment apartment;
  ShellLink shell;
  HRESULT result = shell.create();
  if (FAILED(result)) return errorOf(result, kErrorCallNotImplemented);
  std::vector<wchar_t> widePath = toWide(path);
  result = shell.file->Load(widePath.data(), STGM_READ | STGM_SHARE_DENY_NONE);
  if (FAILED(result)) return errorOf(result, kErrorInvalidData);

  ShortcutFields read;
  // The raw path: a target written with "%...%" keeps its variables.
  result = linkText([&](char* buffer, int room) { return shell.link->GetPath(buffer, room, nullptr, SLGP_RAWPATH); },
                    read.targetPath);
  // S_FALSE: a link to something that is no file (a shell folder) has no path.
  if (result == S_FALSE) read.targetPath.clear();
  if (SUCCEEDED(result))
    result = linkText([&](char* buffer, int room) { return shell.link->GetArguments(buffer, room); }, read.arguments);
  if (SUCCEEDED(result))
    result = linkText([&](char* buffer, int room) { return shell.link->GetWorkingDirectory(buffer, room); },
                      read.workingFolder);
  int iconIndex = 0;
  if (SUCCEEDED(result))
    result = linkText(
        [&](char* buffer, int room) { return shell.link->GetIconLocation(buffer, room, &iconIndex); }, read.iconFile);
  int showCommand = 0;
  if (SUCCEEDED(result)) result = shell.link->GetShowCmd(&showCommand);
  if (FAILED(result)) return errorOf(result, kErrorInvalidData);
  read.iconIndex = iconIndex;
  read.showCommand = static_cast<std::uint32_t>(showCommand);
  fields = std::move(read);
  return kErrorSuccess;
}

WinError Win32Platform::saveShortcut(const std::string& path, const ShortcutFields& fields) {
  ComApartment apartment;
  ShellLink shell;
  HRESULT result = shell.create();
  if (FAILED(result)) return errorOf(result, kErrorCallNotImplemented);
  if (!fields.targetPath.empty()) result = shell.link->SetPath(fields.targetPath.c_str());
  if (SUCCEEDED(result)) result = shell.link->SetArguments(fields.arguments.c_str());
  if (SUCCEEDED(result)) result = shell.link->SetWorkingDirectory(fields.workingFolder.c_str());
  if (SUCCEEDED(result)) result = shell.link->SetIconLocation(fields.iconFile.c_str(), fields.iconIndex);
  if (SUCCEEDED(result)) result = shell.link->SetShowCmd(static_cast<int>(fields.showCommand));
  if (FAILED(result)) return errorOf(result, kErrorInvalidParameter);
  std::vector<wchar_t> widePath = toWide(path);
  result = shell.file->Save(widePath.data(), TRUE);
  if (SUCCEEDED(result)) shell.file->SaveCompleted(widePath.data());
  return errorOf(result, kErrorWriteFault);
}

}  // namespace tessary

namespace tessary {

WinError Win32Platform::fixUpShortcut(const std::string& path, const ShortcutFields* fields, bool save) {
  ComApartment apartment;
  ShellLink shell;
  HRESULT result = shell.create();
  if (FAILED(result)) return errorOf(result, kErrorCallNotImplemented);
  std::vector<wchar_t> widePath = toWide(path);
  const WinError loaded = errorOf(shell.file->Load(widePath.data(), STGM_READWRITE), kErrorInvalidData);
  if (fields != nullptr) {
    // Each field is set on its own: one the shell refuses leaves the others.
    if (!fields->targetPath.empty()) shell.link->SetPath(fields->targetPath.c_str());
    shell.link->SetArguments(fields->arguments.c_str());
    shell.link->SetIconLocation(fields->iconFile.c_str(), fields->iconIndex);
    shell.link->SetWorkingDirectory(fields->workingFolder.c_str());
    shell.link->SetShowCmd(static_cast<int>(fields->showCommand));
  }
  shell.link->Resolve(nullptr, SLR_NO_UI | SLR_UPDATE);
  if (save && (loaded == kErrorSuccess || fields != nullptr) && SUCCEEDED(shell.file->Save(widePath.data(), TRUE)))
    shell.file->SaveCompleted(widePath.data());
  return loaded;
}

}  // namespace tessary
