// RTF out: the pad's content as one RTF document.  The form is fixed because
// the conversion reads it back: a font table of "{\f<n>\fnil\fcharset0
// <Name>;}" entries, a colour table, "\viewkind4\uc1\pard" before the body,
// formatting words only where the format changes, every line ended by
// "\par" and a line break, pictures in "{\pict\jpegblip ...}" groups.
// Characters above 127 are lowercase "\'xx" escapes where the program's
// reader turns those into characters, plain bytes elsewhere.
#pragma once

#include <string>

#include "platform/richedit/rich_text.h"

namespace qm::richedit {

std::string writeRtf(const RichText& text);

}  // namespace qm::richedit
