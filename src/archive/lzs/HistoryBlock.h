// Placing a codec's state inside a history block the caller allocated.
//
//   +0 ---------+ (padding to State's alignment) +------------------+ ... size
//   | mark      |                                 | State            |
//   +-----------+---------------------------------+------------------+
//
// The caller may hand any address, so the state starts at the first aligned
// address after the mark; the block sizes leave room for the padding.
#pragma once

#include <cstdint>
#include <cstring>
#include <new>

namespace tessary::lzs::detail {

template <class State, class Mark>
constexpr bool fitsInBlock(std::uint32_t blockSize) {
  return sizeof(Mark) + alignof(State) - 1 + sizeof(State) <= blockSize;
}

template <class State, class Mark>
void* stateAddress(void* block) {
  std::uintptr_t at = reinterpret_cast<std::uintptr_t>(block) + sizeof(Mark);
  at = (at + alignof(State) - 1) & ~static_cast<std::uintptr_t>(alignof(State) - 1);
  return reinterpret_cast<void*>(at);
}

template <class Mark>
bool hasMark(const void* block, Mark mark) {
  Mark found;
  std::memcpy(&found, block, sizeof found);
  return found == mark;
}

template <class Mark>
void setMark(void* block, Mark mark) {
  std::memcpy(block, &mark, sizeof mark);
}

// Starts a fresh state in the block and marks it.
template <class State, class Mark>
State* createState(void* block, Mark mark) {
  State* state = new (stateAddress<State, Mark>(block)) State{};
  setMark(block, mark);
  return state;
}

// The state a marked block holds.
template <class State, class Mark>
State* existingState(void* block) {
  return std::launder(static_cast<State*>(stateAddress<State, Mark>(block)));
}

}  // namespace tessary::lzs::detail
