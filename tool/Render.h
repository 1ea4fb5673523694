// Pictures of documents with cairo: each mesh drawn as its Coons patches with its
// opacity and blending mode, on a white page.
#pragma once

#include <cairo.h>

#include <array>
#include <string>

#include "simhost/Document.h"

namespace quibtool {

struct RenderOptions {
  double scale = 1;  // pixels per point: dpi / 72, or the wanted width / page width
};

// The picture as PNG file bytes.
std::string RenderPng(const simhost::Document& doc, const RenderOptions& options);

// The surface as PNG file bytes; throws ToolError when cairo cannot encode it.
std::string PngBytes(cairo_surface_t* surface);

// A vertex colour as it is shown, red, green, blue in 0..1. Grey and process colours
// are ink amounts (0 no ink, 1 full ink); a custom colour's tint is the amount of the
// document's custom colour numbered by its reference.
std::array<double, 3> DisplayRgb(const HostColor& color, const simhost::Document& doc);

// The cairo operator of one of the host's 16 blending modes; unknown modes draw normally.
int BlendOperator(int32_t blendMode);
const char* BlendModeName(int32_t blendMode);

}  // namespace quibtool
