// Arbitrary text through the "[LFN]" marker functions and the display
// shortener, on a small computer with long and short names. Nothing faults
// or hangs; marked text is well formed, and turning it back into short paths
// and marking those again gives the same marked text; text without an
// opening marker comes back from fromLfnMarkers unchanged; a shortened path
// is the path, or its start, "..." and one of its tails.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "../tests/unit/support/FileTreePlatform.h"
#include "support/LfnMarkers.h"
#include "support/PathText.h"

namespace {

using namespace tessary;

void check(bool ok) {
  if (!ok) std::abort();
}

// Every name with a "~" in it is a short name, so a path written with one
// has a short form with one too.
test::FileTreePlatform& computer() {
  static test::FileTreePlatform platform = [] {
    test::FileTreePlatform p;
    p.add("C:\\Program Files|PROGRA~1\\Vendor Application|VENDOR~1\\app.exe");
    p.add("C:\\Program Files|PROGRA~1\\Vendor Application|VENDOR~1\\Long Name Tool.exe|LONGNA~1.EXE");
    p.add("C:\\Program Files|PROGRA~1\\Common Files|COMMON~1\\x.dll");
    p.add("C:\\Documents and Settings|DOCUME~1\\All Users|ALLUSE~1\\");
    p.add("D:\\Data,Files;Two|DATAFI~1\\a b|AB~1.TXT");
    p.add("D:\\Quoted \"Name\"|QUOTED~1\\");
    return p;
  }();
  return platform;
}

// Markers alternate, opening first, and none is left open.
bool wellFormed(std::string_view marked) {
  bool open = false;
  for (std::size_t at = 0; at < marked.size(); ++at) {
    if (marked.substr(at, 5) == "[LFN]") {
      if (open) return false;
      open = true;
    } else if (marked.substr(at, 5) == "[lfn]") {
      if (!open) return false;
      open = false;
    }
  }
  return !open;
}

void checkShortened(std::string_view path, std::size_t maximum) {
  const std::string shown = shortenForDisplay(path, maximum);
  if (shown == path) return;
  check(path.size() > maximum);
  const std::size_t keep = path.find('\\', 3);
  check(keep != std::string_view::npos);
  check(shown.compare(0, keep + 1, path.substr(0, keep + 1)) == 0);
  check(shown.compare(keep + 1, 3, "...") == 0);
  const std::string_view tail = std::string_view(shown).substr(keep + 4);
  if (!tail.empty()) {
    check(tail.front() == '\\' && shown.size() < maximum);
    check(path.size() >= tail.size() && path.substr(path.size() - tail.size()) == tail);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t maximum = data[0];
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  test::FileTreePlatform& platform = computer();

  checkShortened(text, maximum);

  const std::string back = fromLfnMarkers(platform, text);
  if (text.find("[LFN]") == std::string::npos) check(back == text);

  const std::string marked = toLfnMarkers(platform, text);
  if (marked.empty() || text.find('[') != std::string::npos) return 0;
  check(wellFormed(marked) && marked.find("[LFN]") != std::string::npos);
  const std::string shortAgain = fromLfnMarkers(platform, marked);
  check(shortAgain.find("[LFN]") == std::string::npos);
  check(toLfnMarkers(platform, shortAgain) == marked);
  return 0;
}
