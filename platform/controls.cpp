#include "platform/controls.h"

namespace qm {

void Edit::setText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  if (onChange) onChange();
}

void ComboBox::choose(int index) {
  itemIndex = index;
  if (index >= 0 && index < static_cast<int>(items.size())) text = items[static_cast<size_t>(index)];
  if (onChange) onChange();
}

}  // namespace qm
