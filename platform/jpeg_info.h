// What the program needs to know of a JPEG picture: its size in pixels, its
// number of colour components, whether its CMYK is Adobe-inverted, and
// whether it decodes at all.  Read with libjpeg-turbo.
#pragma once

#include <string>

namespace qm {

struct JpegInfo {
  bool valid = false;  // the data is a JPEG that decodes completely
  int width = 0;
  int height = 0;
  int components = 0;
  bool adobeInverted = false;  // an Adobe marker on a 4-component picture
};

JpegInfo readJpegInfo(const std::string& bytes);
JpegInfo readJpegFileInfo(const std::string& path);

}  // namespace qm
