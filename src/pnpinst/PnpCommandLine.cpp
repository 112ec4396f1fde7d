#include "pnpinst/PnpCommandLine.h"

namespace tessary {

namespace {

struct CommandForm {
  std::string_view word;
  PnpOperation operation;
  std::string_view firstKey;
  std::string_view PnpRequest::*firstValue;
  std::string_view secondKey;
  std::string_view PnpRequest::*secondValue;
};

// Tried in this order.
constexpr CommandForm kForms[] = {
    {"SetupCopyOEMInf", PnpOperation::CopyOemInf,
     "infPath=", &PnpRequest::infPath, "setupPath=", &PnpRequest::setupPath},
    {"UpdateDriverForPlugAndPlayDevices", PnpOperation::UpdateDriver,
     "DeviceID=", &PnpRequest::deviceId, "infPath=", &PnpRequest::infPath},
};

// Plain pointer arithmetic rather than substr(): the helper program is built
// without the exception machinery that substr's range check would drag in.
bool findNamedValue(std::string_view line, std::string_view key, std::string_view& value) {
  const std::size_t at = line.find(key);
  if (at == std::string_view::npos) return false;
  const char* start = line.data() + at + key.size();
  const char* end = line.data() + line.size();
  const char* stop = start;
  while (stop != end && *stop != ' ') ++stop;
  value = std::string_view(start, static_cast<std::size_t>(stop - start));
  return true;
}

}  // namespace

PnpRequest analysePnpCommandLine(std::string_view line) {
  PnpRequest request;
  for (const CommandForm& form : kForms) {
    if (line.find(form.word) == std::string_view::npos) continue;
    request.operation = form.operation;
    const bool first = findNamedValue(line, form.firstKey, request.*form.firstValue);
    const bool second = findNamedValue(line, form.secondKey, request.*form.secondValue);
    request.argumentsFound = first && second;
    break;
  }
  return request;
}

}  // namespace tessary
