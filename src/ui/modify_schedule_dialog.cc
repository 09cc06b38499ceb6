#include "ui/modify_schedule_dialog.h"

#include <QAbstractTableModel>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <functional>
#include <set>
#include <vector>

#include "base/text.h"
#include "ui/dialog_buttons.h"
#include "ui/dialogs.h"
#include "ui/program_end_guard.h"
#include "ui/qt_text.h"

namespace qlr {

// The candidate list as two columns, the job name and its status text, kept
// in step with ModifySchedule's entries: a rebuilt list resets the model,
// otherwise the rows are repainted. A row's text is asked for when it is painted.
class ModifyListModel : public QAbstractTableModel {
 public:
  using TextSource = std::function<std::string(int row)>;

  ModifyListModel(TextSource text, QObject* parent)
      : QAbstractTableModel(parent), text_(std::move(text)) {}

  void Show(const std::vector<ModifyEntry>& entries) {
    std::vector<int> jobs;
    jobs.reserve(entries.size());
    for (const ModifyEntry& entry : entries) jobs.push_back(entry.job);
    if (jobs != jobs_) {
      beginResetModel();
      jobs_ = std::move(jobs);
      endResetModel();
    } else if (!jobs_.empty()) {
      emit dataChanged(index(0, 0), index(rowCount() - 1, 1));
    }
  }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(jobs_.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : 2;
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    const std::string text = text_(index.row());
    return ToQString(index.column() == 0 ? TrimRight(TextBefore(text, "\t"))
                                         : TextAfter(text, "\t"));
  }

 private:
  TextSource text_;
  std::vector<int> jobs_;
};

ModifyScheduleDialog::ModifyScheduleDialog(GuiContext& gui, Engine& engine,
                                           std::string& group_filter, QWidget* parent)
    : QDialog(parent), gui_(gui), modify_(gui.schedule, engine, gui.op, group_filter) {
  setObjectName(QStringLiteral("frmResched"));
  setWindowTitle(QStringLiteral("Modify Schedule"));
  modify_.Open();
  CreateOptions();
  CreateChecks();
  CreateGroupList();
  CreateJobList();
  CreateCommands();
  CreateLayout();
  Redraw();
}

void ModifyScheduleDialog::CreateOptions() {
  unschedule_ = new QRadioButton(QStringLiteral("&Unschedule Job(s)"), this);
  reschedule_ = new QRadioButton(QStringLiteral("&Reschedule Job(s)"), this);
  auto* options = new QButtonGroup(this);
  options->addButton(unschedule_);
  options->addButton(reschedule_);
  auto choose = [this](QRadioButton* option, ModifyAction action) {
    connect(option, &QRadioButton::toggled, this, Guarded([this, action](bool on) {
              if (redrawing_ || !on) return;
              modify_.ChooseAction(action);
              Redraw();
            }));
  };
  choose(unschedule_, ModifyAction::Unschedule);
  choose(reschedule_, ModifyAction::Reschedule);
}

void ModifyScheduleDialog::CreateChecks() {
  include_unscheduled_ = new QCheckBox(QStringLiteral("&Include Unscheduled Jobs"), this);
  cascade_ = new QCheckBox(QStringLiteral("&Cascade Dependent Jobs"), this);
  sorted_ = new QCheckBox(QStringLiteral("&Sorted by Name"), this);
  auto forward = [this](QCheckBox* box, void (ModifySchedule::*set)(bool)) {
    connect(box, &QCheckBox::toggled, this, Guarded([this, set](bool ticked) {
              if (redrawing_) return;
              (modify_.*set)(ticked);
              Redraw();
            }));
  };
  forward(include_unscheduled_, &ModifySchedule::SetIncludeUnscheduled);
  forward(cascade_, &ModifySchedule::SetCascade);
  forward(sorted_, &ModifySchedule::SetSorted);
}

void ModifyScheduleDialog::CreateGroupList() {
  group_list_ = new QComboBox(this);
  for (const std::string& group : view().groups) group_list_->addItem(ToQString(group));
  group_list_->setMinimumContentsLength(10);
  connect(group_list_, &QComboBox::currentIndexChanged, this, Guarded([this](int row) {
            if (redrawing_) return;
            modify_.ChooseGroup(row);
            Redraw();
          }));
}

void ModifyScheduleDialog::CreateJobList() {
  model_ = new ModifyListModel([this](int row) { return modify_.EntryText(row); }, this);
  job_list_ = new QTreeView(this);
  job_list_->setModel(model_);
  job_list_->setRootIsDecorated(false);
  job_list_->setUniformRowHeights(true);
  job_list_->setItemsExpandable(false);
  job_list_->setHeaderHidden(true);
  job_list_->setSelectionMode(QAbstractItemView::MultiSelection);
  job_list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  job_list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  job_list_->setAllColumnsShowFocus(true);
  // The status texts line up at one tab stop, a little past the widest job name.
  job_list_->header()->setStretchLastSection(true);
  job_list_->setColumnWidth(0,
                            job_list_->fontMetrics().horizontalAdvance(QStringLiteral("WWWWWWWW")));
  job_list_->setMinimumSize(360, 240);
  connect(job_list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          Guarded([this](const QItemSelection& selected, const QItemSelection& deselected) {
            OnSelectionChanged(selected, deselected);
          }));
}

void ModifyScheduleDialog::CreateCommands() {
  clear_button_ = new QPushButton(QStringLiteral("C&lear"), this);
  const DialogButtons buttons =
      CreateDialogButtons(this, gui_, "Modify Schedule", [this] { OnOk(); });
  ok_button_ = buttons.ok;
  cancel_button_ = buttons.cancel;
  help_button_ = buttons.help;
  connect(clear_button_, &QPushButton::clicked, this, Guarded([this] {
            modify_.Clear();
            Redraw();
          }));
}

void ModifyScheduleDialog::CreateLayout() {
  auto* group_label = new QLabel(QStringLiteral("&Group:"), this);
  group_label->setBuddy(group_list_);
  auto* group_row = new QHBoxLayout;
  group_row->addWidget(group_label);
  group_row->addWidget(group_list_, 1);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(clear_button_, QDialogButtonBox::ResetRole);
  buttons->addButton(ok_button_, QDialogButtonBox::AcceptRole);
  buttons->addButton(cancel_button_, QDialogButtonBox::RejectRole);
  buttons->addButton(help_button_, QDialogButtonBox::HelpRole);
  auto* layout = new QGridLayout(this);
  layout->addWidget(unschedule_, 0, 0);
  layout->addWidget(cascade_, 0, 1);
  layout->addWidget(reschedule_, 1, 0);
  layout->addWidget(include_unscheduled_, 1, 1);
  layout->addLayout(group_row, 2, 0);
  layout->addWidget(sorted_, 2, 1);
  layout->addWidget(job_list_, 3, 0, 1, 2);
  layout->addWidget(buttons, 4, 0, 1, 2);
  layout->setRowStretch(3, 1);
  layout->setHorizontalSpacing(24);
  QWidget* const order[] = {unschedule_, reschedule_,    cascade_,    include_unscheduled_,
                            group_list_, sorted_,        job_list_,   clear_button_,
                            ok_button_,  cancel_button_, help_button_};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void ModifyScheduleDialog::Redraw() {
  const ModifyScheduleView& v = view();
  redrawing_ = true;
  if (v.action == ModifyAction::Unschedule) unschedule_->setChecked(true);
  if (v.action == ModifyAction::Reschedule) reschedule_->setChecked(true);
  include_unscheduled_->setChecked(v.IncludeUnscheduled);
  include_unscheduled_->setEnabled(v.include_unscheduled_enabled);
  cascade_->setChecked(v.CascadeDependents);
  cascade_->setEnabled(v.cascade_enabled);
  sorted_->setChecked(v.SortedByName);
  group_list_->setCurrentIndex(v.group_row);
  group_list_->setEnabled(v.group_list_enabled);
  model_->Show(v.entries);
  job_list_->setEnabled(v.list_enabled);
  RedrawSelection();
  ok_button_->setEnabled(v.ok_enabled);
  redrawing_ = false;
}

// One range per run of selected rows, so a large list is selected in a few steps.
void ModifyScheduleDialog::RedrawSelection() {
  const std::vector<ModifyEntry>& entries = view().entries;
  QItemSelection selection;
  for (size_t first = 0; first < entries.size(); ++first) {
    if (!entries[first].selected) continue;
    size_t last = first;
    while (last + 1 < entries.size() && entries[last + 1].selected) ++last;
    selection.select(model_->index(static_cast<int>(first), 0),
                     model_->index(static_cast<int>(last), 1));
    first = last;
  }
  job_list_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void ModifyScheduleDialog::OnSelectionChanged(const QItemSelection& selected,
                                              const QItemSelection& deselected) {
  if (redrawing_) return;
  std::set<int> on, off;
  for (const QModelIndex& index : selected.indexes()) on.insert(index.row());
  for (const QModelIndex& index : deselected.indexes()) off.insert(index.row());
  for (int row : off) modify_.Select(row, false);
  for (int row : on) modify_.Select(row, true);
  Redraw();
}

void ModifyScheduleDialog::OnOk() {
  modify_.Ok();
  Finish();
}

void ModifyScheduleDialog::reject() {
  RunGuarded([this] {
    modify_.Cancel();
    Finish();
  });
}

void ModifyScheduleDialog::Finish() {
  done(view().ExitMode == ModifyScheduleView::Exit::Ok ? QDialog::Accepted : QDialog::Rejected);
}

void ModifyScheduleDialog::closeEvent(QCloseEvent* event) {
  bool closes = true;
  RunGuarded([&] { closes = modify_.CloseRequested(); });
  if (!closes) {
    event->ignore();
    return;
  }
  Finish();
  event->accept();
}

bool RunModifyScheduleDialog(GuiContext& gui, Engine& engine, QWidget* parent) {
  // The group chosen here is the one the schedule grid shows, for the whole run.
  ModifyScheduleDialog dialog(gui, engine, gui.editor.GroupFilter, parent);
  dialog.exec();
  return dialog.view().RescheduleDone;
}

}  // namespace qlr
