// The devices that the device installer lists as present in the network
// adapter class. SETUPAPI is looked up at run time: Windows 95 lacks it.
#include <windows.h>
#include <setupapi.h>

#include <vector>

#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32RuntimeFunctions.h"
#include "platform/win32/Win32Text.h"

namespace tessary {
namespace {

// {4d36e972-e325-11ce-bfc1-08002be10318}
constexpr GUID kNetworkAdapterClass = {
    0x4d36e972, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

class DeviceList {
 public:
  DeviceList(HDEVINFO list, decltype(&SetupDiDestroyDeviceInfoList) destroy) : list_(list), destroy_(destroy) {}
  ~DeviceList() {
    if (list_ != INVALID_HANDLE_VALUE) destroy_(list_);
  }
  DeviceList(const DeviceList&) = delete;
  DeviceList& operator=(const DeviceList&) = delete;
  HDEVINFO get() const { return list_; }

 private:
  HDEVINFO list_;
  decltype(&SetupDiDestroyDeviceInfoList) destroy_;
};

}  // namespace

WinError Win32Platform::presentNetworkAdapters(std::vector<std::string>& descriptions) {
  descriptions.clear();
  auto classDevices = functions_->get<decltype(&SetupDiGetClassDevsA)>(RuntimeFunction::SetupDiGetClassDevsA);
  auto enumDevice = functions_->get<decltype(&SetupDiEnumDeviceInfo)>(RuntimeFunction::SetupDiEnumDeviceInfo);
  auto property = functions_->get<decltype(&SetupDiGetDeviceRegistryPropertyA)>(
      RuntimeFunction::SetupDiGetDeviceRegistryPropertyA);
  auto destroy =
      functions_->get<decltype(&SetupDiDestroyDeviceInfoList)>(RuntimeFunction::SetupDiDestroyDeviceInfoList);
  if (!classDevices || !enumDevice || !property || !destroy) return kErrorCallNotImplemented;

  DeviceList devices(classDevices(&kNetworkAdapterClass, nullptr, nullptr, DIGCF_PRESENT), destroy);
  if (devices.get() == INVALID_HANDLE_VALUE) return lastFailure();

  std::vector<char> text(256);
  for (DWORD index = 0;; ++index) {
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    if (!enumDevice(devices.get(), index, &device)) {
      const WinError error = lastFailure();
      if (error == ERROR_NO_MORE_ITEMS) return kErrorSuccess;
      descriptions.clear();
      return error;
    }
    for (int round = 0; round < 3; ++round) {
      DWORD type = 0, needed = 0;
      if (property(devices.get(), &device, SPDRP_DEVICEDESC, &type, reinterpret_cast<BYTE*>(text.data()),
                   static_cast<DWORD>(text.size()), &needed)) {
        descriptions.push_back(boundedText(text.data(), text.size()));
        break;
      }
      // A device without a description is left out.
      if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= text.size()) break;
      text.assign(needed, '\0');
    }
  }
}

}  // namespace tessary
