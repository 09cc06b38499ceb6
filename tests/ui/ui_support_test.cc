// The GUI's plumbing: text conversion, the fatal-stop guard, the help key,
// bound fields, window pictures.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "log/program_end.h"
#include "ui/dialog_buttons.h"
#include "ui/editor_widgets.h"
#include "ui/program_end_guard.h"
#include "ui/qt_text.h"
#include "ui/window_capture.h"

namespace qlr {

class UiSupportTest : public QObject {
  Q_OBJECT

 private slots:
  void TextKeepsWindows1252Bytes() {
    const std::string bytes = "Caf\xe9 \x80 10";  // é and the euro sign
    QCOMPARE(ToQString(bytes), QString::fromUtf8("Café € 10"));
    QCOMPARE(FromQString(ToQString(bytes)), bytes);
    QCOMPARE(FromQString(QString::fromUtf8("\u4e2d")), std::string("?"));
  }

  void FatalStopEndsThroughTheAction() {
    int status = -1;
    SetProgramEndAction([&](int s) { status = s; });
    bool after = false;
    auto slot = Guarded([&] {
      throw ProgramEnd("QLR999");
      after = true;
    });
    slot();
    QCOMPARE(status, kProgramEndStatus);
    QVERIFY(!after);
  }

  void F1ClicksTheDialogsHelp() {
    QDialog dialog;
    auto* help = new QPushButton(QStringLiteral("&Help"), &dialog);
    int clicks = 0;
    QObject::connect(help, &QPushButton::clicked, [&] { ++clicks; });
    AddHelpKey(&dialog, help);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_F1);
    QCOMPARE(clicks, 1);
  }

  // Only the operator's typing and clicks write; the window showing a value does not.
  void BoundFieldsTakeWhatTheOperatorDoes() {
    QWidget window;
    auto* box = new QLineEdit(&window);
    auto* tick = new QCheckBox(&window);
    std::string text = "kept";
    bool flag = false;
    BindText(box, text);
    BindCheck(tick, flag);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    box->setText(QStringLiteral("shown"));
    tick->setChecked(true);
    QCOMPARE(text, std::string("kept"));
    QVERIFY(!flag);
    box->clear();
    QTest::keyClicks(box, QStringLiteral("Caf"));
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_Eacute, QString::fromUtf8("é"), Qt::NoModifier);
    QCOMPARE(text, std::string("Caf\xe9"));
    QTest::mouseClick(tick, Qt::LeftButton);
    QVERIFY(!flag);
    QTest::mouseClick(tick, Qt::LeftButton);
    QVERIFY(flag);
  }

  void WindowPictureIsAPng() {
    QTemporaryDir dir;
    QLabel label(QStringLiteral("picture"));
    label.setObjectName(QStringLiteral("frmTest"));
    label.resize(120, 40);
    const QString path = dir.filePath(CaptureFileName(&label));
    QVERIFY(path.contains(QStringLiteral("frmTest-")));
    QVERIFY(SaveWindowPicture(&label, path));
    QImage image(path);
    QCOMPARE(image.size(), QSize(120, 40));
  }
};

}  // namespace qlr

QTEST_MAIN(qlr::UiSupportTest)
#include "ui_support_test.moc"
