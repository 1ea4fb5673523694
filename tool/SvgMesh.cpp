#include "SvgMesh.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>
#include <pugixml.hpp>
#include <set>
#include <sstream>

#include "DocumentJson.h"
#include "Render.h"
#include "ToolError.h"

namespace quibtool {
namespace {

using simhost::kSegIMinus, simhost::kSegIPlus, simhost::kSegJMinus, simhost::kSegJPlus;

// An affine map: (x, y) -> (a x + c y + e, b x + d y + f), as SVG writes matrix().
struct Affine {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
  HostRealPoint Apply(double x, double y) const {
    return {HostReal(a * x + c * y + e), HostReal(b * x + d * y + f)};
  }
  void ApplyExact(double x, double y, double* ox, double* oy) const {
    *ox = a * x + c * y + e;
    *oy = b * x + d * y + f;
  }
  // this after other
  Affine Then(const Affine& o) const {
    return {o.a * a + o.c * b, o.b * a + o.d * b,       o.a * c + o.c * d,
            o.b * c + o.d * d, o.a * e + o.c * f + o.e, o.b * e + o.d * f + o.f};
  }
  std::optional<Affine> Inverse() const {
    double det = a * d - b * c;
    if (!std::isfinite(det) || std::fabs(det) < 1e-12) return std::nullopt;
    return Affine{
        d / det, -b / det, -c / det, a / det, (c * f - d * e) / det, (b * e - a * f) / det};
  }
};

constexpr const char* kCoverAttr = "quibmesh:cover";
constexpr const char* kToolNamespace = "https://quibmesh.example/ns";

std::string LocalName(const pugi::xml_node& node) {
  std::string name = node.name();
  size_t colon = name.find(':');
  return colon == std::string::npos ? name : name.substr(colon + 1);
}

std::string Trim(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t\r\n");
  if (begin == std::string::npos) return "";
  size_t end = text.find_last_not_of(" \t\r\n");
  return text.substr(begin, end - begin + 1);
}

std::string Number(double value) {
  char text[32];
  auto [end, ec] = std::to_chars(text, text + sizeof text, float(value));
  (void)ec;
  std::string out(text, end);
  return out == "-0" ? "0" : out;
}

// Numbers of a list such as "1,2 3e1 -4"; false when something else stands in it.
bool ParseNumbers(const std::string& text, std::vector<double>* out) {
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    while (p < end && (std::isspace(static_cast<unsigned char>(*p)) || *p == ',')) ++p;
    if (p >= end) break;
    double value;
    const char* start = *p == '+' ? p + 1 : p;
    auto [next, ec] = std::from_chars(start, end, value);
    if (ec != std::errc()) return false;
    out->push_back(value);
    p = next;
  }
  return true;
}

// CSS declarations of a style attribute, in order.
std::vector<std::pair<std::string, std::string>> ParseStyle(const std::string& style) {
  std::vector<std::pair<std::string, std::string>> declarations;
  std::stringstream in(style);
  std::string item;
  while (std::getline(in, item, ';')) {
    size_t colon = item.find(':');
    if (colon == std::string::npos) continue;
    declarations.emplace_back(Trim(item.substr(0, colon)), Trim(item.substr(colon + 1)));
  }
  return declarations;
}

// A presentation property: the style attribute wins over the attribute of that name.
std::string Property(const pugi::xml_node& node, const char* name) {
  for (const auto& [key, value] : ParseStyle(node.attribute("style").value()))
    if (key == name) return value;
  return Trim(node.attribute(name).value());
}

// Sets a property where it was given (style or attribute), else in the style.
void SetProperty(pugi::xml_node node, const char* name, const std::string& value) {
  pugi::xml_attribute style = node.attribute("style");
  auto declarations = ParseStyle(style.value());
  bool inStyle = false;
  for (auto& [key, old] : declarations)
    if (key == name) old = value, inStyle = true;
  if (!inStyle && node.attribute(name)) {
    node.attribute(name).set_value(value.c_str());
    return;
  }
  if (!inStyle) declarations.emplace_back(name, value);
  std::string text;
  for (const auto& [key, old] : declarations) text += (text.empty() ? "" : ";") + key + ":" + old;
  if (!style) style = node.append_attribute("style");
  style.set_value(text.c_str());
}

struct NamedColor {
  const char* name;
  uint32_t rgb;
};
const NamedColor kNamedColors[] = {
    {"black", 0x000000},     {"white", 0xffffff},   {"red", 0xff0000},     {"lime", 0x00ff00},
    {"green", 0x008000},     {"blue", 0x0000ff},    {"yellow", 0xffff00},  {"cyan", 0x00ffff},
    {"aqua", 0x00ffff},      {"magenta", 0xff00ff}, {"fuchsia", 0xff00ff}, {"gray", 0x808080},
    {"grey", 0x808080},      {"silver", 0xc0c0c0},  {"maroon", 0x800000},  {"olive", 0x808000},
    {"navy", 0x000080},      {"purple", 0x800080},  {"teal", 0x008080},    {"orange", 0xffa500},
    {"lightblue", 0xadd8e6}, {"pink", 0xffc0cb},
};

std::optional<std::array<double, 3>> ParseColor(std::string text) {
  text = Trim(text);
  for (char& ch : text) ch = char(std::tolower(static_cast<unsigned char>(ch)));
  auto fromHex = [](uint32_t rgb) {
    return std::array<double, 3>{((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0,
                                 (rgb & 255) / 255.0};
  };
  if (!text.empty() && text[0] == '#') {
    std::string hex = text.substr(1);
    if (hex.size() == 3) hex = {hex[0], hex[0], hex[1], hex[1], hex[2], hex[2]};
    if (hex.size() != 6 || hex.find_first_not_of("0123456789abcdef") != std::string::npos)
      return std::nullopt;
    return fromHex(uint32_t(std::stoul(hex, nullptr, 16)));
  }
  if (text.rfind("rgb(", 0) == 0 && text.back() == ')') {
    std::string inner = text.substr(4, text.size() - 5);
    bool percent = inner.find('%') != std::string::npos;
    inner.erase(std::remove(inner.begin(), inner.end(), '%'), inner.end());
    std::vector<double> values;
    if (!ParseNumbers(inner, &values) || values.size() != 3) return std::nullopt;
    std::array<double, 3> rgb;
    for (int n = 0; n < 3; ++n) rgb[n] = std::clamp(values[n] / (percent ? 100 : 255), 0.0, 1.0);
    return rgb;
  }
  for (const NamedColor& named : kNamedColors)
    if (text == named.name) return fromHex(named.rgb);
  return std::nullopt;
}

std::string HexColor(const std::array<double, 3>& rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", int(std::lround(rgb[0] * 255)),
                int(std::lround(rgb[1] * 255)), int(std::lround(rgb[2] * 255)));
  return text;
}

std::optional<Affine> ParseTransform(const std::string& text) {
  Affine total;
  size_t at = 0;
  while (true) {
    at = text.find_first_not_of(" \t\r\n,", at);
    if (at == std::string::npos) return total;
    size_t open = text.find('(', at), close = text.find(')', at);
    if (open == std::string::npos || close == std::string::npos || close < open)
      return std::nullopt;
    std::string name = Trim(text.substr(at, open - at));
    std::vector<double> v;
    if (!ParseNumbers(text.substr(open + 1, close - open - 1), &v)) return std::nullopt;
    Affine step;
    const double rad = 3.14159265358979323846 / 180;
    if (name == "matrix" && v.size() == 6) {
      step = {v[0], v[1], v[2], v[3], v[4], v[5]};
    } else if (name == "translate" && (v.size() == 1 || v.size() == 2)) {
      step.e = v[0];
      step.f = v.size() == 2 ? v[1] : 0;
    } else if (name == "scale" && (v.size() == 1 || v.size() == 2)) {
      step.a = v[0];
      step.d = v.size() == 2 ? v[1] : v[0];
    } else if (name == "rotate" && (v.size() == 1 || v.size() == 3)) {
      double cs = std::cos(v[0] * rad), sn = std::sin(v[0] * rad);
      Affine rotation{cs, sn, -sn, cs, 0, 0};
      if (v.size() == 3) {
        Affine to{1, 0, 0, 1, v[1], v[2]}, back{1, 0, 0, 1, -v[1], -v[2]};
        rotation = back.Then(rotation).Then(to);
      }
      step = rotation;
    } else if (name == "skewX" && v.size() == 1) {
      step.c = std::tan(v[0] * rad);
    } else if (name == "skewY" && v.size() == 1) {
      step.b = std::tan(v[0] * rad);
    } else {
      return std::nullopt;
    }
    // Listed transforms apply right to left: the first one is the outermost.
    total = step.Then(total);
    at = close + 1;
  }
}

// One mesh gradient used as the fill of one shape.
struct Binding {
  pugi::xml_node shape;
  pugi::xml_node used;  // the gradient the fill names
  pugi::xml_node rows;  // the gradient of the chain that holds the rows
  Affine toArt;         // gradient coordinates to artwork coordinates
  Affine userToArt;     // the shape's own coordinates to artwork coordinates
  simhost::Mesh original;
  HostReal opacity = 1;
  int32_t blendMode = 0;
};

const char* const kCssBlend[16] = {"normal",     "multiply",   "screen",      "overlay",
                                   "darken",     "lighten",    "color-dodge", "color-burn",
                                   "hard-light", "soft-light", "difference",  "exclusion",
                                   "hue",        "saturation", "color",       "luminosity"};

struct Parsed {
  pugi::xml_document xml;
  std::vector<Binding> bindings;
  simhost::Document doc;
};

// The stops of one patch and the side each stands for: 0 top, 1 right, 2 bottom, 3 left.
// Sides shared with the patch above or to the left are left out, as SVG writes them.
struct PatchStop {
  int side;
  pugi::xml_node stop;
};

class SvgReader {
 public:
  SvgReader(const std::string& text, std::string name) : text_(text), name_(std::move(name)) {}

  [[noreturn]] void Fail(const std::string& problem) const {
    throw ToolError(kExitBadDocument, name_ + ": " + problem);
  }
  [[noreturn]] void FailAt(const pugi::xml_node& node, const std::string& problem) const {
    // pugixml points at the element's name; the element starts one byte earlier.
    ptrdiff_t offset = node.offset_debug();
    std::string where = LineColumn(text_, size_t(offset > 0 ? offset - 1 : 0));
    std::string id = node.attribute("id").value();
    Fail(where + ": <" + LocalName(node) + (id.empty() ? "" : " id=\"" + id + "\"") +
         ">: " + problem);
  }

  void Parse(Parsed* out) {
    ids_.clear();
    pugi::xml_parse_result result =
        out->xml.load_buffer(text_.data(), text_.size(), pugi::parse_full | pugi::parse_ws_pcdata);
    if (!result)
      Fail(LineColumn(text_, size_t(result.offset)) + ": malformed XML: " + result.description());
    pugi::xml_node root = out->xml.document_element();
    if (LocalName(root) != "svg") Fail("the root element is not <svg>");
    ReadPage(root, &out->doc);
    IndexIds(root);
    Walk(root, Affine{}, out);
    if (out->bindings.empty()) Fail("no mesh gradient is used as a fill");
  }

 private:
  void IndexIds(const pugi::xml_node& node) {
    for (pugi::xml_node child : node.children()) {
      if (child.type() != pugi::node_element) continue;
      if (const char* id = child.attribute("id").value(); *id) ids_.emplace(id, child);
      IndexIds(child);
    }
  }

  void ReadPage(const pugi::xml_node& root, simhost::Document* doc) {
    std::vector<double> box;
    if (ParseNumbers(root.attribute("viewBox").value(), &box) && box.size() == 4 && box[2] > 0 &&
        box[3] > 0) {
      viewX_ = box[0];
      viewY_ = box[1];
      doc->width = HostReal(box[2]);
      doc->height = HostReal(box[3]);
    } else {
      std::vector<double> w, h;
      ParseLeadingNumber(root.attribute("width").value(), &w);
      ParseLeadingNumber(root.attribute("height").value(), &h);
      doc->width = w.empty() || w[0] <= 0 ? 612 : HostReal(w[0]);
      doc->height = h.empty() || h[0] <= 0 ? 792 : HostReal(h[0]);
    }
    viewBottom_ = viewY_ + doc->height;
    doc->view.topLeft = {0, doc->height};
  }

  static void ParseLeadingNumber(const std::string& text, std::vector<double>* out) {
    double value;
    std::string trimmed = Trim(text);
    auto [end, ec] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    (void)end;
    if (ec == std::errc()) out->push_back(value);
  }

  // Shapes in document order, each with the transform of its user space.
  void Walk(const pugi::xml_node& node, const Affine& outer, Parsed* out) {
    for (pugi::xml_node child : node.children()) {
      if (child.type() != pugi::node_element) continue;
      std::string name = LocalName(child);
      if (name == "defs" || name == "script" || name == "style" || name == "metadata" ||
          name == "clipPath" || name == "mask" || name == "pattern" || name == "symbol" ||
          name == "marker" || name == "meshgradient" || name == "linearGradient" ||
          name == "radialGradient")
        continue;
      Affine transform = outer;
      if (pugi::xml_attribute attr = child.attribute("transform")) {
        std::optional<Affine> own = ParseTransform(attr.value());
        if (!own) FailAt(child, "cannot read transform \"" + std::string(attr.value()) + "\"");
        transform = own->Then(outer);
      }
      std::string fill = Property(child, "fill");
      if (fill.rfind("url(", 0) == 0) {
        size_t hash = fill.find('#'), close = fill.find(')');
        if (hash != std::string::npos && close != std::string::npos && close > hash) {
          std::string id = fill.substr(hash + 1, close - hash - 1);
          if (!id.empty() && (id.back() == '"' || id.back() == '\'')) id.pop_back();
          auto it = ids_.find(id);
          if (it != ids_.end() && LocalName(it->second) == "meshgradient")
            Bind(child, it->second, transform, out);
        }
      }
      Walk(child, transform, out);
    }
  }

  // An attribute of the gradient or, failing that, of the gradients it refers to.
  pugi::xml_attribute Inherited(pugi::xml_node gradient, const char* name) const {
    for (int depth = 0; gradient && depth < 32; ++depth) {
      if (pugi::xml_attribute attr = gradient.attribute(name)) return attr;
      gradient = Referenced(gradient);
    }
    return {};
  }

  pugi::xml_node Referenced(const pugi::xml_node& gradient) const {
    std::string href = gradient.attribute("xlink:href").value();
    if (href.empty()) href = gradient.attribute("href").value();
    if (href.size() < 2 || href[0] != '#') return {};
    auto it = ids_.find(href.substr(1));
    return it == ids_.end() ? pugi::xml_node() : it->second;
  }

  static bool HasRows(const pugi::xml_node& gradient) {
    for (pugi::xml_node child : gradient.children())
      if (LocalName(child) == "meshrow") return true;
    return false;
  }

  double Attr(const pugi::xml_node& gradient, const char* name) const {
    pugi::xml_attribute attr = Inherited(gradient, name);
    std::vector<double> v;
    if (!attr) return 0;
    if (!ParseNumbers(attr.value(), &v) || v.size() != 1)
      FailAt(gradient, std::string("cannot read ") + name + " \"" + attr.value() + "\"");
    return v[0];
  }

  Affine BoundingBox(const pugi::xml_node& shape) const {
    auto num = [&](const char* name) {
      std::vector<double> v;
      ParseLeadingNumber(shape.attribute(name).value(), &v);
      return v.empty() ? 0.0 : v[0];
    };
    std::string kind = LocalName(shape);
    double x = 0, y = 0, w = 0, h = 0;
    if (kind == "rect" || kind == "image") {
      x = num("x"), y = num("y"), w = num("width"), h = num("height");
    } else if (kind == "circle") {
      double r = num("r");
      x = num("cx") - r, y = num("cy") - r, w = h = 2 * r;
    } else if (kind == "ellipse") {
      double rx = num("rx"), ry = num("ry");
      x = num("cx") - rx, y = num("cy") - ry, w = 2 * rx, h = 2 * ry;
    } else {
      FailAt(shape,
             "a mesh gradient in objectBoundingBox units is read only on rect, circle, "
             "ellipse and image");
    }
    if (!(w > 0 && h > 0)) FailAt(shape, "the shape has an empty bounding box");
    return {w, 0, 0, h, x, y};
  }

  void Bind(const pugi::xml_node& shape, const pugi::xml_node& used, const Affine& userToRoot,
            Parsed* out) {
    Binding binding;
    binding.shape = shape;
    binding.used = used;
    pugi::xml_node rows = used;
    for (int depth = 0; rows && !HasRows(rows) && depth < 32; ++depth) rows = Referenced(rows);
    if (!rows || !HasRows(rows)) FailAt(used, "the mesh gradient has no rows");
    binding.rows = rows;

    Affine gradientToUser;
    if (pugi::xml_attribute attr = Inherited(used, "gradientTransform")) {
      std::optional<Affine> own = ParseTransform(attr.value());
      if (!own) FailAt(used, "cannot read gradientTransform \"" + std::string(attr.value()) + "\"");
      gradientToUser = *own;
    }
    if (std::string(Inherited(used, "gradientUnits").value()) == "objectBoundingBox")
      gradientToUser = gradientToUser.Then(BoundingBox(shape));
    Affine flip{1, 0, 0, -1, -viewX_, viewBottom_};
    binding.userToArt = userToRoot.Then(flip);
    binding.toArt = gradientToUser.Then(binding.userToArt);

    simhost::ArtObject art;
    art.type = kHostArtTypeMesh;
    art.selected = true;
    art.id = shape.attribute("id").value();
    art.mesh = ReadMesh(rows, Attr(used, "x"), Attr(used, "y"), binding.toArt);
    binding.original = art.mesh;
    std::string opacity = Property(shape, "opacity");
    std::vector<double> v;
    if (!opacity.empty() && ParseNumbers(opacity, &v) && v.size() == 1)
      art.opacity = HostReal(std::clamp(v[0], 0.0, 1.0));
    std::string blend = Property(shape, "mix-blend-mode");
    for (int32_t mode = 0; mode < 16; ++mode)
      if (blend == kCssBlend[mode]) art.blendMode = mode;
    binding.opacity = art.opacity;
    binding.blendMode = art.blendMode;
    out->doc.art.push_back(art);
    out->bindings.push_back(binding);
  }

 public:
  // The stops of each patch, rows in order: checks the counts SVG allows.
  std::vector<std::vector<std::vector<PatchStop>>> Patches(const pugi::xml_node& rows) const {
    std::vector<std::vector<std::vector<PatchStop>>> grid;
    for (pugi::xml_node row : rows.children()) {
      if (LocalName(row) != "meshrow") continue;
      std::vector<std::vector<PatchStop>> patches;
      for (pugi::xml_node patch : row.children()) {
        if (LocalName(patch) != "meshpatch") continue;
        std::vector<pugi::xml_node> stops;
        for (pugi::xml_node stop : patch.children())
          if (LocalName(stop) == "stop") stops.push_back(stop);
        int r = int(grid.size()), c = int(patches.size());
        int first = r > 0 ? 1 : 0, last = c > 0 ? 2 : 3;
        int expected = last - first + 1;
        std::vector<PatchStop> sides;
        if (int(stops.size()) == expected) {
          for (int n = 0; n < expected; ++n) sides.push_back({first + n, stops[size_t(n)]});
        } else if (stops.size() == 4) {  // every side written, shared ones too
          for (int n = 0; n < 4; ++n)
            if (n >= first && n <= last) sides.push_back({n, stops[size_t(n)]});
        } else {
          FailAt(patch, "a patch in row " + std::to_string(r + 1) + ", column " +
                            std::to_string(c + 1) + " needs " + std::to_string(expected) +
                            " stops, not " + std::to_string(stops.size()));
        }
        patches.push_back(sides);
      }
      if (patches.empty()) FailAt(row, "the row has no patches");
      if (!grid.empty() && patches.size() != grid.front().size())
        FailAt(row, "the row has " + std::to_string(patches.size()) + " patches, the first row " +
                        std::to_string(grid.front().size()));
      grid.push_back(patches);
    }
    return grid;
  }

 private:
  // One side: control points and end, absolute, from its path relative to its start.
  struct Side {
    double x1, y1, x2, y2, x3, y3;
  };
  Side ReadSide(const pugi::xml_node& stop, double sx, double sy, bool endKnown, double ex,
                double ey) const {
    std::string path = Trim(stop.attribute("path").value());
    if (path.empty()) {
      if (!endKnown) FailAt(stop, "the stop has no path");
      return {sx + (ex - sx) / 3,
              sy + (ey - sy) / 3,
              sx + 2 * (ex - sx) / 3,
              sy + 2 * (ey - sy) / 3,
              ex,
              ey};
    }
    char command = path[0];
    std::vector<double> v;
    if (!ParseNumbers(path.substr(1), &v)) FailAt(stop, "cannot read path \"" + path + "\"");
    bool relative = command == 'l' || command == 'c';
    double ox = relative ? sx : 0, oy = relative ? sy : 0;
    if ((command == 'l' || command == 'L') && v.size() == 2) {
      double x = ox + v[0], y = oy + v[1];
      return {
          sx + (x - sx) / 3, sy + (y - sy) / 3, sx + 2 * (x - sx) / 3, sy + 2 * (y - sy) / 3, x, y};
    }
    if ((command == 'c' || command == 'C') && v.size() == 6)
      return {ox + v[0], oy + v[1], ox + v[2], oy + v[3], ox + v[4], oy + v[5]};
    FailAt(stop, "cannot read path \"" + path + "\" (one l, L, c or C segment)");
  }

  HostColor StopColor(const pugi::xml_node& stop) const {
    std::string text = Property(stop, "stop-color");
    std::array<double, 3> rgb{0, 0, 0};  // SVG's initial stop colour
    if (!text.empty()) {
      std::optional<std::array<double, 3>> parsed = ParseColor(text);
      if (!parsed) FailAt(stop, "cannot read stop-color \"" + text + "\"");
      rgb = *parsed;
    }
    HostColor color{kHostColorRGB, {}};
    for (int n = 0; n < 3; ++n) color.c[n].value = HostReal(rgb[size_t(n)]);
    return color;
  }

  simhost::Mesh ReadMesh(const pugi::xml_node& rows, double x, double y,
                         const Affine& toArt) const {
    auto grid = Patches(rows);
    simhost::Mesh mesh;
    mesh.nj = int32_t(grid.size());
    mesh.ni = int32_t(grid.front().size());
    size_t count = size_t(mesh.ni + 1) * size_t(mesh.nj + 1);
    // Work in gradient coordinates; map to artwork at the end.
    std::vector<std::array<double, 2>> anchor(count);
    std::vector<std::array<std::array<double, 2>, 4>> tangent(count);
    std::vector<bool> known(count, false), colored(count, false);
    mesh.vertices.resize(count);
    auto index = [&](int i, int j) { return size_t(i) * size_t(mesh.nj + 1) + size_t(j); };
    anchor[index(0, 0)] = {x, y};
    known[index(0, 0)] = true;

    for (int r = 0; r < mesh.nj; ++r) {
      for (int c = 0; c < mesh.ni; ++c) {
        // Start and end corners of each side, and the tangent slot at each end.
        const int from[4][2] = {{c, r}, {c + 1, r}, {c + 1, r + 1}, {c, r + 1}};
        const int leave[4] = {kSegIPlus, kSegJPlus, kSegIMinus, kSegJMinus};
        const int arrive[4] = {kSegIMinus, kSegJMinus, kSegIPlus, kSegJPlus};
        for (const PatchStop& ps : grid[size_t(r)][size_t(c)]) {
          size_t a = index(from[ps.side][0], from[ps.side][1]);
          size_t b = index(from[(ps.side + 1) % 4][0], from[(ps.side + 1) % 4][1]);
          if (!known[a]) FailAt(ps.stop, "the side starts at a corner no earlier side reached");
          Side side =
              ReadSide(ps.stop, anchor[a][0], anchor[a][1], known[b], anchor[b][0], anchor[b][1]);
          tangent[a][size_t(leave[ps.side])] = {side.x1, side.y1};
          tangent[b][size_t(arrive[ps.side])] = {side.x2, side.y2};
          if (!known[b]) {
            anchor[b] = {side.x3, side.y3};
            known[b] = true;
          }
          if (!colored[a]) {
            mesh.vertices[a].color = StopColor(ps.stop);
            colored[a] = true;
          }
        }
      }
    }
    for (int i = 0; i <= mesh.ni; ++i) {
      for (int j = 0; j <= mesh.nj; ++j) {
        size_t n = index(i, j);
        simhost::MeshVertex& vertex = mesh.vertices[n];
        vertex.anchor = toArt.Apply(anchor[n][0], anchor[n][1]);
        const bool exists[4] = {i > 0, i<mesh.ni, j> 0, j < mesh.nj};
        for (int slot = 0; slot < 4; ++slot)
          vertex.tangent[size_t(slot)] =
              exists[slot] ? toArt.Apply(tangent[n][size_t(slot)][0], tangent[n][size_t(slot)][1])
                           : vertex.anchor;
        // A vertex is smooth along an axis when its two tangents there point in opposite
        // directions on one line.
        for (int axis = 0; axis < 2; ++axis) {
          if (!exists[axis * 2] || !exists[axis * 2 + 1]) continue;
          double ux = tangent[n][size_t(axis * 2)][0] - anchor[n][0];
          double uy = tangent[n][size_t(axis * 2)][1] - anchor[n][1];
          double vx = tangent[n][size_t(axis * 2 + 1)][0] - anchor[n][0];
          double vy = tangent[n][size_t(axis * 2 + 1)][1] - anchor[n][1];
          double lengths = std::hypot(ux, uy) * std::hypot(vx, vy);
          bool smooth = lengths > 0 && std::fabs(ux * vy - uy * vx) <= 1e-4 * lengths &&
                        ux * vx + uy * vy < 0;
          vertex.smooth[size_t(axis * 2)] = vertex.smooth[size_t(axis * 2 + 1)] = smooth;
        }
      }
    }
    return mesh;
  }

  const std::string& text_;
  std::string name_;
  std::map<std::string, pugi::xml_node> ids_;
  double viewX_ = 0, viewY_ = 0, viewBottom_ = 0;
};

}  // namespace

struct SvgSource {
  std::string text;
  std::string name;
};

namespace {

bool SamePoint(HostRealPoint a, HostRealPoint b) { return std::memcmp(&a, &b, sizeof a) == 0; }
bool SameColor(const HostColor& a, const HostColor& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

std::string UniqueId(const pugi::xml_document& xml, const std::string& base) {
  for (int n = 1;; ++n) {
    std::string id = base + "-" + std::to_string(n);
    if (!xml.find_node([&](pugi::xml_node node) { return id == node.attribute("id").value(); }))
      return id;
  }
}

// The side of a patch from corner a to corner b as a relative cubic, in the gradient's
// coordinates.
std::string SidePath(const Affine& fromArt, HostRealPoint a, HostRealPoint c1, HostRealPoint c2,
                     HostRealPoint b) {
  double ax, ay, x1, y1, x2, y2, bx, by;
  fromArt.ApplyExact(a.h, a.v, &ax, &ay);
  fromArt.ApplyExact(c1.h, c1.v, &x1, &y1);
  fromArt.ApplyExact(c2.h, c2.v, &x2, &y2);
  fromArt.ApplyExact(b.h, b.v, &bx, &by);
  return "c " + Number(x1 - ax) + "," + Number(y1 - ay) + " " + Number(x2 - ax) + "," +
         Number(y2 - ay) + " " + Number(bx - ax) + "," + Number(by - ay);
}

const int kLeave[4] = {kSegIPlus, kSegJPlus, kSegIMinus, kSegJMinus};
const int kArrive[4] = {kSegIMinus, kSegJMinus, kSegIPlus, kSegJPlus};

// Corner (i, j) where side `side` of patch (column c, row r) starts.
std::pair<int, int> SideStart(int c, int r, int side) {
  const int corner[4][2] = {{c, r}, {c + 1, r}, {c + 1, r + 1}, {c, r + 1}};
  return {corner[side][0], corner[side][1]};
}

// The rectangle a new file fills with a mesh: the box of every anchor and control point,
// with a margin. A patch folded over its neighbours can reach beyond the mesh's border
// curves, so a shape along the border would cut off what the picture shows; outside the
// patches a mesh gradient paints nothing.
void SetCover(pugi::xml_node rect, const simhost::Mesh& mesh, const Affine& toSvg) {
  double left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
  for (const simhost::MeshVertex& vertex : mesh.vertices) {
    for (const HostRealPoint* p : {&vertex.anchor, &vertex.tangent[0], &vertex.tangent[1],
                                   &vertex.tangent[2], &vertex.tangent[3]}) {
      double x, y;
      toSvg.ApplyExact(p->h, p->v, &x, &y);
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  double margin = 0.1 * std::max(right - left, bottom - top) + 1;
  for (const char* name : {"x", "y", "width", "height"})
    if (!rect.attribute(name)) rect.append_attribute(name);
  rect.attribute("x").set_value(Number(left - margin).c_str());
  rect.attribute("y").set_value(Number(top - margin).c_str());
  rect.attribute("width").set_value(Number(right - left + 2 * margin).c_str());
  rect.attribute("height").set_value(Number(bottom - top + 2 * margin).c_str());
}

void SetShapeLook(pugi::xml_node shape, const simhost::ArtObject& art, HostReal oldOpacity,
                  int32_t oldBlend) {
  if (art.opacity != oldOpacity) SetProperty(shape, "opacity", Number(art.opacity));
  if (art.blendMode != oldBlend && art.blendMode >= 0 && art.blendMode < 16)
    SetProperty(shape, "mix-blend-mode", kCssBlend[art.blendMode]);
}

std::string Save(const pugi::xml_document& xml, unsigned flags) {
  std::ostringstream out;
  xml.save(out, "  ", flags, pugi::encoding_utf8);
  return out.str();
}

std::string WriteBack(const simhost::Document& doc, const SvgSource& source) {
  Parsed parsed;
  SvgReader reader(source.text, source.name);
  reader.Parse(&parsed);
  if (doc.art.size() != parsed.bindings.size())
    throw ToolError(kExitBadDocument, source.name + ": the document has " +
                                          std::to_string(doc.art.size()) +
                                          " art objects, the SVG " +
                                          std::to_string(parsed.bindings.size()) + " meshes");
  // A file whose meshes did not change is written back exactly as it was read.
  bool anyChange = false;
  for (size_t k = 0; k < parsed.bindings.size() && k < doc.art.size(); ++k) {
    const simhost::ArtObject& art = doc.art[k];
    const Binding& binding = parsed.bindings[k];
    anyChange = anyChange || art.opacity != binding.opacity || art.blendMode != binding.blendMode ||
                art.mesh.vertices.size() != binding.original.vertices.size() ||
                std::memcmp(art.mesh.vertices.data(), binding.original.vertices.data(),
                            art.mesh.vertices.size() * sizeof(simhost::MeshVertex)) != 0;
  }
  if (!anyChange && doc.art.size() == parsed.bindings.size()) return source.text;
  // A gradient that several shapes use gets a copy of its own for each further shape
  // that changes; shapes that keep their mesh keep the gradient.
  std::set<pugi::xml_node_struct*> claimed;
  std::vector<bool> changedMesh(parsed.bindings.size());
  for (size_t k = 0; k < parsed.bindings.size(); ++k) {
    const simhost::Mesh& mesh = doc.art[k].mesh;
    const simhost::Mesh& before = parsed.bindings[k].original;
    changedMesh[k] = mesh.vertices.size() != before.vertices.size() ||
                     std::memcmp(mesh.vertices.data(), before.vertices.data(),
                                 mesh.vertices.size() * sizeof(simhost::MeshVertex)) != 0;
    if (!changedMesh[k]) claimed.insert(parsed.bindings[k].used.internal_object());
  }
  for (size_t k = 0; k < parsed.bindings.size(); ++k) {
    Binding& binding = parsed.bindings[k];
    const simhost::ArtObject& art = doc.art[k];
    const simhost::Mesh& mesh = art.mesh;
    const simhost::Mesh& before = binding.original;
    if (art.type != kHostArtTypeMesh || mesh.ni != before.ni || mesh.nj != before.nj)
      throw ToolError(kExitBadDocument, source.name + ": mesh " + std::to_string(k + 1) +
                                            " no longer has the patch counts of the SVG");
    SetShapeLook(binding.shape, art, binding.opacity, binding.blendMode);
    if (!changedMesh[k]) continue;
    std::optional<Affine> fromArt = binding.toArt.Inverse();
    if (!fromArt)
      throw ToolError(kExitBadDocument,
                      source.name + ": mesh " + std::to_string(k + 1) + " has a flat transform");
    pugi::xml_node used = binding.used;
    if (!claimed.insert(used.internal_object()).second) {
      used = used.parent().insert_copy_after(used, used);
      std::string id = UniqueId(parsed.xml, used.attribute("id").value());
      used.attribute("id").set_value(id.c_str());
      SetProperty(binding.shape, "fill", "url(#" + id + ")");
    }
    // Rows inherited from another gradient are written into this one, which then holds
    // its own.
    if (binding.rows != used) {
      for (pugi::xml_node row : binding.rows.children())
        if (LocalName(row) == "meshrow") used.append_copy(row);
    }
    auto grid = reader.Patches(used);
    for (int r = 0; r < mesh.nj; ++r) {
      for (int c = 0; c < mesh.ni; ++c) {
        for (PatchStop ps : grid[size_t(r)][size_t(c)]) {
          auto [ai, aj] = SideStart(c, r, ps.side);
          auto [bi, bj] = SideStart(c, r, (ps.side + 1) % 4);
          const simhost::MeshVertex& a = mesh.At(ai, aj);
          const simhost::MeshVertex& b = mesh.At(bi, bj);
          const simhost::MeshVertex& a0 = before.At(ai, aj);
          const simhost::MeshVertex& b0 = before.At(bi, bj);
          const size_t leave = size_t(kLeave[ps.side]), arrive = size_t(kArrive[ps.side]);
          if (!SamePoint(a.anchor, a0.anchor) || !SamePoint(b.anchor, b0.anchor) ||
              !SamePoint(a.tangent[leave], a0.tangent[leave]) ||
              !SamePoint(b.tangent[arrive], b0.tangent[arrive])) {
            std::string path =
                SidePath(*fromArt, a.anchor, a.tangent[leave], b.tangent[arrive], b.anchor);
            pugi::xml_attribute attr = ps.stop.attribute("path");
            if (!attr) attr = ps.stop.append_attribute("path");
            attr.set_value(path.c_str());
          }
          if (!SameColor(a.color, a0.color))
            SetProperty(ps.stop, "stop-color", HexColor(DisplayRgb(a.color, doc)));
        }
      }
    }
    const simhost::MeshVertex& origin = mesh.At(0, 0);
    if (!SamePoint(origin.anchor, before.At(0, 0).anchor)) {
      double x, y;
      fromArt->ApplyExact(origin.anchor.h, origin.anchor.v, &x, &y);
      for (const char* name : {"x", "y"})
        if (!used.attribute(name)) used.append_attribute(name);
      used.attribute("x").set_value(Number(x).c_str());
      used.attribute("y").set_value(Number(y).c_str());
    }
    if (binding.shape.attribute(kCoverAttr)) {
      if (std::optional<Affine> toShape = binding.userToArt.Inverse())
        SetCover(binding.shape, mesh, *toShape);
    }
  }
  return Save(parsed.xml, pugi::format_raw | pugi::format_no_declaration);
}

std::string WriteNew(const simhost::Document& doc) {
  pugi::xml_document xml;
  pugi::xml_node declaration = xml.append_child(pugi::node_declaration);
  declaration.append_attribute("version") = "1.0";
  declaration.append_attribute("encoding") = "UTF-8";
  pugi::xml_node svg = xml.append_child("svg");
  svg.append_attribute("xmlns") = "http://www.w3.org/2000/svg";
  svg.append_attribute("xmlns:quibmesh") = kToolNamespace;
  svg.append_attribute("version") = "1.1";
  svg.append_attribute("width") = (Number(doc.width) + "pt").c_str();
  svg.append_attribute("height") = (Number(doc.height) + "pt").c_str();
  svg.append_attribute("viewBox") = ("0 0 " + Number(doc.width) + " " + Number(doc.height)).c_str();
  pugi::xml_node defs = svg.append_child("defs");
  pugi::xml_node page = svg.append_child("rect");
  page.append_attribute("id") = "page";
  page.append_attribute("width") = Number(doc.width).c_str();
  page.append_attribute("height") = Number(doc.height).c_str();
  page.append_attribute("fill") = "#ffffff";
  // SVG user space is artwork space with y turned downward from the page's top.
  const Affine toSvg{1, 0, 0, -1, 0, double(doc.height)};

  int meshNumber = 0;
  for (const simhost::ArtObject& art : doc.art) {
    if (art.type != kHostArtTypeMesh) {
      const HostRealRect& b = art.otherBounds;
      pugi::xml_node rect = svg.append_child("rect");
      rect.append_attribute("x") = Number(b.left).c_str();
      rect.append_attribute("y") = Number(doc.height - b.top).c_str();
      rect.append_attribute("width") = Number(b.right - b.left).c_str();
      rect.append_attribute("height") = Number(b.top - b.bottom).c_str();
      rect.append_attribute("style") = "fill:none;stroke:#808080;stroke-opacity:0.8";
      continue;
    }
    const simhost::Mesh& mesh = art.mesh;
    std::string id = "mesh" + std::to_string(++meshNumber);
    pugi::xml_node gradient = defs.append_child("meshgradient");
    gradient.append_attribute("id") = id.c_str();
    gradient.append_attribute("gradientUnits") = "userSpaceOnUse";
    gradient.append_attribute("type") = "coons";
    double x, y;
    toSvg.ApplyExact(mesh.At(0, 0).anchor.h, mesh.At(0, 0).anchor.v, &x, &y);
    gradient.append_attribute("x") = Number(x).c_str();
    gradient.append_attribute("y") = Number(y).c_str();
    for (int r = 0; r < mesh.nj; ++r) {
      pugi::xml_node row = gradient.append_child("meshrow");
      for (int c = 0; c < mesh.ni; ++c) {
        pugi::xml_node patch = row.append_child("meshpatch");
        for (int side = r > 0 ? 1 : 0; side <= (c > 0 ? 2 : 3); ++side) {
          auto [ai, aj] = SideStart(c, r, side);
          auto [bi, bj] = SideStart(c, r, (side + 1) % 4);
          const simhost::MeshVertex& a = mesh.At(ai, aj);
          const simhost::MeshVertex& b = mesh.At(bi, bj);
          pugi::xml_node stop = patch.append_child("stop");
          stop.append_attribute("path") = SidePath(toSvg, a.anchor, a.tangent[size_t(kLeave[side])],
                                                   b.tangent[size_t(kArrive[side])], b.anchor)
                                              .c_str();
          stop.append_attribute("style") =
              ("stop-color:" + HexColor(DisplayRgb(a.color, doc)) + ";stop-opacity:1").c_str();
        }
      }
    }
    pugi::xml_node shape = svg.append_child("rect");
    shape.append_attribute("id") = (art.id.empty() ? id + "-shape" : art.id).c_str();
    SetCover(shape, mesh, toSvg);
    std::string style = "fill:url(#" + id + ")";
    if (art.opacity != 1) style += ";opacity:" + Number(art.opacity);
    if (art.blendMode > 0 && art.blendMode < 16)
      style += std::string(";mix-blend-mode:") + kCssBlend[art.blendMode];
    shape.append_attribute("style") = style.c_str();
    shape.append_attribute(kCoverAttr) = "mesh";
  }
  return Save(xml, pugi::format_indent);
}

}  // namespace

SvgDocument ReadSvg(const std::string& text, const std::string& sourceName) {
  Parsed parsed;
  SvgReader(text, sourceName).Parse(&parsed);
  SvgDocument result;
  result.doc = std::move(parsed.doc);
  result.source = std::make_shared<SvgSource>(SvgSource{text, sourceName});
  return result;
}

std::string WriteSvg(const simhost::Document& doc, const SvgSource* source) {
  return source ? WriteBack(doc, *source) : WriteNew(doc);
}

}  // namespace quibtool
