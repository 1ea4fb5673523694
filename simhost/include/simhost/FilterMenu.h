// The host's filter menu: filters the module registered and their menu rules.
#pragma once

namespace simhost {

class FilterMenu {
 public:
};

}  // namespace simhost
