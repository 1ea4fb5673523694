// The seven colour operations, brightness, wrap and clamp, for every colour kind.
#include <cmath>
#include <cstring>

#include "EngineStages.h"
#include "MeshParams.h"
#include "SuiteTable.h"

namespace {

struct Channel {
  WorkingChannel working;
  int field;     // the colour record field it lives in
  int previous;  // the previous colour field it accumulates from
  bool black;    // operations 3 and 4 scale black by a third
};

constexpr Channel kProcess[] = {
    {kCyan, 0, 0, false}, {kMagenta, 1, 1, false}, {kYellow, 2, 2, false}, {kBlack, 3, 3, true}};
constexpr Channel kRgb[] = {{kRed, 0, 0, false}, {kGreen, 1, 1, false}, {kBlue, 2, 2, false}};
constexpr Channel kGreyChannel[] = {{kGrey, 0, 0, false}};
constexpr Channel kTintChannel[] = {{kTint, 1, 1, false}};

struct Kind {
  const Channel* channels;
  int count;
};

Kind ChannelsOf(int32_t kind) {
  switch (kind) {
    case kHostColorProcess:
      return {kProcess, 4};
    case kHostColorRGB:
      return {kRgb, 3};
    case kHostColorGray:
      return {kGreyChannel, 1};
    case kHostColorCustom:
      return {kTintChannel, 1};
    default:
      return {nullptr, 0};  // pattern, gradient, none: passed through
  }
}

float Amount(WorkingChannel channel, const RunValues& run) {
  switch (channel) {
    case kCyan:
      return run.kC;
    case kMagenta:
      return run.kM;
    case kYellow:
      return run.kY;
    case kBlack:
      return run.kK;
    case kRed:
      return run.kR;
    case kGreen:
      return run.kG;
    case kBlue:
      return run.kB;
    case kGrey:
      return run.kGray;
    case kTint:
      return run.kTint;
  }
  return 0;
}

// A colour field read as a real, whatever it holds (a custom colour's reference too).
float FieldValue(const HostColorField& field) {
  float value;
  std::memcpy(&value, &field, sizeof value);
  return value;
}

// Operation 2 makes the colour channels of process and RGB colours their mean; black
// keeps its own value.
void Average(int32_t kind, WorkingChannels* w) {
  float* v = w->value;
  if (kind == kHostColorProcess) {
    float m = Single((double(v[kBlack]) + v[kYellow] + v[kMagenta] + v[kCyan]) * kThird);
    v[kCyan] = v[kMagenta] = v[kYellow] = m;
  } else if (kind == kHostColorRGB) {
    float m = Single((double(v[kBlue]) + v[kGreen] + v[kRed]) * kThird);
    v[kRed] = v[kGreen] = v[kBlue] = m;
  }
}

}  // namespace

float WrapChannel(float x) {
  if (x > 4) return Single(double(x) - 4);
  if (x > 3) return Single(double(x) - 3);
  if (x > 2) return Single(double(x) - 2);
  if (x > 1) return Single(double(x) - 1);
  if (x < -3) return Single(double(x) + 4);
  if (x < -2) return Single(double(x) + 3);
  if (x < -1) return Single(double(x) + 2);
  if (x < 0) return Single(double(x) + 1);
  return x;
}

float ClampChannel(float x) {
  if (!(x > 0)) return 0;  // 0 or below (-0 too), or not a number
  if (x > 1) return 1;
  return x;
}

void ApplyColorOperation(HostColor* color, float p, const MeshParams& record, const RunValues& run,
                         const HostColorField previous[4], WorkingChannels* working) {
  const Kind kind = ChannelsOf(color->kind);
  const int32_t operation = record.colorOperation;
  float* w = working->value;

  // 1. The channel operation, one working value per channel of the kind, in order.
  for (int n = 0; n < kind.count; ++n) {
    const Channel& ch = kind.channels[n];
    const double c = color->c[ch.field].value;
    const double k = Amount(ch.working, run);
    double f = p;
    if (record.randomColors && operation >= 0 && operation <= 6 && operation != 3 &&
        operation != 4) {
      f = double(sRandom->FloatRnd()) * p;
    }
    switch (operation) {
      case 0:  // Color tweak
      case 2:  // Average (the mean follows below)
        w[ch.working] = Single(c + f * k);
        break;
      case 1:  // Reverse
        w[ch.working] = Single(f * k - c);
        break;
      case 3: {  // Total random
        double r = sRandom->FloatRnd();
        w[ch.working] = Single(ch.black ? r * p * kThird : r * p);
        break;
      }
      case 4: {  // Random swap
        double r = sRandom->FloatRnd();
        w[ch.working] = Single(ch.black ? 1 - r * p * kThird : 1 - r * p);
        break;
      }
      case 5:  // Accumulate
        w[ch.working] = Single(double(FieldValue(previous[ch.previous])) + f * k);
        break;
      case 6:  // Ignore original
        w[ch.working] = Single(f * k);
        break;
      default:  // no such operation: the working values stay as they were
        break;
    }
  }
  if (operation == 2) Average(color->kind, working);

  // 2. Brightness scales all nine working values, whatever the kind.
  for (float& value : working->value) value = Single(double(value) * run.brightness);

  // 3 and 4. Wrap when asked, clamp, and store the channels of the kind.
  for (int n = 0; n < kind.count; ++n) {
    const Channel& ch = kind.channels[n];
    float x = w[ch.working];
    if (record.wrap) x = WrapChannel(x);
    color->c[ch.field].value = ClampChannel(x);
  }
}
