// The access repair of a registry key (a grant to CURRENT_USER added to
// its ACL, and the old ACL put back) and the environment broadcast. The
// security functions are looked up at run time: the 95 family has none.
#include <windows.h>

#include <aclapi.h>

#include <cstring>

#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32RuntimeFunctions.h"

namespace tessary {
namespace {

using GetNamedSecurityInfoFn = DWORD(WINAPI*)(LPSTR, SE_OBJECT_TYPE, SECURITY_INFORMATION, PSID*, PSID*, PACL*,
                                              PACL*, PSECURITY_DESCRIPTOR*);
using SetNamedSecurityInfoFn = DWORD(WINAPI*)(LPSTR, SE_OBJECT_TYPE, SECURITY_INFORMATION, PSID, PSID, PACL, PACL);
using BuildExplicitAccessFn = VOID(WINAPI*)(PEXPLICIT_ACCESS_A, LPSTR, DWORD, ACCESS_MODE, DWORD);
using SetEntriesInAclFn = DWORD(WINAPI*)(ULONG, PEXPLICIT_ACCESS_A, PACL, PACL*);

struct ObjectRoot {
  RegistryRoot root;
  const char* name;
};
constexpr ObjectRoot kObjectRoots[] = {
    {RegistryRoot::ClassesRoot, "CLASSES_ROOT"},
    {RegistryRoot::CurrentUser, "CURRENT_USER"},
    {RegistryRoot::LocalMachine, "MACHINE"},
    {RegistryRoot::Users, "USERS"},
};

// The key's name as the security functions take it; empty for other roots.
std::string objectNameOf(RegistryRoot root, const std::string& subkey) {
  for (const ObjectRoot& entry : kObjectRoots)
    if (entry.root == root) return subkey.empty() ? std::string(entry.name) : std::string(entry.name) + "\\" + subkey;
  return std::string();
}

// Memory the security functions hand out.
class LocalMemory {
 public:
  LocalMemory() = default;
  ~LocalMemory() {
    if (memory_) LocalFree(memory_);
  }
  LocalMemory(const LocalMemory&) = delete;
  LocalMemory& operator=(const LocalMemory&) = delete;
  template <class T>
  T** receive() {
    return reinterpret_cast<T**>(&memory_);
  }

 private:
  HLOCAL memory_ = nullptr;
};

}  // namespace

WinError Win32Platform::regGrantKeyAccess(RegistryRoot root, const std::string& subkey,
                                          std::vector<std::uint8_t>& previous) {
  previous.clear();
  auto getInfo = functions_->get<GetNamedSecurityInfoFn>(RuntimeFunction::GetNamedSecurityInfoA);
  auto setInfo = functions_->get<SetNamedSecurityInfoFn>(RuntimeFunction::SetNamedSecurityInfoA);
  auto build = functions_->get<BuildExplicitAccessFn>(RuntimeFunction::BuildExplicitAccessWithNameA);
  auto setEntries = functions_->get<SetEntriesInAclFn>(RuntimeFunction::SetEntriesInAclA);
  if (!getInfo || !setInfo || !build || !setEntries) return kErrorCallNotImplemented;
  std::string object = objectNameOf(root, subkey);
  if (object.empty()) return kErrorInvalidParameter;

  PACL oldAcl = nullptr;
  LocalMemory descriptor;
  DWORD error = getInfo(object.data(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &oldAcl,
                        nullptr, descriptor.receive<void>());
  if (error != ERROR_SUCCESS) return error;
  if (oldAcl != nullptr) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(oldAcl);
    previous.assign(bytes, bytes + oldAcl->AclSize);
  }

  EXPLICIT_ACCESS_A access{};
  char trustee[] = "CURRENT_USER";
  build(&access, trustee, GENERIC_ALL, GRANT_ACCESS, NO_INHERITANCE);
  LocalMemory newAcl;
  error = setEntries(1, &access, oldAcl, newAcl.receive<ACL>());
  if (error != ERROR_SUCCESS) return error;
  return setInfo(object.data(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, *newAcl.receive<ACL>(),
                 nullptr);
}

WinError Win32Platform::regRestoreKeyAccess(RegistryRoot root, const std::string& subkey,
                                            const std::vector<std::uint8_t>& previous) {
  auto setInfo = functions_->get<SetNamedSecurityInfoFn>(RuntimeFunction::SetNamedSecurityInfoA);
  if (!setInfo) return kErrorCallNotImplemented;
  std::string object = objectNameOf(root, subkey);
  if (object.empty()) return kErrorInvalidParameter;
  // An ACL must be aligned; the saved bytes are copied into memory that is.
  std::vector<DWORD> aligned((previous.size() + sizeof(DWORD) - 1) / sizeof(DWORD));
  if (!previous.empty()) std::memcpy(aligned.data(), previous.data(), previous.size());
  PACL acl = previous.empty() ? nullptr : reinterpret_cast<PACL>(aligned.data());
  return setInfo(object.data(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, acl, nullptr);
}

void Win32Platform::broadcastSettingChange() {
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
}

}  // namespace tessary
