#pragma once
// Small makers the windows share: labelled fields, commands that never take
// Enter from the dialog's OK, tab chains, lists that keep Enter to themselves,
// and fields that write what the operator types straight into the core.

#include <QString>
#include <string>
#include <string_view>
#include <vector>

class QAbstractItemView;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QValidator;
class QWidget;

namespace qlr {

// A field's label, whose access key moves the cursor into the field.
QLabel* NewBuddyLabel(const QString& caption, QWidget* field, QWidget* parent);
// A command beside the fields: Enter keeps going to the dialog's OK.
QPushButton* NewCommand(const QString& caption, QWidget* parent, const QString& tip = {});
// A one-line text box; `max_length` 0 leaves its length open.
QLineEdit* NewTextBox(QWidget* parent, const QString& tip = {}, int max_length = 0,
                      QValidator* validator = nullptr);
// Shows a field's text (Windows-1252) from its start, however long it is.
void ShowText(QLineEdit* box, std::string_view text);
// What is typed into `box` goes into `field` (Windows-1252) at each change;
// `field` must outlive the box.
void BindText(QLineEdit* box, std::string& field);
// A click on `box` sets `flag` to whether it is ticked; `flag` must outlive the box.
void BindCheck(QCheckBox* box, bool& flag);
// Tab visits the widgets in this order.
void SetTabChain(const std::vector<QWidget*>& chain);
// Enter on the list activates its current item and goes no further, so the
// dialog does not take it for OK.
void KeepEnter(QAbstractItemView* view);

}  // namespace qlr
