// What a screen reader finds in every window, read through Qt's accessibility
// interfaces as an assistive client reads them: every focusable control has
// a name of its own, result fields are named by their captions as each case
// writes them, figure fields tell their unit, the charts describe what they
// show, and results and message boxes announce themselves.
#include <QAbstractBarSeries>
#include <QAccessible>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QMessageBox>
#include <QPieSeries>
#include <QPieSlice>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <memory>

#include "controls/IniGT.h"
#include "controls/NValEdit.h"
#include "forms/zentai.h"
#include "platform/HelpViewer.h"
#include "platform/Messages.h"

namespace {

using tavenko::law::EditionId;

// The main window and every window it opens, under one edition.
struct Windows {
  std::unique_ptr<TForm1> main;
  QList<QWidget*> all;  // main, 総合課税, 加算税の計算, 法人成り, 早見表, help

  Windows(const QString& settingsPath, EditionId edition) {
    main = std::make_unique<TForm1>();
    main->findChild<TIniGT*>(QStringLiteral("IniGT1"))->setFileName(settingsPath);
    main->SetEdition(edition);
    main->show();
    all << main.get();
    for (const char* button : {"BitBtn25", "BitBtn24", "BitBtn26"}) {
      main->findChild<QPushButton*>(QLatin1String(button))->click();
      all << main->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).constLast();
    }
    main->OpenQuickTable("BitBtn1");
    all << main->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).constLast();
    tavenko::platform::ShowUsageHelp();
    all << tavenko::platform::HelpWindow();
    for (QWidget* window : all) {
      if (auto* settings = window->findChild<TIniGT*>(QStringLiteral("IniGT1"), Qt::FindDirectChildrenOnly))
        settings->setFileName(settingsPath);
      window->show();
    }
  }
  ~Windows() {
    for (QWidget* window : all.mid(1)) delete window;
  }
};

QAccessibleInterface* Accessible(QObject* object) { return QAccessible::queryAccessibleInterface(object); }
QString NameOf(QObject* object) { return Accessible(object)->text(QAccessible::Name); }
QString DescriptionOf(QObject* object) { return Accessible(object)->text(QAccessible::Description); }

// Every node of a window's accessibility tree.
void Walk(QAccessibleInterface* node, QList<QAccessibleInterface*>& nodes) {
  nodes << node;
  for (int i = 0; i < node->childCount(); ++i)
    if (QAccessibleInterface* child = node->child(i)) Walk(child, nodes);
}

// A caption as a name is read: without its designed spacing.
QString Spoken(const QString& caption) { return caption.simplified().remove(QChar(' ')).remove(QChar(0x3000)); }

// The accessible events the windows send, kept for the test to read.
QList<std::pair<QAccessible::Event, QPointer<QObject>>>& Events() {
  static QList<std::pair<QAccessible::Event, QPointer<QObject>>> events;
  return events;
}
void KeepEvent(QAccessibleEvent* event) { Events().append({event->type(), event->object()}); }

// Qt sends accessible events only while an assistive client listens: on the
// X11 platform once the accessibility bus is up, never offscreen.
bool ScreenReaderListens() {
  const bool offscreen = QGuiApplication::platformName() == QLatin1String("offscreen");
  return QTest::qWaitFor([] { return QAccessible::isActive(); }, offscreen ? 0 : 5000);
}

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString Settings() const { return dir_.filePath(QStringLiteral("tavenko.ini")); }

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    QAccessible::installUpdateHandler(KeepEvent);
  }
  void cleanupTestCase() { QAccessible::installUpdateHandler(nullptr); }
  void init() {
    ScreenReaderListens();
    tavenko::platform::SetMessageHook([](const QString&) {});
    Events().clear();
  }

  // Each control a keyboard reaches, in every window and edition, is named,
  // and by a name no other control of its window has.
  void everyFocusableControlHasItsOwnName_data() {
    QTest::addColumn<int>("edition");
    QTest::newRow("平成29年版") << int(EditionId::Heisei29);
    QTest::newRow("令和7年分") << int(EditionId::Reiwa7);
  }
  void everyFocusableControlHasItsOwnName() {
    QFETCH(int, edition);
    Windows windows(Settings(), EditionId(edition));
    // Once more with the kasanzei results shown, which a calculation reveals.
    windows.all[2]->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    for (QWidget* window : windows.all) {
      QList<QAccessibleInterface*> nodes;
      Walk(Accessible(window), nodes);
      QHash<QString, QString> owners;  // name -> the control that has it
      for (QAccessibleInterface* node : nodes) {
        // Controls only: not the cells of a table, nor a combo box's list,
        // a popup of its own read as the box's items.
        const auto* widget = qobject_cast<QWidget*>(node->object());
        if (!node->state().focusable || !widget || widget == window || widget->window() != window) continue;
        const QString control = window->objectName() + '.' + node->object()->objectName() + " (" +
                                node->object()->metaObject()->className() + ')';
        // On Linux Qt names a combo box by its current item and gives its
        // prompt as the label relation or the description; it is known in
        // the window by the name it is given.
        const bool combo = node->role() == QAccessible::ComboBox;
        const QString name = combo ? widget->accessibleName() : node->text(QAccessible::Name);
        if (combo)
          QVERIFY2(!node->relations(QAccessible::Label).isEmpty() || !node->text(QAccessible::Description).isEmpty(),
                   qPrintable(control + " has neither a label nor a description"));
        QVERIFY2(!name.trimmed().isEmpty(), qPrintable(control + " has no name"));
        QVERIFY2(!owners.contains(name),
                 qPrintable(control + " and " + owners.value(name) + " are both called " + name));
        owners.insert(name, control);
      }
    }
  }

  // A figure field is heard as it is shown, read-only where it is a result,
  // with its unit, which follows the unit buttons.
  void figureFieldsTellTheirValueAndUnit_data() {
    QTest::addColumn<int>("window");  // in Windows::all
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("yenButton");
    QTest::addColumn<QString>("manButton");
    QTest::newRow("main") << 0 << "NValEdit11" << "NValEdit5" << "RadioButton4" << "RadioButton3";
    QTest::newRow("加算税") << 2 << "NValEdit5" << "NValEdit41" << "RadioButton1" << "RadioButton2";
  }
  void figureFieldsTellTheirValueAndUnit() {
    QFETCH(int, window);
    QFETCH(QString, typed);
    QFETCH(QString, result);
    QFETCH(QString, yenButton);
    QFETCH(QString, manButton);
    Windows windows(Settings(), EditionId::Heisei29);
    QWidget* w = windows.all[window];
    auto* field = w->findChild<TNValEdit*>(typed);
    auto* resultField = w->findChild<TNValEdit*>(result);
    field->setValue(-1234567);
    QCOMPARE(Accessible(field)->text(QAccessible::Value), field->text());
    QVERIFY(!Accessible(field)->state().readOnly);
    QVERIFY(Accessible(resultField)->state().readOnly);
    for (const auto& [button, unit] : {std::pair{yenButton, QStringLiteral("単位：円")},
                                       std::pair{manButton, QStringLiteral("単位：万円")}}) {
      w->findChild<QRadioButton*>(button)->click();
      QVERIFY2(DescriptionOf(field).contains(unit), qPrintable(DescriptionOf(field)));
      QVERIFY2(DescriptionOf(resultField).contains(unit), qPrintable(DescriptionOf(resultField)));
    }
  }

  // After a click of each family of cases, each result field is named by the
  // caption above it (a blank caption leaves a name of its place), its new
  // figure is announced, and the pie lists its slices with their figures.
  void resultsFollowTheirCaptions_data() {
    QTest::addColumn<QString>("button");
    for (const char* button : {"BitBtn1", "BitBtn3", "BitBtn28", "BitBtn6", "BitBtn12", "BitBtn15", "BitBtn16",
                               "BitBtn21"})
      QTest::newRow(button) << button;
  }
  void resultsFollowTheirCaptions() {
    QFETCH(QString, button);
    Windows windows(Settings(), EditionId::Heisei29);
    TForm1& main = *windows.main;
    for (const auto& [field, value] : {std::pair{"NValEdit11", 1200}, {"NValEdit12", 300}, {"NValEdit13", 2500},
                                       {"NValEdit14", 30000}, {"NValEdit8", 2}, {"NValEdit16", 20}})
      main.findChild<TNValEdit*>(QLatin1String(field))->setValue(value);
    QStringList before;
    for (int i = 1; i <= 7; ++i) before << main.findChild<TNValEdit*>(QStringLiteral("NValEdit%1").arg(i))->text();
    Events().clear();
    main.findChild<QPushButton*>(button)->click();

    for (int i = 1; i <= 7; ++i) {
      const QString caption = Spoken(main.findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(i))->text());
      auto* result = main.findChild<TNValEdit*>(QStringLiteral("NValEdit%1").arg(i));
      QCOMPARE(NameOf(result), caption.isEmpty() ? QStringLiteral("結果欄%1").arg(QChar(0xFF10 + i)) : caption);
    }
    // Where a screen reader listens, each result that changed is announced.
    if (QAccessible::isActive()) {
      for (int i = 1; i <= 7; ++i) {
        auto* result = main.findChild<TNValEdit*>(QStringLiteral("NValEdit%1").arg(i));
        const bool announced = std::any_of(Events().begin(), Events().end(), [&](const auto& e) {
          return e.first == QAccessible::ValueChanged && e.second == result;
        });
        QVERIFY2(announced || result->text() == before[i - 1], qPrintable(result->objectName() + " unannounced"));
      }
    }

    auto* pie = main.findChild<QChartView*>(QStringLiteral("Chart1"));
    const QString description = DescriptionOf(pie);
    const QList<QPieSlice*> slices = pie->chart()->series().isEmpty()
                                         ? QList<QPieSlice*>()
                                         : static_cast<QPieSeries*>(pie->chart()->series().first())->slices();
    for (const QPieSlice* slice : slices)
      QVERIFY2(description.contains(slice->label() + ' '), qPrintable(description));
    QCOMPARE(description.count(QStringLiteral("万円")), slices.size());
  }

  // The comparison chart lists its bars with their figures after a search.
  void comparisonChartDescribesItsBars() {
    Windows windows(Settings(), EditionId::Heisei29);
    QWidget* comparison = windows.all[3];
    comparison->findChild<TNValEdit*>(QStringLiteral("NValEdit1"))->setValue(2000);
    comparison->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
    auto* chart = comparison->findChild<QChartView*>(QStringLiteral("Chart1"));
    const auto* bars = static_cast<QAbstractBarSeries*>(chart->chart()->series().first());
    QVERIFY(!bars->barSets().isEmpty());
    for (const QBarSet* set : bars->barSets())
      QVERIFY2(DescriptionOf(chart).contains(set->label() + ' '), qPrintable(DescriptionOf(chart)));
  }

  // A message box is announced as an alert and reads its text (where a
  // screen reader listens: tests/atspi/run-with-atspi runs this test so).
  void messageBoxIsReadWhenItAppears() {
    if (!ScreenReaderListens()) QSKIP("no accessibility bus: run under tests/atspi/run-with-atspi");
    tavenko::platform::SetMessageHook({});
    const QString text = QStringLiteral("年数の入力が間違っています");
    QString read;
    QTimer::singleShot(0, this, [&] {
      for (const auto& [type, object] : Events())
        if (type == QAccessible::Alert && qobject_cast<QMessageBox*>(object)) {
          QAccessibleInterface* box = Accessible(object);
          for (QAccessible::Text t : {QAccessible::Name, QAccessible::Value, QAccessible::Description})
            read += box->text(t) + '\n';
          for (int i = 0; i < box->childCount(); ++i) read += box->child(i)->text(QAccessible::Name) + '\n';
        }
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
    });
    tavenko::platform::ShowMessage(nullptr, text);
    QVERIFY2(read.contains(text), qPrintable(read));
  }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
