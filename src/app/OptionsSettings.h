#pragma once

#include "dialogs/OptionsUnit.h"

namespace orvane {

class MainWorkflow;

// The settings in memory that the Options dialog edits.
OptionsValues CurrentOptions(const MainWorkflow& workflow);

// Stores the values of an accepted Options dialog in the settings in memory (network name and
// key trimmed), then registers or removes the autorun entry at once. An autorun error reaches
// the caller after the settings are stored.
void ApplyOptions(MainWorkflow& workflow, const OptionsValues& values);

}  // namespace orvane
