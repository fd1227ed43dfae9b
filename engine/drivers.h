// The two kinds of conversion run. A front end builds a RunRequest, runs it
// on a worker of its own (engine/run_control.h) and hears of it through its
// RunObserver.
#pragma once

#include <stop_token>
#include <string>

#include "engine/recording_outputs.h"
#include "engine/run_observer.h"
#include "engine/run_request.h"

namespace engine {

// Carries out the run on the calling thread and returns its summary, which
// observer.RunFinished has been given as the last event. A stop request ends
// it after the trace file in hand. Nothing leaves it: an unexpected error is
// shown and counted.
RunSummary RunConversion(const RunRequest& request, RunObserver& observer,
                         RecordingOutputs& outputs, std::stop_token stop = {});

}  // namespace engine
