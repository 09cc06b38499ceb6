#pragma once
// The modal dialogs the launch and execution windows open. Each runs the
// dialog to its end and returns what it decided; the dialog classes
// themselves sit in their own headers for the tests.

#include <QWidget>

#include "engine/engine.h"
#include "ui/gui_context.h"

namespace qlr {

// "Dummy Run Options" (frmDumOp): true when OK stored the three flags in `options`.
bool RunDummyOptionsDialog(GuiContext& gui, RunOptions& options, QWidget* parent);

// "Log View Specifications": the filtered copy of a run log, opened in the text editor.
void RunLogViewDialog(GuiContext& gui, QWidget* parent);

// "Modify Schedule" (frmResched) over the running day; returns RescheduleDone.
bool RunModifyScheduleDialog(GuiContext& gui, Engine& engine, QWidget* parent);

}  // namespace qlr
