#include "PictureSupport.h"

#include <cairo.h>

#include <cstring>
#include <fstream>
#include <sstream>

namespace clitest {
namespace {
struct Cursor {
  const std::string* bytes;
  size_t at;
};
cairo_status_t ReadChunk(void* closure, unsigned char* data, unsigned int length) {
  Cursor* cursor = static_cast<Cursor*>(closure);
  if (cursor->at + length > cursor->bytes->size()) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, cursor->bytes->data() + cursor->at, length);
  cursor->at += length;
  return CAIRO_STATUS_SUCCESS;
}
}  // namespace

Picture DecodePng(const std::string& bytes) {
  Picture picture;
  Cursor cursor{&bytes, 0};
  cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(ReadChunk, &cursor);
  if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
    // Composite on white so pictures with and without alpha compare alike.
    int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
    cairo_surface_t* flat = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_t* cr = cairo_create(flat);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(flat);
    picture.width = w;
    picture.height = h;
    const unsigned char* data = cairo_image_surface_get_data(flat);
    int stride = cairo_image_surface_get_stride(flat);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        uint32_t pixel;
        std::memcpy(&pixel, data + y * stride + x * 4, 4);
        picture.rgb.push_back(
            {int((pixel >> 16) & 255), int((pixel >> 8) & 255), int(pixel & 255)});
      }
    }
    cairo_surface_destroy(flat);
  }
  cairo_surface_destroy(surface);
  return picture;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace clitest
