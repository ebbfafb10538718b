// Breaking long paragraphs.  The pad never wraps, so a paragraph from a word
// processor that is wider than the PDF page would run off it.  When a file is
// opened, such a paragraph is broken at spaces into several pad lines, each
// no wider than the given width.
#pragma once

#include <functional>

#include "platform/richedit/rich_text.h"

namespace qm::richedit {

// The advance of one character in points, in the given format.
using CharacterAdvance = std::function<double(const CharFormat& format, unsigned char byte)>;

// Breaks every paragraph wider than `maxWidth` at its last space that keeps
// the line within it (the space itself is dropped); a single word wider than
// a line stays whole.  Hidden text takes no room; a picture takes its width.
// Returns the number of breaks made.
int wrapParagraphs(RichText& text, double maxWidth, const CharacterAdvance& advance);

}  // namespace qm::richedit
