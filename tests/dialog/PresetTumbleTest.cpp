// The preset list and the "Tumble" button: what each writes into the record and the
// controls, and the random draws "Tumble" makes.
#include <cmath>
#include <functional>

#include "DialogFixture.h"

namespace dialogtest {
namespace {

using simhost::user::Accept;
using simhost::user::Choose;
using simhost::user::Press;

// A record in which every setting differs from the presets' reset values.
MeshParams EverythingAltered() {
  MeshParams p = FirstUseRecord();
  p.interpolation = 7;
  p.channel1 = p.channel2 = p.channel3 = p.channel4 = 3;
  p.jitterX = p.jitterY = 5;
  p.scaleX = p.scaleY = 50;
  p.angle = 10;
  p.brightness = 20;
  p.moveX = p.moveY = 30;
  p.colorNodeFactorI = p.colorNodeFactorJ = p.pointNodeFactorI = p.pointNodeFactorJ = 90;
  p.swapNode = p.wrap = p.randomColors = p.randomAngle = p.randomScale = 1;
  p.randomOpacity = p.randomBlend = p.randomShift = 1;
  p.randomApplyColor1 = p.randomApplyColor2 = p.randomApplyJitter1 = p.randomApplyJitter2 = 1;
  p.randomColorCombo = p.randomJitterCombos = 1;
  p.interpolationTarget = 3;
  p.colorMode = 5;
  p.colorOperation = 2;
  p.pointMode = 4;
  p.tangentMode = 6;
  p.isolateNodeI = p.isolateNodeJ = 2;
  p.viewZoom = 150;
  p.page = 3;
  p.preview = 0;
  return p;
}

// The reset that every preset starts with, over a record: settings only.
MeshParams Reset(MeshParams p) {
  MeshParams first = FirstUseRecord();
  for (const FieldInfo& field : Fields()) {
    std::string name = field.name;
    if (name == "page" || name == "preset" || name == "viewZoom" || name == "fromGo" ||
        name == "previewShown" || name.rfind("dialog", 0) == 0) {
      continue;
    }
    std::memcpy(reinterpret_cast<char*>(&p) + field.offset,
                reinterpret_cast<const char*>(&first) + field.offset, 4);
  }
  return p;
}

struct PresetCase {
  const char* name;
  int32_t index;
  std::function<void(MeshParams&)> values;
};

class PresetTest : public DialogTest, public ::testing::WithParamInterface<PresetCase> {};

TEST_P(PresetTest, WritesTheResetThenTheEntrysValues) {
  const PresetCase& c = GetParam();
  MeshParams before = EverythingAltered();
  Keep(before);
  ASSERT_EQ(GetParameters({Choose(64, c.index), Accept()}), kHostNoErr);

  MeshParams expected = Reset(before);
  expected.preset = c.index;
  c.values(expected);
  EXPECT_EQ(Differences(expected, Kept(), RunAndPosition()), "");
  EXPECT_EQ(Kept().previewShown, 1) << "the reset ticks Preview, so the preview ran";

  // The controls show the record.
  EXPECT_EQ(Item(4).value, expected.channel1);
  EXPECT_EQ(Item(8).value, expected.jitterX);
  EXPECT_EQ(Item(16).value, expected.interpolation);
  EXPECT_EQ(Item(60).value, expected.colorMode);
  EXPECT_EQ(Item(63).value, expected.tangentMode);
  EXPECT_EQ(Item(30).value, expected.wrap);
  EXPECT_EQ(Item(3).value, 1);
  EXPECT_EQ(Item(23).value, 150) << "the zoom is not a preset's";
  EXPECT_TRUE(Item(10).visible) << "the page stays";
}

void Beams(MeshParams& p) {
  p.colorOperation = 6;
  p.channel1 = 100;
  p.channel2 = 70;
  p.channel3 = 20;
  p.colorNodeFactorI = 120;
}
void RandomJitterMode(MeshParams& p) {
  p.randomJitterCombos = 1;
  p.jitterX = p.jitterY = 20;
}

INSTANTIATE_TEST_SUITE_P(Presets, PresetTest,
                         ::testing::Values(PresetCase{"Reset", 0, [](MeshParams&) {}},
                                           PresetCase{
                                               "HorizontalLines", 1,
                                               [](MeshParams& p) { p.channel1 = p.channel2 = 60; }},
                                           PresetCase{"VerticalLines", 2,
                                                      [](MeshParams& p) {
                                                        p.colorMode = 2;
                                                        p.channel1 = p.channel2 = 60;
                                                      }},
                                           PresetCase{"MinorJitterToCenter", 3,
                                                      [](MeshParams& p) {
                                                        p.interpolation = 50;
                                                        p.jitterX = p.jitterY = 10;
                                                      }},
                                           PresetCase{"StraightInterpolation", 4,
                                                      [](MeshParams& p) { p.interpolation = 50; }},
                                           PresetCase{"WaveJitter", 5,
                                                      [](MeshParams& p) {
                                                        p.tangentMode = 11;
                                                        p.jitterY = 100;
                                                      }},
                                           PresetCase{"RandomizedColor", 6,
                                                      [](MeshParams& p) {
                                                        p.colorMode = 0;
                                                        p.colorOperation = 3;
                                                      }},
                                           PresetCase{"ColorGrid", 7,
                                                      [](MeshParams& p) {
                                                        p.colorMode = 19;
                                                        p.colorOperation = 3;
                                                      }},
                                           PresetCase{"Pulsed", 8,
                                                      [](MeshParams& p) {
                                                        p.randomApplyColor1 = 1;
                                                        p.channel1 = p.channel2 = p.channel3 = 50;
                                                      }},
                                           PresetCase{"Rotated", 9,
                                                      [](MeshParams& p) {
                                                        p.angle = 45;
                                                        p.interpolation = 50;
                                                      }},
                                           PresetCase{"Invert", 10,
                                                      [](MeshParams& p) {
                                                        p.colorMode = 0;
                                                        p.colorOperation = 1;
                                                        p.channel1 = p.channel2 = p.channel3 = 255;
                                                      }},
                                           PresetCase{"Zoom", 11,
                                                      [](MeshParams& p) {
                                                        p.pointMode = 16;
                                                        p.tangentMode = 12;
                                                        p.jitterX = 10;
                                                      }},
                                           PresetCase{"Seawaves", 12,
                                                      [](MeshParams& p) {
                                                        p.pointMode = 15;
                                                        p.jitterX = p.jitterY = 10;
                                                      }},
                                           PresetCase{"Starfighter", 13,
                                                      [](MeshParams& p) {
                                                        p.pointMode = 7;
                                                        p.tangentMode = 13;
                                                        p.jitterX = p.jitterY = 10;
                                                      }},
                                           PresetCase{"Gradient1", 14,
                                                      [](MeshParams& p) {
                                                        p.colorMode = 23;
                                                        p.channel1 = p.channel2 = 100;
                                                      }},
                                           PresetCase{"Pieces", 15,
                                                      [](MeshParams& p) {
                                                        p.colorMode = 13;
                                                        p.channel1 = p.channel2 = 100;
                                                      }},
                                           PresetCase{"Block1", 16,
                                                      [](MeshParams& p) {
                                                        p.colorOperation = 5;
                                                        p.channel1 = p.channel2 = 10;
                                                        p.wrap = p.randomColors = 1;
                                                      }},
                                           PresetCase{"Block2", 17,
                                                      [](MeshParams& p) {
                                                        p.colorOperation = 5;
                                                        p.channel1 = 23;
                                                        p.channel2 = 10;
                                                        p.wrap = p.randomColors = 1;
                                                      }},
                                           PresetCase{"Beams", 18, Beams},
                                           PresetCase{"RandomColorMode", 19,
                                                      [](MeshParams& p) {
                                                        Beams(p);
                                                        p.randomColorCombo = 1;
                                                      }},
                                           PresetCase{"RandomJitterMode", 20, RandomJitterMode},
                                           PresetCase{"RandomJitterMode1", 21,
                                                      [](MeshParams& p) {
                                                        RandomJitterMode(p);
                                                        p.interpolation = 50;
                                                      }},
                                           PresetCase{"JitterReduce", 22,
                                                      [](MeshParams& p) {
                                                        p.pointNodeFactorI = 80;
                                                        p.jitterX = p.jitterY = 20;
                                                      }}),
                         CaseName());

// The largest draw d with 100 * d at most `threshold`, and the next one up.
float AtOrBelow(double threshold) {
  float d = float(threshold / 100);
  while (100.0 * double(d) > threshold) d = std::nextafter(d, 0.0f);
  while (100.0 * double(std::nextafter(d, 1.0f)) <= threshold) d = std::nextafter(d, 1.0f);
  return d;
}
float Above(double threshold) { return std::nextafter(AtOrBelow(threshold), 1.0f); }

struct TumbleCase {
  const char* name;
  std::vector<float> draws;
  std::function<void(MeshParams&)> values;
};

class TumbleTest : public DialogTest, public ::testing::WithParamInterface<TumbleCase> {};

TEST_P(TumbleTest, DrawsInOrderAndPassesOnlyAboveEachThreshold) {
  const TumbleCase& c = GetParam();
  MeshParams before = EverythingAltered();
  Keep(before);
  Draws(c.draws);
  ASSERT_EQ(GetParameters({Press(81), Accept()}), kHostNoErr);
  EXPECT_EQ(host().document.random.Draws(), c.draws.size()) << "draws made";
  EXPECT_FALSE(host().document.random.Exhausted());

  MeshParams expected = before;
  expected.channel2 = expected.channel3 = expected.channel4 = 0;
  expected.jitterX = expected.jitterY = 0;
  expected.interpolationTarget = expected.tangentMode = expected.pointMode = 0;
  expected.interpolation = 100;
  c.values(expected);
  EXPECT_EQ(Differences(expected, Kept(), RunAndPosition()), "");
  EXPECT_EQ(Kept().previewShown, 0) << "Preview stays clear";
  EXPECT_EQ(Item(4).value, expected.channel1);
  EXPECT_EQ(Item(60).value, expected.colorMode);
}

// Channels and modes from the first six draws: -200, -100, 0, 100; 29 and 6.
const std::vector<float> kFirstSix = {0.0f, 0.25f, 0.5f, 0.75f, 0.99999994f, 0.99999994f};
void FirstSix(MeshParams& p) {
  p.channel1 = -200;
  p.channel2 = -100;
  p.channel3 = 0;
  p.channel4 = 100;
  p.colorMode = 29;
  p.colorOperation = 6;
}
std::vector<float> Then(std::vector<float> rest) {
  std::vector<float> draws = kFirstSix;
  draws.insert(draws.end(), rest.begin(), rest.end());
  return draws;
}

INSTANTIATE_TEST_SUITE_P(
    Draws, TumbleTest,
    ::testing::Values(
        TumbleCase{"AllAtThresholds",
                   Then({AtOrBelow(95), AtOrBelow(50), AtOrBelow(30), AtOrBelow(85)}), FirstSix},
        TumbleCase{"HalfExactlyFails", Then({0.0f, 0.5f, 0.0f, 0.0f}), FirstSix},
        TumbleCase{"AllJustAbove",
                   Then({Above(95), 0.99999994f, 0.5f, Above(50), 0.99999994f, 0.99999994f,
                         Above(30), 0.5f, 0.75f, Above(85), 0.75f, 0.25f}),
                   [](MeshParams& p) {
                     FirstSix(p);
                     p.interpolationTarget = 14;
                     p.interpolation = 45;
                     p.tangentMode = 13;
                     p.pointMode = 19;
                     p.jitterX = -5;   // -80 + 100 * 0.75, replacing step 7's 0
                     p.jitterY = -55;  // -80 + 100 * 0.25, replacing step 7's 20
                   }},
        TumbleCase{"OnlyTheSmallJitter",
                   {0.5f, 0.5f, 0.5f, 0.5f, 0.1f, 0.5f, 0.0f, 0.0f, 0.9f, 0.0f, 0.25f, 0.0f},
                   [](MeshParams& p) {
                     p.channel1 = p.channel2 = p.channel3 = p.channel4 = 0;
                     p.colorMode = 3;
                     p.colorOperation = 3;
                     p.jitterX = -40;
                     p.jitterY = -20;
                   }},
        TumbleCase{"OnlyTheModes",
                   {0.5f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f, 0.0f, 0.75f, 0.5f, 0.25f, 0.0f, 0.0f},
                   [](MeshParams& p) {
                     p.channel1 = p.channel2 = p.channel3 = p.channel4 = 0;
                     p.colorMode = 0;
                     p.colorOperation = 0;
                     p.tangentMode = 7;
                     p.pointMode = 5;
                   }}),
    CaseName());

TEST_F(DialogTest, TumbleKeepsEveryValueInsideItsList) {
  MeshParams kept = FirstUseRecord();
  kept.preview = 0;
  Keep(kept);
  host().document.random.Seed(20261211);
  std::vector<simhost::DialogAction> presses(300, Press(81));
  presses.push_back(Accept());
  ASSERT_EQ(GetParameters(presses), kHostNoErr);

  auto within = [](double v, double lo, double hi) { return v >= lo && v <= hi; };
  for (const simhost::StepRecord& step : Shown().steps) {
    if (step.action == presses.size() - 1) continue;
    auto value = [&](int32_t id) {
      for (const simhost::ItemRecord& item : step.items) {
        if (item.id == id) return item.value;
      }
      return -1e9;
    };
    for (int32_t id : {4, 5, 6, 7}) EXPECT_TRUE(within(value(id), -200, 200)) << value(id);
    EXPECT_TRUE(within(value(60), 0, 29));
    EXPECT_TRUE(within(value(61), 0, 6));
    EXPECT_TRUE(within(value(62), 0, 19));
    EXPECT_TRUE(within(value(63), 0, 13));
    EXPECT_TRUE(within(value(65), 0, 14));
    double interpolation = value(16);
    EXPECT_TRUE(interpolation == 100 || within(interpolation, -30, 120)) << interpolation;
    for (int32_t id : {8, 9}) {
      double jitter = value(id);
      EXPECT_TRUE(jitter == 0 || within(jitter, -40, 40) || within(jitter, -80, 20)) << jitter;
    }
  }
}

}  // namespace
}  // namespace dialogtest
