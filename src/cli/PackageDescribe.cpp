#include "cli/PackageDescribe.h"

#include <chrono>

#include "cli/CliText.h"
#include "cli/ManifestNames.h"

namespace tessary::cli {
namespace {

constexpr NamedValue kNodeFlags[] = {{"undo-written", kTreeFlagUndoWritten}, {"delete", kTreeFlagDelete},
                                     {"merge", kTreeFlagMerge},              {"compressed", kTreeFlagCompressed},
                                     {"delete-tree", kTreeFlagDeleteTree}};

std::string twoDigits(unsigned value) { return std::string(1, static_cast<char>('0' + value / 10 % 10)) + static_cast<char>('0' + value % 10); }

}  // namespace

std::string nodeFlagNames(std::uint32_t flags) { return maskNames(NameTable(kNodeFlags), flags, ", "); }

std::string attributeNames(std::uint32_t attributes) {
  return attributes == 0 ? "none" : maskNames(kAttributeNames, attributes, ", ");
}

std::string utcTimeText(std::uint32_t secondsSince1970) {
  using namespace std::chrono;
  sys_seconds time{seconds(secondsSince1970)};
  sys_days day = floor<days>(time);
  year_month_day date(day);
  hh_mm_ss clock(time - day);
  return std::to_string(static_cast<int>(date.year())) + "-" + twoDigits(static_cast<unsigned>(date.month())) + "-" +
         twoDigits(static_cast<unsigned>(date.day())) + " " + twoDigits(static_cast<unsigned>(clock.hours().count())) +
         ":" + twoDigits(static_cast<unsigned>(clock.minutes().count())) + ":" +
         twoDigits(static_cast<unsigned>(clock.seconds().count())) + " UTC";
}

std::string registryTypeName(std::uint32_t type) {
  std::string name = nameOfValue(kRegistryTypeNames, type);
  return name.empty() ? "type " + std::to_string(type) : name;
}

std::vector<std::string> multiStrings(const std::vector<std::uint8_t>& data) {
  std::vector<std::string> strings;
  std::string current;
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (data[i] != 0) {
      current.push_back(static_cast<char>(data[i]));
      continue;
    }
    if (current.empty()) break;  // the empty string that ends the list
    strings.push_back(std::move(current));
    current.clear();
  }
  if (!current.empty()) strings.push_back(std::move(current));
  return strings;
}

std::string registryDataText(const RegistryValueRecord& record) {
  const std::vector<std::uint8_t>& data = record.data;
  if (record.type == kRegSz || record.type == kRegExpandSz) {
    std::string text(data.begin(), data.end());
    if (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
  }
  if (record.type == kRegDword && data.size() == 4)
    return std::to_string(data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<std::uint32_t>(data[3]) << 24));
  if (record.type == kRegMultiSz) {
    std::string text;
    for (const std::string& item : multiStrings(data)) text += (text.empty() ? "" : " | ") + item;
    return text;
  }
  std::string hex;
  for (std::uint8_t byte : data) {
    if (!hex.empty()) hex += ' ';
    hex += hexText(byte, 2).substr(2);
  }
  return hex;
}

}  // namespace tessary::cli
