#include "ui/submission_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "editor/executable_search.h"
#include "ui/editor_widgets.h"
#include "ui/program_end_guard.h"
#include "ui/qt_text.h"
#include "ui/typing_validators.h"

namespace qlr {
namespace {

// Programs on Linux carry no extension: every file is offered.
constexpr const char* kProgramFilter = "Programs (*)|*";

QCheckBox* NewCheck(const char* caption, const char* tip, QWidget* parent) {
  auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
  box->setToolTip(QString::fromLatin1(tip));
  return box;
}

}  // namespace

SubmissionPage::SubmissionPage(GuiContext& gui, JobEditModel& model, JobEditHooks& hooks,
                               std::function<void()> name_typed, QWidget* parent)
    : JobEditPage(gui, model, hooks, parent), name_typed_(std::move(name_typed)) {
  CreateFields();
  CreateChecks();
  CreateLayout();
  ConnectFields();
  ConnectChecks();
}

void SubmissionPage::CreateFields() {
  name_ = NewTextBox(
      this, QStringLiteral("A unique name for the job - preferably same as the program name."),
      static_cast<int>(kJobNameLength), NewNameValidator(this));
  command_ = NewTextBox(this, QStringLiteral("Command line including any run time parameters"));
  command_->setMinimumWidth(420);
  browse_ = NewCommand(QStringLiteral("B&rowse..."), this,
                       QStringLiteral("To locate the executable for the job."));
  group_ = new QComboBox(this);
  group_->setEditable(true);
  group_->setInsertPolicy(QComboBox::NoInsert);
  group_->setToolTip(QStringLiteral("The name of the group to which the job belongs"));
  group_->lineEdit()->setMaxLength(static_cast<int>(kGroupLength));
  group_->lineEdit()->setValidator(NewNameValidator(group_));
  for (const std::string& group : model_.groups()) group_->addItem(ToQString(group));
  description_ = NewTextBox(this, {}, static_cast<int>(kDescriptionLength));
  cpu_ = NewTextBox(this, {}, 5, NewDigitsValidator(this, false));
  cpu_->setFixedWidth(cpu_->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
  reschedule_ = new QComboBox(this);
  for (std::string_view choice : kRescheduleChoices) reschedule_->addItem(ToQString(choice));
}

void SubmissionPage::CreateChecks() {
  dos_ = NewCheck("D&OS/Command Processor Program",
                  "DOS Executable or Windows Console App (.com, .exe or .bat)", this);
  defer_rollover_ =
      NewCheck("De&fer Rollover", "Check if job MUST run before day rollover is allowed.", this);
  submit_only_ = NewCheck("Submit On&ly", "Mark job complete immediately after submission.", this);
  critical_ = NewCheck("Job is Cr&itical", "Job failure invokes overnight callout", this);
  critical_->setVisible(model_.CriticalVisible());
}

void SubmissionPage::CreateLayout() {
  auto* grid = new QGridLayout(this);
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(10);
  grid->addWidget(NewBuddyLabel(QStringLiteral("&Job Name"), name_, this), 0, 0);
  grid->addWidget(name_, 0, 1);
  grid->addWidget(NewBuddyLabel(QStringLiteral("&Group"), group_, this), 0, 2, Qt::AlignRight);
  grid->addWidget(group_, 0, 3);
  grid->addWidget(NewBuddyLabel(QStringLiteral("&Command Line"), command_, this), 1, 0);
  grid->addWidget(command_, 1, 1, 1, 3);
  grid->addWidget(browse_, 1, 4);
  grid->addWidget(NewBuddyLabel(QStringLiteral("Job D&escription"), description_, this), 2, 0);
  grid->addWidget(description_, 2, 1, 1, 4);
  grid->addWidget(NewBuddyLabel(QStringLiteral("C&PU Usage"), cpu_, this), 3, 0);
  grid->addWidget(cpu_, 3, 1, Qt::AlignLeft);
  grid->addWidget(NewBuddyLabel(QStringLiteral("Reschedule on Co&mpletion:"), reschedule_, this), 3,
                  2, Qt::AlignRight);
  grid->addWidget(reschedule_, 3, 3);
  auto* checks = new QGridLayout;
  checks->setHorizontalSpacing(24);
  checks->addWidget(dos_, 0, 0);
  checks->addWidget(defer_rollover_, 0, 1);
  checks->addWidget(submit_only_, 1, 0);
  checks->addWidget(critical_, 1, 1);
  grid->addLayout(checks, 4, 0, 1, 5);
  grid->setRowStretch(5, 1);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  SetTabChain({name_, group_, command_, browse_, description_, cpu_, reschedule_, dos_,
               defer_rollover_, submit_only_, critical_});
}

void SubmissionPage::ConnectFields() {
  connect(name_, &QLineEdit::textEdited, this, Guarded([this](const QString& text) {
            model_.fields.JobName = FromQString(text);
            if (name_typed_) name_typed_();
          }));
  connect(command_, &QLineEdit::textEdited, this, Guarded([this](const QString& text) {
            model_.SetCommandLine(FromQString(text));
            dos_->setChecked(model_.fields.IsDosProgram);
          }));
  connect(browse_, &QPushButton::clicked, this, Guarded([this] { Browse(); }));
  connect(group_, &QComboBox::editTextChanged, this,
          Guarded([this](const QString& text) { model_.fields.Group = FromQString(text); }));
  BindText(description_, model_.fields.Description);
  BindText(cpu_, model_.fields.CpuUsage);
  connect(reschedule_, &QComboBox::activated, this, Guarded([this](int choice) {
            model_.fields.AutoReschedule = choice;
            ApplyEnabling();
          }));
}

void SubmissionPage::ConnectChecks() {
  const auto forward = [this](QCheckBox* box, bool JobEditFields::*flag) {
    connect(box, &QCheckBox::clicked, this, Guarded([this, flag](bool ticked) {
              model_.fields.*flag = ticked;
              ApplyEnabling();
            }));
  };
  forward(dos_, &JobEditFields::IsDosProgram);
  forward(defer_rollover_, &JobEditFields::DeferRollover);
  forward(submit_only_, &JobEditFields::SubmitOnly);
  forward(critical_, &JobEditFields::Critical);
}

void SubmissionPage::ShowFields() {
  const JobEditFields& f = model_.fields;
  ShowText(name_, f.JobName);
  ShowText(command_, f.CommandLine);
  // A job that was a null job when opened says so while its command line is empty.
  command_->setPlaceholderText(model_.IsNullJob() ? QStringLiteral("Null Job") : QString());
  group_->setEditText(ToQString(f.Group));
  ShowText(description_, f.Description);
  ShowText(cpu_, f.CpuUsage);
  reschedule_->setCurrentIndex(f.AutoReschedule);
  dos_->setChecked(f.IsDosProgram);
  defer_rollover_->setChecked(f.DeferRollover);
  submit_only_->setChecked(f.SubmitOnly);
  critical_->setChecked(f.Critical);
  ApplyEnabling();
}

void SubmissionPage::ApplyEnabling() {
  reschedule_->setEnabled(model_.RescheduleEnabled());
  submit_only_->setEnabled(model_.SubmitOnlyEnabled());
  defer_rollover_->setEnabled(model_.DeferRolloverEnabled());
}

QWidget* SubmissionPage::FieldWidget(EditField field) const {
  switch (field) {
    case EditField::JobName:
      return name_;
    case EditField::CommandLine:
      return command_;
    case EditField::Group:
      return group_;
    default:
      return nullptr;
  }
}

// The file-open dialog starts at the program the command line names.
void SubmissionPage::Browse() {
  const std::string program = ProgramOf(model_.fields.CommandLine);
  const std::string found = program.empty() ? "" : DirChk(program);
  const std::string chosen = hooks_.choose_file(found.empty() ? program : found, kProgramFilter);
  if (chosen.empty()) return;
  model_.BrowsedExecutable(chosen);
  ShowText(command_, model_.fields.CommandLine);
  dos_->setChecked(model_.fields.IsDosProgram);
}

}  // namespace qlr
