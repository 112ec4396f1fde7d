#include "cli/MachineRegWriter.h"

#include <charconv>

#include "platform/PlatformTypes.h"

namespace tessary::cli {

namespace {

std::vector<std::uint8_t> textBytes(const std::string& text) {
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

}  // namespace

KeyWriter::KeyWriter(RegistryTree& tree, std::string path)
    : tree_(tree), path_(std::move(path)), key_(tree.createKey(path_)) {}

KeyWriter& KeyWriter::sz(const std::string& name, const std::string& text) {
  if (key_) key_->setValue(name, kRegSz, textBytes(text));
  return *this;
}

KeyWriter& KeyWriter::expandSz(const std::string& name, const std::string& text) {
  if (key_) key_->setValue(name, kRegExpandSz, textBytes(text));
  return *this;
}

KeyWriter& KeyWriter::dword(const std::string& name, std::uint32_t number) {
  std::vector<std::uint8_t> bytes(4);
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(number >> (8 * i));
  if (key_) key_->setValue(name, kRegDword, std::move(bytes));
  return *this;
}

KeyWriter& KeyWriter::multiSz(const std::string& name, const std::vector<std::string>& texts) {
  std::vector<std::uint8_t> bytes;
  for (const std::string& text : texts) {
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.push_back(0);
  }
  bytes.push_back(0);
  if (key_) key_->setValue(name, kRegMultiSz, std::move(bytes));
  return *this;
}

KeyWriter& KeyWriter::binary(const std::string& name, std::vector<std::uint8_t> bytes) {
  if (key_) key_->setValue(name, kRegBinary, std::move(bytes));
  return *this;
}

KeyWriter KeyWriter::sub(const std::string& relativePath) const {
  return KeyWriter(tree_, path_ + "\\" + relativePath);
}

std::vector<std::uint8_t> sidBytes(const std::string& text) {
  // S-1-<authority>-<sub>... : revision, count, 6-byte authority big-endian,
  // then each sub-authority as 32 bits little-endian.
  if (text.size() < 4 || text.compare(0, 2, "S-") != 0) return {};
  std::vector<std::uint64_t> numbers;
  const char* p = text.data() + 2;
  const char* end = text.data() + text.size();
  while (p < end) {
    std::uint64_t number = 0;
    auto [next, ec] = std::from_chars(p, end, number);
    if (ec != std::errc() || (next != end && *next != '-')) return {};
    numbers.push_back(number);
    p = next == end ? end : next + 1;
  }
  if (numbers.size() < 2 || numbers[0] != 1 || numbers.size() - 2 > 15) return {};
  std::vector<std::uint8_t> bytes = {1, static_cast<std::uint8_t>(numbers.size() - 2)};
  for (int shift = 40; shift >= 0; shift -= 8) bytes.push_back(static_cast<std::uint8_t>(numbers[1] >> shift));
  for (std::size_t i = 2; i < numbers.size(); ++i) {
    if (numbers[i] > 0xFFFFFFFFu) return {};
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(numbers[i] >> shift));
  }
  return bytes;
}

std::vector<std::string> splitCommas(const std::string& text) {
  std::vector<std::string> items;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(',', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) items.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return items;
}

}  // namespace tessary::cli
