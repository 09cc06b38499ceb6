#pragma once
// The help opener every window's help command uses: one HTML page per help
// topic in the folder named by HelpPath.

#include <string>
#include <string_view>

#include "model/schedule.h"
#include "platform/desktop.h"
#include "platform/operator.h"

namespace qlr {

// HelpPath + "/" + topic + ".html".
std::string HelpPagePath(const Schedule& schedule, std::string_view topic);

// Opens the topic's page; when it is missing tells "Sorry - cannot find a help
// file matching " + the path, when no program could show it says so; false then.
bool ShowHelp(const Schedule& schedule, Operator& op, Desktop& desktop, std::string_view topic);

}  // namespace qlr
