// A run carried out by several workers at once: the stations (grouped by
// source directory; in a file run, the picked files grouped by station) go
// from one queue to N threads,
// each converting on outputs of its own (its own catalogue connection). What
// a station's conversion does, and in which order within the station, is
// what one worker does; only stations of different workers overlap.
#pragma once

#include <functional>
#include <memory>
#include <stop_token>

#include "engine/recording_outputs.h"
#include "engine/run_observer.h"
#include "engine/run_request.h"
#include "engine/run_summary.h"

namespace engine {

// Worker i's outputs, made on that worker's thread (worker 0 first, and
// alone in a one-worker run). nullptr after telling observer why there are
// none (a catalogue connection refused): the other workers take its share.
using MakeOutputs =
    std::function<std::unique_ptr<RecordingOutputs>(int worker, RunObserver& observer)>;

// The processors this process may run on, at least 1.
int MachineWorkers();

// As RunConversion, with up to `workers` workers, never more than the run
// has source directories (or stations among the picked files). One worker is RunConversion on
// makeOutputs(0). The observer hears each event whole, one at a time, from
// whichever worker; RunFinished once, with every worker's counts added up.
RunSummary RunWithWorkers(const RunRequest& request, RunObserver& observer, int workers,
                          const MakeOutputs& makeOutputs, std::stop_token stop = {});

}  // namespace engine
