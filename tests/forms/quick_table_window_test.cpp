// The 早見表 window driven as a person drives it: opened from a calculation
// button's context menu and with Ctrl+T, its range typed with real keys, the
// unit switched by a click, the table and the chart it fills, the CSV file
// saved through the file dialog (the sheet tool's CSV with a byte-order mark),
// the copy on the clipboard, the print to a PDF file, a refused range, and
// the range and position it keeps in the settings file.
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineSeries>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QTextBrowser>
#include <QTimer>
#include <QValueAxis>

#include "face/MainFields.h"
#include "face/QuickTable.h"
#include "forms/QuickTableChart.h"
#include "forms/QuickTableWindow.h"
#include "platform/HelpViewer.h"
#include "tests/forms/main_window_probe.h"

using namespace main_window_probe;
using tavenko::AmountUnit;
using tavenko::Extended;
namespace calc = tavenko::calc;
namespace face = tavenko::face;

namespace {

// The main window's figures before the window opens: each family has what
// it reads, and the income 1,000 lies on every income family's starting range.
struct Typed {
  Extended income = 1000, deductions = 150, profit = 2500, value = 10000;
  Extended children = 2, parents = 1, siblings = 3, years = 12;
};

void TypeIntoMainWindow(TForm1& form, const Typed& t, bool yen, bool spouse) {
  const Extended money = yen ? tavenko::kYenPerMan : 1;
  const std::pair<int, Extended> fields[] = {{11, t.income * money}, {12, t.deductions * money},
                                             {13, t.profit * money}, {14, t.value * money},
                                             {8, t.children},        {9, t.parents},
                                             {10, t.siblings},       {16, t.years}};
  for (const auto& [number, value] : fields) Field(form, number)->setValue(value);
  QTest::mouseClick(Child<QRadioButton>(form, yen ? "RadioButton4" : "RadioButton3"), Qt::LeftButton);
  QTest::mouseClick(Child<QRadioButton>(form, spouse ? "RadioButton1" : "RadioButton2"), Qt::LeftButton);
}

QPushButton* CaseButton(TForm1& form, std::string_view name) {
  return Child<QPushButton>(form, QString::fromUtf8(name.data(), qsizetype(name.size())));
}

// A right click on the button, then a click on "早見表…" in the menu it opens.
TQuickTableWindow* OpenFromContextMenu(TForm1& form, std::string_view buttonName) {
  QPushButton* button = CaseButton(form, buttonName);
  const QPoint at = button->rect().center();
  QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at, button->mapToGlobal(at));
  QApplication::sendEvent(button, &rightClick);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  if (!menu) {
    qWarning("no context menu on %s", button->objectName().toUtf8().constData());
    return nullptr;
  }
  QAction* action = menu->findChild<QAction*>(QStringLiteral("QuickTableAction"));
  if (!action || action->text() != QStringLiteral("早見表…")) return nullptr;
  const int before = form.findChildren<TQuickTableWindow*>().size();
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
  if (!QTest::qWaitFor([menu] { return !menu->isVisible(); })) return nullptr;
  const QList<TQuickTableWindow*> windows = form.findChildren<TQuickTableWindow*>();
  if (windows.size() != before + 1) return nullptr;
  // The new window takes the activation from the main window.
  TQuickTableWindow* window = windows.last();
  return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }) ? window : nullptr;
}

template <typename T>
T* In(QWidget& window, const char* name) {
  return Child<T>(window, QString::fromLatin1(name));
}

// Types `keys` into a figure field of the window as a person does: focus,
// Delete to clear, the digits, then waits for the table to follow.
void TypeFigure(TQuickTableWindow& window, const char* field, const QString& digits) {
  auto* edit = In<TNValEdit>(window, field);
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, digits);
}

QStringList RowTexts(const QAbstractItemModel& model, int row) {
  QStringList texts;
  for (int c = 0; c < model.columnCount(); ++c) texts << model.index(row, c).data().toString();
  return texts;
}

QStringList HeaderTexts(const QAbstractItemModel& model) {
  QStringList texts;
  for (int c = 0; c < model.columnCount(); ++c) texts << model.headerData(c, Qt::Horizontal).toString();
  return texts;
}

// The sheet tool's CSV for the window's case, inputs and range.
QByteArray ToolCsv(const TQuickTableWindow& window) {
  const face::QuickTable& table = *window.Table();
  const calc::MainInputs& in = table.Inputs();
  QStringList args{
      QString::fromUtf8(table.Button().caption.data(), qsizetype(table.Button().caption.size()))};
  const auto number = [](Extended v) { return QString::number(qlonglong(v)); };
  const face::QuickRange& range = table.Range();
  for (const face::MainField& f : face::InputFields())
    if (f.figure != range.figure)
      args << "--" + QString::fromUtf8(f.key.data(), qsizetype(f.key.size())) << number(in.*f.input);
  if (in.unit == AmountUnit::Yen) args << "--yen";
  if (in.spouseCount == 0) args << "--no-spouse";
  const std::string_view key = face::InputField(range.figure).key;
  args << "--vary" << QString::fromUtf8(key.data(), qsizetype(key.size())) << "--from" << number(range.from)
       << "--to" << number(range.to) << "--step" << number(range.step) << "--csv";
  QProcess tool;
  tool.start(QString::fromLocal8Bit(qgetenv("TAVENKO_SHEET")), args);
  if (!tool.waitForFinished(30000) || tool.exitCode() != 0) {
    qWarning("tavenko-sheet %s: %s", qPrintable(args.join(' ')), tool.readAllStandardError().constData());
    return {};
  }
  return tool.readAllStandardOutput();
}

// Answers the next modal file dialog with `path`.
void AnswerFileDialogWith(const QString& path) {
  QTimer::singleShot(0, [path] {
    QTRY_VERIFY(qobject_cast<QFileDialog*>(QApplication::activeModalWidget()));
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    dialog->selectFile(path);
    static_cast<QDialog*>(dialog)->accept();  // as its save button does
  });
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A shown main window, holding `typed` when given, and the 早見表 of `button`
// opened from the button's context menu (nullptr when it did not open).
struct OpenedFromMenu {
  explicit OpenedFromMenu(std::string_view button, std::optional<Typed> typed = std::nullopt,
                          bool yen = false, bool spouse = true) {
    ShowAndActivate(Form());
    if (typed) TypeIntoMainWindow(Form(), *typed, yen, spouse);
    window = OpenFromContextMenu(Form(), button);
  }
  TForm1& Form() { return probe.Window(); }

  MainWindowProbe probe;
  TQuickTableWindow* window = nullptr;
};

}  // namespace

class QuickTableWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QGuiApplication::clipboard()->clear(); }

  void opensFromAButtonsContextMenuForThatButton_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("yen");
    QTest::addColumn<bool>("spouse");
    QTest::newRow("一般所得税 in 万円") << "BitBtn1" << false << true;
    QTest::newRow("退職所得 in 円") << "BitBtn4" << true << true;
    QTest::newRow("法人（小規模）") << "BitBtn13" << false << true;
    QTest::newRow("贈（尊属） in 円") << "BitBtn29" << true << true;
    QTest::newRow("1/2 without a spouse") << "BitBtn17" << false << false;
    QTest::newRow("相続税（兄弟） in 円") << "BitBtn20" << true << true;
  }

  // The window opens for the button right-clicked, with the main window's
  // figures, unit and spouse setting; the row of the figure the main window
  // holds shows what a click of that button shows there.
  void opensFromAButtonsContextMenuForThatButton() {
    QFETCH(QString, button);
    QFETCH(bool, yen);
    QFETCH(bool, spouse);
    MainWindowProbe probe;
    TForm1& form = probe.Window();
    ShowAndActivate(form);
    const QRect designed = form.geometry();
    const auto shownControls = [&form] {
      QStringList shown;
      for (QWidget* w : form.findChildren<QWidget*>())
        if (w->window() == &form && w->isVisible())
          shown
              << w->objectName() +
                     QStringLiteral(" %1,%2 %3x%4").arg(w->x()).arg(w->y()).arg(w->width()).arg(w->height());
      return shown;
    };
    TypeIntoMainWindow(form, Typed{}, yen, spouse);
    const QStringList controls = shownControls();

    TQuickTableWindow* window = OpenFromContextMenu(form, button.toStdString());
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const calc::MainCase& c = *calc::FindMainCase(button.toStdString());
    QCOMPARE(In<QComboBox>(*window, "CaseBox")->currentText(), QString::fromUtf8(c.caption.data()));
    QCOMPARE(In<QComboBox>(*window, "CaseBox")->count(), qsizetype(calc::MainCases().size()));
    QVERIFY(In<QRadioButton>(*window, yen ? "YenButton" : "ManButton")->isChecked());
    QVERIFY(window->BringTableUpToDate());
    // Nothing of the main window moved or appeared.
    QCOMPARE(form.geometry().size(), designed.size());
    QCOMPARE(shownControls(), controls);

    const face::QuickTable& table = *window->Table();
    QCOMPARE(&table.Button(), &c);
    const calc::MainInputs& in = table.Inputs();
    QCOMPARE(in.unit, yen ? AmountUnit::Yen : AmountUnit::Man);
    QCOMPARE(in.spouseCount, spouse ? tavenko::kCountScale : 0);
    for (const face::MainField& f : face::InputFields())
      QCOMPARE(double(in.*f.input),
               double(Child<TNValEdit>(form, QString::fromUtf8(f.name.data()))->Value()));

    // The main window's click of the same figures, against the row that varies
    // the figure to what the main window holds.
    const face::MainField& varied = table.VariedField();
    const Extended held = Child<TNValEdit>(form, QString::fromUtf8(varied.name.data()))->Value();
    std::optional<int> row;
    for (std::size_t r = 0; r < table.RowCount(); ++r)
      if (table.FigureAt(r) == held) row = int(r);
    QVERIFY2(row, "the main window's figure lies on the starting range");
    Press(form, button.toLatin1().constData());
    const QStringList clicked = ShownResults(form);
    const QStringList shown = RowTexts(*In<QTableView>(*window, "TableView")->model(), *row);
    QCOMPARE(shown.mid(1), clicked);
  }

  void ctrlTOpensTheLastButtonPressedOrTheFirstBeforeAnyPress() {
    MainWindowProbe probe;
    TForm1& form = probe.Window();
    ShowAndActivate(form);
    Field(form, 11)->setFocus();
    QTest::keyClick(Field(form, 11), Qt::Key_T, Qt::ControlModifier);
    QTRY_COMPARE(form.findChildren<TQuickTableWindow*>().size(), 1);
    QCOMPARE(In<QComboBox>(*form.findChildren<TQuickTableWindow*>().last(), "CaseBox")->currentText(),
             QStringLiteral("一般所得税"));

    Press(form, "BitBtn15");
    ShowAndActivate(form);
    QTest::keyClick(&form, Qt::Key_T, Qt::ControlModifier);
    QTRY_COMPARE(form.findChildren<TQuickTableWindow*>().size(), 2);
    QCOMPARE(In<QComboBox>(*form.findChildren<TQuickTableWindow*>().last(), "CaseBox")->currentText(),
             QStringLiteral("贈与税"));
  }

  void fillsTheTableAndTheChart_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("header");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("invalidRows");
    QTest::addColumn<bool>("yen");
    const QStringList income{"所得金額", "課税所得", "所得税", "地方税",
                             "事業税",   "税金合計", "平均",   "上積"};
    const QStringList estate{"評価額",     "課税所得",   "妻の税額", "子の税額",
                             "配偶者軽減", "合計納税額", "平均",     "上積"};
    QTest::newRow("給与所得") << "BitBtn2" << income << 50 << 0 << false;
    QTest::newRow("相続税（子） in 円") << "BitBtn16" << estate << 20 << 0 << true;
    // No years of service: every click says so.
    QTest::newRow("退職所得 without years") << "BitBtn4" << income << 50 << 50 << false;
  }

  void fillsTheTableAndTheChart() {
    QFETCH(QString, button);
    QFETCH(QStringList, header);
    QFETCH(int, rows);
    QFETCH(int, invalidRows);
    QFETCH(bool, yen);
    MainWindowProbe probe;
    TForm1& form = probe.Window();
    ShowAndActivate(form);
    Typed typed;
    if (invalidRows) typed.years = 0;
    TypeIntoMainWindow(form, typed, yen, true);
    TQuickTableWindow* window = OpenFromContextMenu(form, button.toStdString());
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(window->BringTableUpToDate());

    auto* view = In<QTableView>(*window, "TableView");
    const QAbstractItemModel& model = *view->model();
    QCOMPARE(model.rowCount(), rows);
    QCOMPARE(HeaderTexts(model), header);
    int grey = 0;
    for (int row = 0; row < rows; ++row) {
      for (int c = 0; c < model.columnCount(); ++c)
        QCOMPARE(model.index(row, c).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::AlignRight | Qt::AlignVCenter);
      const QVariant tip = model.index(row, 3).data(Qt::ToolTipRole);
      if (tip.isValid()) {
        ++grey;
        QCOMPARE(model.index(row, 3).data(Qt::ForegroundRole).value<QColor>(), QColor(128, 128, 128));
        QCOMPARE(tip.toString(), QStringLiteral("勤続年数を入力してください"));
      }
    }
    QCOMPARE(grey, invalidRows);

    // Every row a point; money in the unit its axis title names (万円, or
    // 億円 for estates) in either unit of the window, the rates as they are.
    auto* chart = In<QuickTableChart>(*window, "QuickTableChart");
    const auto perMark = [](QValueAxis* axis) { return axis->titleText().endsWith(QStringLiteral("（億円）")) ? 1e4 : 1; };
    const double oku = perMark(chart->FigureAxis()), moneyOku = perMark(chart->MoneyAxis());
    const double man = yen ? double(tavenko::kYenPerMan) : 1;
    for (int column = 2; column <= 7; ++column) {
      QLineSeries* series = chart->Series(column);
      QCOMPARE(series->count(), rows);
      QCOMPARE(series->name(), header[column]);
      QCOMPARE(series->at(rows - 1).x(), double(window->Table()->FigureAt(rows - 1)) / man / oku);
      QCOMPARE(series->at(rows - 1).y(),
               double(window->Table()->Value(rows - 1, column)) / (column < 6 ? man * moneyOku : 1));
    }
    QVERIFY(chart->MoneyAxis()->titleText().startsWith(QStringLiteral("税額（")));
    QVERIFY(chart->chart()->legend()->isVisible());
    QVERIFY(chart->RateAxis()->titleText().contains("％"));

    // The captions stay in view while the rows scroll under them.
    QHeaderView* captions = view->horizontalHeader();
    const QPoint top = captions->mapTo(window, QPoint(0, 0));
    view->scrollToBottom();
    QVERIFY(captions->isVisible());
    QCOMPARE(captions->mapTo(window, QPoint(0, 0)), top);
  }

  // The window opens under the main window's edition; 改正比較, ticked with
  // the keyboard, adds the other edition's total and the difference to the
  // table and the other total dashed to the chart, as the table computes them.
  void opensUnderTheMainWindowsEditionAndComparesEditions() {
    MainWindowProbe probe;
    TForm1& form = probe.Window();
    ShowAndActivate(form);
    TypeIntoMainWindow(form, Typed{}, false, true);
    form.SetEdition(tavenko::law::EditionId::Reiwa7);
    TQuickTableWindow* window = OpenFromContextMenu(form, "BitBtn2");
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("早見表　給与所得　令和７年分"));
    QCOMPARE(In<QComboBox>(*window, "EditionBox")->currentText(), QStringLiteral("令和7年分"));
    QVERIFY(window->BringTableUpToDate());
    QCOMPARE(window->Table()->Inputs().edition, tavenko::law::EditionId::Reiwa7);

    auto* compare = In<QCheckBox>(*window, "CompareBox");
    compare->setFocus(Qt::TabFocusReason);
    QTest::keyClick(compare, Qt::Key_Space);
    QVERIFY(window->BringTableUpToDate());
    const face::QuickTable& table = *window->Table();
    QCOMPARE(table.ComparedEdition(), std::optional(tavenko::law::EditionId::Heisei29));
    const QAbstractItemModel& model = *In<QTableView>(*window, "TableView")->model();
    QCOMPARE(model.columnCount(), face::QuickTable::kDifferenceColumn + 1);
    QCOMPARE(HeaderTexts(model).mid(face::QuickTable::kComparedTotalColumn),
             (QStringList{QStringLiteral("税金合計（平成29年版）"), QStringLiteral("差額")}));
    const int last = model.rowCount() - 1;
    for (int column : {face::QuickTable::kComparedTotalColumn, face::QuickTable::kDifferenceColumn})
      QCOMPARE(model.index(last, column).data().toString(), QString::fromStdString(table.Text(last, column)));
    QLineSeries* compared = In<QuickTableChart>(*window, "QuickTableChart")->ComparedTotal();
    QVERIFY(compared->isVisible());
    QCOMPARE(compared->count(), model.rowCount());
    QCOMPARE(compared->pen().style(), Qt::DashLine);
    QCOMPARE(compared->at(last).y(), double(table.Value(std::size_t(last), face::QuickTable::kComparedTotalColumn)));
  }

  // In 円 the largest figures the fields hold: every text fits its column.
  void columnsHoldTheirWidestFigures() {
    MainWindowProbe probe;
    TForm1& form = probe.Window();
    ShowAndActivate(form);
    Typed huge;
    huge.children = 99;
    TypeIntoMainWindow(form, huge, true, true);
    TQuickTableWindow* window = OpenFromContextMenu(form, "BitBtn16");
    QVERIFY(window);
    TypeFigure(*window, "FromField", "999999000000");
    TypeFigure(*window, "ToField", "999999999999");
    TypeFigure(*window, "StepField", "99999");
    QVERIFY(window->BringTableUpToDate());
    QCOMPARE(window->Table()->RowCount(), std::size_t(11));
    QCOMPARE(window->Table()->Text(10, 0), "999,999,999,990");

    auto* view = In<QTableView>(*window, "TableView");
    const QFontMetrics metrics(view->font());
    for (int c = 0; c < view->model()->columnCount(); ++c) {
      for (int row = 0; row < view->model()->rowCount(); ++row) {
        const QString text = view->model()->index(row, c).data().toString();
        QVERIFY2(metrics.horizontalAdvance(text) + 6 <= view->columnWidth(c), qPrintable(text));
      }
      const QString caption = view->model()->headerData(c, Qt::Horizontal).toString();
      QVERIFY2(view->horizontalHeader()->fontMetrics().horizontalAdvance(caption) < view->columnWidth(c),
               qPrintable(caption));
    }
  }

  void savesTheToolsCsvWithAByteOrderMark_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("yen");
    QTest::addColumn<bool>("spouse");
    QTest::newRow("一般所得税 in 万円") << "BitBtn1" << false << true;
    QTest::newRow("3/4 in 円 without a spouse") << "BitBtn21" << true << false;
    QTest::newRow("役員 without years: the messages column") << "BitBtn28" << false << true;
  }

  void savesTheToolsCsvWithAByteOrderMark() {
    QFETCH(QString, button);
    QFETCH(bool, yen);
    QFETCH(bool, spouse);
    QVERIFY2(!qgetenv("TAVENKO_SHEET").isEmpty(), "TAVENKO_SHEET names the sheet tool");
    Typed typed;
    if (button == "BitBtn28") typed.years = 0;
    OpenedFromMenu opened(button.toStdString(), typed, yen, spouse);
    TQuickTableWindow* window = opened.window;
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));

    QTemporaryDir dir;
    const QString path = dir.filePath("table.csv");
    AnswerFileDialogWith(path);
    QTest::mouseClick(In<QPushButton>(*window, "CsvButton"), Qt::LeftButton);
    const QByteArray saved = FileBytes(path);
    QVERIFY(saved.startsWith("\xEF\xBB\xBF"));
    const QByteArray tool = ToolCsv(*window);
    QVERIFY(!tool.isEmpty());
    QVERIFY(!tool.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(saved.mid(3), tool);
    QCOMPARE(opened.probe.messages, QStringList());
  }

  void aFileThatCannotBeWrittenIsSaidSo() {
    OpenedFromMenu opened("BitBtn1");
    TQuickTableWindow* window = opened.window;
    QVERIFY(window);
    QTemporaryDir dir;
    const QString path = dir.filePath("no such folder/table.csv");
    QVERIFY(!window->SaveCsv(path));
    QCOMPARE(opened.probe.messages.size(), 1);
    QVERIFY(
        opened.probe.messages[0].startsWith(QStringLiteral("CSV ファイルを保存できませんでした。\n") + path));
    QVERIFY(!QFile::exists(path));
  }

  // The copy pastes into a spreadsheet: one line a row, fields split by tabs.
  void copiesTheTableAsTabSeparatedText() {
    OpenedFromMenu opened("BitBtn3", Typed{}, false, true);
    TQuickTableWindow* window = opened.window;
    QVERIFY(window);
    QTest::mouseClick(In<QPushButton>(*window, "CopyButton"), Qt::LeftButton);

    const QStringList lines = QGuiApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    const QAbstractItemModel& model = *In<QTableView>(*window, "TableView")->model();
    QCOMPARE(lines.size(), model.rowCount() + 1);
    QCOMPARE(lines[0].split('\t'), HeaderTexts(model));
    for (int row = 0; row < model.rowCount(); ++row)
      QCOMPARE(lines[row + 1].split('\t'), RowTexts(model, row));
  }

  void printsTheTableAndItsChartToAPdfFile_data() {
    QTest::addColumn<QString>("to");
    QTest::addColumn<bool>("severalPages");
    QTest::newRow("one page") << "1000" << false;
    QTest::newRow("many pages") << "50000" << true;
  }

  void printsTheTableAndItsChartToAPdfFile() {
    QFETCH(QString, to);
    QFETCH(bool, severalPages);
    OpenedFromMenu opened("BitBtn1");
    TQuickTableWindow* window = opened.window;
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    TypeFigure(*window, "ToField", to);
    QVERIFY(window->BringTableUpToDate());

    const QStringList heading = window->Heading();
    QCOMPARE(heading.value(0), QStringLiteral("早見表　一般所得税"));
    QVERIFY(heading.value(1).startsWith(QStringLiteral("所得金額　100 万円 ～ ")));
    QCOMPARE(heading.value(2), QStringLiteral("ほかの入力　所得控除額 0 万円"));
    QCOMPARE(heading.value(3), QStringLiteral("単位　万円"));

    QTemporaryDir dir;
    const QString path = dir.filePath("table.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    QVERIFY(window->PrintTo(printer));
    const QByteArray pdf = FileBytes(path);
    QVERIFY(pdf.startsWith("%PDF-"));
    const qsizetype pages =
        pdf.count("/Type /Page\n") + pdf.count("/Type /Page ") + pdf.count("/Type /Page/");
    QVERIFY2(severalPages ? pages > 2 : pages == 1, qPrintable(QString::number(pages)));
    QCOMPARE(opened.probe.messages, QStringList());
  }

  void aPrintFileThatCannotBeWrittenIsSaidSo() {
    OpenedFromMenu opened("BitBtn1");
    TQuickTableWindow* window = opened.window;
    QVERIFY(window);
    QTemporaryDir dir;
    const QString path = dir.filePath("no such folder/table.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    QVERIFY(!window->PrintTo(printer));
    QCOMPARE(opened.probe.messages,
             QStringList{QStringLiteral("印刷できませんでした。\n%1 に書き込めません。").arg(path)});
  }

  void refusesABadRangeWithItsReason_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("reason");
    QTest::newRow("step 0") << "StepField"
                            << "0"
                            << "所得金額の刻みは 1 以上にしてください（0）";
    QTest::newRow("start after the end") << "FromField"
                                         << "6000"
                                         << "所得金額の開始（6,000）が終了（5,000）を超えています";
    QTest::newRow("too many rows") << "ToField"
                                   << "999999999999"
                                   << "行数が 9,999,999,999 行になり、上限の 100,000 行を超えます";
  }

  // The reason stands in the window in place of the table: no rows, no
  // lines, no file, copy or print of a table that is not there.
  void refusesABadRangeWithItsReason() {
    QFETCH(QString, field);
    QFETCH(QString, digits);
    QFETCH(QString, reason);
    OpenedFromMenu opened("BitBtn1");
    TQuickTableWindow* window = opened.window;
    QVERIFY(window);
    QVERIFY(window->BringTableUpToDate());
    TypeFigure(*window, field.toLatin1().constData(), digits);
    QVERIFY(!window->BringTableUpToDate());

    QCOMPARE(In<QLabel>(*window, "StatusLabel")->text(), reason);
    QCOMPARE(In<QTableView>(*window, "TableView")->model()->rowCount(), 0);
    QCOMPARE(In<QTableView>(*window, "TableView")->model()->columnCount(), 0);
    QCOMPARE(In<QuickTableChart>(*window, "QuickTableChart")->Series(5)->count(), 0);
    for (const char* button : {"CsvButton", "CopyButton", "PrintButton"})
      QVERIFY(!In<QPushButton>(*window, button)->isEnabled());
    QVERIFY(!window->SaveCsv(QDir::temp().filePath("never.csv")));
    QVERIFY(!QFile::exists(QDir::temp().filePath("never.csv")));
    QCOMPARE(opened.probe.messages, QStringList());

    // Put right, the table comes back.
    TypeFigure(*window, "FromField", "100");
    TypeFigure(*window, "ToField", "5000");
    TypeFigure(*window, "StepField", "100");
    QVERIFY(window->BringTableUpToDate());
    QCOMPARE(In<QTableView>(*window, "TableView")->model()->rowCount(), 50);
  }

  // The range fields take the main window's field rules: digits only, no
  // minus, no decimals, Enter to the next field.
  void rangeFieldsKeepTheFigureFieldRules() {
    MainWindowProbe probe;
    TForm1& form = probe.Window();
    ShowAndActivate(form);
    int beeps = 0;
    tavenko::platform::SetBeepHook([&beeps] { ++beeps; });
    TQuickTableWindow* window = OpenFromContextMenu(form, "BitBtn1");
    QVERIFY(window);
    auto* from = In<TNValEdit>(*window, "FromField");
    from->setFocus();
    QTest::keyClick(from, Qt::Key_Delete);
    QTest::keyClicks(from, "1-2.5a3");
    QCOMPARE(from->text(), QStringLiteral("1,253"));
    QVERIFY(beeps >= 2);
    QTest::keyClick(from, Qt::Key_Return);

    QCOMPARE(QApplication::focusWidget(), In<TNValEdit>(*window, "ToField"));
    tavenko::platform::SetBeepHook({});

    // The counts take two digits.
    auto* figure = In<QComboBox>(*window, "CaseBox");
    figure->setCurrentIndex(figure->findText(QStringLiteral("相続税（子）")));
    auto* varied = In<QComboBox>(*window, "FigureBox");
    varied->setCurrentIndex(varied->findText(QStringLiteral("子の数")));
    QCOMPARE(In<TNValEdit>(*window, "ToField")->MaxDigits(), 2);
    QCOMPARE(In<TNValEdit>(*window, "ToField")->text(), QStringLiteral("6"));
    QVERIFY(window->BringTableUpToDate());
    QCOMPARE(window->Table()->RowCount(), std::size_t(6));
  }

  // 円 and back: the money figures keep their amounts.
  void theUnitSwitchKeepsTheAmounts() {
    OpenedFromMenu opened("BitBtn2", Typed{}, false, true);
    TQuickTableWindow* window = opened.window;
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTest::mouseClick(In<QRadioButton>(*window, "YenButton"), Qt::LeftButton);
    QVERIFY(window->BringTableUpToDate());
    QCOMPARE(window->Table()->Inputs().unit, AmountUnit::Yen);
    QCOMPARE(In<TNValEdit>(*window, "FromField")->text(), QStringLiteral("1,000,000"));
    QCOMPARE(In<TNValEdit>(*window, "StepField")->text(), QStringLiteral("1,000,000"));
    QCOMPARE(In<TNValEdit>(*window, "FixedDeductions")->text(), QStringLiteral("1,500,000"));
    QCOMPARE(window->Table()->RowCount(), std::size_t(50));

    QTest::mouseClick(In<QRadioButton>(*window, "YenButton"), Qt::LeftButton);  // again: still 円
    QVERIFY(In<QRadioButton>(*window, "YenButton")->isChecked());
    QCOMPARE(In<TNValEdit>(*window, "FromField")->text(), QStringLiteral("1,000,000"));
    QTest::mouseClick(In<QRadioButton>(*window, "ManButton"), Qt::LeftButton);
    QVERIFY(!In<QRadioButton>(*window, "YenButton")->isChecked());
    QCOMPARE(In<TNValEdit>(*window, "FromField")->text(), QStringLiteral("100"));
    QCOMPARE(In<TNValEdit>(*window, "FixedDeductions")->text(), QStringLiteral("150"));
  }

  // The marks of both chart axes read as distinct figures, whatever the span:
  // a span under one mark's unit takes decimals, a table of zeros gets an
  // axis, and 12-digit figures are marked in a larger unit.
  void chartMarksAreDistinct_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("yen");
    QTest::addColumn<QStringList>("range");  // figure index, from, to, step
    QTest::newRow("deductions 1 to 10,000 円") << "BitBtn1" << true << QStringList{"1", "1", "10000", "1"};
    QTest::newRow("estates below the basic deduction") << "BitBtn16" << false << QStringList{"0", "100", "3000", "100"};
    QTest::newRow("twelve digits") << "BitBtn1" << false
                                   << QStringList{"0", "999000000000", "999999999999", "100000000"};
  }
  void chartMarksAreDistinct() {
    QFETCH(QString, button);
    QFETCH(bool, yen);
    QFETCH(QStringList, range);
    OpenedFromMenu opened(button.toStdString(), Typed{.income = 0, .deductions = 0, .children = 0}, yen);
    TQuickTableWindow* window = opened.window;
    QVERIFY(window);
    In<QComboBox>(*window, "FigureBox")->setCurrentIndex(range[0].toInt());
    TypeFigure(*window, "FromField", range[1]);
    TypeFigure(*window, "ToField", range[2]);
    TypeFigure(*window, "StepField", range[3]);
    QVERIFY(window->BringTableUpToDate());
    auto* chart = In<QuickTableChart>(*window, "QuickTableChart");
    for (QValueAxis* axis : {chart->FigureAxis(), chart->MoneyAxis()}) {
      QStringList marks;
      for (int i = 0; i < axis->tickCount(); ++i)
        marks << QString::asprintf(axis->labelFormat().toLatin1().constData(),
                                   axis->min() + i * (axis->max() - axis->min()) / (axis->tickCount() - 1));
      QCOMPARE(QSet<QString>(marks.begin(), marks.end()).size(), marks.size());
      QVERIFY2(marks.last().size() <= 8, qPrintable(marks.join(' ')));
    }
  }

  // A table of up to 10,000 rows follows each key without waiting for a
  // pause in the typing.
  void aSmallTableFollowsEachKey() {
    OpenedFromMenu opened("BitBtn1");
    TQuickTableWindow* window = opened.window;
    QVERIFY(window);
    QVERIFY(window->BringTableUpToDate());
    TypeFigure(*window, "StepField", "50");
    QTRY_COMPARE_WITH_TIMEOUT(window->Table()->Range().step, Extended(50), TQuickTableWindow::kTypingPauseMs / 2);
  }

  // A second window for the same case opens beside the first, not on it.
  void aSecondWindowCascades() {
    OpenedFromMenu opened("BitBtn1");
    QVERIFY(opened.window);
    TQuickTableWindow* second = OpenFromContextMenu(opened.Form(), "BitBtn1");
    QVERIFY(second);
    QCOMPARE(second->pos(), opened.window->pos() + QPoint(TQuickTableWindow::kCascadeStep,
                                                          TQuickTableWindow::kCascadeStep));
  }

  // A range typed while a larger table is still being computed: the window
  // goes on taking keys, and the table shown in the end is the last one asked.
  void theNewestRangeWinsAndTheWindowIsNotHeld() {
    OpenedFromMenu opened("BitBtn16");
    TQuickTableWindow* window = opened.window;
    QVERIFY(window);
    QVERIFY(window->BringTableUpToDate());
    TypeFigure(*window, "FromField", "1");
    TypeFigure(*window, "ToField", "100000");
    TypeFigure(*window, "StepField", "1");
    QTest::qWait(TQuickTableWindow::kTypingPauseMs + 50);  // the 100,000 rows start
    TypeFigure(*window, "ToField", "30");
    QCOMPARE(In<TNValEdit>(*window, "ToField")->text(), QStringLiteral("30"));
    QVERIFY(window->BringTableUpToDate());
    QCOMPARE(window->Table()->RowCount(), std::size_t(30));
    QTest::qWait(50);  // a late report of the large table changes nothing
    QCOMPARE(window->Table()->RowCount(), std::size_t(30));
    QCOMPARE(In<QTableView>(*window, "TableView")->model()->rowCount(), 30);
  }

  void keepsItsRangeAndPlaceAcrossACloseAndReopen() {
    OpenedFromMenu opened("BitBtn2");
    TForm1& form = opened.Form();
    TQuickTableWindow* window = opened.window;
    QVERIFY(window);
    ShowAndActivate(*window);
    TypeFigure(*window, "FromField", "300");
    TypeFigure(*window, "ToField", "900");
    TypeFigure(*window, "StepField", "50");
    QVERIFY(window->BringTableUpToDate());
    window->move(150, 60);
    const QPoint place = window->pos();
    window->close();
    QTRY_COMPARE(form.findChildren<TQuickTableWindow*>().size(), 0);

    window = OpenFromContextMenu(form, "BitBtn2");
    QVERIFY(window);
    QCOMPARE(window->pos(), place);
    QCOMPARE(In<TNValEdit>(*window, "FromField")->text(), QStringLiteral("300"));
    QCOMPARE(In<TNValEdit>(*window, "ToField")->text(), QStringLiteral("900"));
    QCOMPARE(In<TNValEdit>(*window, "StepField")->text(), QStringLiteral("50"));
    // In 円 the same amounts.
    QTest::mouseClick(In<QRadioButton>(*window, "YenButton"), Qt::LeftButton);
    QCOMPARE(In<TNValEdit>(*window, "ToField")->text(), QStringLiteral("9,000,000"));
    window->close();

    // Another case keeps its own range; a place off every screen is not used.
    TIniGT writer;
    writer.setFileName(opened.probe.SettingsPath());
    QVERIFY(!writer.WriteInteger("quicktable", "left", 40000));
    QVERIFY(!writer.WriteInteger("quicktable", "top", -40000));
    window = OpenFromContextMenu(form, "BitBtn1");
    QVERIFY(window);
    QCOMPARE(In<TNValEdit>(*window, "ToField")->text(), QStringLiteral("5,000"));
    QVERIFY(QGuiApplication::screenAt(window->pos() + QPoint(16, 8)));
    window->close();

    TIniGT reader;
    reader.setFileName(opened.probe.SettingsPath());
    QCOMPARE(reader.ReadRawString("quicktable", "bitbtn2.figure", {}), QStringLiteral("income"));
    QCOMPARE(reader.ReadRawString("quicktable", "bitbtn2.to", {}), QStringLiteral("9000000"));
  }

  // Closed and opened again and again, the window stays where it was: the
  // kept place is put before the window system makes the window, so that a
  // window manager puts the frame there, as x() and y() read it at close
  // (scripts/run-under-window-manager runs this under one).
  void placeHoldsOverOpenAndClose() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("place.ini"));
    {
      TIniGT writer;
      writer.setFileName(path);
      QVERIFY(!writer.WriteInteger("quicktable", "left", 210));
      QVERIFY(!writer.WriteInteger("quicktable", "top", 120));
    }
    const bool framedByWindowManager = QGuiApplication::platformName() != QLatin1String("offscreen");
    for (int cycle = 1; cycle <= 3; ++cycle) {
      TQuickTableWindow window(*calc::FindMainCase("BitBtn1"), calc::MainInputs{});
      window.findChild<TIniGT*>(QStringLiteral("IniGT1"))->setFileName(path);
      window.show();
      QVERIFY(QTest::qWaitForWindowExposed(&window));
      QCOMPARE(window.pos(), QPoint(210, 120));
      if (framedByWindowManager) QTRY_COMPARE(window.frameGeometry().topLeft(), QPoint(210, 120));
      QVERIFY(window.close());
      TIniGT reader;
      reader.setFileName(path);
      QCOMPARE(
          QPoint(reader.ReadInteger("quicktable", "left", -1), reader.ReadInteger("quicktable", "top", -1)),
          QPoint(210, 120));
    }
  }

  void f1OpensTheUsageHelp() {
    OpenedFromMenu opened("BitBtn1");
    QVERIFY(opened.window);
    auto* from = In<TNValEdit>(*opened.window, "FromField");
    from->setFocus();
    QTest::keyClick(from, Qt::Key_F1);
    QWidget* help = tavenko::platform::HelpWindow();
    QVERIFY(help && help->isVisible());
    QCOMPARE(tavenko::platform::ShownHelpPage(), QStringLiteral("usage.html"));
    // At the 早見表's own section: its heading at the top of the view.
    auto* browser = help->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
    QVERIFY(QTest::qWaitForWindowExposed(help));
    QVERIFY(browser->verticalScrollBar()->value() > 0);
    help->close();
  }
};

QTEST_MAIN(QuickTableWindowTest)
#include "quick_table_window_test.moc"
