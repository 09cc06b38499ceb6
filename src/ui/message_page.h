#pragma once
// The job editor's "Normal EOJ" and "Abnormal EOJ" tabs: the message sent
// when the job ends (its recipients, subject and four body lines, each line
// text or an included file with its flags). The normal one also holds the
// trigger file the job creates when it ends.

#include <array>

#include "ui/job_edit_page.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qlr {

class MessagePage : public JobEditPage {
 public:
  MessagePage(GuiContext& gui, JobEditModel& model, JobEditHooks& hooks, MessageKind kind,
              QWidget* parent);

  void ShowFields() override;
  QWidget* FieldWidget(EditField field) const override;
  std::string HelpTopic() const override;

  QLineEdit* toEdit() const { return to_; }
  QLineEdit* ccEdit() const { return cc_; }
  QPushButton* changeToButton() const { return change_to_; }
  QLineEdit* subjectEdit() const { return subject_; }
  QLineEdit* bodyEdit(int line) const { return lines_.at(static_cast<size_t>(line - 1)); }  // 1..4
  QCheckBox* flagBox(int line, MsgFlag flag) const {
    return flags_.at(static_cast<size_t>(line - 1)).at(static_cast<size_t>(flag));
  }
  QPushButton* includeButton(int line) const { return include_.at(static_cast<size_t>(line - 1)); }
  // The normal message's extras; nullptr on the abnormal page.
  QLineEdit* deferEdit() const { return defer_; }
  QRadioButton* triggerOption(TriggerChoice choice) const {
    return triggers_.at(static_cast<size_t>(choice));
  }

 private:
  bool normal() const { return kind_ == MessageKind::Normal; }
  void CreateAddresses();
  void CreateBody();
  void CreateNormalExtras();
  QWidget* CreateMessageFrame();
  QWidget* CreateTriggerFrame();
  void CreateLayout();
  void ConnectAddresses();
  void ConnectBody();
  void ConnectNormalExtras();
  void ShowLine(int line);
  void ShowTrigger();
  // "Change": the address selection over the box's names.
  void ChangeAddresses(QLineEdit* box, std::string MessageFields::*field);
  // "Browse for include file" of a body line.
  void IncludeFile(int line);

  MessageKind kind_;
  QLineEdit* to_ = nullptr;
  QLineEdit* cc_ = nullptr;
  QPushButton* change_to_ = nullptr;
  QPushButton* change_cc_ = nullptr;
  QLineEdit* subject_ = nullptr;
  std::array<QLineEdit*, 4> lines_{};
  std::array<std::array<QCheckBox*, 5>, 4> flags_{};
  std::array<QPushButton*, 4> include_{};
  QCheckBox* suppress_ = nullptr;
  QLineEdit* defer_ = nullptr;
  std::array<QRadioButton*, 3> triggers_{};  // in the order of TriggerChoice
  QLineEdit* trigger_file_ = nullptr;
};

}  // namespace qlr
