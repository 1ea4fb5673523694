// What the dialog's behaviour tests share: a started module on a fresh host with a
// selected mesh, scripted "Get Parameters" messages, and the record the host keeps.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "MeshParams.h"
#include "TestSupport.h"
#include "simhost/DocumentBuilder.h"

namespace dialogtest {

constexpr const char* kDialog = "Quib_Mesh";

// Items shown on every page.
inline std::vector<int32_t> AllPageItems() {
  return {23, 64, 1, 2, 80, 81, 3, 130, 131, 132, 133, 134, 135, 136, 137, 138, 139};
}

// The record's fields by name, for comparisons that say which field differs.
struct FieldInfo {
  const char* name;
  size_t offset;
  bool real;
};

#define QUIB_FIELD(name, real) \
  { #name, offsetof(MeshParams, name), real }
inline const std::vector<FieldInfo>& Fields() {
  static const std::vector<FieldInfo> fields = {
      QUIB_FIELD(interpolation, true),
      QUIB_FIELD(channel1, true),
      QUIB_FIELD(channel2, true),
      QUIB_FIELD(channel3, true),
      QUIB_FIELD(channel4, true),
      QUIB_FIELD(jitterX, true),
      QUIB_FIELD(jitterY, true),
      QUIB_FIELD(scaleX, true),
      QUIB_FIELD(scaleY, true),
      QUIB_FIELD(angle, true),
      QUIB_FIELD(brightness, true),
      QUIB_FIELD(moveX, true),
      QUIB_FIELD(moveY, true),
      QUIB_FIELD(colorNodeFactorI, true),
      QUIB_FIELD(colorNodeFactorJ, true),
      QUIB_FIELD(pointNodeFactorI, true),
      QUIB_FIELD(pointNodeFactorJ, true),
      QUIB_FIELD(swapNode, false),
      QUIB_FIELD(wrap, false),
      QUIB_FIELD(randomColors, false),
      QUIB_FIELD(randomAngle, false),
      QUIB_FIELD(randomScale, false),
      QUIB_FIELD(interpolationTarget, false),
      QUIB_FIELD(preset, false),
      QUIB_FIELD(page, false),
      QUIB_FIELD(colorMode, false),
      QUIB_FIELD(colorOperation, false),
      QUIB_FIELD(pointMode, false),
      QUIB_FIELD(tangentMode, false),
      QUIB_FIELD(isolateNodeI, false),
      QUIB_FIELD(isolateNodeJ, false),
      QUIB_FIELD(randomOpacity, false),
      QUIB_FIELD(randomBlend, false),
      QUIB_FIELD(randomShift, false),
      QUIB_FIELD(randomApplyColor1, false),
      QUIB_FIELD(randomApplyColor2, false),
      QUIB_FIELD(randomApplyJitter1, false),
      QUIB_FIELD(randomApplyJitter2, false),
      QUIB_FIELD(randomColorCombo, false),
      QUIB_FIELD(randomJitterCombos, false),
      QUIB_FIELD(viewZoom, true),
      QUIB_FIELD(preview, false),
      QUIB_FIELD(fromGo, false),
      QUIB_FIELD(previewShown, false),
      QUIB_FIELD(dialogLeft, false),
      QUIB_FIELD(dialogTop, false),
      QUIB_FIELD(dialogRight, false),
      QUIB_FIELD(dialogBottom, false),
      QUIB_FIELD(dialogBoundsValid, false),
  };
  return fields;
}
#undef QUIB_FIELD

inline std::string FieldText(const MeshParams& p, const FieldInfo& field) {
  const char* raw = reinterpret_cast<const char*>(&p) + field.offset;
  if (field.real) {
    float value;
    std::memcpy(&value, raw, sizeof value);
    return std::to_string(value);
  }
  int32_t value;
  std::memcpy(&value, raw, sizeof value);
  return std::to_string(value);
}

// "field: expected -> actual" for every field that differs, except the named ones.
inline std::string Differences(const MeshParams& expected, const MeshParams& actual,
                               const std::vector<std::string>& ignored = {}) {
  std::string text;
  for (const FieldInfo& field : Fields()) {
    bool skip = false;
    for (const std::string& name : ignored) skip = skip || name == field.name;
    if (skip) continue;
    if (std::memcmp(reinterpret_cast<const char*>(&expected) + field.offset,
                    reinterpret_cast<const char*>(&actual) + field.offset, 4) != 0) {
      text += std::string(field.name) + ": " + FieldText(expected, field) + " -> " +
              FieldText(actual, field) + "\n";
    }
  }
  return text;
}

// The run and dialog state that the dialog writes on every change.
inline std::vector<std::string> RunAndPosition() {
  return {"fromGo",      "previewShown", "dialogLeft",       "dialogTop",
          "dialogRight", "dialogBottom", "dialogBoundsValid"};
}

// The first-use record, written out here so that the module's own defaults are checked.
inline MeshParams FirstUseRecord() {
  MeshParams p;
  std::memset(&p, 0, sizeof p);
  p.interpolation = 100;
  p.channel1 = 45;
  p.scaleX = p.scaleY = 100;
  p.brightness = 100;
  p.colorNodeFactorI = p.colorNodeFactorJ = p.pointNodeFactorI = p.pointNodeFactorJ = 100;
  p.page = 1;
  p.colorMode = 1;
  p.isolateNodeI = p.isolateNodeJ = -1;
  p.viewZoom = 100;
  p.preview = 1;
  return p;
}

inline std::vector<uint8_t> Bytes(const MeshParams& p) {
  const uint8_t* raw = reinterpret_cast<const uint8_t*>(&p);
  return std::vector<uint8_t>(raw, raw + sizeof p);
}

inline bool SameDocument(const simhost::Document& a, const simhost::Document& b) {
  if (a.art.size() != b.art.size()) return false;
  for (size_t n = 0; n < a.art.size(); ++n) {
    const simhost::ArtObject& x = a.art[n];
    const simhost::ArtObject& y = b.art[n];
    if (x.opacity != y.opacity || x.blendMode != y.blendMode) return false;
    if (x.mesh.vertices.size() != y.mesh.vertices.size()) return false;
    for (size_t k = 0; k < x.mesh.vertices.size(); ++k) {
      const simhost::MeshVertex& v = x.mesh.vertices[k];
      const simhost::MeshVertex& w = y.mesh.vertices[k];
      if (std::memcmp(&v.anchor, &w.anchor, sizeof v.anchor) != 0 ||
          std::memcmp(&v.color, &w.color, sizeof v.color) != 0 ||
          std::memcmp(v.tangent.data(), w.tangent.data(), sizeof v.tangent) != 0) {
        return false;
      }
    }
  }
  return true;
}

class DialogTest : public quibtest::HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    // A view whose top-left pixel is the document's top-left corner, at 100 percent.
    doc().view.topLeft = {0, doc().height};
    simhost::MeshSpec(3, 3).Over({100, 400, 400, 100}).Add(doc());
    original_ = doc();
  }

  simhost::Document& doc() { return host().document.doc; }
  const simhost::Document& original() const { return original_; }
  // Makes the present document the one later comparisons start from.
  void KeepAsOriginal() { original_ = doc(); }

  // The host follows an accepted dialog with Go, which gives the gathered selection back.
  void TearDown() override {
    if (goPending_) Go();
    HostFixture::TearDown();
  }

  // Sends "AI Filter"/"AI Get Parameters" with the user's actions scripted.
  HostErr GetParameters(std::vector<simhost::DialogAction> actions) {
    host().dialogs.QueueScript(kDialog, std::move(actions));
    HostErr result = host().Send(kCallerFilter, kSelectorGetParameters);
    goPending_ = result == kHostNoErr;
    return result;
  }
  HostErr Go() {
    goPending_ = false;
    return host().Send(kCallerFilter, kSelectorGo);
  }

  // The last parameter dialog shown; fails the test when none was.
  const simhost::DialogRecord& Shown() {
    const simhost::DialogRecord* shown = host().dialogs.LastShown(kDialog);
    EXPECT_NE(shown, nullptr) << "no parameter dialog was shown";
    static const simhost::DialogRecord none;
    return shown ? *shown : none;
  }
  const simhost::ItemRecord& Item(int32_t id) {
    const simhost::ItemRecord* item = Shown().Item(id);
    EXPECT_NE(item, nullptr) << "no item " << id;
    static const simhost::ItemRecord none;
    return item ? *item : none;
  }

  void Keep(const MeshParams& p) { host().SetParameterBytes(Bytes(p)); }
  MeshParams Kept() {
    MeshParams p;
    std::memset(&p, 0, sizeof p);
    std::vector<uint8_t> bytes = host().ParameterBytes();
    EXPECT_EQ(bytes.size(), sizeof p);
    if (bytes.size() == sizeof p) std::memcpy(&p, bytes.data(), sizeof p);
    return p;
  }

  void Draws(std::vector<float> draws) { host().document.random.Script(std::move(draws)); }

 private:
  simhost::Document original_;
  bool goPending_ = false;
};

// Names parameterised cases after their `name` field.
struct CaseName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& param) const {
    return param.param.name;
  }
};

}  // namespace dialogtest
