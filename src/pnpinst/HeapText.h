// A zero-terminated text on the process heap, for the system calls that want
// C strings. Its capacity is fixed at construction and every write is checked
// against it; freed by its owner.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string_view>

namespace tessary {

class HeapText {
 public:
  // An empty text with room for `capacity` bytes plus the terminating zero.
  explicit HeapText(std::size_t capacity);
  // A copy of `text`.
  explicit HeapText(std::string_view text);
  ~HeapText();
  HeapText(const HeapText&) = delete;
  HeapText& operator=(const HeapText&) = delete;

  // The text, or nullptr when the memory could not be had.
  const char* get() const { return text_; }
  std::string_view view() const { return {text_ ? text_ : "", length_}; }

  // False, with the text unchanged, when it does not fit or there is no memory.
  bool append(std::string_view more);

  // For a system call that writes the text itself: it may write up to
  // capacity() + 1 bytes at room(); adopt() then takes the first `length`.
  char* room() { return text_; }
  std::size_t capacity() const { return capacity_; }
  bool adopt(std::size_t length);

 private:
  char* text_ = nullptr;
  std::size_t capacity_ = 0;
  std::size_t length_ = 0;
};

}  // namespace tessary
