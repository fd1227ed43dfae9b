// What a run does after a catalogue failure: a lost connection is opened
// again before the next file or station; one that stays lost ends the run.
#pragma once

#include <exception>

#include "engine/recording_outputs.h"
#include "engine/run_observer.h"

namespace engine {

// platform::texts::kCatalogueLost (then the driver's text on a second line).
extern const char* const kCatalogueLostText;

// Call after reporting error. True when the run may go on: the error was no
// lost connection of the outputs' catalogue, or it is open again. False after
// telling the operator, once, that the catalogue stays out of reach.
bool CatalogueUsableAfter(const std::exception& error, RecordingOutputs& outputs,
                          RunObserver& observer);

}  // namespace engine
