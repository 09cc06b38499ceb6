#include "ui/about_box.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt_text.h"

namespace qlr {

AboutBox::AboutBox(const std::string& version_text, Mode mode, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  CreateTexts(version_text);
  if (mode == Mode::About) CreateCommands();
  CreateLayout(mode);
}

void AboutBox::CreateTexts(const std::string& version_text) {
  name_label_ = new QLabel(QStringLiteral("Quillrun"), this);
  QFont big = name_label_->font();
  big.setPointSizeF(big.pointSizeF() * 2);
  big.setBold(true);
  name_label_->setFont(big);
  version_label_ = new QLabel(ToQString(version_text), this);
  description_label_ = new QLabel(
      QStringLiteral("Runs a computer's daily batch schedule: decides which jobs are due\n"
                     "on the run date, starts each when its time, dependencies and files\n"
                     "allow, and keeps the day's run log."),
      this);
  for (QLabel* label : {name_label_, version_label_, description_label_})
    label->setAlignment(Qt::AlignCenter);
}

void AboutBox::CreateCommands() {
  ok_button_ = new QPushButton(QStringLiteral("OK"), this);
  ok_button_->setDefault(true);
  connect(ok_button_, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutBox::CreateLayout(Mode mode) {
  auto* texts = new QVBoxLayout;
  texts->setContentsMargins(28, 22, 28, 22);
  texts->setSpacing(10);
  texts->addWidget(name_label_);
  texts->addWidget(version_label_);
  texts->addWidget(description_label_);
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  if (mode == Mode::Splash) {
    // A splash has no frame to drag or close it by; a raised panel edges it.
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setLayout(texts);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel);
    return;
  }
  setWindowTitle(QStringLiteral("About Quillrun"));
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(ok_button_, QDialogButtonBox::AcceptRole);
  buttons->setCenterButtons(true);
  layout->addLayout(texts);
  layout->addWidget(buttons);
}

void ShowAboutBox(const std::string& version_text, QWidget* parent) {
  AboutBox box(version_text, AboutBox::Mode::About, parent);
  box.exec();
}

std::unique_ptr<AboutBox> ShowSplash(const std::string& version_text) {
  auto splash = std::make_unique<AboutBox>(version_text, AboutBox::Mode::Splash);
  splash->show();
  QCoreApplication::processEvents();
  return splash;
}

}  // namespace qlr
