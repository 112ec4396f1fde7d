// Text to sections and entries. Lines are classified one at a time; a key
// entry is held back until the lines that continue its value have been seen,
// so that a merge compares whole values.
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "support/IniDocumentText.h"
#include "support/TextCompare.h"

namespace tessary::ini {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view trim(std::string_view text) {
  std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Hands out the lines of a text without their ends (CR LF, LF or CR).
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : text_(text) {}

  bool next(std::string_view& line) {
    if (at_ >= text_.size()) return false;
    std::size_t end = text_.find_first_of("\r\n", at_);
    if (end == std::string_view::npos) end = text_.size();
    line = text_.substr(at_, end - at_);
    at_ = end + 1;
    if (end + 1 < text_.size() && text_[end] == '\r' && text_[end + 1] == '\n') ++at_;
    return true;
  }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
};

enum class LineKind { Blank, Header, Kept, Pair, Stray };

struct Line {
  LineKind kind = LineKind::Blank;
  std::string_view name;   // section name or key
  std::string_view value;  // value, or the whole line when kept or stray
};

// Names (and merged values) as hash keys: equal keys mean equal names.
std::string foldedName(std::string_view name, bool caseSensitive) {
  std::string key(name);
  if (!caseSensitive)
    for (char& c : key) c = foldCase(c);
  return key;
}

Line classify(std::string_view raw) {
  std::string_view line = trim(raw);
  if (line.empty()) return {};
  if (line.front() == '[') {
    std::size_t close = line.find(']', 1);
    std::string_view inside = close == std::string_view::npos ? line.substr(1) : line.substr(1, close - 1);
    return {LineKind::Header, trim(inside), {}};
  }
  if (line.front() == ';') return {LineKind::Kept, {}, line};
  std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return {LineKind::Stray, {}, line};
  std::string_view key = trim(line.substr(0, equals));
  // An empty key is how a kept line is held, so "=x" is kept whole.
  if (key.empty()) return {LineKind::Kept, {}, line};
  return {LineKind::Pair, key, trim(line.substr(equals + 1))};
}

// Finds sections by name in constant time, since a file may hold many, and
// tracks the section that lines go to.
class SectionTable {
 public:
  SectionTable(std::vector<IniSection>& sections, bool caseSensitive)
      : sections_(sections), caseSensitive_(caseSensitive) {
    for (std::size_t i = 0; i < sections_.size(); ++i)
      if (!sections_[i].name.empty()) index_.emplace(foldedName(sections_[i].name, caseSensitive_), i);
  }

  void enter(std::string_view name) {
    if (name.empty()) {
      current_ = kNameless;
      return;
    }
    std::string key = foldedName(name, caseSensitive_);
    auto found = index_.find(key);
    if (found == index_.end()) found = index_.emplace(std::move(key), addSection(sections_, name)).first;
    current_ = found->second;
  }

  IniSection& current() {
    if (current_ != kNameless) return sections_[current_];
    if (sections_.empty() || !sections_.front().name.empty()) {
      addSection(sections_, {});
      for (auto& item : index_) ++item.second;
    }
    return sections_.front();
  }

 private:
  static constexpr std::size_t kNameless = SIZE_MAX;

  std::vector<IniSection>& sections_;
  bool caseSensitive_;
  std::unordered_map<std::string, std::size_t> index_;
  std::size_t current_ = kNameless;
};

class Reader {
 public:
  Reader(std::vector<IniSection>& sections, bool merge, bool caseSensitive)
      : table_(sections, caseSensitive), merge_(merge), caseSensitive_(caseSensitive) {}

  void take(const Line& line) {
    switch (line.kind) {
      case LineKind::Blank: break;
      case LineKind::Header:
        flush();
        table_.enter(line.name);
        break;
      case LineKind::Kept:
        flush();
        table_.current().entries.push_back(IniEntry{{}, std::string(line.value)});
        break;
      case LineKind::Pair:
        flush();
        pending_.emplace(IniEntry{std::string(line.name), std::string(line.value)});
        break;
      case LineKind::Stray: continueValue(line.value); break;
    }
  }

  IniResult finish() {
    flush();
    return result_;
  }

 private:
  void continueValue(std::string_view text) {
    std::string* value = pending_ ? &pending_->value : nullptr;
    IniSection& section = table_.current();
    // After a header the section's last entry is what this line follows
    // once the document is written out. A merge leaves entries it did not
    // read alone.
    if (!value && !merge_ && !section.entries.empty() && !section.entries.back().key.empty())
      value = &section.entries.back().value;
    if (!value) {
      section.entries.push_back(IniEntry{{}, std::string(text)});
      return;
    }
    value->push_back('\n');
    value->append(text);
  }

  void flush() {
    if (!pending_) return;
    IniSection& section = table_.current();
    if (merge_) {
      HeldKeys& held = heldKeys(section);
      std::string key = foldedName(pending_->key, caseSensitive_);
      std::string pair = pairOf(key, pending_->value);
      if (held.pairs.count(pair)) {
        pending_.reset();
        return;
      }
      if (held.keys.count(key)) result_ = IniResult::Merged;
      held.keys.insert(std::move(key));
      held.pairs.insert(std::move(pair));
    }
    section.entries.push_back(std::move(*pending_));
    pending_.reset();
  }

  // What a section holds, so that a merge need not search its entries for
  // every line: keys, and key with value.
  struct HeldKeys {
    std::unordered_set<std::string> keys;
    std::unordered_set<std::string> pairs;
  };

  std::string pairOf(const std::string& key, std::string_view value) const {
    // The length keeps a key's end from being taken for the value's start.
    return std::to_string(key.size()) + ':' + key + foldedName(value, false);
  }

  HeldKeys& heldKeys(const IniSection& section) {
    auto [found, added] = held_.try_emplace(foldedName(section.name, caseSensitive_));
    if (added)
      for (const IniEntry& entry : section.entries) {
        if (entry.key.empty()) continue;
        std::string key = foldedName(entry.key, caseSensitive_);
        found->second.pairs.insert(pairOf(key, entry.value));
        found->second.keys.insert(std::move(key));
      }
    return found->second;
  }

  SectionTable table_;
  std::unordered_map<std::string, HeldKeys> held_;
  bool merge_;
  bool caseSensitive_;
  std::optional<IniEntry> pending_;
  IniResult result_ = IniResult::Ok;
};

}  // namespace

IniResult readText(std::string_view text, bool merge, bool caseSensitive, std::vector<IniSection>& sections) {
  Reader reader(sections, merge, caseSensitive);
  LineCursor cursor(text);
  for (std::string_view line; cursor.next(line);) reader.take(classify(line));
  return reader.finish();
}

}  // namespace tessary::ini
