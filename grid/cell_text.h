// The text of one grid cell in 16 bytes: up to 15 bytes inline, longer texts
// on the heap.  A conversion holds millions of cells, nearly all of them
// empty, a flag or a short number, so their size decides the grids' memory.
#pragma once

#include <cstdint>
#include <string_view>

namespace qm {

class CellText {
 public:
  CellText() noexcept { inline_[kTag] = 0; }
  ~CellText() {
    if (onHeap()) release();
  }
  CellText(const CellText&) = delete;
  CellText& operator=(const CellText&) = delete;

  std::string_view view() const noexcept {
    if (onHeap()) return {heap_.data, heap_.size};
    return {inline_, static_cast<size_t>(inline_[kTag])};
  }
  bool empty() const noexcept { return onHeap() ? heap_.size == 0 : inline_[kTag] == 0; }

  void clear() noexcept {
    if (onHeap()) {
      heap_.size = 0;
    } else {
      inline_[kTag] = 0;
    }
  }
  void assign(std::string_view text) {
    clear();
    append(text);
  }
  void append(std::string_view text) {
    // Short texts into inline room: the common case, kept out of line calls.
    if (!onHeap()) {
      size_t size = static_cast<size_t>(inline_[kTag]);
      if (size + text.size() <= kInline) {
        for (size_t i = 0; i < text.size(); ++i) inline_[size + i] = text[i];
        inline_[kTag] = static_cast<char>(size + text.size());
        return;
      }
    }
    appendSlow(text);
  }
  void push_back(char c) {
    if (onHeap()) {
      if (heap_.size < (std::uint32_t{1} << heap_.capacityLog2)) {
        heap_.data[heap_.size++] = c;
        return;
      }
    } else if (static_cast<size_t>(inline_[kTag]) < kInline) {
      inline_[static_cast<size_t>(inline_[kTag]++)] = c;
      return;
    }
    appendSlow(std::string_view(&c, 1));
  }

 private:
  static constexpr size_t kInline = 15;
  static constexpr size_t kTag = 15;  // inline: the size; on the heap: kHeapTag
  static constexpr char kHeapTag = 0x7F;

  bool onHeap() const noexcept { return inline_[kTag] == kHeapTag; }
  void appendSlow(std::string_view text);
  void release() noexcept;

  // The two layouts share the 16 bytes; the last byte tells which is in use.
  union {
    char inline_[16];
    struct {
      char* data;
      std::uint32_t size;
      std::uint8_t capacityLog2;
      char unused[2];
      char tag;
    } heap_;
  };
};
static_assert(sizeof(CellText) == 16);

}  // namespace qm
