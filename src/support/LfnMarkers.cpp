#include "support/LfnMarkers.h"

#include <vector>

#include "support/PathText.h"

namespace tessary {

namespace {

constexpr std::string_view kOpen = "[LFN]";
constexpr std::string_view kClose = "[lfn]";

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Whether a path starts at `letter`: "X:\" there.
bool startsDrivePath(std::string_view text, std::size_t letter) {
  return letter + 2 < text.size() && isLetter(text[letter]) && text[letter + 1] == ':' &&
         text[letter + 2] == '\\';
}

// Where the last component of `path` starts: after the last backslash, after
// a drive's colon ("C:name"), or at 0.
std::size_t lastComponentStart(std::string_view path) {
  const std::size_t slash = path.rfind('\\');
  if (slash != std::string_view::npos) return slash + 1;
  return (path.size() >= 2 && path[1] == ':') ? 2 : 0;
}

}  // namespace

std::string longPathOf(Platform& platform, std::string_view shortPath) {
  if (!fitsMaxPath(shortPath) || shortPath.find_first_of("*?") != std::string_view::npos) return {};
  std::vector<std::string> pieces;  // from the end: "\Long Name" or "Long Name"
  std::string_view rest = shortPath;
  std::vector<FoundFile> found;
  while (rest.size() > 2) {
    if (platform.findFiles(std::string(rest), found) != kErrorSuccess || found.empty()) return {};
    const std::size_t start = lastComponentStart(rest);
    const bool afterSlash = start > 0 && rest[start - 1] == '\\';
    pieces.push_back(afterSlash ? '\\' + found.front().name : found.front().name);
    rest = rest.substr(0, afterSlash ? start - 1 : start);
  }
  std::string result(rest);
  for (auto piece = pieces.rbegin(); piece != pieces.rend(); ++piece) result += *piece;
  if (!fitsMaxPath(result)) return {};
  return result;
}

std::string toLfnMarkers(Platform& platform, std::string_view text) {
  std::string out;
  std::size_t copied = 0;    // text before this is in `out`
  std::size_t lastDrive = std::string_view::npos;  // letter of the last "X:\" since `copied`
  std::size_t cursor = copied;  // letters before this have been looked at
  bool replaced = false;
  for (std::size_t tilde = text.find('~'); tilde != std::string_view::npos; tilde = text.find('~', tilde + 1)) {
    if (tilde < cursor) continue;  // inside the path just replaced
    for (; cursor < tilde; ++cursor)
      if (startsDrivePath(text, cursor)) lastDrive = cursor;
    if (lastDrive == std::string_view::npos) continue;

    const std::size_t start = lastDrive;
    std::size_t end;
    if (start > 0 && text[start - 1] == '"') {
      end = text.find('"', start);
      if (end == std::string_view::npos) return {};
    } else {
      end = text.find_first_of(",; \t", start);
      if (end == std::string_view::npos) end = text.size();
    }
    const std::string longPath = longPathOf(platform, text.substr(start, end - start));
    if (longPath.empty()) return {};

    out.append(text.substr(copied, start - copied));
    out.append(kOpen).append(longPath).append(kClose);
    replaced = true;
    copied = cursor = end;
    lastDrive = std::string_view::npos;
  }
  if (!replaced) return {};
  out.append(text.substr(copied));
  return out;
}

std::string fromLfnMarkers(Platform& platform, std::string_view text) {
  std::string out;
  std::size_t copied = 0;
  for (std::size_t open = text.find(kOpen); open != std::string_view::npos; open = text.find(kOpen, copied)) {
    const std::size_t inside = open + kOpen.size();
    const std::size_t close = text.find(kClose, inside);
    if (close == std::string_view::npos) break;
    const std::string longPath(text.substr(inside, close - inside));
    std::string shortPath;
    // The short form is read into 260 characters; one that needs more is
    // not given, and neither is one for a path the system would refuse.
    const bool haveShort = fitsMaxPath(longPath) &&
                           platform.shortPathName(longPath, shortPath) == kErrorSuccess &&
                           !shortPath.empty() && fitsMaxPath(shortPath);
    out.append(text.substr(copied, open - copied));
    out.append(haveShort ? shortPath : longPath);
    copied = close + kClose.size();
  }
  out.append(text.substr(copied));
  return out;
}

}  // namespace tessary
