#include "archive/index/IndexObserver.h"

#include <iterator>

namespace tessary {
namespace {

struct MessageText {
  IndexMessage message;
  const char* before;  // the text up to %s
  const char* after;   // the text after it
};

constexpr MessageText kMessages[] = {
    {IndexMessage::LoadFailed, "(OPEN)\tUnable to load the index files contained in ", "\n"},
    {IndexMessage::OpenFailed, "(OPEN)\tUnable to Open: ", "\n"},
    {IndexMessage::SaveFailed, "(OPEN)\tUnable to Save: ", "\n"},
    {IndexMessage::CloseFailed, "(Close)\tUnable to save the index files contained in ", "\n"},
};

}  // namespace

std::string indexMessageText(IndexMessage message, std::string_view fileName) {
  for (const auto& m : kMessages) {
    if (m.message == message) return std::string(m.before) + std::string(fileName) + m.after;
  }
  return {};
}

}  // namespace tessary
