// The JSON document format: lossless round trips and errors that point at the problem.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <set>

#include "DocumentJson.h"
#include "Sample.h"
#include "ToolError.h"

namespace quibtool {
namespace {

simhost::Document EveryKindOfColour() {
  simhost::Document doc;
  doc.width = 300.5f;
  doc.height = 200.25f;
  doc.customColors = {{"Spot Red", 1, 0.1f, 0}, {"Teal", 0, 0.5f, 0.5f}};
  doc.view.zoom = 1.5f;
  doc.view.topLeft = {-10.125f, 210};
  simhost::ArtObject mesh;
  mesh.selected = true;
  mesh.opacity = 0.7f;
  mesh.blendMode = 11;
  mesh.id = "rect12";
  mesh.mesh.ni = 2;
  mesh.mesh.nj = 1;
  mesh.mesh.vertices.resize(6);
  HostColor colours[6] = {};
  colours[0].kind = kHostColorGray;
  colours[0].c[0].value = 0.1f;
  colours[1].kind = kHostColorProcess;
  for (int n = 0; n < 4; ++n) colours[1].c[n].value = 0.2f * float(n) + 0.01f;
  colours[2].kind = kHostColorCustom;
  colours[2].c[0].ref = 1;
  colours[2].c[1].value = 0.35f;
  colours[3].kind = kHostColorRGB;
  colours[3].c[0].value = 1.0f / 3;
  colours[3].c[1].value = -0.0f;
  colours[3].c[2].value = std::nextafter(1.0f, 0.0f);
  colours[4].kind = kHostColorPattern;  // raw fields, one of them a NaN with a payload
  uint32_t bits[4] = {0x7fc01234u, 0xffffffffu, 0, 42};
  std::memcpy(colours[4].c, bits, sizeof bits);
  colours[5].kind = kHostColorRGB;  // a field the named form has no place for
  colours[5].c[3].ref = 7;
  for (int n = 0; n < 6; ++n) {
    simhost::MeshVertex& v = mesh.mesh.vertices[size_t(n)];
    v.anchor = {float(n) * 10.1f, 1e-7f * float(n)};
    v.color = colours[n];
    for (int slot = 0; slot < 4; ++slot) {
      v.tangent[size_t(slot)] = {v.anchor.h + float(slot), v.anchor.v - 0.3f * float(slot)};
      v.smooth[size_t(slot)] = (n + slot) % 2 == 0;
    }
  }
  doc.art.push_back(mesh);
  simhost::ArtObject other;
  other.type = kHostArtTypeOther;
  other.otherBounds = {1, 9, 5, 2};
  doc.art.push_back(other);
  return doc;
}

void ExpectSameBits(const simhost::Document& a, const simhost::Document& b) {
  EXPECT_EQ(a.width, b.width);
  EXPECT_EQ(a.height, b.height);
  ASSERT_EQ(a.customColors.size(), b.customColors.size());
  for (size_t n = 0; n < a.customColors.size(); ++n) {
    EXPECT_EQ(a.customColors[n].name, b.customColors[n].name);
    EXPECT_EQ(a.customColors[n].green, b.customColors[n].green);
  }
  EXPECT_EQ(a.view.zoom, b.view.zoom);
  EXPECT_EQ(a.view.topLeft.h, b.view.topLeft.h);
  ASSERT_EQ(a.art.size(), b.art.size());
  for (size_t k = 0; k < a.art.size(); ++k) {
    const simhost::ArtObject &x = a.art[k], &y = b.art[k];
    EXPECT_EQ(x.type, y.type);
    EXPECT_EQ(x.selected, y.selected);
    EXPECT_EQ(x.opacity, y.opacity);
    EXPECT_EQ(x.blendMode, y.blendMode);
    EXPECT_EQ(x.id, y.id);
    EXPECT_EQ(0, std::memcmp(&x.otherBounds, &y.otherBounds, sizeof x.otherBounds));
    EXPECT_EQ(x.mesh.ni, y.mesh.ni);
    EXPECT_EQ(x.mesh.nj, y.mesh.nj);
    ASSERT_EQ(x.mesh.vertices.size(), y.mesh.vertices.size());
    for (size_t n = 0; n < x.mesh.vertices.size(); ++n) {
      const simhost::MeshVertex &v = x.mesh.vertices[n], &w = y.mesh.vertices[n];
      EXPECT_EQ(0, std::memcmp(&v.anchor, &w.anchor, sizeof v.anchor)) << "vertex " << n;
      EXPECT_EQ(0, std::memcmp(&v.color, &w.color, sizeof v.color)) << "vertex " << n;
      EXPECT_EQ(0, std::memcmp(v.tangent.data(), w.tangent.data(), sizeof v.tangent))
          << "vertex " << n;
      EXPECT_EQ(v.smooth, w.smooth) << "vertex " << n;
    }
  }
}

TEST(DocumentJson, RoundTripKeepsEveryBit) {
  simhost::Document doc = EveryKindOfColour();
  std::string text = WriteDocumentJson(doc);
  simhost::Document back = ReadDocumentJson(text, "doc.json");
  ExpectSameBits(doc, back);
  EXPECT_EQ(WriteDocumentJson(back), text);
}

TEST(DocumentJson, WritesShortestNumbersAndNamedKeys) {
  std::string text = WriteDocumentJson(EveryKindOfColour());
  EXPECT_NE(text.find("300.5"), std::string::npos);
  EXPECT_NE(text.find("0.35"), std::string::npos);  // not 0.3499999940395355
  EXPECT_EQ(text.find("0.3499999"), std::string::npos);
  for (const char* key : {"\"i-\"", "\"i+\"", "\"j-\"", "\"j+\"", "\"gray\"", "\"cmyk\"",
                          "\"custom\"", "\"tint\"", "\"raw\"", "\"other\""})
    EXPECT_NE(text.find(key), std::string::npos) << key;
}

TEST(DocumentJson, SampleIsAColourfulMeshOfManyPatches) {
  simhost::Document sample = SampleDocument();
  ASSERT_EQ(sample.art.size(), 1u);
  const simhost::Mesh& mesh = sample.art[0].mesh;
  EXPECT_GE(mesh.ni, 8);
  EXPECT_GE(mesh.nj, 8);
  EXPECT_TRUE(sample.art[0].selected);
  std::set<std::array<float, 3>> colours;
  for (const simhost::MeshVertex& v : mesh.vertices)
    colours.insert({v.color.c[0].value, v.color.c[1].value, v.color.c[2].value});
  EXPECT_GT(colours.size(), mesh.vertices.size() / 2);
  ExpectSameBits(sample, ReadDocumentJson(WriteDocumentJson(sample), "sample"));
}

std::string MeshJson(const std::string& vertexCount, const std::string& extra = "",
                     const std::string& anchor = "[0, 0]") {
  std::string vertex = R"({"anchor": )" + anchor +
                       R"(, "color": {"kind": "gray", "gray": 0.5},
        "tangents": {"i-": [0,0], "i+": [0,0], "j-": [0,0], "j+": [0,0]},
        "smooth": {"i-": false, "i+": false, "j-": false, "j+": false}})";
  std::string vertices;
  for (int n = 0; n < std::stoi(vertexCount); ++n) vertices += (n ? ", " : "") + vertex;
  return R"({"page": {"width": 100, "height": 100}, "art": [{"type": "mesh", "selected": true,
    "opacity": 1, "blendMode": 0)" +
         extra + R"(, "mesh": {"ni": 1, "nj": 1, "vertices": [)" + vertices + "]}}]}";
}

TEST(DocumentJson, RefusesWhatTheHostCannotHoldNamingWhere) {
  const std::pair<std::string, const char*> cases[] = {
      {"{\"page\": {\"width\": 1, \"height\": 1}, \"art\": [}",
       "line 1, column 45: malformed JSON"},
      {"{\n  \"page\": 3,\n  oops\n}", "line 3, column 3: malformed JSON"},
      {"", "line 1, column 1: malformed JSON"},
      {MeshJson("3"), "art[0].mesh.vertices: 3 vertices, but 1 x 1 patches need 4"},
      {MeshJson("5"), "5 vertices, but 1 x 1 patches need 4"},
      {MeshJson("4", "", "[1e999, 0]"), "in.json: number overflow parsing '1e999'"},
      {MeshJson("4", "", "[0, 1e39]"), "anchor[1]: the number is too large for a 32-bit real"},
      {MeshJson("4", "", "[0]"), "anchor: expected a point [x, y]"},
      {MeshJson("4", ", \"opacty\": 1"), "art[0]: unknown key \"opacty\""},
      {MeshJson("4", ", \"blendMode\": 16"),
       "art[0].blendMode: expected a whole number from 0 to 15"},
      {R"({"page": {"width": 0, "height": 5}, "art": []})",
       "page: width and height must be positive"},
      {R"({"page": {"width": 5, "height": 5}})", "document: missing \"art\""},
      {R"({"page": {"width": 5, "height": 5}, "art": [{"type": "star"}]})",
       "art[0].type: expected \"mesh\" or \"other\""},
  };
  for (const auto& [text, problem] : cases) {
    try {
      ReadDocumentJson(text, "in.json");
      ADD_FAILURE() << "accepted: " << problem;
    } catch (const ToolError& error) {
      EXPECT_EQ(error.status(), kExitBadDocument);
      std::string message = error.what();
      EXPECT_EQ(message.rfind("in.json: ", 0), 0u) << message;
      EXPECT_NE(message.find(problem), std::string::npos) << message;
      EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
  }
}

TEST(DocumentJson, RefusesAnUnknownColourKind) {
  std::string text = MeshJson("4");
  text.replace(text.find("\"gray\", \"gray\""), 14, "\"hsv\", \"gray\"");
  EXPECT_THROW(
      {
        try {
          ReadDocumentJson(text, "c.json");
        } catch (const ToolError& error) {
          EXPECT_NE(std::string(error.what()).find("unknown colour kind \"hsv\""),
                    std::string::npos);
          throw;
        }
      },
      ToolError);
}

}  // namespace
}  // namespace quibtool
