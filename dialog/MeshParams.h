// The filter's parameter record, kept by the host between runs. Its 196-byte layout
// is fixed: records stored by earlier runs are read back field by field.
#pragma once

#include <cstddef>
#include <cstdint>

struct MeshParams {
  float interpolation;  // percent: 100 leaves moved points, 0 puts them on the target
  float channel1;       // colour-channel amounts
  float channel2;
  float channel3;
  float channel4;
  float jitterX;  // point-mode amounts, points
  float jitterY;
  float scaleX;  // per-object scale, percent
  float scaleY;
  float angle;       // per-object rotation, degrees
  float brightness;  // percent
  float moveX;       // per-object move, points
  float moveY;
  float colorNodeFactorI;  // percent, applied at every step of i
  float colorNodeFactorJ;
  float pointNodeFactorI;
  float pointNodeFactorJ;
  int32_t swapNode;
  int32_t wrap;
  int32_t randomColors;
  int32_t randomAngle;
  int32_t randomScale;
  int32_t interpolationTarget;  // 0..14
  int32_t preset;               // 0..22, read only by the dialog
  int32_t page;                 // 1..5
  int32_t colorMode;            // 0..29
  int32_t colorOperation;       // 0..6
  int32_t pointMode;            // 0..19
  int32_t tangentMode;          // 0..13
  int32_t isolateNodeI;         // -1 processes every i
  int32_t isolateNodeJ;
  int32_t randomOpacity;
  int32_t randomBlend;
  int32_t randomShift;
  int32_t randomApplyColor1;
  int32_t randomApplyColor2;
  int32_t randomApplyJitter1;
  int32_t randomApplyJitter2;
  int32_t randomColorCombo;
  int32_t randomJitterCombos;
  float viewZoom;  // percent
  int32_t preview;
  int32_t fromGo;        // 1 while the Go message runs the engine
  int32_t previewShown;  // 1 while the document holds this dialog's preview
  int32_t dialogLeft;
  int32_t dialogTop;
  int32_t dialogRight;
  int32_t dialogBottom;
  int32_t dialogBoundsValid;
};

static_assert(sizeof(MeshParams) == 196, "the kept record is 196 bytes");
static_assert(offsetof(MeshParams, interpolation) == 0, "record layout");
static_assert(offsetof(MeshParams, channel1) == 4, "record layout");
static_assert(offsetof(MeshParams, channel2) == 8, "record layout");
static_assert(offsetof(MeshParams, channel3) == 12, "record layout");
static_assert(offsetof(MeshParams, channel4) == 16, "record layout");
static_assert(offsetof(MeshParams, jitterX) == 20, "record layout");
static_assert(offsetof(MeshParams, jitterY) == 24, "record layout");
static_assert(offsetof(MeshParams, scaleX) == 28, "record layout");
static_assert(offsetof(MeshParams, scaleY) == 32, "record layout");
static_assert(offsetof(MeshParams, angle) == 36, "record layout");
static_assert(offsetof(MeshParams, brightness) == 40, "record layout");
static_assert(offsetof(MeshParams, moveX) == 44, "record layout");
static_assert(offsetof(MeshParams, moveY) == 48, "record layout");
static_assert(offsetof(MeshParams, colorNodeFactorI) == 52, "record layout");
static_assert(offsetof(MeshParams, colorNodeFactorJ) == 56, "record layout");
static_assert(offsetof(MeshParams, pointNodeFactorI) == 60, "record layout");
static_assert(offsetof(MeshParams, pointNodeFactorJ) == 64, "record layout");
static_assert(offsetof(MeshParams, swapNode) == 68, "record layout");
static_assert(offsetof(MeshParams, wrap) == 72, "record layout");
static_assert(offsetof(MeshParams, randomColors) == 76, "record layout");
static_assert(offsetof(MeshParams, randomAngle) == 80, "record layout");
static_assert(offsetof(MeshParams, randomScale) == 84, "record layout");
static_assert(offsetof(MeshParams, interpolationTarget) == 88, "record layout");
static_assert(offsetof(MeshParams, preset) == 92, "record layout");
static_assert(offsetof(MeshParams, page) == 96, "record layout");
static_assert(offsetof(MeshParams, colorMode) == 100, "record layout");
static_assert(offsetof(MeshParams, colorOperation) == 104, "record layout");
static_assert(offsetof(MeshParams, pointMode) == 108, "record layout");
static_assert(offsetof(MeshParams, tangentMode) == 112, "record layout");
static_assert(offsetof(MeshParams, isolateNodeI) == 116, "record layout");
static_assert(offsetof(MeshParams, isolateNodeJ) == 120, "record layout");
static_assert(offsetof(MeshParams, randomOpacity) == 124, "record layout");
static_assert(offsetof(MeshParams, randomBlend) == 128, "record layout");
static_assert(offsetof(MeshParams, randomShift) == 132, "record layout");
static_assert(offsetof(MeshParams, randomApplyColor1) == 136, "record layout");
static_assert(offsetof(MeshParams, randomApplyColor2) == 140, "record layout");
static_assert(offsetof(MeshParams, randomApplyJitter1) == 144, "record layout");
static_assert(offsetof(MeshParams, randomApplyJitter2) == 148, "record layout");
static_assert(offsetof(MeshParams, randomColorCombo) == 152, "record layout");
static_assert(offsetof(MeshParams, randomJitterCombos) == 156, "record layout");
static_assert(offsetof(MeshParams, viewZoom) == 160, "record layout");
static_assert(offsetof(MeshParams, preview) == 164, "record layout");
static_assert(offsetof(MeshParams, fromGo) == 168, "record layout");
static_assert(offsetof(MeshParams, previewShown) == 172, "record layout");
static_assert(offsetof(MeshParams, dialogLeft) == 176, "record layout");
static_assert(offsetof(MeshParams, dialogTop) == 180, "record layout");
static_assert(offsetof(MeshParams, dialogRight) == 184, "record layout");
static_assert(offsetof(MeshParams, dialogBottom) == 188, "record layout");
static_assert(offsetof(MeshParams, dialogBoundsValid) == 192, "record layout");

// Fills a newly created record with the first-use defaults.
void SetDefaultMeshParams(MeshParams* record);
