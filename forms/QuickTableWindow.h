// TQuickTableWindow, "早見表": one calculation button of the main window over
// a range of one of the figures it reads, as a table, a chart, a CSV file, a
// copy for a spreadsheet and a print.
//
//   case, varied figure, from / to / step, the other inputs, unit, spouse
//     ──face::RangeProblem──▶ its reason in the status line; no table at all
//     ──face::QuickTable, on a worker thread──▶ ShowTable(): the model of the
//                                              view, the column widths, the chart
//
// The window opens under the main window's edition and may switch to
// another; with 改正比較 ticked the table and the chart add the total under
// the other edition and its difference.
//
// A change of case, figure, edition, comparison, unit or spouse recomputes at
// once, and so does each key typed into a figure for a table of up to
// kRowsComputedAtOnce rows; for a larger table, typing into a
// figure field recomputes a moment after the last key. The table is computed
// off the window's thread and handed over whole, so the window never waits
// for it; a table asked for while another is being computed follows it, and
// only the newest is shown. CSV保存, コピー and 印刷 first bring the table up
// to the fields as they stand.
//
// The window opens with the main window's inputs and keeps its position,
// size and the last range of each case in the settings file
// (QuickTableSettings).
#pragma once

#include <QFutureWatcher>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>

#include "calc/MainSheet.h"
#include "face/QuickTable.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSplitter;
class QTableView;
class QTimer;
class QuickTableChart;
class QuickTableModel;
class QuickTableSettings;
class TIniGT;
class TNValEdit;

class TQuickTableWindow : public QWidget {
  Q_OBJECT

 public:
  // Tables of up to this many rows follow every key at once (they compute
  // in well under 50 ms); larger ones wait until typing pauses this long.
  static constexpr int kRowsComputedAtOnce = 10'000;
  static constexpr int kTypingPauseMs = 300;
  // How far a window that would open on another steps down and right.
  static constexpr int kCascadeStep = 24;

  // Opens for `button` with `inputs` as the main window holds them (unit
  // and spouse setting included). With an owner, the settings file is the
  // owner's.
  TQuickTableWindow(const tavenko::calc::MainCase& button, const tavenko::calc::MainInputs& inputs,
                    QWidget* owner = nullptr);
  ~TQuickTableWindow() override;

  // The table on show; nullptr while the range is refused.
  const tavenko::face::QuickTable* Table() const;
  // Hands over a finished table: the view, its column widths and the chart.
  void ShowTable(std::shared_ptr<const tavenko::face::QuickTable> table);
  // Tables the fields as they stand: a refused range at once, a table on the
  // worker thread, shown when it is done.
  void Recompute();
  // Brings the table up to the fields as they stand, waiting for a worker
  // that is computing; returns whether there is a table (the range is not
  // refused).
  bool BringTableUpToDate();

  // The heading of the print: the case, the range with the unit, the other
  // inputs and the unit.
  QStringList Heading() const;

  // The work of the three buttons once a file, the clipboard or a printer
  // is chosen. A refusal says so in a message box and returns false.
  bool SaveCsv(const QString& path);
  void CopyTable();
  bool PrintTo(QPrinter& printer);

  // Showing the window puts it at its kept place first (FormShow).
  void setVisible(bool visible) override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  struct Request {
    const tavenko::calc::MainCase* button;
    tavenko::calc::MainInputs inputs;
    tavenko::face::QuickRange range;
    std::optional<tavenko::law::EditionId> compareWith;
    int number;  // later requests have higher numbers
  };
  using TableFuture = QFutureWatcher<std::shared_ptr<const tavenko::face::QuickTable>>;

  // Set-up steps.
  void BuildRangeGroup(QWidget* group);
  void BuildInputsGroup(QWidget* group);
  void BuildTableAndChart(QWidget* area);
  void BuildButtons(QWidget* row);
  void ConnectHandlers();
  void Prefill(const tavenko::calc::MainInputs& inputs);

  // Handlers.
  void CaseChanged();
  void FigureChanged();
  void UnitClicked();
  void FigureEdited();
  void TableComputed();
  void SaveCsvClicked();
  void PrintClicked();
  void FormShow();
  void FormClose();

  const tavenko::calc::MainCase& CurrentCase() const;
  tavenko::face::Figure CurrentFigure() const;
  tavenko::calc::MainInputs ReadInputs() const;
  tavenko::face::QuickRange ReadRange() const;
  tavenko::law::EditionId CurrentEdition() const;
  // The edition 改正比較 compares with: the other one, when ticked.
  std::optional<tavenko::law::EditionId> ComparedEdition() const;
  void SetRange(const tavenko::face::QuickRange& range);
  void ShowFixedInputs();
  void ShowProblem(const QString& problem);
  void ShowStatus(const QString& text, bool problem);
  void StartNext();
  void FitColumns();

  QComboBox* caseBox_ = nullptr;
  QComboBox* figureBox_ = nullptr;
  QComboBox* editionBox_ = nullptr;
  QCheckBox* compareBox_ = nullptr;
  TNValEdit* fromField_ = nullptr;
  TNValEdit* toField_ = nullptr;
  TNValEdit* stepField_ = nullptr;
  QButtonGroup* unitGroup_ = nullptr;
  QRadioButton* manButton_ = nullptr;
  QRadioButton* yenButton_ = nullptr;
  QFormLayout* inputsForm_ = nullptr;
  std::array<TNValEdit*, 8> fixedFields_{};  // one per face::Figure
  QRadioButton* spouseButton_ = nullptr;
  QRadioButton* noSpouseButton_ = nullptr;
  QLabel* noInputsLabel_ = nullptr;
  QLabel* statusLabel_ = nullptr;
  QSplitter* area_ = nullptr;  // the table left, the chart right
  QTableView* view_ = nullptr;
  QuickTableModel* model_ = nullptr;
  QuickTableChart* chart_ = nullptr;
  QPushButton* csvButton_ = nullptr;
  QPushButton* copyButton_ = nullptr;
  QPushButton* printButton_ = nullptr;
  TIniGT* IniGT1 = nullptr;
  tavenko::AmountUnit unit_ = tavenko::AmountUnit::Man;  // the unit the figure fields are typed in

  bool userSplit_ = false;  // the user moved the divider between table and chart
  QString rangeNote_;       // why the kept range was not taken, for the status line

  QTimer* typingPause_ = nullptr;
  QTimer* busyNotice_ = nullptr;
  TableFuture* worker_ = nullptr;
  std::optional<Request> waiting_;  // the newest request not yet started
  int computingNumber_ = 0;         // the request on the worker; 0 when idle
  int newestNumber_ = 0;            // the newest request, refused ones included
  std::unique_ptr<QuickTableSettings> settings_;
};
