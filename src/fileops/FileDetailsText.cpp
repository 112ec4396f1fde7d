#include "fileops/FileDetailsText.h"

#include <array>

#include "fileops/AttributeNames.h"
#include "resources/StringTable.h"
#include "support/FileVersion.h"

namespace tessary {
namespace {

constexpr std::array<const char*, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 12> kMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                                                     "July",    "August",   "September", "October", "November", "December"};

// A field out of range names nothing rather than reading past the table.
template <std::size_t N>
const char* nameAt(const std::array<const char*, N>& names, std::size_t index) {
  return index < N ? names[index] : "";
}

std::string twoDigits(unsigned value) {
  std::string digits = std::to_string(value);
  return digits.size() < 2 ? "0" + digits : digits;
}

std::string sizePart(std::uint64_t size) {
  return std::string(text(Str::kDetailsSize)) + std::to_string(size) + text(Str::kDetailsBytes);
}

std::string versionPart(std::uint32_t high, std::uint32_t low) {
  return std::string(text(Str::kDetailsVersion)) + formatVersion(high, low);
}

std::string timePart(const LocalTime& time) { return std::string(text(Str::kDetailsModified)) + detailsTimeText(time); }

std::string attributesPart(std::uint32_t attributes) {
  return std::string(text(Str::kDetailsAttributes)) + attributeNames(attributes);
}

}  // namespace

std::string detailsTimeText(const LocalTime& time) {
  return std::string(nameAt(kDayNames, time.dayOfWeek)) + ", " + nameAt(kMonthNames, time.month - 1u) + " " +
         twoDigits(time.day) + ", " + std::to_string(time.year) + ",\t " + twoDigits(time.hour) + ":" +
         twoDigits(time.minute);
}

std::string fileDetailsText(const std::optional<FileDetails>& details) {
  if (!details) return "\n";
  std::string block = sizePart(details->size);
  if (details->hasVersion) block += versionPart(details->versionHigh, details->versionLow);
  return block + timePart(details->modified) + attributesPart(details->attributes & 0xff) + "\n";
}

std::string entryDetailsText(const FileBlockHeader& header, std::uint32_t attributes, const LocalTime& modified) {
  return sizePart(header.fileSize) + versionPart(header.versionHigh, header.versionLow) + timePart(modified) +
         attributesPart(attributes) + "\n";
}

std::string folderEntryDetailsText(std::uint32_t attributes) { return attributesPart(attributes) + "\n"; }

}  // namespace tessary
