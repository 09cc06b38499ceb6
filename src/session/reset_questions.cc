#include "session/reset_questions.h"

namespace qlr {

std::optional<ResetChoices> AskResetChoices(Operator& op) {
  if (op.Ask("Are you sure you want to reset all scheduling values?", Buttons::YesNo) !=
      Answer::Yes)
    return std::nullopt;
  ResetChoices choices;
  choices.standard_triggers =
      op.Ask("Do you want to delete standard trigger files?", Buttons::YesNo) == Answer::Yes;
  choices.other_triggers =
      op.Ask("Do you want to delete non-standard trigger files?", Buttons::YesNo) == Answer::Yes;
  return choices;
}

}  // namespace qlr
