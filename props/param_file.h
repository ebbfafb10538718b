// The parameter file beside each PDF: the document properties and one
// caption per page, so that the next conversion of the same document shows
// them again.  Byte layout, in order: title, author, subject and creator each
// ended by CR LF; the annotation ended by "||"; a 4-byte page count (decimal
// digits, NUL-padded); for each page its number and caption, each ended by
// "|"; CR LF.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qm::props {

struct CaptionRow {
  std::string number;
  std::string caption;
};

struct ParameterFields {
  std::string title;
  std::string author;
  std::string subject;
  std::string creator;
  std::string annotation;  // lines separated by CR LF
  std::vector<CaptionRow> captions;
};

// The most caption rows the 4-digit count field can announce.
inline constexpr size_t kMaximumStoredCaptions = 9999;

// "|" cannot be stored in the annotation or a caption: it becomes "/".
std::string withoutBars(std::string text);

std::string formatParameterFile(const ParameterFields& fields);

// What a parameter file holds.  An empty field means "not given": the dialog
// keeps what it shows.  A short or damaged file gives what could be read.
ParameterFields parseParameterFile(std::string_view bytes);

}  // namespace qm::props
