#include "simhost/FilterMenu.h"

namespace simhost {

int32_t MenuKindOf(int16_t artType) {
  return artType == kHostArtTypeMesh ? kHostMenuMeshArtKind : 0;
}

const RegisteredFilter* FilterMenu::Find(const std::string& name) const {
  for (const RegisteredFilter& filter : filters) {
    if (filter.name == name) return &filter;
  }
  return nullptr;
}

RegisteredFilter* FilterMenu::FromHandle(HostFilterRef handle) {
  for (RegisteredFilter& filter : filters) {
    if (HandleOf(filter) == handle) return &filter;
  }
  return nullptr;
}

RegisteredFilter* FilterMenu::FromMenuItem(HostMenuItemRef item) {
  for (RegisteredFilter& filter : filters) {
    if (MenuItemOf(filter) == item) return &filter;
  }
  return nullptr;
}

HostFilterRef FilterMenu::HandleOf(const RegisteredFilter& filter) const {
  return reinterpret_cast<HostFilterRef>(const_cast<RegisteredFilter*>(&filter));
}

// The menu item is a reference of its own, distinct from the filter handle.
HostMenuItemRef FilterMenu::MenuItemOf(const RegisteredFilter& filter) const {
  return reinterpret_cast<HostMenuItemRef>(const_cast<MenuRule*>(&filter.rule));
}

bool FilterMenu::Enabled(const RegisteredFilter& filter, const Document& document) {
  const MenuRule& rule = filter.rule;
  if (!rule.set || rule.action != kHostMenuActionEnable) return true;
  int32_t inArtwork = 0, selected = 0;
  for (const ArtObject& art : document.art) {
    inArtwork |= MenuKindOf(art.type);
    if (art.selected) selected |= MenuKindOf(art.type);
  }
  // Each word that is set must hold: some flagged kind present, or none of them.
  if (rule.artworkKinds != 0 && (inArtwork & rule.artworkKinds) == 0) return false;
  if (rule.notArtworkKinds != 0 && (inArtwork & rule.notArtworkKinds) != 0) return false;
  if (rule.selectedKinds != 0 && (selected & rule.selectedKinds) == 0) return false;
  if (rule.notSelectedKinds != 0 && (selected & rule.notSelectedKinds) != 0) return false;
  return true;
}

std::string FilterMenu::Listing() const {
  std::string text;
  for (const RegisteredFilter& filter : filters) {
    text += filter.category + " > " + filter.title + "  (" + filter.name + ")\n";
  }
  return text;
}

}  // namespace simhost
