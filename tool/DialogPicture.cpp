#include "DialogPicture.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <memory>

#include "Render.h"

namespace quibtool {
namespace {

constexpr double kTitleHeight = 22;  // the caption bar above the dialog's own area

void Box(cairo_t* cr, const HostIntRect& r, double fill, double edge) {
  cairo_rectangle(cr, r.left + 0.5, r.top + 0.5, r.right - r.left - 1, r.bottom - r.top - 1);
  cairo_set_source_rgb(cr, fill, fill, fill);
  cairo_fill_preserve(cr);
  cairo_set_source_rgb(cr, edge, edge, edge);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

void Text(cairo_t* cr, const std::string& text, double x, const HostIntRect& r, bool bold,
          bool enabled, bool centred) {
  cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 11);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  double y = (r.top + r.bottom) / 2.0 - extents.y_bearing - extents.height / 2;
  if (centred) x = (r.left + r.right) / 2.0 - extents.width / 2 - extents.x_bearing;
  cairo_save(cr);
  cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
  cairo_clip(cr);
  double shade = enabled ? 0.05 : 0.55;
  cairo_set_source_rgb(cr, shade, shade, shade);
  cairo_move_to(cr, x, y);
  cairo_show_text(cr, text.c_str());
  cairo_restore(cr);
}

void DrawItem(cairo_t* cr, const simhost::ItemRecord& item) {
  const HostIntRect& r = item.bounds;
  bool bold = item.font == kDlgFontBold;
  if (item.kind == kDlgSpinEditType) {
    Box(cr, r, 1, 0.45);
    HostIntRect arrows{r.right - 12, r.top, r.right, r.bottom};
    Box(cr, arrows, 0.88, 0.45);
    Text(cr, item.text, r.left + 4, {r.left, r.top, r.right - 12, r.bottom}, bold, item.enabled,
         false);
  } else if (item.kind == kDlgPopupListType) {
    Box(cr, r, 0.97, 0.45);
    Text(cr, item.text, r.left + 3, {r.left, r.top, r.right - 14, r.bottom}, bold, item.enabled,
         false);
    double cx = r.right - 8, cy = (r.top + r.bottom) / 2.0;
    cairo_move_to(cr, cx - 4, cy - 2);
    cairo_line_to(cr, cx + 4, cy - 2);
    cairo_line_to(cr, cx, cy + 3);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
    cairo_fill(cr);
  } else if (item.kind == kDlgTextPushButtonType || item.kind == kDlgPicturePushButtonType) {
    Box(cr, r, 0.9, 0.4);
    if (!item.text.empty()) Text(cr, item.text, 0, r, bold, item.enabled, true);
  } else if (item.kind == kDlgTextCheckBoxType) {
    int size = std::min(11, r.bottom - r.top);
    int top = (r.top + r.bottom - size) / 2;
    HostIntRect tick{r.left, top, r.left + size, top + size};
    Box(cr, tick, 1, 0.35);
    if (item.value != 0) {
      cairo_move_to(cr, tick.left + 2, top + size / 2.0);
      cairo_line_to(cr, tick.left + size / 2.5, tick.bottom - 2);
      cairo_line_to(cr, tick.right - 2, top + 2);
      cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
      cairo_set_line_width(cr, 1.6);
      cairo_stroke(cr);
    }
    Text(cr, item.text, r.left + size + 4, r, bold, item.enabled, false);
  } else {  // static texts and anything else: the text alone
    Text(cr, item.text, r.left, r, bold, item.enabled, false);
  }
}

}  // namespace

std::string RenderDialogPng(const simhost::DialogRecord& dialog, double scale) {
  int width = std::max(1, dialog.bounds.right - dialog.bounds.left);
  int height = std::max(1, dialog.bounds.bottom - dialog.bounds.top);
  int pixelsWide = int(width * scale), pixelsHigh = int((height + kTitleHeight) * scale);
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, pixelsWide, pixelsHigh),
      cairo_surface_destroy);
  std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()), cairo_destroy);
  cairo_scale(cr.get(), scale, scale);
  cairo_set_source_rgb(cr.get(), 0.94, 0.94, 0.94);
  cairo_paint(cr.get());
  // The caption bar.
  cairo_rectangle(cr.get(), 0, 0, width, kTitleHeight);
  cairo_set_source_rgb(cr.get(), 0.22, 0.36, 0.6);
  cairo_fill(cr.get());
  cairo_select_font_face(cr.get(), "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr.get(), 11);
  cairo_set_source_rgb(cr.get(), 1, 1, 1);
  cairo_move_to(cr.get(), 8, 15);
  cairo_show_text(cr.get(), dialog.caption.c_str());
  cairo_translate(cr.get(), 0, kTitleHeight);
  for (const simhost::ItemRecord& item : dialog.items)
    if (item.visible) DrawItem(cr.get(), item);
  cr.reset();
  std::string png = PngBytes(surface.get());
  surface.reset();
  // Text drawing fills cairo's and fontconfig's process-wide caches; give them back so a
  // leak checker sees only what the tool itself holds.
  cairo_debug_reset_static_data();
  FcFini();
  return png;
}

}  // namespace quibtool
