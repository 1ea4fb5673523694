// The quibmesh command end to end: it is run as a user runs it, in a folder of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>

#include "CommandSupport.h"
#include "DocumentJson.h"
#include "PictureSupport.h"
#include "Sample.h"
#include "SvgMesh.h"

namespace clitest {
namespace {

using quibtool::ReadDocumentJson;

class Command : public ToolTest {};

// The number of random draws the run reported.
long ReportedDraws(const std::string& out) {
  size_t at = out.rfind(", ");
  return at == std::string::npos ? -1 : std::stol(out.substr(at + 2));
}

TEST_F(Command, SampleRunLeavesBeforeAndAfterPicturesAndDocuments) {
  CommandResult r = Run({"run", "--seed", "5", "--preset", "Wave jitter", "--before", "before.png",
                         "-o", "after.png", "-o", "after.svg", "-o", "after.json"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_NE(r.out.find("sample: 1 selected mesh filtered"), std::string::npos) << r.out;
  Picture before = DecodePng(Read("before.png")), after = DecodePng(Read("after.png"));
  ASSERT_EQ(before.width, 480);
  ASSERT_EQ(after.height, 360);
  EXPECT_NE(before.rgb, after.rgb);
  simhost::Document doc = ReadDocumentJson(Read("after.json"), "after.json");
  ASSERT_EQ(doc.art.size(), 1u);
  EXPECT_GE(doc.art[0].mesh.ni, 8);
  EXPECT_GE(doc.art[0].mesh.nj, 8);
  // The SVG holds the same mesh as the JSON (to the precision an SVG keeps).
  quibtool::SvgDocument svg = quibtool::ReadSvg(Read("after.svg"), "after.svg");
  ASSERT_EQ(svg.doc.art.size(), 1u);
  for (size_t n = 0; n < doc.art[0].mesh.vertices.size(); ++n) {
    EXPECT_NEAR(svg.doc.art[0].mesh.vertices[n].anchor.h, doc.art[0].mesh.vertices[n].anchor.h,
                1e-3);
    EXPECT_NEAR(svg.doc.art[0].mesh.vertices[n].anchor.v, doc.art[0].mesh.vertices[n].anchor.v,
                1e-3);
  }
}

TEST_F(Command, NeutralSettingsChangeNothingInAJsonDocument) {
  std::string sample = quibtool::WriteDocumentJson(quibtool::SampleDocument());
  Write("in.json", sample);
  CommandResult r = Run({"run", "in.json", "--set", "channel1=0", "-o", "out.json"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Read("out.json") == sample);
  EXPECT_TRUE(Read("in.json") == sample);
}

TEST_F(Command, InkscapeFileIsReadAndWrittenBack) {
  std::string original = ReadBytes(DataFile("inkscape-mesh.svg"));
  Write("drawing.svg", original);
  CommandResult neutral = Run({"run", "drawing.svg", "--set", "channel1=0", "-o", "same.svg"});
  ASSERT_EQ(neutral.status, 0) << neutral.err;
  EXPECT_TRUE(Read("same.svg") == original);

  CommandResult r = Run({"run", "drawing.svg", "--seed", "2", "--set", "jitterX=4", "--set",
                         "jitterY=3", "-o", "moved.svg", "-o", "moved.json"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::string moved = Read("moved.svg");
  EXPECT_FALSE(moved == original);
  for (const char* kept : {"id=\"mesh_polyfill\"", "id=\"stop17\"", "id=\"meshrow2\"",
                           "transform=\"rotate(12)\"", "sodipodi:namedview"})
    EXPECT_NE(moved.find(kept), std::string::npos) << kept;
  // The SVG written back holds exactly the mesh of the JSON written beside it.
  simhost::Document doc = ReadDocumentJson(Read("moved.json"), "moved.json");
  quibtool::SvgDocument back = quibtool::ReadSvg(moved, "moved.svg");
  ASSERT_EQ(back.doc.art.size(), 1u);
  const simhost::Mesh &a = doc.art[0].mesh, &b = back.doc.art[0].mesh;
  for (int i = 0; i <= a.ni; ++i)
    for (int j = 0; j <= a.nj; ++j) {
      EXPECT_NEAR(b.At(i, j).anchor.h, a.At(i, j).anchor.h, 2e-3);
      EXPECT_NEAR(b.At(i, j).anchor.v, a.At(i, j).anchor.v, 2e-3);
      // Slots on the border have no neighbour and are not geometry an SVG keeps.
      const bool exists[4] = {i > 0, i<a.ni, j> 0, j < a.nj};
      for (size_t slot = 0; slot < 4; ++slot) {
        if (!exists[slot]) continue;
        EXPECT_NEAR(b.At(i, j).tangent[slot].h, a.At(i, j).tangent[slot].h, 2e-3);
        EXPECT_NEAR(b.At(i, j).tangent[slot].v, a.At(i, j).tangent[slot].v, 2e-3);
      }
    }
}

TEST_F(Command, InkscapeRendersOurSvgLikeOurOwnPicture) {
  if (Shell({"sh", "-c", "command -v inkscape"}).status != 0)
    GTEST_SKIP() << "inkscape is not installed (scripts/setup.sh installs it)";
  CommandResult r =
      Run({"run", "--seed", "11", "--preset", "Seawaves", "-o", "ours.png", "-o", "ours.svg"});
  ASSERT_EQ(r.status, 0) << r.err;
  CommandResult ink =
      Shell({"inkscape", "ours.svg", "--export-type=png", "--export-filename=inkscape.png",
             "--export-width=480", "--export-background=white", "--export-background-opacity=1"});
  ASSERT_EQ(ink.status, 0) << ink.err;
  Picture ours = DecodePng(Read("ours.png")), theirs = DecodePng(Read("inkscape.png"));
  ASSERT_EQ(ours.width, theirs.width);
  ASSERT_EQ(ours.height, theirs.height);
  // Both draw the same Coons patches; they differ by the 8-bit colours of the SVG, by
  // Inkscape clipping to the outline path (anti-aliased edge pixels) and by how finely
  // each subdivides a patch. So: a small mean difference, and few pixels far apart.
  double total = 0;
  size_t far = 0;
  for (size_t n = 0; n < ours.rgb.size(); ++n)
    for (int c = 0; c < 3; ++c) {
      int d = std::abs(ours.rgb[n][size_t(c)] - theirs.rgb[n][size_t(c)]);
      total += d;
      far += d > 32;
    }
  double mean = total / double(ours.rgb.size() * 3);
  // Measured here: a mean near 0.2 and under 0.2 % of the values far apart.
  EXPECT_LT(mean, 1.0);
  EXPECT_LT(double(far) / double(ours.rgb.size() * 3), 0.005);
  RecordProperty("mean_difference", std::to_string(mean));
}

TEST_F(Command, SameSeedGivesByteIdenticalOutputs) {
  const std::vector<std::string> settings{
      "--preset", "Random jitter mode", "--set", "randomBlend=1", "--set", "randomOpacity=1"};
  auto run = [&](const std::string& seed, const std::string& stem) {
    std::vector<std::string> args{"run", "--seed",      seed, "-o",         stem + ".json",
                                  "-o",  stem + ".svg", "-o", stem + ".png"};
    args.insert(args.end(), settings.begin(), settings.end());
    CommandResult r = Run(args);
    EXPECT_EQ(r.status, 0) << r.err;
  };
  run("42", "a");
  run("42", "b");
  run("43", "c");
  for (const char* ext : {".json", ".svg", ".png"}) {
    EXPECT_TRUE(Read(std::string("a") + ext) == Read(std::string("b") + ext)) << ext;
    EXPECT_FALSE(Read(std::string("a") + ext) == Read(std::string("c") + ext)) << ext;
  }
}

TEST_F(Command, ScriptedDrawsDriveTheRunAndRunningOutSaysWhen) {
  CommandResult seeded = Run({"run", "--seed", "1", "--set", "jitterX=10", "-o", "seeded.json"});
  ASSERT_EQ(seeded.status, 0) << seeded.err;
  long draws = ReportedDraws(seeded.out);
  ASSERT_GT(draws, 2);
  std::string enough, fewer;
  for (long n = 0; n < draws; ++n) (n + 1 < draws ? fewer : enough) += "0.75\n";
  enough = fewer + "# the last one\n0.75\n";
  Write("enough.txt", enough);
  Write("fewer.txt", fewer);
  CommandResult a = Run({"run", "--draws", "enough.txt", "--set", "jitterX=10", "-o", "a.json"});
  CommandResult b = Run({"run", "--draws", "enough.txt", "--set", "jitterX=10", "-o", "b.json"});
  ASSERT_EQ(a.status, 0) << a.err;
  EXPECT_EQ(ReportedDraws(a.out), draws);
  EXPECT_TRUE(Read("a.json") == Read("b.json"));
  EXPECT_FALSE(Read("a.json") == Read("seeded.json"));
  CommandResult out = Run({"run", "--draws", "fewer.txt", "--set", "jitterX=10", "-o", "c.json"});
  EXPECT_EQ(out.status, 7);
  EXPECT_NE(out.err.find("ran out after " + std::to_string(draws - 1) + " draws"),
            std::string::npos)
      << out.err;
  EXPECT_FALSE(Exists("c.json"));
}

TEST_F(Command, DialogScriptSetsWhatTheUserChose) {
  Write("script.json", R"({"actions": [
    {"action": "press", "item": "Points"},
    {"action": "choose", "field": "pointMode", "entry": "Radial shift"},
    {"action": "set", "field": "jitterX", "value": 15},
    {"action": "press", "item": "Settings"},
    {"action": "check", "field": "randomBlend", "value": true},
    {"action": "accept"}]})");
  CommandResult r = Run({"run", "--seed", "3", "--dialog", "script.json", "--save-record",
                         "record.json", "-o", "out.json"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  nlohmann::json record = nlohmann::json::parse(Read("record.json"));
  EXPECT_EQ(record["pointMode"], 15);
  EXPECT_EQ(record["jitterX"], 15);
  EXPECT_EQ(record["randomBlend"], 1);
  EXPECT_EQ(record["page"], 5);

  // The saved record reproduces the run without the dialog.
  CommandResult again = Run({"run", "--seed", "3", "--record", "record.json", "-o", "again.json"});
  ASSERT_EQ(again.status, 0) << again.err;

  Write("cancel.json",
        R"([{"action": "set", "field": "channel1", "value": 50}, {"action": "cancel"}])");
  Write("in.json", quibtool::WriteDocumentJson(quibtool::SampleDocument()));
  CommandResult cancelled = Run({"run", "in.json", "--dialog", "cancel.json", "-o", "kept.json"});
  ASSERT_EQ(cancelled.status, 0) << cancelled.err;
  EXPECT_NE(cancelled.out.find("dialog cancelled, nothing changed"), std::string::npos);
  EXPECT_TRUE(Read("kept.json") == Read("in.json"));
}

TEST_F(Command, SettingsGoOnTopOfAPresetOnTheirOwnPages) {
  CommandResult r = Run({"run", "--preset", "Wave jitter", "--set", "randomBlend=1", "--set",
                         "jitterY=50", "--set", "scaleX=80", "--save-record", "r.json"});
  ASSERT_EQ(r.status, 0) << r.err;
  nlohmann::json record = nlohmann::json::parse(Read("r.json"));
  EXPECT_EQ(record["preset"], 5);
  EXPECT_EQ(record["tangentMode"], 11);  // from the preset
  EXPECT_EQ(record["jitterY"], 50);      // the preset's 100, typed over
  EXPECT_EQ(record["randomBlend"], 1);
  EXPECT_EQ(record["scaleX"], 80);
  EXPECT_EQ(record["page"], 1);  // the dialog is left on the page it opened on
}

TEST_F(Command, RecordRoundTripsAsJsonAndRawBytes) {
  ASSERT_EQ(Run({"run", "--preset", "7", "--save-record", "r.bin"}).status, 0);
  ASSERT_EQ(Run({"run", "--preset", "Color grid", "--save-record", "r.json"}).status, 0);
  EXPECT_EQ(Read("r.bin").size(), 196u);
  nlohmann::json record = nlohmann::json::parse(Read("r.json"));
  EXPECT_EQ(record["colorMode"], 19);
  EXPECT_EQ(record["colorOperation"], 3);
  EXPECT_EQ(record["preset"], 7);
  CommandResult fromJson = Run({"run", "--seed", "9", "--record", "r.json", "-o", "a.json"});
  CommandResult fromRaw = Run({"run", "--seed", "9", "--record", "r.bin", "-o", "b.json"});
  ASSERT_EQ(fromJson.status, 0) << fromJson.err;
  ASSERT_EQ(fromRaw.status, 0) << fromRaw.err;
  EXPECT_TRUE(Read("a.json") == Read("b.json"));
}

TEST_F(Command, BatchWritesEachInputsOutputsIntoTheFolder) {
  Write("one.json", quibtool::WriteDocumentJson(quibtool::SampleDocument()));
  Write("two.svg", ReadBytes(DataFile("inkscape-mesh.svg")));
  CommandResult r =
      Run({"run", "one.json", "two.svg", "--seed", "4", "--set", "jitterY=5", "--outdir", "out",
           "-o", ".svg", "-o", "{}-result.json", "--before", ".png"});
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* name : {"out/one.svg", "out/one-result.json", "out/one.before.png",
                           "out/two.svg", "out/two-result.json", "out/two.before.png"})
    EXPECT_TRUE(Exists(name)) << name;
  // On a terminal a batch shows one progress line, redrawn for each input.
  if (Shell({"sh", "-c", "command -v script"}).status == 0) {
    CommandResult tty = Shell(
        {"script", "-qec",
         std::string(QUIB_TOOL_PATH) + " run one.json two.svg --outdir tty -o .json", "/dev/null"});
    EXPECT_EQ(tty.status, 0) << tty.out;
    EXPECT_NE(tty.out.find("\r[1/2] one.json"), std::string::npos) << tty.out;
    EXPECT_NE(tty.out.find("\r[2/2] two.svg"), std::string::npos) << tty.out;
    EXPECT_NE(tty.out.find("2 inputs done, outputs in tty"), std::string::npos) << tty.out;
    EXPECT_EQ(tty.out.find("random draws"), std::string::npos) << tty.out;
  }
  EXPECT_EQ(r.out.find('\r'), std::string::npos);  // no progress line into a pipe
  CommandResult noDir = Run({"run", "one.json", "two.svg", "-o", "x.svg"});
  EXPECT_EQ(noDir.status, 1);
  EXPECT_NE(noDir.err.find("several inputs need --outdir"), std::string::npos);
}

struct BadInput {
  const char* name;
  std::vector<std::string> args;
  int status;
  const char* message;
};

TEST_F(Command, BadInputGetsOneLineNamingTheProblemAndWritesNothing) {
  Write("broken.json", "{\n  \"page\": {\"width\": 10,\n  \"height\" 10}\n}");
  Write("broken.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\">\n  <rect>\n</svg>");
  Write("plain.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\"><rect fill=\"red\"/></svg>");
  std::string sample = quibtool::WriteDocumentJson(quibtool::SampleDocument());
  Write("in.json", sample);
  std::string short_ = sample;
  short_.replace(short_.find("\"ni\": 12"), 8, "\"ni\": 13");
  Write("count.json", short_);
  std::string huge = sample;
  huge.replace(huge.find("\"width\": 480.0"), 14, "\"width\": 1e39");
  Write("huge.json", huge);
  Write("short.bin", std::string(100, '\0'));
  Write("badscript.json", R"([{"action": "wiggle"}])");
  Write("hidden.json", R"([{"action": "check", "field": "randomBlend", "value": 1}])");
  const BadInput cases[] = {
      {"missing file", {"run", "nope.json"}, 2, "cannot read nope.json: No such file"},
      {"a folder", {"run", "."}, 2, "cannot read .: it is a folder"},
      {"malformed JSON",
       {"run", "broken.json"},
       3,
       "broken.json: line 3, column 13: malformed JSON"},
      {"malformed XML", {"run", "broken.svg"}, 3, "broken.svg: line 3, column 3: malformed XML"},
      {"no mesh gradient",
       {"run", "plain.svg"},
       3,
       "plain.svg: no mesh gradient is used as a fill"},
      {"vertex count", {"run", "count.json"}, 3, "130 vertices, but 13 x 9 patches need 140"},
      {"non-finite number", {"run", "huge.json"}, 3, "page.width: the number is too large"},
      {"unknown field", {"run", "--set", "jiterX=3"}, 4, "unknown field \"jiterX\""},
      {"out of range",
       {"run", "--set", "jitterX=700"},
       4,
       "field jitterX: 700 is outside its range -600 to 600"},
      {"not a number", {"run", "--set", "angle=left"}, 4, "field angle: \"left\" is not a number"},
      {"unknown preset", {"run", "--preset", "Sunset"}, 4, "unknown preset \"Sunset\""},
      {"raw record size", {"run", "--record", "short.bin"}, 4, "a raw record is 196 bytes"},
      {"bad dialog action",
       {"run", "--dialog", "badscript.json"},
       4,
       "badscript.json: action 1: unknown action \"wiggle\""},
      {"hidden control",
       {"run", "--dialog", "hidden.json"},
       4,
       "the dialog could not do this: item 33 is hidden"},
      {"overwrite input",
       {"run", "in.json", "-o", "./in.json"},
       6,
       "refusing to overwrite the input"},
      {"output folder",
       {"run", "-o", "nowhere/out.png"},
       6,
       "cannot write nowhere/out.png: there is no folder nowhere"},
      {"output kind", {"run", "-o", "out.gif"}, 1, "the extension must be .json, .svg or .png"},
      {"missing module", {"run", "--module", "nowhere.so"}, 5, "cannot load the module nowhere.so"},
      {"unknown option", {"run", "--colour", "red"}, 1, "--colour"},
  };
  std::vector<std::string> before = Files();
  for (const BadInput& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"-o", "result.json", "--before", "before.png"});
    CommandResult r = Run(args);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    if (c.status != 1) {  // usage errors print the help hint too
      EXPECT_EQ(r.err.rfind("quibmesh: ", 0), 0u) << r.err;
      EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    EXPECT_EQ(Files(), before) << "an output was written";
  }
  EXPECT_TRUE(Read("in.json") == sample);
}

TEST_F(Command, ListsAndHelpAnswerEverywhere) {
  CommandResult presets = Run({"presets"});
  ASSERT_EQ(presets.status, 0);
  EXPECT_NE(presets.out.find(" 5  Wave jitter\n"), std::string::npos) << presets.out;
  EXPECT_NE(presets.out.find("22  Jitter reduce\n"), std::string::npos);
  CommandResult fields = Run({"fields"});
  ASSERT_EQ(fields.status, 0);
  EXPECT_NE(fields.out.find("jitterX                  20  float  0           -600 to 600 points"),
            std::string::npos)
      << fields.out;
  EXPECT_NE(fields.out.find("isolateNodeI            116  int32  -1"), std::string::npos);
  CommandResult info = Run({"info"});
  ASSERT_EQ(info.status, 0) << info.err;
  EXPECT_NE(info.out.find("filter: \"Quib_Mesh\" in \"Ovy <Paths>\" as \"Mesh...\""),
            std::string::npos)
      << info.out;
  EXPECT_NE(info.out.find("dialog 16100: \"Mesh Plug-in (Requires mesh to be pre-selected)\""),
            std::string::npos);
  for (const char* command : {"run", "dialog", "presets", "fields", "info"}) {
    CommandResult help = Run({command, "--help"});
    EXPECT_EQ(help.status, 0) << command;
    EXPECT_NE(help.out.find("--version"), std::string::npos) << command;
    CommandResult version = Run({command, "--version"});
    EXPECT_EQ(version.status, 0) << command;
    EXPECT_EQ(version.out.rfind("quibmesh ", 0), 0u) << command;
  }
  EXPECT_EQ(Run({}).status, 1);
}

TEST_F(Command, DialogPictureShowsTheChosenPage) {
  CommandResult r = Run({"dialog", "-o", "colors.png"});
  ASSERT_EQ(r.status, 0) << r.err;
  CommandResult points = Run({"dialog", "--page", "2", "-o", "points.png"});
  ASSERT_EQ(points.status, 0) << points.err;
  Picture colors = DecodePng(Read("colors.png")), second = DecodePng(Read("points.png"));
  ASSERT_EQ(colors.width, 1040);  // 520 dialog units at 2 pixels each
  EXPECT_NE(colors.rgb, second.rgb);
  EXPECT_EQ(Run({"dialog", "-o", "x.gif"}).status, 1);
}

}  // namespace
}  // namespace clitest
