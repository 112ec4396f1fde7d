#include "pnpinst/DriverCalls.h"

#include <windows.h>
#include <newdev.h>
#include <setupapi.h>

#include "pnpinst/HeapText.h"
#include "pnpinst/SystemLibrary.h"

namespace tessary {

namespace {

bool copyOemInf(const PnpRequest& request) {
  const SystemLibrary setupApi("setupapi.dll");
  const auto copy = setupApi.function<decltype(&SetupCopyOEMInfA)>("SetupCopyOEMInfA");
  const HeapText infPath(request.infPath);
  const HeapText setupPath(request.setupPath);
  return copy && infPath.get() && setupPath.get() &&
         copy(infPath.get(), setupPath.get(), SPOST_PATH, 0, nullptr, 0, nullptr, nullptr);
}

bool updateDriver(const PnpRequest& request) {
  const SystemLibrary newDev("newdev.dll");
  const auto update = newDev.function<decltype(&UpdateDriverForPlugAndPlayDevicesA)>(
      "UpdateDriverForPlugAndPlayDevicesA");
  const HeapText deviceId(request.deviceId);
  const HeapText infPath(request.infPath);
  return update && deviceId.get() && infPath.get() &&
         update(nullptr, deviceId.get(), infPath.get(), INSTALLFLAG_FORCE, nullptr);
}

}  // namespace

bool carryOutPnpRequest(const PnpRequest& request) {
  if (!request.runnable()) return false;
  switch (request.operation) {
    case PnpOperation::CopyOemInf:
      return copyOemInf(request);
    case PnpOperation::UpdateDriver:
      return updateDriver(request);
    case PnpOperation::None:
      break;
  }
  return false;
}

}  // namespace tessary
