// quibmesh: the mesh filter on real files. Each command drives the module through the
// simulated host as the drawing host would, and reads and writes JSON documents, SVG
// mesh gradients and PNG pictures.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <set>

#include "DialogPicture.h"
#include "DocumentJson.h"
#include "FileIO.h"
#include "FilterRun.h"
#include "RecordFields.h"
#include "Render.h"
#include "Sample.h"
#include "SvgMesh.h"
#include "ToolError.h"
#include "simhost/SimHost.h"

namespace fs = std::filesystem;
using namespace quibtool;

namespace {

constexpr const char* kVersionText = "quibmesh " QUIB_VERSION;

// A document as read from a file (or the sample), with the SVG it came from.
struct Input {
  std::string path;  // empty for the built-in sample
  std::string name;  // the file's stem, for batch outputs
  SvgDocument document;
};

Input ReadInput(const std::string& path) {
  Input input;
  input.path = path;
  if (path.empty()) {
    input.name = "sample";
    input.document.doc = SampleDocument();
    return input;
  }
  input.name = fs::path(path).stem().string();
  std::string text = ReadFileText(path);
  std::string ext = Extension(path);
  size_t first = text.find_first_not_of(" \t\r\n");
  bool svg = ext == "svg" || (ext != "json" && first != std::string::npos && text[first] == '<');
  if (svg)
    input.document = ReadSvg(text, path);
  else
    input.document.doc = ReadDocumentJson(text, path);
  return input;
}

struct PictureOptions {
  double dpi = 0;
  int width = 0;
  RenderOptions For(const simhost::Document& doc) const {
    RenderOptions options;
    if (width > 0)
      options.scale = double(width) / doc.width;
    else if (dpi > 0)
      options.scale = dpi / 72;
    return options;
  }
};

std::string Encode(const std::string& path, const simhost::Document& doc, const SvgSource* source,
                   const PictureOptions& picture) {
  std::string ext = Extension(path);
  if (ext == "json") return WriteDocumentJson(doc);
  if (ext == "svg") return WriteSvg(doc, source);
  if (ext == "png") return RenderPng(doc, picture.For(doc));
  throw ToolError(kExitUsage,
                  "cannot write " + path + ": the extension must be .json, .svg or .png");
}

void CheckOutputName(const std::string& path) {
  std::string ext = Extension(path);
  if (ext != "json" && ext != "svg" && ext != "png")
    throw ToolError(kExitUsage,
                    "cannot write " + path + ": the extension must be .json, .svg or .png");
}

// Where one output of one input goes. In a batch an output is ".ext" (DIR/NAME.ext) or a
// name with "{}" standing for the input's name.
std::string OutputPath(const std::string& pattern, const std::string& outdir, const Input& input,
                       const char* suffix) {
  if (outdir.empty()) return pattern;
  std::string name;
  if (!pattern.empty() && pattern[0] == '.') {
    name = input.name + suffix + pattern;
  } else if (size_t at = pattern.find("{}"); at != std::string::npos) {
    name = pattern;
    name.replace(at, 2, input.name);
  } else {
    throw ToolError(kExitUsage,
                    "with --outdir an output is an extension such as .png or a name "
                    "with {} for the input's name, not \"" +
                        pattern + "\"");
  }
  return (fs::path(outdir) / name).string();
}

std::string FindModule(const std::string& given) {
  if (!given.empty()) return given;
  if (const char* env = std::getenv("QUIB_MODULE"); env && *env) return env;
  std::error_code ec;
  fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    for (const char* name : {"QuibMesh.so", "../QuibMesh.so"}) {
      fs::path beside = self.parent_path() / name;
      if (fs::exists(beside, ec)) return beside.string();
    }
  }
  return QUIB_DEFAULT_MODULE;
}

// Options shared by the commands that run the module.
struct SettingOptions {
  std::string record;
  std::string preset;
  std::vector<std::string> sets;
  std::string dialog;
  std::optional<uint64_t> seed;
  std::string draws;
  std::string module;

  void Add(CLI::App* app, bool withRandom) {
    app->add_option("--record", record, "start from a saved record (JSON, or the raw 196 bytes)");
    app->add_option("--preset", preset, "choose a preset in the dialog, by name or number");
    app->add_option("--set", sets, "FIELD=VALUE: give a setting by its record name (repeatable)");
    app->add_option("--dialog", dialog, "play a JSON script of user actions in the dialog");
    if (withRandom) {
      app->add_option("--seed", seed, "seed of the host's random numbers");
      app->add_option("--draws", draws, "scripted random draws, one number per line");
    }
    app->add_option("--module", module, "the module file (default: the one built with the tool)");
  }

  RunSettings Read(OutputGuard& guard) const {
    RunSettings settings;
    if (!record.empty()) {
      guard.ProtectInput(record);
      settings.record = ReadRecord(ReadFileText(record), record);
    }
    if (!preset.empty()) {
      settings.preset = FindPreset(preset);
      if (!settings.preset)
        throw ToolError(kExitBadSettings,
                        "unknown preset \"" + preset + "\" (see quibmesh presets)");
    }
    for (const std::string& set : sets) {
      size_t equals = set.find('=');
      if (equals == std::string::npos)
        throw ToolError(kExitBadSettings, "--set " + set + ": expected FIELD=VALUE");
      std::string name = set.substr(0, equals);
      const RecordField* field = FindField(name);
      if (!field)
        throw ToolError(kExitBadSettings, "unknown field \"" + name + "\" (see quibmesh fields)");
      settings.sets.push_back({field, ParseFieldValue(*field, set.substr(equals + 1))});
    }
    if (!dialog.empty()) {
      guard.ProtectInput(dialog);
      settings.dialogActions = ReadDialogScript(ReadFileText(dialog), dialog);
    }
    settings.useDialog = settings.preset.has_value() || !dialog.empty();
    settings.seed = seed;
    if (!draws.empty()) {
      guard.ProtectInput(draws);
      settings.draws = ReadDraws(ReadFileText(draws), draws);
    }
    return settings;
  }
};

void Warn(const std::vector<std::string>& warnings) {
  for (const std::string& warning : warnings) std::cerr << "quibmesh: warning: " << warning << "\n";
}

struct RunCommand {
  std::vector<std::string> inputs;
  std::vector<std::string> outputs;
  std::string before;
  std::string outdir;
  std::string saveRecord;
  PictureOptions picture;
  SettingOptions settings;
  bool quiet = false;

  int Execute() {
    OutputGuard guard;
    for (const std::string& input : inputs) guard.ProtectInput(input);
    RunSettings run = settings.Read(guard);
    if (inputs.size() > 1 && outdir.empty() && (!outputs.empty() || !before.empty()))
      throw ToolError(kExitUsage, "several inputs need --outdir for their outputs");
    std::vector<std::string> sources = inputs.empty() ? std::vector<std::string>{""} : inputs;
    std::string modulePath = FindModule(settings.module);
    if (!outdir.empty()) {
      std::error_code ec;
      fs::create_directories(outdir, ec);
      if (ec)
        throw ToolError(kExitOutput, "cannot make the folder " + outdir + ": " + ec.message());
    }
    // Every output name is checked before any file is read or written.
    std::set<std::string> planned;
    for (const std::string& source : sources) {
      Input named;
      named.name = source.empty() ? "sample" : fs::path(source).stem().string();
      auto plan = [&](const std::string& pattern, const char* suffix) {
        std::string path = OutputPath(pattern, outdir, named, suffix);
        CheckOutputName(path);
        guard.CheckNotInput(path);
        if (!planned.insert(fs::weakly_canonical(path).string()).second)
          throw ToolError(kExitUsage, "two outputs would be written to " + path);
      };
      for (const std::string& output : outputs) plan(output, "");
      if (!before.empty()) {
        plan(before, ".before");
        if (Extension(OutputPath(before, outdir, named, ".before")) != "png")
          throw ToolError(kExitUsage, "--before writes a picture: give a .png name");
      }
    }
    if (!saveRecord.empty()) guard.CheckNotInput(saveRecord);

    bool progress = sources.size() > 1 && isatty(STDERR_FILENO) && !quiet;
    RecordBytes lastRecord;
    for (size_t n = 0; n < sources.size(); ++n) {
      if (progress)
        std::cerr << "\r[" << n + 1 << "/" << sources.size() << "] "
                  << (sources[n].empty() ? "sample" : sources[n]) << "\033[K" << std::flush;
      Input input = ReadInput(sources[n]);
      RunOutcome outcome;
      {
        simhost::SimHost host;
        LoadModuleOrThrow(host, modulePath);
        outcome = RunFilter(host, input.document.doc, run);
      }
      Warn(outcome.warnings);
      // Outputs are written only once the run succeeded.
      if (!before.empty())
        guard.Write(OutputPath(before, outdir, input, ".before"),
                    RenderPng(input.document.doc, picture.For(input.document.doc)));
      for (const std::string& output : outputs) {
        std::string path = OutputPath(output, outdir, input, "");
        guard.Write(path, Encode(path, outcome.doc, input.document.source.get(), picture));
      }
      lastRecord = outcome.record;
      if (!quiet && !progress) {
        size_t meshes = 0;
        for (const simhost::ArtObject& art : outcome.doc.art)
          meshes += art.type == kHostArtTypeMesh && art.selected;
        std::cout << (input.path.empty() ? "sample" : input.path) << ": "
                  << (outcome.cancelled ? "dialog cancelled, nothing changed"
                                        : std::to_string(meshes) + " selected mesh" +
                                              (meshes == 1 ? "" : "es") + " filtered")
                  << ", " << outcome.draws << " random draws\n";
      }
    }
    if (progress)
      std::cerr << "\r" << sources.size() << " inputs done"
                << (outdir.empty() ? "" : ", outputs in " + outdir) << "\033[K\n";
    if (!saveRecord.empty()) {
      std::string ext = Extension(saveRecord);
      guard.Write(saveRecord, ext == "json" ? RecordJson(lastRecord)
                                            : std::string(lastRecord.begin(), lastRecord.end()));
    }
    return kExitOk;
  }
};

struct DialogCommand {
  std::string input;
  std::string output;
  int page = 0;
  double scale = 2;
  SettingOptions settings;

  int Execute() {
    OutputGuard guard;
    if (!input.empty()) guard.ProtectInput(input);
    if (Extension(output) != "png") throw ToolError(kExitUsage, "-o takes a .png picture name");
    guard.CheckNotInput(output);
    RunSettings run = settings.Read(guard);
    run.useDialog = true;
    if (page != 0) run.dialogActions.push_back(simhost::user::Press(130 + page - 1));
    Input document = ReadInput(input);
    simhost::SimHost host;
    LoadModuleOrThrow(host, FindModule(settings.module));
    RunOutcome outcome = RunFilter(host, document.document.doc, run);
    Warn(outcome.warnings);
    const simhost::DialogRecord* dialog = host.dialogs.LastShown("Quib_Mesh");
    if (!dialog) throw ToolError(kExitModule, "the module showed no parameter dialog");
    guard.Write(output, RenderDialogPng(*dialog, scale));
    return kExitOk;
  }
};

int Presets() {
  const PopupList& presets = PresetList();
  for (size_t n = 0; n < presets.entries.size(); ++n)
    std::printf("%2zu  %s\n", n, presets.entries[n] + 1);
  return kExitOk;
}

int Fields() {
  std::printf("%-20s %6s  %-5s  %-10s  %-24s  %s\n", "field", "offset", "type", "default", "range",
              "control");
  for (const RecordField& field : RecordFields()) {
    std::string def = field.hasDefault ? FormatFieldValue(field, field.defaultValue) : "none";
    std::string range = field.group == FieldGroup::kDialogState && field.control == 0 &&
                                field.type == FieldType::kInt32
                            ? "dialog coordinates"
                            : FormatFieldValue(field, field.minimum) + " to " +
                                  FormatFieldValue(field, field.maximum);
    if (*field.unit) range += std::string(" ") + field.unit;
    std::string control = field.control ? "item " + std::to_string(field.control)
                          : field.group == FieldGroup::kRunState ? "run state"
                                                                 : "dialog state";
    std::printf("%-20s %6u  %-5s  %-10s  %-24s  %s\n", field.name, field.offset,
                FieldTypeName(field.type), def.c_str(), range.c_str(), control.c_str());
  }
  return kExitOk;
}

int Info(const std::string& given) {
  std::string path = FindModule(given);
  simhost::SimHost host;
  LoadModuleOrThrow(host, path);
  const simhost::PiPLInfo& pipl = host.module.pipl;
  std::cout << "module: " << path << "\n";
  std::cout << "PiPL: kind " << pipl.kind << ", interface version " << pipl.interfaceVersion
            << ", entry point " << pipl.entryPoint << "\n";
  for (const std::string& property : pipl.properties)
    std::cout << "  property " << property << "\n";
  HostErr started = host.Startup();
  if (const simhost::RegisteredFilter* filter = host.ModuleFilter())
    std::cout << "filter: \"" << filter->name << "\" in \"" << filter->category << "\" as \""
              << filter->title << "\""
              << (filter->rule.set ? ", enabled while a mesh is selected" : "") << "\n";
  else
    std::cout << "filter: none registered (Startup answered " << started << ")\n";
  host.Shutdown();
  const simhost::ModuleResources& res = host.module.resources;
  std::cout << "resources:\n";
  for (const auto& [id, dialog] : res.dialogs)
    std::cout << "  dialog " << id << ": \"" << dialog.caption << "\", " << dialog.width << " x "
              << dialog.height << " units, " << dialog.items.size() << " items\n";
  for (const auto& [type, byId] : res.custom)
    for (const auto& [id, bytes] : byId)
      std::cout << "  " << type << " " << id << ": " << bytes.size() << " bytes\n";
  for (const auto& [id, text] : res.strings)
    std::cout << "  string " << id << ": \"" << text << "\"\n";
  if (res.hasVersion) {
    const uint16_t* v = res.version.fileVersion;
    std::cout << "  version " << v[0] << "." << v[1] << "." << v[2] << "." << v[3] << "\n";
    for (const auto& [block, entries] : res.version.strings)
      for (const auto& [key, value] : entries)
        std::cout << "    " << block << " " << key << ": " << value << "\n";
  }
  return kExitOk;
}

void AddVersion(CLI::App* app) {
  app->add_flag_callback(
      "--version",
      [] {
        std::cout << kVersionText << "\n";
        throw CLI::Success();
      },
      "print the version and exit");
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app("quibmesh: the Quib Mesh filter on JSON and SVG mesh documents, with pictures");
  app.require_subcommand(1);
  AddVersion(&app);

  RunCommand run;
  CLI::App* runApp = app.add_subcommand("run", "run the filter on documents (none: the sample)");
  runApp->add_option("INPUT", run.inputs, "JSON or SVG documents");
  runApp->add_option("-o,--output", run.outputs,
                     "write the result: .json, .svg or .png (repeatable)");
  runApp->add_option("--before", run.before, "write a picture of the input (.png)");
  runApp->add_option("--outdir", run.outdir, "folder for the outputs of each input");
  runApp->add_option("--save-record", run.saveRecord,
                     "save the record after the run (.json or raw)");
  runApp->add_option("--dpi", run.picture.dpi, "picture resolution (default 72)");
  runApp->add_option("--width", run.picture.width, "picture width in pixels");
  runApp->add_flag("-q,--quiet", run.quiet, "print nothing but errors");
  run.settings.Add(runApp, true);
  AddVersion(runApp);

  DialogCommand dialog;
  CLI::App* dialogApp =
      app.add_subcommand("dialog", "draw the parameter dialog as the user sees it");
  dialogApp->add_option("INPUT", dialog.input,
                        "document the dialog works on (default: the sample)");
  dialogApp->add_option("-o,--output", dialog.output, "the picture (.png)")->required();
  dialogApp->add_option("--page", dialog.page, "page to show: 1 Colors ... 5 Settings")
      ->check(CLI::Range(1, 5));
  dialogApp->add_option("--scale", dialog.scale, "pixels per dialog unit (default 2)")
      ->check(CLI::Range(0.5, 8.0));
  dialog.settings.Add(dialogApp, true);
  AddVersion(dialogApp);

  CLI::App* presetsApp = app.add_subcommand("presets", "list the presets");
  AddVersion(presetsApp);
  CLI::App* fieldsApp = app.add_subcommand("fields", "list the record's fields");
  AddVersion(fieldsApp);
  std::string infoModule;
  CLI::App* infoApp = app.add_subcommand("info", "show a module's PiPL, filter and resources");
  infoApp->add_option("MODULE", infoModule, "module file (default: the one built with the tool)");
  AddVersion(infoApp);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {  // also --help and --version

    int status = app.exit(error);
    return status == 0 ? kExitOk : kExitUsage;
  }
  try {
    if (runApp->parsed()) return run.Execute();
    if (dialogApp->parsed()) return dialog.Execute();
    if (presetsApp->parsed()) return Presets();
    if (fieldsApp->parsed()) return Fields();
    if (infoApp->parsed()) return Info(infoModule);
  } catch (const ToolError& error) {
    std::cerr << "quibmesh: " << error.what() << "\n";
    return error.status();
  }
  return kExitUsage;
}
