#pragma once
// The modal dialogs the launch and execution windows open. Each runs the
// dialog to its end and returns what it decided; the dialog classes
// themselves sit in their own headers for the tests.

#include <QWidget>

#include "engine/run_options.h"
#include "ui/gui_context.h"

namespace qlr {

class Engine;

// "Dummy Run Options" (frmDumOp): true when OK stored the three flags in `options`.
bool RunDummyOptionsDialog(GuiContext& gui, RunOptions& options, QWidget* parent);

// The log viewer: the filtered copy of a run log, opened in the text editor.
void RunLogViewDialog(GuiContext& gui, QWidget* parent);

// "Modify Schedule" (frmResched) over the running day; returns RescheduleDone.
bool RunModifyScheduleDialog(GuiContext& gui, Engine& engine, QWidget* parent);

// The job editor (frmEdit) on job `current_job`, which New or Paste New has
// just appended when `is_new`; true when OK stored it (false: cancelled).
// The schedule file is written by the store.
bool RunJobEditDialog(GuiContext& gui, int current_job, bool is_new, QWidget* parent);

}  // namespace qlr
