#include "platform/clock.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "grid/work_grid.h"

namespace qm {

LocalDateTime currentLocalDateTime() {
  std::time_t now = std::time(nullptr);
  bool fixed = false;
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
    long long value = 0;
    if (parseInteger(epoch, value)) {
      now = static_cast<std::time_t>(value);
      fixed = true;
    }
  }
  std::tm parts{};
  if (fixed) {
    gmtime_r(&now, &parts);
  } else {
    localtime_r(&now, &parts);
  }
  LocalDateTime result;
  result.year = parts.tm_year + 1900;
  result.month = parts.tm_mon + 1;
  result.day = parts.tm_mday;
  result.hour = parts.tm_hour;
  result.minute = parts.tm_min;
  result.second = parts.tm_sec;
  result.utcOffsetMinutes = fixed ? 0 : static_cast<int>(parts.tm_gmtoff / 60);
  return result;
}

std::string pdfDate(const LocalDateTime& time) {
  int offset = time.utcOffsetMinutes;
  char sign = offset < 0 ? '-' : '+';
  if (offset < 0) offset = -offset;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "D:%04d%02d%02d%02d%02d%02d%c%02d'%02d'", time.year, time.month, time.day,
                time.hour, time.minute, time.second, sign, offset / 60, offset % 60);
  return buffer;
}

}  // namespace qm
