#include "base/platform.h"

#include <cstdlib>

namespace qp {

static Platform* g_platform = nullptr;

Platform& Plat() {
  // Every entry point installs a platform first; running without one is a programming error.
  if (!g_platform) std::abort();
  return *g_platform;
}

void SetPlatform(Platform* platform) { g_platform = platform; }

}  // namespace qp
