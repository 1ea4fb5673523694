// The filter menu's suites: Filter (registration) and Menu (automatic update rules).
#include <string>

#include "simhost/SimHost.h"

namespace simhost {

namespace {

std::string FromPString(const unsigned char* text) {
  return std::string(reinterpret_cast<const char*>(text + 1), text[0]);
}

HostErr HOSTAPI AddFilter(HostPluginRef plugin, const char* name, const unsigned char* category,
                          const unsigned char* title, int32_t options, HostFilterRef* filter) {
  SIM_ENTER(kHostFilterSuiteName, "AddFilter");
  SimHost& host = Host();
  if (!host.ModuleLoaded() || plugin != host.PluginRef()) {
    host.suites.RecordBreach("unknown plug-in reference", "AddFilter");
    return kHostBadParameterErr;
  }
  if (name == nullptr || category == nullptr || title == nullptr || filter == nullptr) {
    host.suites.RecordBreach("null argument", "AddFilter");
    return kHostBadParameterErr;
  }
  // Filter names are unique across the host.
  if (host.filters.Find(name) != nullptr) return kHostBadParameterErr;
  RegisteredFilter added;
  added.plugin = plugin;
  added.name = name;
  added.category = FromPString(category);
  added.title = FromPString(title);
  added.options = options;
  host.filters.filters.push_back(added);
  *filter = host.filters.HandleOf(host.filters.filters.back());
  return kHostNoErr;
}

HostErr HOSTAPI GetFilterMenuItem(HostFilterRef filter, HostMenuItemRef* item) {
  SIM_ENTER(kHostFilterSuiteName, "GetFilterMenuItem");
  RegisteredFilter* found = Host().filters.FromHandle(filter);
  if (found == nullptr || item == nullptr) {
    Host().suites.RecordBreach("unknown filter handle", "GetFilterMenuItem");
    return kHostBadParameterErr;
  }
  *item = Host().filters.MenuItemOf(*found);
  return kHostNoErr;
}

const HostFilterSuite kFilterSuite = {AddFilter, GetFilterMenuItem};

HostErr HOSTAPI UpdateMenuItemAutomatically(HostMenuItemRef item, int32_t action,
                                            int32_t artworkKinds, int32_t notArtworkKinds,
                                            int32_t selectedKinds, int32_t notSelectedKinds,
                                            int32_t conditions, int32_t notConditions) {
  SIM_ENTER(kHostMenuSuiteName, "UpdateMenuItemAutomatically");
  RegisteredFilter* found = Host().filters.FromMenuItem(item);
  if (found == nullptr) {
    Host().suites.RecordBreach("unknown menu item", "UpdateMenuItemAutomatically");
    return kHostBadParameterErr;
  }
  found->rule = MenuRule{true,          action,           artworkKinds, notArtworkKinds,
                         selectedKinds, notSelectedKinds, conditions,   notConditions};
  return kHostNoErr;
}

const HostMenuSuite kMenuSuite = {UpdateMenuItemAutomatically};

}  // namespace

void PublishFilterSuites(SuiteRegistry& registry) {
  registry.Publish(kHostFilterSuiteName, kHostFilterSuiteVersion, &kFilterSuite);
  registry.Publish(kHostMenuSuiteName, kHostMenuSuiteVersion, &kMenuSuite);
}

}  // namespace simhost
