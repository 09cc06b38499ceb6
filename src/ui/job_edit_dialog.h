#pragma once
// The job editor (frmEdit): one job of the schedule on six tabs. The
// JobEditModel holds every field, rule and check; the pages show it, and OK,
// Cancel and closing the window are its commands.

#include <QDialog>
#include <array>

#include "editor/job_edit_model.h"
#include "ui/gui_context.h"
#include "ui/job_edit_page.h"

class QPushButton;
class QTabWidget;

namespace qlr {

class DependenciesPage;
class MessagePage;
class SubmissionPage;
class SubstitutionPage;
class TimingPage;

class JobEditDialog : public QDialog {
 public:
  // Opens the editor on job `current_job`, which New or Paste New has just
  // appended when `is_new`. Opening may ask about dependencies on jobs that
  // no longer exist, and tell that an interschedule wait was dropped.
  JobEditDialog(GuiContext& gui, int current_job, bool is_new, QWidget* parent = nullptr);
  ~JobEditDialog() override;

  JobEditModel& model() { return model_; }
  // The file-open dialog and the date picker, for tests to replace.
  JobEditHooks& hooks() { return hooks_; }

  QTabWidget* tabs() const { return tabs_; }
  JobEditPage* page(EditTab tab) const { return pages_.at(static_cast<size_t>(tab)); }
  SubmissionPage* submissionPage() const { return submission_; }
  SubstitutionPage* substitutionPage() const { return substitution_; }
  TimingPage* timingPage() const { return timing_; }
  DependenciesPage* dependenciesPage() const { return dependencies_; }
  MessagePage* messagePage(MessageKind kind) const {
    return kind == MessageKind::Normal ? normal_ : abnormal_;
  }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }
  QPushButton* helpButton() const { return help_; }

  // Escape and Cancel: nothing is stored.
  void reject() override;

 protected:
  // Closing the window otherwise asks whether to save; it may stay open.
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreatePages();
  void CreateCommands();
  void CreateLayout();
  void ShowFields();
  void ShowCaption();
  void OnOk();
  // Ends the dialog as the model decided, or brings the field to correct forward.
  bool Finish(JobEditModel::Outcome outcome);
  void BringForward(const EditFocus& focus);
  void ShowHelp();

  GuiContext& gui_;
  JobEditModel model_;
  JobEditHooks hooks_;
  QTabWidget* tabs_ = nullptr;
  std::array<JobEditPage*, 6> pages_{};
  SubmissionPage* submission_ = nullptr;
  SubstitutionPage* substitution_ = nullptr;
  TimingPage* timing_ = nullptr;
  DependenciesPage* dependencies_ = nullptr;
  MessagePage* normal_ = nullptr;
  MessagePage* abnormal_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* help_ = nullptr;
};

}  // namespace qlr
