// Numbers and texts as they reach the PDF: plain decimal whatever the
// process's locale, colour components as fractions of 255, and the escaping
// of literal strings.
#pragma once

#include <string>
#include <string_view>

namespace qm::pdf {

void appendInt(std::string& out, long long value);
std::string intText(long long value);
// value / 255 with up to three decimals: "0", "1", "0.502" for 128.
std::string colourComponent(int value);
// A backslash before "(", ")" and every backslash, so that no text can end
// the string early or add PDF syntax.
std::string escapeLiteral(std::string_view text);

}  // namespace qm::pdf
