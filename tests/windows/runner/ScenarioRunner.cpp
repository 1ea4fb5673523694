// Runs named scenarios against a module file on the simulated host and prints what a
// host would observe as canonical text: result codes, the dialogs and alerts shown,
// breaches of the host contract, and the document's numbers. The same source is built
// natively and for Windows, so the two outputs can be compared line by line.
//
//   quib_scenarios MODULE SCENARIO...   (or "all")
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "simhost/DocumentBuilder.h"
#include "simhost/SimHost.h"

namespace {

using simhost::SimHost;

void Line(const std::string& text) { std::printf("%s\n", text.c_str()); }

// Reals with enough digits to tell every 32-bit value apart.
std::string Real(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", value);
  return text;
}

void Result(const char* what, HostErr code) {
  Line(std::string(what) + " -> " + std::to_string(code));
}

void PrintDialogs(const SimHost& host) {
  for (const simhost::DialogRecord& dialog : host.dialogs.Shown()) {
    Line("dialog \"" + dialog.name + "\" " + std::to_string(dialog.resourceId) + " \"" +
         dialog.caption + "\" closed by " + std::to_string(dialog.result));
    for (const simhost::ItemRecord& item : dialog.items) {
      Line("  item " + std::to_string(item.id) + " " + item.kind + " \"" + item.text + "\" " +
           Real(item.value) + (item.visible ? " visible" : " hidden") +
           (item.enabled ? "" : " disabled"));
    }
  }
}

void PrintDocument(const SimHost& host) {
  const simhost::Document& doc = host.document.doc;
  for (size_t n = 0; n < doc.art.size(); ++n) {
    const simhost::ArtObject& art = doc.art[n];
    Line("art " + std::to_string(n) + " type " + std::to_string(art.type) + " opacity " +
         Real(art.opacity) + " blend " + std::to_string(art.blendMode));
    for (const simhost::MeshVertex& v : art.mesh.vertices) {
      std::string line = "  v " + Real(v.anchor.h) + " " + Real(v.anchor.v) + " colour " +
                         std::to_string(v.color.kind);
      // A custom colour's first field is a reference, whose value differs between runs.
      for (int field = 0; field < 4; ++field) {
        bool reference = v.color.kind == kHostColorCustom && field == 0;
        line += " " + (reference ? std::string("ref") : Real(v.color.c[field].value));
      }
      for (const HostRealPoint& t : v.tangent) line += " t " + Real(t.h) + " " + Real(t.v);
      Line(line);
    }
  }
  Line("random draws " + std::to_string(host.document.random.Draws()));
}

void PrintParameters(const SimHost& host) {
  if (!host.HasParameters()) return Line("parameters none");
  std::string hex;
  for (uint8_t byte : host.ParameterBytes()) {
    char two[3];
    std::snprintf(two, sizeof two, "%02x", byte);
    hex += two;
  }
  Line("parameters " + hex);
}

// A 4 x 3 mesh of distinct greys, selected.
void BuildMesh(SimHost& host) {
  std::vector<float> grays;
  for (int n = 0; n < 20; ++n) grays.push_back(float(n) / 19.0f);
  simhost::MeshSpec(4, 3).Over({10, 310, 410, 10}).Grays(grays).Add(host.document.doc);
  host.document.random.Seed(20261211);
}

using Scenario = std::function<void(SimHost&)>;

const std::map<std::string, Scenario>& Scenarios() {
  static const std::map<std::string, Scenario> scenarios = {
      {"startup", [](SimHost& host) { Result("Startup", host.Startup()); }},
      {"about",
       [](SimHost& host) {
         Result("Startup", host.Startup());
         Result("About", host.Send(kCallerInterface, kSelectorAbout));
       }},
      {"menu-go",
       [](SimHost& host) {
         Result("Startup", host.Startup());
         Result("AI Menu/AI Go", host.Send(kCallerMenu, kSelectorGo));
         Result("AI Menu/AI Update", host.Send(kCallerMenu, kSelectorUpdate));
       }},
      {"unload-reload",
       [](SimHost& host) {
         Result("Startup", host.Startup());
         Result("Unload", host.UnloadModule());
         Line(std::string("globals kept ") + (host.KeptGlobals() != nullptr ? "yes" : "no"));
         Result("Reload", host.ReloadModule());
         Result("Unload", host.UnloadModule());
         Line(std::string("globals kept ") + (host.KeptGlobals() != nullptr ? "yes" : "no"));
         Result("Reload", host.ReloadModule());
         Result("About", host.Send(kCallerInterface, kSelectorAbout));
       }},
      {"dialog-ok-go",
       [](SimHost& host) {
         Result("Startup", host.Startup());
         BuildMesh(host);
         Result("AI Get Parameters", host.Send(kCallerFilter, kSelectorGetParameters));
         Result("AI Go", host.Send(kCallerFilter, kSelectorGo));
         PrintParameters(host);
         PrintDocument(host);
       }},
      {"dialog-preview-ok",
       [](SimHost& host) {
         Result("Startup", host.Startup());
         BuildMesh(host);
         namespace user = simhost::user;
         host.dialogs.QueueScript(
             "Quib_Mesh", {user::Press(81), user::Check(3, true), user::Press(80), user::Accept()});
         Result("AI Get Parameters", host.Send(kCallerFilter, kSelectorGetParameters));
         Result("AI Go", host.Send(kCallerFilter, kSelectorGo));
         PrintParameters(host);
         PrintDocument(host);
       }},
      {"dialog-cancel",
       [](SimHost& host) {
         Result("Startup", host.Startup());
         BuildMesh(host);
         namespace user = simhost::user;
         host.dialogs.QueueScript("Quib_Mesh",
                                  {user::Press(81), user::Check(3, true), user::Cancel()});
         Result("AI Get Parameters", host.Send(kCallerFilter, kSelectorGetParameters));
         PrintDocument(host);
       }},
  };
  return scenarios;
}

int RunScenario(const std::string& modulePath, const std::string& name, const Scenario& run) {
  Line("== " + name);
  SimHost host;
  std::string problem = host.LoadModule(modulePath);
  if (!problem.empty()) {
    std::fprintf(stderr, "quib_scenarios: cannot load the module: %s\n", problem.c_str());
    return 1;
  }
  run(host);
  Result("Shutdown", host.Shutdown());
  PrintDialogs(host);
  for (const std::string& alert : host.alerts) Line("alert \"" + alert + "\"");
  for (const simhost::Breach& breach : host.suites.Breaches()) {
    Line("breach " + breach.kind + ": " + breach.detail);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: quib_scenarios MODULE SCENARIO... (or all)\nscenarios:");
    for (const auto& entry : Scenarios()) std::fprintf(stderr, " %s", entry.first.c_str());
    std::fprintf(stderr, "\n");
    return 2;
  }
  std::vector<std::string> names(argv + 2, argv + argc);
  if (names == std::vector<std::string>{"all"}) {
    names.clear();
    for (const auto& entry : Scenarios()) names.push_back(entry.first);
  }
  for (const std::string& name : names) {
    auto found = Scenarios().find(name);
    if (found == Scenarios().end()) {
      std::fprintf(stderr, "quib_scenarios: no scenario named \"%s\"\n", name.c_str());
      return 2;
    }
    if (int failed = RunScenario(argv[1], name, found->second)) return failed;
  }
  return 0;
}
