// The local date and time, for the PDF creation date.  SOURCE_DATE_EPOCH,
// when set to a number, fixes the time (taken as UTC) so that a conversion
// can be reproduced byte for byte.
#pragma once

#include <string>

namespace qm {

struct LocalDateTime {
  int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
  int utcOffsetMinutes = 0;
};

LocalDateTime currentLocalDateTime();
// "D:YYYYMMDDHHmmSS+HH'mm'" (or -HH'mm').
std::string pdfDate(const LocalDateTime& time);

}  // namespace qm
