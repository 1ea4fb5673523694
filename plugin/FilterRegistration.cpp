#include "FilterRegistration.h"

#include "PluginGlobals.h"
#include "SuiteTable.h"
#include "TextConversion.h"

HostErr RegisterFilter(PluginMessage* message) {
  // The list holds pairs from entry 1 on; only the first pair is registered.
  for (int16_t index = 1; index < 2; index = static_cast<int16_t>(index + 2)) {
    char category[65] = {};
    char title[65] = {};
    HostErr error = sDlgBasic->GetIndexString(message->plugin, kFilterStringList, index, category,
                                              sizeof category);
    if (error != kHostNoErr) return error;
    if (category[0] == 0) return kHostNoErr;
    error = sDlgBasic->GetIndexString(message->plugin, kFilterStringList, index + 1, title,
                                      sizeof title);
    if (error != kHostNoErr) return error;
    CStringToPString(category);
    CStringToPString(title);

    error = sFilter->AddFilter(
        message->plugin, kFilterName, reinterpret_cast<const unsigned char*>(category),
        reinterpret_cast<const unsigned char*>(title), 0, &gGlobals->filterHandle);
    if (error != kHostNoErr) return error;
    HostMenuItemRef menuItem = nullptr;
    error = sFilter->GetFilterMenuItem(gGlobals->filterHandle, &menuItem);
    if (error != kHostNoErr) return error;
    // Enabled only while a gradient mesh is among the selected art.
    error = sMenu->UpdateMenuItemAutomatically(menuItem, kHostMenuActionEnable, 0, 0,
                                               kHostMenuMeshArtKind, 0, 0, 0);
    if (error != kHostNoErr) return error;
  }
  return kHostNoErr;
}
