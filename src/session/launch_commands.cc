#include "session/launch_commands.h"

#include <string>

#include "base/text.h"
#include "model/constants.h"

namespace qlr {
namespace {

const std::string kCurrent = "Current";

}  // namespace

void OfferAsDefault(const Schedule& schedule, SettingsStore& settings, Operator& op) {
  const std::string current = settings.Get(std::string(kSettingsName), kCurrent);
  if (EqualsNoCase(current, schedule.IniFile) || schedule.TempRun) return;
  std::string question = "Do you want the following Ini file\n\n" + schedule.IniFile +
                         "\n\nto replace \n\n" + current +
                         "\n\nas the default schedule on this computer?";
  if (op.Ask(question, Buttons::YesNo) == Answer::Yes)
    settings.Set(std::string(kSettingsName), kCurrent, schedule.IniFile);
}

bool OpenNewSchedule(StartupContext& ctx, LaunchValues& launch) {
  Schedule& schedule = ctx.schedule;
  if (Valid(launch, ctx.op)) SaveForExit(schedule, launch);
  std::string picked =
      ctx.choose_file ? ctx.choose_file(schedule.IniFile, "Ini Files (*.ini)|*.ini") : "";
  if (picked.empty() || EqualsNoCase(picked, schedule.IniFile)) return false;
  schedule.IniFile = picked;
  StartUp(ctx, launch);
  return true;
}

void PrepareExit(StartupContext& ctx, LaunchValues& launch) {
  if (Valid(launch, ctx.op)) SaveForExit(ctx.schedule, launch);
  OfferAsDefault(ctx.schedule, ctx.settings, ctx.op);
}

}  // namespace qlr
