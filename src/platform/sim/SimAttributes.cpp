#include "platform/sim/SimAttributes.h"

#include <system_error>
#include <vector>

#include "platform/PlatformTypes.h"
#include "platform/sim/HostFiles.h"
#include "platform/sim/SimText.h"

namespace tessary {

namespace {

struct Word {
  const char* text;
  std::uint32_t bit;
};
const Word kWords[] = {{"hidden", kAttrHidden}, {"system", kAttrSystem}, {"archive", kAttrArchive}};

std::uint32_t defaultBits(bool isDirectory) { return isDirectory ? 0u : static_cast<std::uint32_t>(kAttrArchive); }

bool parseWords(std::string_view text, std::uint32_t& bits) {
  bits = 0;
  if (equalsNoCase(trimBlanks(text), "none")) return true;
  std::size_t start = 0;
  for (;;) {
    std::size_t comma = text.find(',', start);
    std::string_view word = trimBlanks(text.substr(start, comma == std::string_view::npos ? comma : comma - start));
    bool known = false;
    for (const Word& candidate : kWords) {
      if (equalsNoCase(word, candidate.text)) {
        bits |= candidate.bit;
        known = true;
      }
    }
    if (!known) return false;
    if (comma == std::string_view::npos) return true;
    start = comma + 1;
  }
}

}  // namespace

std::string attributeWords(std::uint32_t bits) {
  std::string words;
  for (const Word& word : kWords) {
    if (!(bits & word.bit)) continue;
    if (!words.empty()) words += ',';
    words += word.text;
  }
  return words.empty() ? "none" : words;
}

bool SimAttributes::load(const std::filesystem::path& file, std::string& error) {
  std::map<std::string, Entry> entries;
  std::error_code ec;
  if (std::filesystem::exists(file, ec)) {
    std::string text;
    if (!readHostFile(file, text, error)) return false;
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      std::string_view line = trimBlanks(std::string_view(text).substr(start, end - start));
      start = end + 1;
      ++lineNumber;
      if (line.empty() || line.front() == ';') continue;
      // Words never hold '=', paths may.
      std::size_t equals = line.rfind('=');
      Entry entry;
      if (equals == std::string_view::npos || equals == 0 || !parseWords(line.substr(equals + 1), entry.bits)) {
        error = "attributes.ini: line " + std::to_string(lineNumber) +
                ": expected PATH=hidden,system,archive or PATH=none";
        return false;
      }
      entry.path = std::string(trimBlanks(line.substr(0, equals)));
      entries[foldCase(entry.path)] = std::move(entry);
    }
  }
  file_ = file;
  entries_ = std::move(entries);
  return true;
}

std::uint32_t SimAttributes::bits(const std::string& path, bool isDirectory) const {
  auto found = entries_.find(foldCase(path));
  return found == entries_.end() ? defaultBits(isDirectory) : found->second.bits;
}

bool SimAttributes::set(const std::string& path, bool isDirectory, std::uint32_t bits,
                        std::string& error) {
  bits &= kKeptBits;
  std::string key = foldCase(path);
  if (bits == defaultBits(isDirectory)) {
    if (entries_.erase(key) == 0) return true;
  } else {
    entries_[key] = Entry{path, bits};
  }
  return save(error);
}

std::vector<std::string> SimAttributes::keysUnder(const std::string& path) const {
  std::string key = foldCase(path);
  std::string prefix = key.back() == '\\' ? key : key + '\\';
  std::vector<std::string> keys;
  for (const auto& [folded, entry] : entries_)
    if (folded == key || folded.compare(0, prefix.size(), prefix) == 0) keys.push_back(folded);
  return keys;
}

bool SimAttributes::forget(const std::string& path, std::string& error) {
  std::vector<std::string> keys = keysUnder(path);
  if (keys.empty()) return true;
  for (const std::string& key : keys) entries_.erase(key);
  return save(error);
}

bool SimAttributes::move(const std::string& from, const std::string& to, std::string& error) {
  std::vector<std::string> keys = keysUnder(from);
  std::vector<Entry> moved;
  for (const std::string& key : keys) {
    Entry entry = std::move(entries_[key]);
    entries_.erase(key);
    entry.path = to + entry.path.substr(from.size());
    moved.push_back(std::move(entry));
  }
  // A replaced target loses its own bits.
  for (const std::string& key : keysUnder(to)) entries_.erase(key);
  for (Entry& entry : moved) {
    std::string key = foldCase(entry.path);
    entries_[key] = std::move(entry);
  }
  return save(error);
}

bool SimAttributes::save(std::string& error) const {
  if (file_.empty()) return true;
  std::string text;
  for (const auto& [folded, entry] : entries_) text += entry.path + '=' + attributeWords(entry.bits) + "\r\n";
  return replaceHostFile(file_, text, error);
}

}  // namespace tessary
