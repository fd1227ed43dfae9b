#include "platform/crt_rand.h"

namespace platform {

namespace {
std::uint32_t g_crtRandState = 1;
}

int CrtRand() { return CrtRandStep(g_crtRandState); }

void ResetCrtRand() { g_crtRandState = 1; }

}  // namespace platform
