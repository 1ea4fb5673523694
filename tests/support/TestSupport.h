// Shared pieces of the behaviour tests: the path of the built module.
#pragma once

#include <string>

namespace quibtest {

// The module under test: QUIB_MODULE env var if set, else the one this build made.
std::string ModulePath();

}  // namespace quibtest
