// An INI text file held in memory as ordered sections of ordered entries,
// read and written in one piece. Unlike the profile functions it keeps
// repeated keys (the "rename" section of wininit.ini holds many NUL lines)
// and lines that are not key=value pairs.
//
// How text is read:
//   - lines end with CR LF, LF or CR; blanks (spaces, tabs) around a line,
//     a section name, a key and a value are dropped; blank lines are dropped;
//   - "[name]" starts a section (a missing "]" takes the rest of the line);
//     "[]" names the nameless section, which always stays first;
//   - a line starting with ";" and one with nothing before its "=" are kept
//     as they are (empty key);
//   - "key=value" splits at the first "=";
//   - any other line continues a value: a line feed and the line are added
//     to the key entry just read (blank lines between do not matter); else,
//     in a plain load, to the current section's last entry when that has a
//     key, since that is the line it will follow once written; else it is
//     kept as it is.
// Text written by save() therefore reads back as the same document.
// Names (sections, keys) compare byte for byte or ignoring ASCII letter case,
// as chosen at construction; merge loads compare values ignoring case.
//
// No operation throws: running out of memory gives OutOfMemory.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace tessary {

enum class IniResult : int {
  Ok = 0,
  CannotWrite = 1,    // the file cannot be created, opened for writing, or written in full
  FileExists = 2,
  CannotRead = 3,     // the file cannot be opened or read, or is empty
  NoSuchKey = 4,
  NoSuchSection = 5,
  NoFileName = 8,
  Merged = 9,         // a merge load met a key already held with another value
  OutOfMemory = 10,
  NotText = 11,       // a name or value would not read back as itself (see save)
};

// An entry with an empty key is a line kept as it is; its value is the line.
struct IniEntry {
  std::string key;
  std::string value;
  bool operator==(const IniEntry&) const = default;
};

// The nameless section (empty name) holds the lines before the first header.
struct IniSection {
  std::string name;
  std::vector<IniEntry> entries;
  bool operator==(const IniSection&) const = default;
};

class IniDocument {
 public:
  // An empty document with no file name. The platform must outlive it.
  IniDocument(Platform& platform, bool caseSensitive);

  // Reads the whole file. Without `merge` the document is emptied first and
  // the file name stored (even when the read fails); every line is appended,
  // so repeated keys all stay. With `merge` the file is added to what is
  // held: a key the section already holds with an equal value is skipped,
  // one held with another value is appended and the result becomes Merged;
  // comments are always appended. A failed merge leaves the document as it
  // was; a merge stores the file name only when none is stored yet.
  // Ok, Merged, CannotRead, OutOfMemory.
  IniResult load(const std::string& fileName, bool merge);

  // Without `overwrite` a file that exists (or is there but locked) gives
  // FileExists and nothing changes. Otherwise the file is created empty (an
  // existing one is emptied), the document emptied and the name stored.
  // Ok, FileExists, CannotWrite, OutOfMemory.
  IniResult createFile(const std::string& fileName, bool overwrite);

  // Writes the whole document to `fileName`, or to the stored name when it
  // is empty; the stored name does not change. The text is built before the
  // file is touched, so NotText and OutOfMemory leave the file as it was;
  // a failed write can leave it cut short. NotText when a section name holds
  // a line end or "]", a key holds a line end or "=" or starts with "[" or
  // ";", or a value's second or later line (it is written on lines of its
  // own) holds "=" or starts with "[" or ";": written, such text would read
  // back as other sections or entries. Lines kept as they are are written
  // unchecked. Ok, NoFileName, CannotWrite, OutOfMemory, NotText.
  IniResult save(const std::string& fileName = {});

  // The value of the first entry with `key`; `value` is unchanged on failure.
  // Ok, NoSuchKey, NoSuchSection, OutOfMemory.
  IniResult getValue(std::string_view section, std::string_view key, std::string& value) const;

  // Adds the section when missing (at the end; the nameless one first). With
  // `append`, or when the section lacks the key, appends an entry; otherwise
  // replaces the value of the first entry with the key. Ok, OutOfMemory.
  IniResult setValue(std::string_view section, std::string_view key, std::string_view value, bool append);

  // Removes the first entry with `key`; later entries move up. The section
  // stays even when empty. Ok, NoSuchKey, NoSuchSection.
  IniResult deleteKey(std::string_view section, std::string_view key);

  const std::string& fileName() const { return fileName_; }
  bool caseSensitive() const { return caseSensitive_; }
  const std::vector<IniSection>& sections() const { return sections_; }

 private:
  Platform* platform_;
  bool caseSensitive_;
  std::string fileName_;
  std::vector<IniSection> sections_;
};

}  // namespace tessary
