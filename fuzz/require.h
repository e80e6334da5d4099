// Property checks for the fuzz targets: a violated property stops the run as a crash, so libFuzzer keeps
// the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace mastervol::fuzz {

// Names the property on stderr before aborting; the saved input shows how to break it again.
inline void Require(bool holds, const char* property) noexcept {
  if (holds) return;
  std::fprintf(stderr, "property violated: %s\n", property);
  std::abort();
}

}  // namespace mastervol::fuzz
