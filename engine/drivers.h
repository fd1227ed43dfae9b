// The two kinds of conversion run, each on a worker thread of its own.
#pragma once

#include <cstdint>
#include <string>

#include "engine/front_end.h"

// What a file run is handed: the station list's current entry (only used to
// find the file dialog's initial directory) and the dialog.
struct ConvertRequest {
    char station[32] = {};
    engine::FrontEnd* dialog = nullptr;
    std::uint32_t reserved[4] = {};
};

// Each starts a worker and returns at once. Never two runs at once: while a
// run is active they start nothing and return false.
bool StartConvertFiles(ConvertRequest& request);
bool StartConvertWindow(engine::FrontEnd& dialog);

void DisableControls(engine::FrontEnd& dialog);
void EnableControls(engine::FrontEnd& dialog);

namespace engine {
// True from a successful start until the worker has finished.
bool IsRunActive();
// Ask the active run to stop after the trace file in hand; returns at once.
void RequestStop();
// Block until no run is active (for front ends without an event loop, tests).
void WaitForRun();
}  // namespace engine
