#pragma once
// The about box: the program's name, its version text and what it does. The
// same box without buttons is the splash shown while start-up runs.

#include <QDialog>
#include <memory>
#include <string>

class QLabel;
class QPushButton;

namespace qlr {

class AboutBox : public QDialog {
 public:
  enum class Mode { Splash, About };

  AboutBox(const std::string& version_text, Mode mode, QWidget* parent = nullptr);

  QLabel* versionLabel() const { return version_label_; }
  QPushButton* okButton() const { return ok_button_; }  // nullptr for the splash

 private:
  void CreateTexts(const std::string& version_text);
  void CreateCommands();
  void CreateLayout(Mode mode);

  QLabel* name_label_ = nullptr;
  QLabel* version_label_ = nullptr;
  QLabel* description_label_ = nullptr;
  QPushButton* ok_button_ = nullptr;
};

// The about box from the Help menu, modal over `parent`.
void ShowAboutBox(const std::string& version_text, QWidget* parent);

// Shows the splash at once (painted before the caller goes on); it closes
// when the object goes.
std::unique_ptr<AboutBox> ShowSplash(const std::string& version_text);

}  // namespace qlr
