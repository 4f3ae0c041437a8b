#include "base/Platform.h"

#include <stdexcept>

namespace quorlet {

namespace {
IPlatform* g_platform = nullptr;
}

IPlatform& Platform() {
    if (!g_platform) throw std::logic_error("No platform has been set");
    return *g_platform;
}

void SetPlatform(IPlatform* platform) { g_platform = platform; }

}  // namespace quorlet
