// Registry files in the regedit text format.
//
//   REGEDIT4                                  or "Windows Registry Editor Version 5.00"
//                                             (8-bit text, or UTF-16LE after FF FE)
//   ; a comment
//   [HKEY_LOCAL_MACHINE\Software\Maker]       key (HKLM, HKU, HKCR, HKCU, HKCC,
//   @="default value"                          HKDD accepted on read)
//   "Path"="C:\\Program Files\\\"Q\""         REG_SZ; \\ and \" are escapes
//   "Count"=dword:0000002a                    REG_DWORD, 1 to 8 hex digits
//   "Blob"=hex:01,02,ff,\                     REG_BINARY; a trailing backslash
//     03,04                                     continues hex data on the next line
//   "Env"=hex(2):25,00,41,00,25,00,00,00      REG_EXPAND_SZ; any type: hex(n)
//   "Old"=-                                   deletes the value
//   [-HKEY_LOCAL_MACHINE\Software\Gone]       deletes the key and its subtree
//
// Data is kept as ANSI bytes. In version-5 files the hex forms of the string
// types (1, 2 and 7) hold UTF-16LE and are converted on read and write.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/RegistryTree.h"

namespace tessary {

enum class RegTextHeader { Regedit4, Version5 };

struct RegTextFormat {
  RegTextHeader header = RegTextHeader::Regedit4;
  bool utf16 = false;  // only with Version5: UTF-16LE text with a byte-order mark

  bool operator==(const RegTextFormat&) const = default;
};

struct RegEdit {
  enum class Kind { CreateKey, DeleteKey, SetValue, DeleteValue };
  Kind kind = Kind::CreateKey;
  std::string keyPath;  // full root name, then the subkeys as written
  RegistryValue value;  // SetValue: all of it; DeleteValue: the name
};

struct RegTextDocument {
  RegTextFormat format;
  std::vector<RegEdit> edits;  // in the order of the file
};

struct RegTextError {
  std::size_t line = 0;  // 1-based
  std::string message;

  // "line 7: unterminated string"
  std::string text() const;
};

// Parses a whole file. On failure `error` names the first bad line and
// `document` is left empty.
bool parseRegText(std::string_view bytes, RegTextDocument& document, RegTextError& error);

// Carries out the edits in order. Deleting what is missing is no error.
void applyRegEdits(const std::vector<RegEdit>& edits, RegistryTree& tree);

// Parses and, only when the whole file is sound, applies it to `tree`.
// `format` (optional) receives the file's form.
bool applyRegText(std::string_view bytes, RegistryTree& tree, std::string& error,
                  RegTextFormat* format = nullptr);

// The whole tree, CR LF lines: keys depth-first in case-insensitive order,
// each key's values by name with the default value first, long hex data
// wrapped. The same tree always gives the same bytes.
std::string writeRegText(const RegistryTree& tree, RegTextFormat format = {});

// The edits in their order, CR LF lines, in the same value forms as
// writeRegText: a key line before each run of edits of one key, "[-key]"
// for a deleted key and "name"=- for a deleted value. Parsing the result
// gives back the same edits (CreateKey lines added where a key's values
// follow another key's).
std::string writeRegEdits(const std::vector<RegEdit>& edits, RegTextFormat format = {});

}  // namespace tessary
