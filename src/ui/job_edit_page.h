#pragma once
// One tab page of the job editor: it shows the fields of the JobEditModel
// that its tab holds and hands every change the operator makes back to it.

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "editor/job_edit_model.h"
#include "platform/operator.h"
#include "ui/gui_context.h"

namespace qlr {

// The system dialogs the job editor opens, replaceable so that the window
// can be driven without a person.
struct JobEditHooks {
  // The file-open dialog: (start path, "Caption (pattern)|pattern") to the
  // chosen path, "" when none was chosen.
  FileChooser choose_file;
  // The date picker opened on a short-form date: the picked date, if any.
  std::function<std::optional<std::string>(const std::string& date_text)> pick_date;
};

// The editor's own dialogs over `parent`.
JobEditHooks QtJobEditHooks(GuiContext& gui, QWidget* parent);

class JobEditPage : public QWidget {
 public:
  JobEditPage(GuiContext& gui, JobEditModel& model, JobEditHooks& hooks, QWidget* parent)
      : QWidget(parent), gui_(gui), model_(model), hooks_(hooks) {}

  // Shows the model's fields in every control of the page.
  virtual void ShowFields() = 0;
  // The control of `field` when this page holds it, else nullptr.
  virtual QWidget* FieldWidget(EditField) const { return nullptr; }
  // The help topic of the page.
  virtual std::string HelpTopic() const = 0;
  // Called as the page comes to the front.
  virtual void Entered() {}

 protected:
  GuiContext& gui_;
  JobEditModel& model_;
  JobEditHooks& hooks_;
};

}  // namespace qlr
