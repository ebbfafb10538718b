// The program's clipboard: what the pad cut or copied (rich text), or a
// picture that the picture insertion left there.
#pragma once

#include <memory>
#include <optional>

#include "platform/richedit/rich_text.h"

namespace qm {

class Clipboard {
 public:
  void setText(richedit::RichText text) {
    text_ = std::move(text);
    picture_.reset();
  }
  void setPicture(std::shared_ptr<const richedit::Picture> picture) {
    picture_ = std::move(picture);
    text_.reset();
  }
  const std::optional<richedit::RichText>& text() const { return text_; }
  const std::shared_ptr<const richedit::Picture>& picture() const { return picture_; }
  bool empty() const { return !text_ && !picture_; }

 private:
  std::optional<richedit::RichText> text_;
  std::shared_ptr<const richedit::Picture> picture_;
};

}  // namespace qm
