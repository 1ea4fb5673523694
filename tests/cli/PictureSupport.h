// Reading PNG pictures back in tests.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace clitest {

struct Picture {
  int width = 0, height = 0;
  std::vector<std::array<int, 3>> rgb;  // row-major, 0..255, composited on white
  const std::array<int, 3>& At(int x, int y) const {
    return rgb[size_t(y) * size_t(width) + size_t(x)];
  }
};

// Decodes PNG bytes; an empty picture when they are not a PNG.
Picture DecodePng(const std::string& bytes);

std::string ReadBytes(const std::string& path);

}  // namespace clitest
