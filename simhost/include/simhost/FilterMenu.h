// The host's filter menu: filters the module registered and their menu rules.
#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "HostSuites.h"
#include "simhost/Document.h"

namespace simhost {

// How the host updates a menu item by itself (action 1: enabled while the flagged
// conditions hold).
struct MenuRule {
  bool set = false;
  int32_t action = 0;
  int32_t artworkKinds = 0, notArtworkKinds = 0;
  int32_t selectedKinds = 0, notSelectedKinds = 0;
  int32_t conditions = 0, notConditions = 0;
};

struct RegisteredFilter {
  HostPluginRef plugin = nullptr;
  std::string name;
  std::string category;  // submenu
  std::string title;     // menu entry
  int32_t options = 0;
  MenuRule rule;
};

class FilterMenu {
 public:
  // In registration order; the records never move, their addresses are the handles.
  std::deque<RegisteredFilter> filters;

  const RegisteredFilter* Find(const std::string& name) const;
  RegisteredFilter* FromHandle(HostFilterRef handle);
  RegisteredFilter* FromMenuItem(HostMenuItemRef item);
  HostFilterRef HandleOf(const RegisteredFilter& filter) const;
  HostMenuItemRef MenuItemOf(const RegisteredFilter& filter) const;

  // Whether the host shows the filter's entry enabled over this document. The rule's
  // kind words are checked against the art in it; its condition words are not modelled.
  static bool Enabled(const RegisteredFilter& filter, const Document& document);
  // The menu as a user sees it: one "category > title" line per filter.
  std::string Listing() const;
};

// The object-kind flag of an art type in menu rules (mesh: bit 22; 0 for kinds the
// host does not flag).
int32_t MenuKindOf(int16_t artType);

}  // namespace simhost
