#include "TestSupport.h"

#include <cstdlib>

namespace quibtest {

std::string ModulePath() {
  const char* fromEnv = std::getenv("QUIB_MODULE");
  return fromEnv && *fromEnv ? fromEnv : QUIB_MODULE_PATH;
}

}  // namespace quibtest
