#pragma once
// Reset's questions: whether to reset at all, and which trigger files go.

#include <optional>

#include "platform/operator.h"
#include "store/reset.h"

namespace qlr {

// Reset's three questions ("Are you sure ...", then which trigger files to
// delete); nullopt when the operator said No to the first.
std::optional<ResetChoices> AskResetChoices(Operator& op);

}  // namespace qlr
