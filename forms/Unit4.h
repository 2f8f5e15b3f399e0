// TForm4: the incorporation comparison window, "法人成りの節税額計算".
//
// Flow: the user types the business income (NValEdit1) and the deductions
// (NValEdit2) in 万円. Each column recomputes only from the change events of
// its own fields, which fire only when a field's shown text changes:
//
//   NValEdit1 / NValEdit2  -> NValEdit1Change : proprietor column; zeroes the
//                             company column; puts the whole income into the
//                             salary column (NValEdit13, NValEdit14)
//   NValEdit7              -> NValEdit7Change : company column
//   NValEdit13 / NValEdit14-> NValEdit13Change: salary column
//
// The slider (ScrollBar1Scroll) splits the profit: it sets the company income
// NValEdit7 and the salary NValEdit13, whose change events recompute their
// columns, then sets the combined figures and redraws the bar chart. The
// search (BitBtn2Click) walks the split upward to the first rise of the
// saving. The column formulas are in calc/Incorporation.h.
//
// A top-level window even with a parent; when opened from the main window it
// is given Qt::WA_DeleteOnClose, so that each opening starts empty.
#pragma once

#include <QWidget>
#include <memory>

class QHorizontalBarSeries;
class QValueAxis;
class TIniGT;

namespace Ui {
class TForm4;
}

class TForm4 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm4(QWidget* parent = nullptr);
  ~TForm4() override;

  // Showing the window runs FormShow first, so that the stored position is
  // in place before the window system makes the window.
  void setVisible(bool visible) override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Column handlers, raised by the change events of their fields.
  void NValEdit1Change();
  void NValEdit7Change();
  void NValEdit13Change();
  // Every scroll notification of the slider: the split at its stored position.
  void ScrollBar1Scroll();
  // The search for the split with the lowest combined tax.
  void BitBtn2Click();
  // Printer set-up, then the window's image.
  void BitBtn1Click();
  // Window position from and to the settings file: the outer (frame)
  // position both ways, as the main window keeps its own.
  void FormShow();
  void FormClose();

  void SetUpControls();
  void SetUpChart();
  void ConnectHandlers();

  void ShowComparisonGroups();
  // Company income and salary at `percent`, then the combined figures.
  void ApplySplit(int percent);
  void DrawComparisonChart();
  // Moves the slider as the program does: without a scroll notification.
  void SetSliderPosition(int percent);

  std::unique_ptr<Ui::TForm4> ui;
  TIniGT* IniGT1 = nullptr;
  QHorizontalBarSeries* Series1 = nullptr;
  QValueAxis* ValueAxis = nullptr;  // hidden; spans the bars and their marks
};
