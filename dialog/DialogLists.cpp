// The six popup lists: their texts, each beginning with one blank, and the entry
// identifiers that equal their positions.
#include <iterator>

#include "MeshDialog.h"
#include "SuiteTable.h"

namespace {

const char* const kPresets[] = {
    " Reset",
    " Horizontal lines",
    " Vertical lines",
    " Minor jitter to center",
    " Straight interpolation to center",
    " Wave jitter",
    " Randomized color",
    " Color grid",
    " Pulsed",
    " Rotated",
    " Invert",
    " Zoom",
    " Seawaves",
    " Starfighter",
    " Gradient1",
    " Pieces",
    " Block1",
    " Block2",
    " Beams",
    " Random color mode",
    " Random jitter mode",
    " Random jitter mode 1",
    " Jitter reduce",
};

const char* const kColorModes[] = {
    " All points modified",
    " Horizontal lines",
    " Vertical lines",
    " Dotty",
    " Grid",
    " Horizontal influenced",
    " Vertical influenced",
    " On boundary",
    " Not on boundary",
    " Line",
    " Diagonals",
    " Inner",
    " Flow",
    " Random jitter",
    " Cylinder",
    " Vertical 2",
    " Combo",
    " Line 2",
    " Line 3",
    " Grid 2",
    " Grid 3",
    " Grad 1",
    " Grad 2",
    " Grad 3",
    " Grad 4",
    " Grad 5",
    " Grad 6",
    " Grad 7",
    " Double patch",
    " Cross",
};

const char* const kColorOperations[] = {
    " Color tweak", " Reverse",    " Average",         " Total random",
    " Random swap", " Accumulate", " Ignore original",
};

const char* const kPointModes[] = {
    " Basic jitter",
    " Jitter in one direction",
    " Jitter / alternate column",
    " Alternate column jitter",
    " Alternate row jitter",
    " Alternate column shift",
    " Alternate row shift",
    " Shift based on color",
    " Jitter based on color",
    " Shift based on nodes",
    " Jitter based on nodes",
    " Shift",
    " Shift grid",
    " Shift separate column",
    " Shift separate row",
    " Radial shift",
    " Zoom shift",
    " Increasing",
    " Burst",
    " Accumulate",
};

const char* const kTangentModes[] = {
    " Shift/jitter pattern",
    " Pattern 1",
    " Pattern 2",
    " Pattern 3",
    " Pattern 4",
    " Pattern 5",
    " Pattern 6",
    " Pattern 7",
    " Pattern 8",
    " Pattern 9",
    " Pattern 10",
    " Pattern 11",
    " Pattern 12",
    " Pattern 13",
};

const char* const kTargets[] = {
    " Interpolation: Mesh center",
    " 100, 100",
    " 0, 0",
    " Document center",
    " Random horizontal",
    " Random vertical",
    " Single random for all",
    " All mesh points random",
    " Mesh bottom",
    " Mesh top",
    " Mesh left",
    " Mesh right",
    " Accumulate 1",
    " Accumulate 2",
    " Accumulate 3",
};

struct ListTexts {
  int32_t id;
  const char* const* texts;
  int32_t count;
};

const ListTexts kLists[] = {
    {kItemPresetList, kPresets, int32_t(std::size(kPresets))},
    {kItemColorModeList, kColorModes, int32_t(std::size(kColorModes))},
    {kItemColorOperationList, kColorOperations, int32_t(std::size(kColorOperations))},
    {kItemPointModeList, kPointModes, int32_t(std::size(kPointModes))},
    {kItemTangentModeList, kTangentModes, int32_t(std::size(kTangentModes))},
    {kItemTargetList, kTargets, int32_t(std::size(kTargets))},
};

}  // namespace

void FillList(DlgItemRef item, int32_t listId) {
  DlgListRef list = sItem->GetList(item);
  for (const ListTexts& texts : kLists) {
    if (texts.id != listId) continue;
    for (int32_t n = 0; n < texts.count; ++n) {
      DlgEntryRef entry = sList->InsertEntry(list, n);
      sEntry->SetText(entry, texts.texts[n]);
      sEntry->SetID(entry, n);
    }
  }
}

void ShowListValue(DlgItemRef item, int32_t index) {
  DlgEntryRef entry = sList->IndexEntry(sItem->GetList(item), index);
  // A kept value outside the list selects nothing rather than a wrong entry.
  if (entry != nullptr) sEntry->Select(entry, 1);
}
