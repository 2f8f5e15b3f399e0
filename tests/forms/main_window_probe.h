// A main window under test, as the window tests of the calculation buttons
// use it: a fresh TForm1, shown and active, whose settings file lives in a
// temporary folder (nothing is written beside the test program), with message
// boxes collected instead of shown; and readers of what the window shows.
#pragma once

#include <QApplication>
#include <QChartView>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPieSeries>
#include <QPieSlice>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "IniGT.h"
#include "Messages.h"
#include "NValEdit.h"
#include "zentai.h"

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
      for (QPieSlice* slice : pie->slices()) slices << slice->label() + ' ' + QString::number(slice->value(), 'g', 10);
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

class MainWindowProbe {
 public:
  MainWindowProbe() {
    tavenko::platform::SetMessageHook([this](const QString& text) { messages << text; });
    form = std::make_unique<TForm1>();
    Child<TIniGT>(*form, QStringLiteral("IniGT1"))->setFileName(settingsDir.filePath(QStringLiteral("Tavenko.ini")));
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

  QStringList messages;

 private:
  QTemporaryDir settingsDir;
  std::unique_ptr<TForm1> form;
};

}  // namespace main_window_probe
