#include "pdf/number_format.h"

#include <algorithm>
#include <charconv>

namespace qm::pdf {

void appendInt(std::string& out, long long value) {
  char buffer[24];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  (void)ec;
  out.append(buffer, end);
}

std::string intText(long long value) {
  std::string out;
  appendInt(out, value);
  return out;
}

std::string colourComponent(int value) {
  value = std::clamp(value, 0, 255);
  int thousandths = (value * 1000 + 127) / 255;  // rounded
  if (thousandths % 1000 == 0) return intText(thousandths / 1000);
  std::string digits = intText(thousandths);
  while (digits.size() < 3) digits.insert(digits.begin(), '0');
  while (digits.back() == '0') digits.pop_back();
  return "0." + digits;
}

std::string escapeLiteral(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '(' || c == ')' || c == '\\') out.push_back('\\');
    out.push_back(c);
  }
  return out;
}

}  // namespace qm::pdf
