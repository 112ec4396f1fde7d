// Printf-style texts of the string table filled without a fixed buffer.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace tessary {

// `pattern` with each "%s", "%d", "%u" or "%1" replaced, in order, by the next of
// `fields` (already in text form); "%%" gives one "%". A field without a
// value left over is dropped; surplus values are ignored.
std::string fillFields(std::string_view pattern, std::initializer_list<std::string_view> fields);

// `pattern` with each "%1" .. "%9" replaced by that field (first = %1), in
// one scan, so that a field holding "%2" is never filled in again. A number
// without a field stays as written.
std::string fillNumberedFields(std::string_view pattern, std::initializer_list<std::string_view> fields);

}  // namespace tessary
