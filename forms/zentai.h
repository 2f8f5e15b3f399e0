// TForm1, the main window: the figure fields, the seven results with their
// captions, the log (Memo1), the pie (Chart1 / Series1) and the buttons.
//
// One calculation click flows like this:
//
//   figure fields ──ReadInputs()──▶ calc::MainInputs
//        ──calc::MainCase::compute──▶ calc::MainSheet (pure, Qt-free)
//        ──ApplySheet()──▶ highlight and side panels, message boxes,
//                          results, log, captions, pie
//
// Every calculation button of calc::MainCases() is wired to that one path by
// its objectName, so a case that lands in calc/ works here with no change.
// Its context menu has "早見表…", the case over a range of one of its figures
// from the inputs as they stand; Ctrl+T opens that for the last button pressed.
#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "calc/MainSheet.h"
#include "core/Amount.h"

class QMenu;
class QPieSeries;
class QPrinter;
class TIniGT;
class TNValEdit;

namespace Ui {
class TForm1;
}

// The program's home page, opened from the "HP" label: the address the build
// was configured with (TAVENKO_HOME_PAGE), or none, and then the label opens
// the usage page in the help window.
#ifndef TAVENKO_HOME_PAGE
#define TAVENKO_HOME_PAGE ""
#endif
inline constexpr const char* kHomePageAddress = TAVENKO_HOME_PAGE;

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kNarrowWidth = 714;
  static constexpr int kWideWidth = 930;
  static constexpr int kHeight = 482;

  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // The edition the next click computes under, as EditionBox shows it.
  tavenko::law::EditionId Edition() const { return edition_; }
  void SetEdition(tavenko::law::EditionId edition);

  // The spouse setting the inheritance cases read: kCountScale with "有り", 0 with "無し".
  tavenko::ScaledCount SpouseCount() const { return spouseCount_; }
  bool IsWide() const { return wide_; }

  // Window events.
  void FormCreate();
  void FormShow();
  void FormActivate();
  void FormClose();

  // The click handler of all 22 calculation buttons, named by the button:
  // runs its case of calc::MainCases() through the one apply path. A name that
  // is no calculation button does nothing.
  void RunCalculation(std::string_view button);

  // Opens a quick-reference table window of `button` with the figures, the
  // unit and the spouse setting of this window.
  void OpenQuickTable(std::string_view button);
  // The last calculation button pressed; the first button before any press.
  std::string_view LastCalculationButton() const;

  void RadioButton1Click();  // "有り"
  void RadioButton2Click();  // "無し"
  void BitBtn23Click();      // width toggle
  void BitBtn27Click();      // print
  void BitBtn25Click();      // 総合課税
  void BitBtn24Click();      // 加算＆延滞税
  void BitBtn26Click();      // 比　較
  void Label8Click();        // home page, or the usage page
  // BitBtn16Exit .. BitBtn21Exit: focus left an inheritance button.
  void InheritanceButtonExit();

  // Draws the window's image on `printer`, scaled to its resolution (the
  // print button's work once the printer set-up dialog is confirmed).
  void PrintTo(QPrinter& printer);

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetUpChart();
  void SetUpLog();
  void SetUpIcons();
  void ConnectButtons();
  void SetUpQuickTable();
  void SetUpEditionBox();
  // Narrow or wide; the log panel shows in the wide window only.
  void SetWidth(int width);
  // The log gets the lines of a calculation and keeps its newest line in view.
  void AppendToLog(tavenko::law::EditionId edition, const std::vector<std::string>& lines);
  void ShowNewestLogLines();
  void ReclaimActivation();

  tavenko::calc::MainInputs ReadInputs() const;
  void ApplySheet(tavenko::law::EditionId edition, const tavenko::calc::MainSheet& sheet);
  void HighlightInputs(const tavenko::calc::MainSheet& sheet);
  void ApplySidePanels(const tavenko::calc::MainSheet& sheet);
  void ShowResults(const tavenko::calc::MainSheet& sheet);
  void FillBreakdownPie(const tavenko::calc::MainSheet& sheet);
  void SetHeirPromptsColour(const QColor& colour);

  TNValEdit* ResultField(int index) const;

  std::unique_ptr<Ui::TForm1> ui;
  QString titleTemplate_;  // the designed title, before the edition and version are filled in
  int sideBoxHeight_ = 0;  // GroupBox2's designed height
  TIniGT* IniGT1 = nullptr;
  QPieSeries* Series1 = nullptr;
  tavenko::ScaledCount spouseCount_ = 0;  // SpouseCount
  tavenko::law::EditionId edition_ = tavenko::law::EditionId::Heisei29;
  // The edition of the last click logged; a run's log starts as 平成29年版's.
  tavenko::law::EditionId loggedEdition_ = tavenko::law::EditionId::Heisei29;
  bool wide_ = false;                     // the log panel is shown
  bool backFromModalBox_ = false;         // the activation went to a modal box of this window
  bool logBehind_ = false;                // the log's newest lines are not yet scrolled into view
  QMenu* quickTableMenu_ = nullptr;       // "早見表…" of the button right-clicked last
  std::string_view menuButton_;           // that button
  std::string_view lastButton_;           // the last calculation button pressed
};
