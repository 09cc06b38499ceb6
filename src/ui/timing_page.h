#pragma once
// The job editor's "Timing" tab: the earliest start, the days the job is
// skipped, its frequency with the keyword formats that compose one, and the
// list of the next run dates the frequency gives.

#include "ui/job_edit_page.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace qlr {

class TimingPage : public JobEditPage {
 public:
  TimingPage(GuiContext& gui, JobEditModel& model, JobEditHooks& hooks, QWidget* parent);

  void ShowFields() override;
  QWidget* FieldWidget(EditField field) const override;
  std::string HelpTopic() const override { return "Job Edit Form - Timing Tab"; }

  QLineEdit* earliestStartEdit() const { return start_; }
  QComboBox* skipOnList() const { return skip_on_; }
  QLineEdit* frequencyEdit() const { return frequency_; }
  QTreeWidget* keywordList() const { return keywords_; }
  QPushButton* tryButton() const { return try_; }
  QListWidget* tryList() const { return try_list_; }

 private:
  void CreateFields();
  void CreateKeywords();
  void CreateLayout();
  void ConnectFields();
  void ShowSkipOn();
  void ChooseSkipOn(int entry);
  // The chosen keyword format becomes a term of the frequency.
  void UseKeyword();
  void TryFrequency();
  // The date picker on a day; nullopt when nothing was picked.
  std::optional<DateTime> PickDate(DateTime on);

  QLineEdit* start_ = nullptr;
  QComboBox* skip_on_ = nullptr;
  QLineEdit* frequency_ = nullptr;
  QTreeWidget* keywords_ = nullptr;
  QPushButton* use_keyword_ = nullptr;
  QPushButton* try_ = nullptr;
  QListWidget* try_list_ = nullptr;
};

}  // namespace qlr
