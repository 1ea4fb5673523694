// One engine run (an "AI Go" through PluginMain on the simulated host) over a single
// mesh of n x n patches, reported in vertices per second; and, as the floor to compare
// against, a plain loop doing the same kind of per-vertex arithmetic over arrays.
//
//   bench_engine --benchmark_filter=Engine
//
// The run asks the host for the object's bounds once per visited vertex, so it stays
// linear only while the host keeps the bounds current incrementally: the per-vertex
// rate of 300 x 300 should be within about 1.2 x of 30 x 30.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "MeshParams.h"
#include "simhost/DocumentBuilder.h"
#include "simhost/SimHost.h"

namespace {

// Presets that move points and tangents.
MeshParams Preset(int which) {
  MeshParams p;
  std::memset(&p, 0, sizeof p);
  p.interpolation = 100;
  p.channel1 = 30;
  p.scaleX = p.scaleY = 100;
  p.brightness = 100;
  p.colorNodeFactorI = p.colorNodeFactorJ = p.pointNodeFactorI = p.pointNodeFactorJ = 100;
  p.isolateNodeI = p.isolateNodeJ = -1;
  p.jitterX = p.jitterY = 4;
  switch (which) {
    case 0:  // basic jitter of the anchors, colour tweak
      p.colorMode = 0;
      p.pointMode = 0;
      p.tangentMode = 0;
      break;
    case 1:  // radial shift of opposite tangents, averaged colours
      p.colorMode = 3;
      p.colorOperation = 2;
      p.pointMode = 15;
      p.tangentMode = 8;
      break;
    default:  // anchor and tangents about the fresh centre: two bounds queries a vertex
      p.colorMode = 11;
      p.colorOperation = 5;
      p.pointMode = 7;
      p.tangentMode = 13;
      p.interpolation = 90;
      break;
  }
  return p;
}

const char* kPresetNames[] = {"jitter", "tangents", "centre"};

std::string ModulePath() {
  const char* fromEnv = std::getenv("QUIB_MODULE");
  return fromEnv && *fromEnv ? fromEnv : QUIB_MODULE_PATH;
}

void BM_EngineRun(benchmark::State& state) {
  const int32_t n = int32_t(state.range(0));
  const MeshParams params = Preset(int(state.range(1)));
  simhost::SimHost host;
  if (std::string problem = host.LoadModule(ModulePath()); !problem.empty()) {
    state.SkipWithError(problem.c_str());
    return;
  }
  host.Startup();
  host.suites.SetTracing(false);
  simhost::MeshSpec(n, n)
      .Over({0, 792, 612, 0})
      .Color(simhost::Rgb(0.2f, 0.4f, 0.6f))
      .Add(host.document.doc);
  const simhost::Document original = host.document.doc;
  const uint8_t* raw = reinterpret_cast<const uint8_t*>(&params);
  const std::vector<uint8_t> record(raw, raw + sizeof params);
  for (auto _ : state) {
    state.PauseTiming();
    host.document.doc = original;
    host.SetParameterBytes(record);
    state.ResumeTiming();
    HostErr err = host.Send(kCallerFilter, kSelectorGo);
    if (err != kHostNoErr) {
      state.SkipWithError("the Go message failed");
      break;
    }
  }
  const int64_t vertices = int64_t(n + 1) * (n + 1);
  state.SetItemsProcessed(state.iterations() * vertices);
  state.counters["vertices"] = double(vertices);
  state.SetLabel(kPresetNames[state.range(1)]);
  host.Shutdown();
}

// The floor: colour tweak, basic jitter, move and interpolation of one anchor per vertex
// and the bounds of the moved points, over plain arrays with no host in between.
void BM_PlainLoop(benchmark::State& state) {
  const int32_t n = int32_t(state.range(0));
  const size_t count = size_t(n + 1) * size_t(n + 1);
  std::vector<float> x(count), y(count), grey(count, 0.5f);
  for (size_t k = 0; k < count; ++k) {
    x[k] = float(k % size_t(n + 1));
    y[k] = float(k / size_t(n + 1));
  }
  uint64_t seed = 1;
  auto draw = [&seed] {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    return float(uint32_t(seed >> 40)) * (1.0f / 16777216.0f);
  };
  for (auto _ : state) {
    float left = INFINITY, right = -INFINITY;
    for (size_t k = 0; k < count; ++k) {
      grey[k] = std::fmin(1.0f, std::fmax(0.0f, float(double(grey[k]) + 0.3)));
      double sx = draw() > 0.5 ? 1 : -1, dx = sx * draw() * 4;
      double sy = draw() > 0.5 ? 1 : -1, dy = sy * draw() * 4;
      const double cx = 306, cy = 396, t = 1;
      x[k] = float(cx + t * ((x[k] + dx) - cx));
      y[k] = float(cy + t * ((y[k] + dy) - cy));
      left = std::fmin(left, x[k]);
      right = std::fmax(right, x[k]);
    }
    benchmark::DoNotOptimize(left);
    benchmark::DoNotOptimize(right);
  }
  state.SetItemsProcessed(state.iterations() * int64_t(count));
}

void Sizes(benchmark::internal::Benchmark* b, bool presets) {
  for (int n : {10, 30, 100, 300}) {
    if (presets) {
      for (int preset = 0; preset < 3; ++preset) b->Args({n, preset});
    } else {
      b->Args({n});
    }
  }
}

BENCHMARK(BM_EngineRun)->Apply([](auto* b) { Sizes(b, true); }) -> Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainLoop)->Apply([](auto* b) { Sizes(b, false); }) -> Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
