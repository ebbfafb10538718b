#include "platform/jpeg_info.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "platform/memory_stream.h"

namespace qm {

namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  bool truncated;
};

void onError(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  std::longjmp(manager->jump, 1);
}

// Warnings are silent, except that a picture whose data ends early counts as
// not decoding: a viewer would show a grey band instead of the picture.
void onMessage(j_common_ptr info, int level) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  if (level < 0 && manager->base.msg_code == JWRN_JPEG_EOF) manager->truncated = true;
}

// Decodes the whole picture so that a truncated or corrupt file is refused
// before its bytes are embedded.  Kept free of C++ objects with destructors
// because of the longjmp.
bool decode(jpeg_decompress_struct& info, JpegInfo& result, std::vector<JSAMPLE>& row) {
  jpeg_read_header(&info, TRUE);
  result.width = static_cast<int>(info.image_width);
  result.height = static_cast<int>(info.image_height);
  result.components = info.num_components;
  result.adobeInverted = info.saw_Adobe_marker && info.num_components == 4;
  info.out_color_space = info.jpeg_color_space == JCS_YCCK || info.jpeg_color_space == JCS_CMYK
                             ? JCS_CMYK
                             : (info.num_components == 1 ? JCS_GRAYSCALE : JCS_RGB);
  jpeg_start_decompress(&info);
  row.resize(static_cast<size_t>(info.output_width) * info.output_components);
  JSAMPROW rows[1] = {row.data()};
  while (info.output_scanline < info.output_height) jpeg_read_scanlines(&info, rows, 1);
  jpeg_finish_decompress(&info);
  return true;
}

}  // namespace

JpegInfo readJpegInfo(const std::string& bytes) {
  JpegInfo result;
  if (bytes.size() < 4) return result;
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = onError;
  errors.base.emit_message = onMessage;
  std::vector<JSAMPLE> row;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return JpegInfo{};
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
  decode(info, result, row);
  jpeg_destroy_decompress(&info);
  result.valid = !errors.truncated && result.width > 0 && result.height > 0 &&
                 (result.components == 1 || result.components == 3 || result.components == 4);
  return result;
}

JpegInfo readJpegFileInfo(const std::string& path) {
  std::string bytes;
  if (!readWholeFile(path, bytes)) return JpegInfo{};
  return readJpegInfo(bytes);
}

}  // namespace qm
