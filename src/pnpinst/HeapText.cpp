#include "pnpinst/HeapText.h"

namespace tessary {

HeapText::HeapText(std::size_t capacity) {
  if (capacity == static_cast<std::size_t>(-1)) return;
  text_ = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, capacity + 1));
  if (!text_) return;
  capacity_ = capacity;
  text_[0] = '\0';
}

HeapText::HeapText(std::string_view text) : HeapText(text.size()) { append(text); }

HeapText::~HeapText() {
  if (text_) HeapFree(GetProcessHeap(), 0, text_);
}

bool HeapText::append(std::string_view more) {
  if (!text_ || more.size() > capacity_ - length_) return false;
  CopyMemory(text_ + length_, more.data(), more.size());
  length_ += more.size();
  text_[length_] = '\0';
  return true;
}

bool HeapText::adopt(std::size_t length) {
  if (!text_ || length > capacity_) return false;
  length_ = length;
  text_[length_] = '\0';
  return true;
}

}  // namespace tessary
