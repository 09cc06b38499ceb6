#include "ui/job_edit_dialog.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "store/schedule_file.h"
#include "ui/date_sel_dialog.h"
#include "ui/dependencies_page.h"
#include "ui/dialog_buttons.h"
#include "ui/dialogs.h"
#include "ui/message_page.h"
#include "ui/program_end_guard.h"
#include "ui/qt_operator.h"
#include "ui/qt_text.h"
#include "ui/submission_page.h"
#include "ui/substitution_page.h"
#include "ui/timing_page.h"

namespace qlr {

JobEditHooks QtJobEditHooks(GuiContext& gui, QWidget* parent) {
  JobEditHooks hooks;
  hooks.choose_file = QtFileChooser(parent);
  hooks.pick_date = [&gui, parent](const std::string& date_text) {
    return RunDateSelDialog(gui, date_text, parent);
  };
  return hooks;
}

JobEditDialog::JobEditDialog(GuiContext& gui, int current_job, bool is_new, QWidget* parent)
    : QDialog(parent),
      gui_(gui),
      model_(gui.schedule, gui.log, gui.op, gui.clock, current_job, is_new, WriteSchedule),
      hooks_(QtJobEditHooks(gui, this)) {
  setObjectName(QStringLiteral("frmEdit"));
  model_.Open();
  CreatePages();
  CreateCommands();
  CreateLayout();
  ShowFields();
}

JobEditDialog::~JobEditDialog() = default;

void JobEditDialog::CreatePages() {
  tabs_ = new QTabWidget(this);
  submission_ = new SubmissionPage(
      gui_, model_, hooks_, [this] { ShowCaption(); }, tabs_);
  substitution_ = new SubstitutionPage(gui_, model_, hooks_, tabs_);
  timing_ = new TimingPage(gui_, model_, hooks_, tabs_);
  dependencies_ = new DependenciesPage(gui_, model_, hooks_, tabs_);
  normal_ = new MessagePage(gui_, model_, hooks_, MessageKind::Normal, tabs_);
  abnormal_ = new MessagePage(gui_, model_, hooks_, MessageKind::Abnormal, tabs_);
  pages_ = {submission_, substitution_, timing_, dependencies_, normal_, abnormal_};
  const char* const kTitles[] = {"&Submission",   "Su&bstitution", "&Timing",
                                 "&Dependencies", "&Normal EOJ",   "&Abnormal EOJ"};
  for (size_t tab = 0; tab < pages_.size(); ++tab)
    tabs_->addTab(pages_[tab], QString::fromLatin1(kTitles[tab]));
  connect(tabs_, &QTabWidget::currentChanged, this, Guarded([this](int tab) {
            if (tab >= 0) pages_.at(static_cast<size_t>(tab))->Entered();
          }));
}

void JobEditDialog::CreateCommands() {
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  help_ = new QPushButton(QStringLiteral("&Help"), this);
  connect(ok_, &QPushButton::clicked, this, Guarded([this] { OnOk(); }));
  connect(cancel_, &QPushButton::clicked, this, &JobEditDialog::reject);
  // Help shows the page of the tab in front, whichever it is.
  connect(help_, &QPushButton::clicked, this, Guarded([this] { ShowHelp(); }));
  AddHelpKey(this, help_);
}

void JobEditDialog::CreateLayout() {
  QDialogButtonBox* buttons = NewButtonBox({ok_, cancel_, help_}, this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addWidget(buttons);
}

void JobEditDialog::ShowFields() {
  for (JobEditPage* page : pages_) page->ShowFields();
  ShowCaption();
}

void JobEditDialog::ShowCaption() { setWindowTitle(ToQString(model_.Caption())); }

void JobEditDialog::ShowHelp() {
  ShowHelpTopic(gui_, pages_.at(static_cast<size_t>(tabs_->currentIndex()))->HelpTopic());
}

void JobEditDialog::OnOk() { Finish(model_.Ok()); }

void JobEditDialog::reject() {
  RunGuarded([this] { Finish(model_.Cancel()); });
}

void JobEditDialog::closeEvent(QCloseEvent* event) {
  bool closes = true;
  RunGuarded([&] { closes = Finish(model_.CloseRequested()); });
  if (closes)
    event->accept();
  else
    event->ignore();
}

bool JobEditDialog::Finish(JobEditModel::Outcome outcome) {
  switch (outcome) {
    case JobEditModel::Outcome::Stored:
      done(QDialog::Accepted);
      return true;
    case JobEditModel::Outcome::Cancelled:
      done(QDialog::Rejected);
      return true;
    case JobEditModel::Outcome::StaysOpen:
      break;
  }
  // A question may have made the frequency "Daily"; nothing else changes
  // while the editor stays open, and the other pages keep their places.
  timing_->ShowFields();
  BringForward(model_.focus());
  return false;
}

void JobEditDialog::BringForward(const EditFocus& focus) {
  if (focus.field == EditField::None) return;
  JobEditPage* page = pages_.at(static_cast<size_t>(focus.tab));
  tabs_->setCurrentWidget(page);
  if (QWidget* field = page->FieldWidget(focus.field)) {
    field->setFocus(Qt::OtherFocusReason);
    if (auto* box = qobject_cast<QLineEdit*>(field)) box->selectAll();
  }
}

bool RunJobEditDialog(GuiContext& gui, int current_job, bool is_new, QWidget* parent) {
  JobEditDialog dialog(gui, current_job, is_new, parent);
  dialog.exec();
  return !dialog.model().EditCancelled();
}

}  // namespace qlr
