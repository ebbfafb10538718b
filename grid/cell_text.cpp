#include "grid/cell_text.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace qm {

void CellText::release() noexcept {
  if (onHeap()) std::free(heap_.data);
  inline_[kTag] = 0;
}

void CellText::appendSlow(std::string_view text) {
  if (text.empty()) return;
  if (!onHeap()) {
    size_t size = static_cast<size_t>(inline_[kTag]);
    if (size + text.size() <= kInline) {
      std::memcpy(inline_ + size, text.data(), text.size());
      inline_[kTag] = static_cast<char>(size + text.size());
      return;
    }
    // Moves to the heap with room to grow.
    size_t needed = size + text.size();
    std::uint8_t log2 = 5;
    while ((size_t{1} << log2) < needed) ++log2;
    char* data = static_cast<char*>(std::malloc(size_t{1} << log2));
    if (!data) throw std::bad_alloc();
    std::memcpy(data, inline_, size);
    std::memcpy(data + size, text.data(), text.size());
    heap_.data = data;
    heap_.size = static_cast<std::uint32_t>(needed);
    heap_.capacityLog2 = log2;
    heap_.tag = kHeapTag;
    return;
  }
  size_t needed = size_t{heap_.size} + text.size();
  if (needed > UINT32_MAX) throw std::bad_alloc();
  if (needed > (size_t{1} << heap_.capacityLog2)) {
    std::uint8_t log2 = heap_.capacityLog2;
    while ((size_t{1} << log2) < needed) ++log2;
    char* data = static_cast<char*>(std::realloc(heap_.data, size_t{1} << log2));
    if (!data) throw std::bad_alloc();
    heap_.data = data;
    heap_.capacityLog2 = log2;
  }
  std::memcpy(heap_.data + heap_.size, text.data(), text.size());
  heap_.size = static_cast<std::uint32_t>(needed);
}

}  // namespace qm
