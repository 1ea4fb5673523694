#include "Render.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "ToolError.h"

namespace quibtool {
namespace {

struct BlendMode {
  const char* name;
  cairo_operator_t op;
};

// The host's blending modes by number.
const BlendMode kBlendModes[16] = {
    {"normal", CAIRO_OPERATOR_OVER},
    {"multiply", CAIRO_OPERATOR_MULTIPLY},
    {"screen", CAIRO_OPERATOR_SCREEN},
    {"overlay", CAIRO_OPERATOR_OVERLAY},
    {"darken", CAIRO_OPERATOR_DARKEN},
    {"lighten", CAIRO_OPERATOR_LIGHTEN},
    {"colour dodge", CAIRO_OPERATOR_COLOR_DODGE},
    {"colour burn", CAIRO_OPERATOR_COLOR_BURN},
    {"hard light", CAIRO_OPERATOR_HARD_LIGHT},
    {"soft light", CAIRO_OPERATOR_SOFT_LIGHT},
    {"difference", CAIRO_OPERATOR_DIFFERENCE},
    {"exclusion", CAIRO_OPERATOR_EXCLUSION},
    {"hue", CAIRO_OPERATOR_HSL_HUE},
    {"saturation", CAIRO_OPERATOR_HSL_SATURATION},
    {"colour", CAIRO_OPERATOR_HSL_COLOR},
    {"luminosity", CAIRO_OPERATOR_HSL_LUMINOSITY},
};

double Unit(double value) { return std::isfinite(value) ? std::clamp(value, 0.0, 1.0) : 0.0; }

cairo_status_t AppendPng(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

void AddPatch(cairo_pattern_t* pattern, const simhost::Mesh& mesh, int32_t i, int32_t j,
              const simhost::Document& doc) {
  using simhost::kSegIMinus, simhost::kSegIPlus, simhost::kSegJMinus, simhost::kSegJPlus;
  // Corners in cairo's order: the patch's side 0 runs along i, side 1 along j, and back.
  const simhost::MeshVertex* corner[4] = {&mesh.At(i, j), &mesh.At(i + 1, j),
                                          &mesh.At(i + 1, j + 1), &mesh.At(i, j + 1)};
  // The control points leaving each corner towards the next one, and arriving at it.
  const int leave[4] = {kSegIPlus, kSegJPlus, kSegIMinus, kSegJMinus};
  const int arrive[4] = {kSegIMinus, kSegJMinus, kSegIPlus, kSegJPlus};
  cairo_mesh_pattern_begin_patch(pattern);
  cairo_mesh_pattern_move_to(pattern, corner[0]->anchor.h, corner[0]->anchor.v);
  for (int side = 0; side < 4; ++side) {
    const simhost::MeshVertex* from = corner[side];
    const simhost::MeshVertex* to = corner[(side + 1) % 4];
    cairo_mesh_pattern_curve_to(pattern, from->tangent[leave[side]].h, from->tangent[leave[side]].v,
                                to->tangent[arrive[side]].h, to->tangent[arrive[side]].v,
                                to->anchor.h, to->anchor.v);
  }
  for (unsigned n = 0; n < 4; ++n) {
    std::array<double, 3> rgb = DisplayRgb(corner[n]->color, doc);
    cairo_mesh_pattern_set_corner_color_rgb(pattern, n, rgb[0], rgb[1], rgb[2]);
  }
  cairo_mesh_pattern_end_patch(pattern);
}

}  // namespace

std::array<double, 3> DisplayRgb(const HostColor& color, const simhost::Document& doc) {
  auto v = [&](int n) { return Unit(color.c[n].value); };
  switch (color.kind) {
    case kHostColorGray:
      return {1 - v(0), 1 - v(0), 1 - v(0)};
    case kHostColorProcess:
      return {(1 - v(0)) * (1 - v(3)), (1 - v(1)) * (1 - v(3)), (1 - v(2)) * (1 - v(3))};
    case kHostColorCustom: {
      int32_t ref = color.c[0].ref;
      if (ref < 0 || size_t(ref) >= doc.customColors.size()) return {0.5, 0.5, 0.5};
      const simhost::CustomColor& custom = doc.customColors[size_t(ref)];
      double tint = v(1);
      return {1 - tint * (1 - Unit(custom.red)), 1 - tint * (1 - Unit(custom.green)),
              1 - tint * (1 - Unit(custom.blue))};
    }
    case kHostColorRGB:
      return {v(0), v(1), v(2)};
    default:  // kinds with no colour of their own to show
      return {0.5, 0.5, 0.5};
  }
}

int BlendOperator(int32_t blendMode) {
  if (blendMode < 0 || blendMode > 15) return CAIRO_OPERATOR_OVER;
  return kBlendModes[blendMode].op;
}

const char* BlendModeName(int32_t blendMode) {
  if (blendMode < 0 || blendMode > 15) return "normal";
  return kBlendModes[blendMode].name;
}

std::string RenderPng(const simhost::Document& doc, const RenderOptions& options) {
  int width = std::max(1, int(std::lround(doc.width * options.scale)));
  int height = std::max(1, int(std::lround(doc.height * options.scale)));
  if (width > 20000 || height > 20000)
    throw ToolError(kExitUsage, "the picture would be " + std::to_string(width) + " x " +
                                    std::to_string(height) + " pixels; choose a lower resolution");
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height), cairo_surface_destroy);
  std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()), cairo_destroy);
  cairo_set_source_rgb(cr.get(), 1, 1, 1);
  cairo_paint(cr.get());
  // Artwork coordinates grow upward from the page's bottom left.
  cairo_matrix_t flip;
  cairo_matrix_init(&flip, options.scale, 0, 0, -options.scale, 0, doc.height * options.scale);
  cairo_set_matrix(cr.get(), &flip);

  for (const simhost::ArtObject& art : doc.art) {
    if (art.type != kHostArtTypeMesh) {
      const HostRealRect& b = art.otherBounds;
      cairo_set_operator(cr.get(), CAIRO_OPERATOR_OVER);
      cairo_rectangle(cr.get(), b.left, b.bottom, b.right - b.left, b.top - b.bottom);
      cairo_set_source_rgba(cr.get(), 0.5, 0.5, 0.5, 0.8);
      cairo_set_line_width(cr.get(), 1 / options.scale);
      cairo_stroke(cr.get());
      continue;
    }
    const simhost::Mesh& mesh = art.mesh;
    if (mesh.ni < 1 || mesh.nj < 1 ||
        mesh.vertices.size() != size_t(mesh.ni + 1) * size_t(mesh.nj + 1))
      continue;
    std::unique_ptr<cairo_pattern_t, decltype(&cairo_pattern_destroy)> pattern(
        cairo_pattern_create_mesh(), cairo_pattern_destroy);
    // Rows of patches in order of j, each from low i to high i: later patches lie on top.
    for (int32_t j = 0; j < mesh.nj; ++j)
      for (int32_t i = 0; i < mesh.ni; ++i) AddPatch(pattern.get(), mesh, i, j, doc);
    cairo_set_operator(cr.get(), cairo_operator_t(BlendOperator(art.blendMode)));
    cairo_set_source(cr.get(), pattern.get());
    cairo_paint_with_alpha(cr.get(), Unit(art.opacity));
  }
  return PngBytes(surface.get());
}

std::string PngBytes(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  std::string png;
  if (cairo_surface_write_to_png_stream(surface, AppendPng, &png) != CAIRO_STATUS_SUCCESS)
    throw ToolError(kExitOutput, "cannot encode the picture");
  return png;
}

}  // namespace quibtool
