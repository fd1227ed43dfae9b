// The C runtime's rand as the button textures need it, independent of the
// host C library: state = state * 214013 + 2531011 (32-bit wrap-around),
// result = bits 16..30 of the state (0..32767). Never seeded, so the state
// starts at 1 and every run draws the same sequence.
//
// One sequence for the whole process, used only from the UI thread (no lock).
#pragma once

#include <cstdint>

namespace platform {

inline constexpr int kCrtRandMax = 0x7FFF;

// Advances state one step and returns the value drawn.
constexpr int CrtRandStep(std::uint32_t& state) {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

// The next value of the process-wide sequence.
int CrtRand();

// Puts the process-wide sequence back to its start (state 1), as at process
// start. For tests that need the textures of a fresh run.
void ResetCrtRand();

}  // namespace platform
