#pragma once
// The launch window's conversation: the launch check told to the operator, and
// the commands that leave the schedule (Open New Schedule, Exit) with their
// offer to make the INI file the default.

#include "model/schedule.h"
#include "platform/operator.h"
#include "session/startup.h"
#include "store/launch_values.h"
#include "store/settings_store.h"

namespace qlr {

// Exit's question whether the INI file becomes the default schedule.
void OfferAsDefault(const Schedule& schedule, SettingsStore& settings, Operator& op);

// Open New Schedule: saves the launch values when they are valid, lets the
// operator pick another INI file and runs the start-up sequence on it. False
// when nothing (or the INI file in use) was picked.
bool OpenNewSchedule(StartupContext& ctx, LaunchValues& launch);

// Exit's work before the program ends: saves valid launch values and offers
// the INI file as the default schedule.
void PrepareExit(StartupContext& ctx, LaunchValues& launch);

}  // namespace qlr
