#include "DocumentJson.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <nlohmann/json.hpp>
#include <set>

#include "ToolError.h"

namespace quibtool {
namespace {

using nlohmann::json;
using ojson = nlohmann::ordered_json;  // written documents keep a readable key order
using simhost::ArtObject;
using simhost::Document;
using simhost::Mesh;
using simhost::MeshVertex;

const char* const kSlotKeys[4] = {"i-", "i+", "j-", "j+"};
constexpr const char* kFormatName = "quibmesh-document";
constexpr int kFormatVersion = 1;

uint32_t Bits(HostColorField field) {
  uint32_t bits;
  std::memcpy(&bits, &field, 4);
  return bits;
}

// Reading: every problem names the path of the value.
class Reader {
 public:
  explicit Reader(std::string source) : source_(std::move(source)) {}

  [[noreturn]] void Fail(const std::string& path, const std::string& problem) const {
    throw ToolError(kExitBadDocument, source_ + ": " + path + ": " + problem);
  }

  const json& Member(const json& object, const std::string& path, const char* key) const {
    auto it = object.find(key);
    if (it == object.end()) Fail(path, std::string("missing \"") + key + "\"");
    return *it;
  }

  void OnlyKeys(const json& object, const std::string& path,
                std::initializer_list<const char*> keys) const {
    if (!object.is_object()) Fail(path, "expected an object");
    for (auto it = object.begin(); it != object.end(); ++it) {
      bool known = false;
      for (const char* key : keys) known = known || it.key() == key;
      if (!known) Fail(path, "unknown key \"" + it.key() + "\"");
    }
  }

  HostReal Real(const json& value, const std::string& path) const {
    if (!value.is_number()) Fail(path, "expected a number");
    double number = value.get<double>();
    if (!std::isfinite(number)) Fail(path, "the number is not finite");
    if (std::fabs(number) > double(std::numeric_limits<float>::max()))
      Fail(path, "the number is too large for a 32-bit real");
    return HostReal(number);
  }

  int64_t Integer(const json& value, const std::string& path, int64_t lo, int64_t hi) const {
    if (!value.is_number_integer()) Fail(path, "expected a whole number");
    bool huge = value.is_number_unsigned() && value.get<uint64_t>() > uint64_t(INT64_MAX);
    int64_t number = huge ? 0 : value.get<int64_t>();
    if (huge || number < lo || number > hi)
      Fail(path,
           "expected a whole number from " + std::to_string(lo) + " to " + std::to_string(hi));
    return number;
  }

  bool Bool(const json& value, const std::string& path) const {
    if (!value.is_boolean()) Fail(path, "expected true or false");
    return value.get<bool>();
  }

  std::vector<HostReal> Reals(const json& value, const std::string& path, size_t count,
                              const char* what) const {
    if (!value.is_array() || value.size() != count) Fail(path, std::string("expected ") + what);
    std::vector<HostReal> reals;
    for (size_t n = 0; n < count; ++n)
      reals.push_back(Real(value[n], path + "[" + std::to_string(n) + "]"));
    return reals;
  }

  HostRealPoint Point(const json& value, const std::string& path) const {
    std::vector<HostReal> xy = Reals(value, path, 2, "a point [x, y]");
    return {xy[0], xy[1]};
  }

  // A colour whose channels are one array under `key`, the only key besides "kind".
  void Channels(const json& value, const std::string& path, const char* key, size_t count,
                const char* what, HostColor* color) const {
    OnlyKeys(value, path, {"kind", key});
    std::vector<HostReal> channels = Reals(Member(value, path, key), path + "." + key, count, what);
    for (size_t n = 0; n < count; ++n) color->c[n].value = channels[n];
  }

  HostColor Color(const json& value, const std::string& path) const {
    HostColor color{};
    if (!value.is_object()) Fail(path, "expected a colour object");
    const json& kind = Member(value, path, "kind");
    if (kind.is_number()) {
      OnlyKeys(value, path, {"kind", "raw"});
      color.kind = int32_t(Integer(kind, path + ".kind", INT32_MIN, INT32_MAX));
      const json& raw = Member(value, path, "raw");
      if (!raw.is_array() || raw.size() != 4) Fail(path + ".raw", "expected four 32-bit fields");
      for (size_t n = 0; n < 4; ++n) {
        uint32_t bits = uint32_t(Integer(raw[n], path + ".raw[" + std::to_string(n) + "]", 0,
                                         std::numeric_limits<uint32_t>::max()));
        std::memcpy(&color.c[n], &bits, 4);
      }
      return color;
    }
    if (!kind.is_string()) Fail(path + ".kind", "expected a colour kind");
    std::string name = kind.get<std::string>();
    if (name == "gray") {
      OnlyKeys(value, path, {"kind", "gray"});
      color.kind = kHostColorGray;
      color.c[0].value = Real(Member(value, path, "gray"), path + ".gray");
    } else if (name == "process") {
      Channels(value, path, "cmyk", 4, "[cyan, magenta, yellow, black]", &color);
      color.kind = kHostColorProcess;
    } else if (name == "custom") {
      OnlyKeys(value, path, {"kind", "ref", "tint"});
      color.kind = kHostColorCustom;
      color.c[0].ref =
          int32_t(Integer(Member(value, path, "ref"), path + ".ref", INT32_MIN, INT32_MAX));
      color.c[1].value = Real(Member(value, path, "tint"), path + ".tint");
    } else if (name == "rgb") {
      Channels(value, path, "rgb", 3, "[red, green, blue]", &color);
      color.kind = kHostColorRGB;
    } else {
      Fail(path + ".kind", "unknown colour kind \"" + name +
                               "\" (gray, process, custom, rgb, or a number with \"raw\")");
    }
    return color;
  }

  MeshVertex Vertex(const json& value, const std::string& path) const {
    OnlyKeys(value, path, {"anchor", "color", "tangents", "smooth"});
    MeshVertex vertex;
    vertex.anchor = Point(Member(value, path, "anchor"), path + ".anchor");
    vertex.color = Color(Member(value, path, "color"), path + ".color");
    const json& tangents = Member(value, path, "tangents");
    const json& smooth = Member(value, path, "smooth");
    OnlyKeys(tangents, path + ".tangents", {"i-", "i+", "j-", "j+"});
    OnlyKeys(smooth, path + ".smooth", {"i-", "i+", "j-", "j+"});
    for (int slot = 0; slot < 4; ++slot) {
      std::string key = kSlotKeys[slot];
      vertex.tangent[slot] =
          Point(Member(tangents, path + ".tangents", kSlotKeys[slot]), path + ".tangents." + key);
      vertex.smooth[slot] =
          Bool(Member(smooth, path + ".smooth", kSlotKeys[slot]), path + ".smooth." + key);
    }
    return vertex;
  }

  Mesh MeshOf(const json& value, const std::string& path) const {
    OnlyKeys(value, path, {"ni", "nj", "vertices"});
    Mesh mesh;
    mesh.ni = int32_t(Integer(Member(value, path, "ni"), path + ".ni", 1, 10000));
    mesh.nj = int32_t(Integer(Member(value, path, "nj"), path + ".nj", 1, 10000));
    const json& vertices = Member(value, path, "vertices");
    if (!vertices.is_array()) Fail(path + ".vertices", "expected an array of vertices");
    size_t expected = size_t(mesh.ni + 1) * size_t(mesh.nj + 1);
    if (vertices.size() != expected)
      Fail(path + ".vertices", std::to_string(vertices.size()) + " vertices, but " +
                                   std::to_string(mesh.ni) + " x " + std::to_string(mesh.nj) +
                                   " patches need " + std::to_string(expected));
    mesh.vertices.reserve(expected);
    for (size_t n = 0; n < vertices.size(); ++n)
      mesh.vertices.push_back(Vertex(vertices[n], path + ".vertices[" + std::to_string(n) + "]"));
    return mesh;
  }

  ArtObject Art(const json& value, const std::string& path) const {
    if (!value.is_object()) Fail(path, "expected an art object");
    ArtObject art;
    const json& type = Member(value, path, "type");
    std::string typeName = type.is_string() ? type.get<std::string>() : "";
    if (typeName == "mesh") {
      OnlyKeys(value, path, {"type", "id", "selected", "opacity", "blendMode", "mesh"});
      art.type = kHostArtTypeMesh;
      art.mesh = MeshOf(Member(value, path, "mesh"), path + ".mesh");
    } else if (typeName == "other") {
      OnlyKeys(value, path, {"type", "id", "selected", "opacity", "blendMode", "bounds"});
      art.type = kHostArtTypeOther;
      std::vector<HostReal> b = Reals(Member(value, path, "bounds"), path + ".bounds", 4,
                                      "bounds [left, top, right, bottom]");
      art.otherBounds = {b[0], b[1], b[2], b[3]};
    } else {
      Fail(path + ".type", "expected \"mesh\" or \"other\"");
    }
    if (value.contains("id")) {
      if (!value["id"].is_string()) Fail(path + ".id", "expected a string");
      art.id = value["id"].get<std::string>();
    }
    art.selected = Bool(Member(value, path, "selected"), path + ".selected");
    art.opacity = Real(Member(value, path, "opacity"), path + ".opacity");
    if (art.opacity < 0 || art.opacity > 1) Fail(path + ".opacity", "expected 0 to 1");
    art.blendMode = int32_t(Integer(Member(value, path, "blendMode"), path + ".blendMode", 0, 15));
    return art;
  }

  Document Read(const json& root) const {
    OnlyKeys(root, "document", {"format", "version", "page", "customColors", "view", "art"});
    if (root.contains("format") && root["format"] != kFormatName)
      Fail("format", std::string("expected \"") + kFormatName + "\"");
    if (root.contains("version") && root["version"] != kFormatVersion)
      Fail("version", "this tool reads version " + std::to_string(kFormatVersion));
    Document doc;
    const json& page = Member(root, "document", "page");
    OnlyKeys(page, "page", {"width", "height"});
    doc.width = Real(Member(page, "page", "width"), "page.width");
    doc.height = Real(Member(page, "page", "height"), "page.height");
    if (!(doc.width > 0 && doc.height > 0)) Fail("page", "width and height must be positive");
    if (root.contains("customColors")) {
      const json& colors = root["customColors"];
      if (!colors.is_array()) Fail("customColors", "expected an array");
      for (size_t n = 0; n < colors.size(); ++n) {
        std::string path = "customColors[" + std::to_string(n) + "]";
        OnlyKeys(colors[n], path, {"name", "rgb"});
        simhost::CustomColor custom;
        const json& name = Member(colors[n], path, "name");
        if (!name.is_string()) Fail(path + ".name", "expected a string");
        custom.name = name.get<std::string>();
        std::vector<HostReal> rgb =
            Reals(Member(colors[n], path, "rgb"), path + ".rgb", 3, "[red, green, blue]");
        custom.red = rgb[0];
        custom.green = rgb[1];
        custom.blue = rgb[2];
        doc.customColors.push_back(custom);
      }
    }
    if (root.contains("view")) {
      OnlyKeys(root["view"], "view", {"zoom", "topLeft"});
      doc.view.zoom = Real(Member(root["view"], "view", "zoom"), "view.zoom");
      doc.view.topLeft = Point(Member(root["view"], "view", "topLeft"), "view.topLeft");
    }
    const json& art = Member(root, "document", "art");
    if (!art.is_array()) Fail("art", "expected an array of art objects");
    for (size_t n = 0; n < art.size(); ++n)
      doc.art.push_back(Art(art[n], "art[" + std::to_string(n) + "]"));
    return doc;
  }

 private:
  std::string source_;
};

ojson Pair(HostRealPoint p) { return ojson::array({ShortestDouble(p.h), ShortestDouble(p.v)}); }

ojson ColorJson(const HostColor& color) {
  auto used = [&](std::initializer_list<int> slots) {
    for (int n = 0; n < 4; ++n) {
      bool isUsed = false;
      for (int slot : slots) isUsed = isUsed || slot == n;
      if (!isUsed && Bits(color.c[n]) != 0) return false;
    }
    for (int slot : slots)
      if (color.kind != kHostColorCustom || slot != 0)
        if (!std::isfinite(color.c[slot].value)) return false;
    return true;
  };
  auto v = [&](int n) { return ShortestDouble(color.c[n].value); };
  switch (color.kind) {
    case kHostColorGray:
      if (used({0})) return {{"kind", "gray"}, {"gray", v(0)}};
      break;
    case kHostColorProcess:
      if (used({0, 1, 2, 3})) return {{"kind", "process"}, {"cmyk", {v(0), v(1), v(2), v(3)}}};
      break;
    case kHostColorCustom:
      if (used({0, 1})) return {{"kind", "custom"}, {"ref", color.c[0].ref}, {"tint", v(1)}};
      break;
    case kHostColorRGB:
      if (used({0, 1, 2})) return {{"kind", "rgb"}, {"rgb", {v(0), v(1), v(2)}}};
      break;
    default:
      break;
  }
  // Kept bit for bit: other kinds, and named kinds whose fields a named form would lose.
  return {{"kind", color.kind},
          {"raw", {Bits(color.c[0]), Bits(color.c[1]), Bits(color.c[2]), Bits(color.c[3])}}};
}

ojson VertexJson(const MeshVertex& vertex) {
  ojson tangents = ojson::object(), smooth = ojson::object();
  for (int slot = 0; slot < 4; ++slot) {
    tangents[kSlotKeys[slot]] = Pair(vertex.tangent[slot]);
    smooth[kSlotKeys[slot]] = vertex.smooth[slot];
  }
  return {{"anchor", Pair(vertex.anchor)},
          {"color", ColorJson(vertex.color)},
          {"tangents", tangents},
          {"smooth", smooth}};
}

}  // namespace

double ShortestDouble(float value) {
  if (!std::isfinite(value)) return double(value);
  char text[32];
  auto [end, ec] = std::to_chars(text, text + sizeof text, value);
  (void)ec;
  double shortest = 0;
  std::from_chars(text, end, shortest);
  return shortest;
}

std::string LineColumn(const std::string& text, size_t offset) {
  size_t line = 1, column = 1;
  for (size_t n = 0; n < offset && n < text.size(); ++n) {
    if (text[n] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

json ParseJson(const std::string& text, const std::string& source, int status) {
  try {
    return json::parse(text);
  } catch (const json::parse_error& error) {
    // The parser reports the byte after the offending token; point at the token itself.
    size_t at = error.byte > 0 ? error.byte - 1 : 0;
    std::string what = error.what();
    size_t colon = what.rfind(": ");
    std::string reason = colon == std::string::npos ? what : what.substr(colon + 2);
    throw ToolError(status, source + ": " + LineColumn(text, at) + ": malformed JSON: " + reason);
  } catch (const json::exception& error) {  // a number too large even for the parser
    std::string what = error.what();
    throw ToolError(status, source + ": " + what.substr(what.find(']') + 2));
  }
}

Document ReadDocumentJson(const std::string& text, const std::string& source) {
  return Reader(source).Read(ParseJson(text, source, kExitBadDocument));
}

std::string WriteDocumentJson(const Document& doc) {
  ojson root = {
      {"format", kFormatName},
      {"version", kFormatVersion},
      {"page", {{"width", ShortestDouble(doc.width)}, {"height", ShortestDouble(doc.height)}}}};
  ojson colors = ojson::array();
  for (const simhost::CustomColor& custom : doc.customColors)
    colors.push_back({{"name", custom.name},
                      {"rgb",
                       {ShortestDouble(custom.red), ShortestDouble(custom.green),
                        ShortestDouble(custom.blue)}}});
  root["customColors"] = colors;
  root["view"] = {{"zoom", ShortestDouble(doc.view.zoom)}, {"topLeft", Pair(doc.view.topLeft)}};
  ojson art = ojson::array();
  for (const ArtObject& object : doc.art) {
    ojson entry = ojson::object();
    entry["type"] = object.type == kHostArtTypeMesh ? "mesh" : "other";
    if (!object.id.empty()) entry["id"] = object.id;
    entry["selected"] = object.selected;
    entry["opacity"] = ShortestDouble(object.opacity);
    entry["blendMode"] = object.blendMode;
    if (object.type == kHostArtTypeMesh) {
      ojson vertices = ojson::array();
      for (const MeshVertex& vertex : object.mesh.vertices) vertices.push_back(VertexJson(vertex));
      entry["mesh"] = {{"ni", object.mesh.ni}, {"nj", object.mesh.nj}, {"vertices", vertices}};
    } else {
      const HostRealRect& b = object.otherBounds;
      entry["bounds"] = {ShortestDouble(b.left), ShortestDouble(b.top), ShortestDouble(b.right),
                         ShortestDouble(b.bottom)};
    }
    art.push_back(entry);
  }
  root["art"] = art;
  return root.dump(1) + "\n";
}

}  // namespace quibtool
