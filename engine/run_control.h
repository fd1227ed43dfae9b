// The one conversion run of the process: its slot and its stop request.
#pragma once

namespace engine {

// Takes the run slot and clears any old stop request; false while a run holds it.
bool TryBeginRun();
// Gives the slot back, forgets the stop request and wakes WaitForRun.
void EndRun();
// True when the run in progress has been asked to stop.
bool StopRequested();

}  // namespace engine
