// Accounts: the desktop user's SID, names and SIDs, the domain controller.
#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32RuntimeFunctions.h"
#include "platform/win32/Win32Text.h"

namespace tessary {
namespace {

// A SID given as bytes is used only when its own counts agree with its size.
bool isWholeSid(const std::vector<std::uint8_t>& sid) {
  if (sid.size() < 8) return false;
  const std::size_t needed = 8 + std::size_t{4} * sid[1];
  return sid.size() == needed && IsValidSid(const_cast<std::uint8_t*>(sid.data()));
}

std::vector<std::uint8_t> sidBytes(PSID sid) {
  const auto* bytes = static_cast<const std::uint8_t*>(sid);
  return std::vector<std::uint8_t>(bytes, bytes + GetLengthSid(sid));
}

// Calls `lookup(nameSize, domainSize)` until the names fit.
template <class Lookup>
WinError lookUp(Lookup lookup, std::vector<char>& name, std::vector<char>& domain) {
  for (int round = 0; round < 3; ++round) {
    DWORD nameSize = static_cast<DWORD>(name.size());
    DWORD domainSize = static_cast<DWORD>(domain.size());
    if (lookup(nameSize, domainSize)) return kErrorSuccess;
    const WinError error = lastFailure();
    if (error != ERROR_INSUFFICIENT_BUFFER) return error;
    if (nameSize > name.size()) name.assign(nameSize, '\0');
    if (domainSize > domain.size()) domain.assign(domainSize, '\0');
  }
  return kErrorInsufficientBuffer;
}

std::string toAnsi(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::vector<char> buffer(size);
  WideCharToMultiByte(CP_ACP, 0, text, -1, buffer.data(), size, nullptr, nullptr);
  return boundedText(buffer.data(), buffer.size());
}

std::vector<wchar_t> toWide(const std::string& text) {
  const int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::vector<wchar_t> buffer(size > 0 ? size : 1, L'\0');
  if (size > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer.data(), size);
  return buffer;
}

}  // namespace

WinError Win32Platform::desktopUserSid(std::vector<std::uint8_t>& sid) {
  sid.clear();
  // The 95 family's taskbar belongs to no token: nobody is logged on in the
  // NT sense.
  if (!ntFamily_) return kErrorInvalidWindowHandle;
  HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
  if (!taskbar) return kErrorInvalidWindowHandle;
  DWORD processId = 0;
  GetWindowThreadProcessId(taskbar, &processId);
  OwnedHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId));
  if (!process.get()) return lastFailure();
  OwnedHandle token;
  if (!OpenProcessToken(process.get(), TOKEN_QUERY, token.out())) return lastFailure();
  DWORD size = 0;
  GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
  if (size < sizeof(TOKEN_USER)) return lastFailure();
  std::vector<std::uint8_t> buffer(size);
  if (!GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return lastFailure();
  TOKEN_USER user;
  std::memcpy(&user, buffer.data(), sizeof user);
  if (!IsValidSid(user.User.Sid)) return ERROR_INVALID_SID;
  sid = sidBytes(user.User.Sid);
  return kErrorSuccess;
}

WinError Win32Platform::lookupAccountSid(const std::vector<std::uint8_t>& sid, std::string& account,
                                         std::string& domain, std::uint32_t& type) {
  account.clear();
  domain.clear();
  type = 0;
  if (!isWholeSid(sid)) return kErrorInvalidParameter;
  std::vector<char> name(257), domainName(257);
  SID_NAME_USE use = SidTypeUnknown;
  const WinError status = lookUp(
      [&](DWORD& nameSize, DWORD& domainSize) {
        return LookupAccountSidA(nullptr, const_cast<std::uint8_t*>(sid.data()), name.data(), &nameSize,
                                 domainName.data(), &domainSize, &use);
      },
      name, domainName);
  if (status != kErrorSuccess) return status;
  account = boundedText(name.data(), name.size());
  domain = boundedText(domainName.data(), domainName.size());
  type = use;
  return kErrorSuccess;
}

WinError Win32Platform::lookupAccountName(const std::string& system, const std::string& account,
                                          std::vector<std::uint8_t>& sid, std::string& domain,
                                          std::uint32_t& type) {
  sid.clear();
  domain.clear();
  type = 0;
  std::vector<char> sidBuffer(SECURITY_MAX_SID_SIZE), domainName(257);
  SID_NAME_USE use = SidTypeUnknown;
  const WinError status = lookUp(
      [&](DWORD& sidSize, DWORD& domainSize) {
        return LookupAccountNameA(system.empty() ? nullptr : system.c_str(), account.c_str(), sidBuffer.data(),
                                  &sidSize, domainName.data(), &domainSize, &use);
      },
      sidBuffer, domainName);
  if (status != kErrorSuccess) return status;
  if (!IsValidSid(sidBuffer.data()) || GetLengthSid(sidBuffer.data()) > sidBuffer.size()) return ERROR_INVALID_SID;
  sid = sidBytes(sidBuffer.data());
  domain = boundedText(domainName.data(), domainName.size());
  type = use;
  return kErrorSuccess;
}

WinError Win32Platform::domainControllerName(const std::string& domain, std::string& controller) {
  controller.clear();
  using GetDcName = DWORD(WINAPI*)(const wchar_t*, const wchar_t*, BYTE**);
  using BufferFree = DWORD(WINAPI*)(void*);
  auto getDcName = functions_->get<GetDcName>(RuntimeFunction::NetGetDCName);
  auto bufferFree = functions_->get<BufferFree>(RuntimeFunction::NetApiBufferFree);
  if (!getDcName || !bufferFree) return kErrorCallNotImplemented;
  const std::vector<wchar_t> wideDomain = toWide(domain);
  BYTE* answer = nullptr;
  const DWORD status = getDcName(nullptr, domain.empty() ? nullptr : wideDomain.data(), &answer);
  if (status == 0 && answer) controller = toAnsi(reinterpret_cast<const wchar_t*>(answer));
  if (answer) bufferFree(answer);
  return status;
}

}  // namespace tessary
