// A main window under test, as the window tests use it: a fresh TForm1 whose
// settings file lives in a temporary folder (nothing is written beside the
// test program), with message boxes collected instead of shown; readers of
// what the window shows; and a real message box answered as a user does.
#pragma once

#include <QApplication>
#include <QChartView>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPieSeries>
#include <QPieSlice>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "controls/IniGT.h"
#include "controls/NValEdit.h"
#include "forms/zentai.h"
#include "platform/Messages.h"

namespace main_window_probe {

template <typename T>
T* Child(QWidget& form, const QString& name) {
  T* child = form.findChild<T*>(name);
  if (!child) qFatal("no control %s", qPrintable(name));
  return child;
}

inline TNValEdit* Field(QWidget& form, int number) {
  return Child<TNValEdit>(form, QStringLiteral("NValEdit%1").arg(number));
}

// The texts of NValEdit1..NValEdit7 and of their captions Edit1..Edit7.
inline QStringList ShownResults(QWidget& form) {
  QStringList texts;
  for (int i = 1; i <= 7; ++i) texts << Field(form, i)->text();
  return texts;
}
inline QStringList Captions(QWidget& form) {
  QStringList texts;
  for (int i = 1; i <= 7; ++i) texts << Child<QLineEdit>(form, QStringLiteral("Edit%1").arg(i))->text();
  return texts;
}

inline QStringList LogLines(QWidget& form) {
  const QString text = Child<QPlainTextEdit>(form, QStringLiteral("Memo1"))->toPlainText();
  return text.isEmpty() ? QStringList() : text.split('\n');
}

// The pie's slices as drawn (largest first), each "label value" with the
// value to ten significant digits.
inline QStringList PieSlices(QWidget& form) {
  auto* chart = Child<QChartView>(form, QStringLiteral("Chart1"))->chart();
  QStringList slices;
  for (QAbstractSeries* series : chart->series())
    if (auto* pie = qobject_cast<QPieSeries*>(series))
      for (QPieSlice* slice : pie->slices())
        slices << slice->label() + ' ' + QString::number(slice->value(), 'g', 10);
  return slices;
}
inline bool PieShown(QWidget& form) { return Child<QChartView>(form, QStringLiteral("Chart1"))->isVisible(); }

inline QColor TextColour(QWidget* widget) { return widget->palette().color(QPalette::WindowText); }
inline const QColor kTeal(0, 128, 128);

// A real click at the centre of a button.
inline void Press(QWidget& form, const char* button) {
  QTest::mouseClick(Child<QPushButton>(form, QString::fromLatin1(button)), Qt::LeftButton);
}

inline void ShowAndActivate(QWidget& window) {
  window.show();
  window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&window));
}

// The settings file the window would use by default, beside the test program.
inline QString SettingsBesideProgram() {
  const QString program = QCoreApplication::applicationFilePath();
  return QFileInfo(program).absolutePath() + '/' + TIniGT::SettingsFileNameFor(program);
}

// What a real message box showed before it was answered.
struct MessageBoxSeen {
  QString text;
  QString title;
};

// Answers the real message box that the next action opens, as a user does:
// once the box is the active window, its text and title are noted and its OK
// button is clicked. `reactivate`, when given, is made active again
// afterwards, as the platform hands the activation back to the window later.
inline void AnswerNextMessageBox(MessageBoxSeen& seen, QWidget* reactivate = nullptr) {
  QTimer::singleShot(0, [&seen, reactivate] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(box);
    box->activateWindow();
    QVERIFY(QTest::qWaitFor([box] { return QApplication::activeWindow() == box; }));
    seen = {box->text(), box->windowTitle()};
    box->button(QMessageBox::Ok)->click();
    if (reactivate) QTimer::singleShot(0, reactivate, [reactivate] { reactivate->activateWindow(); });
  });
}

class MainWindowProbe {
 public:
  MainWindowProbe() {
    tavenko::platform::SetMessageHook([this](const QString& text) { messages << text; });
    OpenWindow();
  }
  ~MainWindowProbe() {
    form->close();  // writes the position and unit into the temporary folder
    form.reset();
    tavenko::platform::SetMessageHook({});
  }
  MainWindowProbe(const MainWindowProbe&) = delete;
  MainWindowProbe& operator=(const MainWindowProbe&) = delete;

  TForm1& Window() { return *form; }
  QString SettingsPath() const { return settingsDir.filePath(QStringLiteral("Tavenko.ini")); }

  // The window closes, saving its settings, and a fresh one reads them.
  void Reopen() {
    form->close();
    OpenWindow();
  }
  // A fresh window that reads `settings` from its file; the window before is
  // dropped without saving.
  void OpenWithSettings(const QByteArray& settings) {
    QFile file(SettingsPath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(settings);
    file.close();
    OpenWindow();
  }

  QStringList messages;

 private:
  // The window reads its settings as it is made, from the file beside the
  // program, where there is none; it reads them again from the temporary one.
  void OpenWindow() {
    form.reset();
    form = std::make_unique<TForm1>();
    Child<TIniGT>(*form, QStringLiteral("IniGT1"))->setFileName(SettingsPath());
    form->FormCreate();
  }

  QTemporaryDir settingsDir;
  std::unique_ptr<TForm1> form;
};

}  // namespace main_window_probe
