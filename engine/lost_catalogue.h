// What a run does after a catalogue failure: a lost connection is opened
// again before the next recording or file; one that stays lost, or a
// catalogue that refuses writes, ends the run.
#pragma once

#include <exception>

#include "engine/recording_outputs.h"
#include "engine/run_observer.h"

namespace engine {

// platform::texts::kCatalogueLost (then the driver's text on a second line).
extern const char* const kCatalogueLostText;
// platform::texts::kCatalogueRefusesWrites (the same).
extern const char* const kCatalogueRefusesWritesText;

// Call after reporting error. True when the run may go on: the error was no
// catalogue failure that every later write would meet, or the lost
// connection is open again. False after telling the operator, once, that the
// catalogue stays out of reach or refuses writes.
bool CatalogueUsableAfter(const std::exception& error, RecordingOutputs& outputs,
                          RunObserver& observer);

}  // namespace engine
