// TForm4: the incorporation comparison window, "法人成りの節税額計算".
//
// The user types the business income (NValEdit1) and the deductions
// (NValEdit2) in 万円, moves the slider or presses the search. Each of these
// flows through the window's Qt-free model:
//
//   NValEdit1 / NValEdit2 change ──NValEdit1Change──▶ FiguresTyped
//   ScrollBar1, any notification ──ScrollBar1Scroll──▶ Split
//   BitBtn2 ("search")           ──BitBtn2Click─────▶ Search
//        calc::IncorporationModel (pure, Qt-free) ──▶ calc::IncorporationSheet
//        ──ApplySheet()──▶ the three columns, the combined figures, the
//                          slider, the groups shown, the bar chart
//
// The model recomputes each column as the window always has: only when a
// field the column hangs on changes its shown text (the company income; the
// salary or its deductions). The map from the sheet to the fields is in
// Unit4.cpp.
//
// It computes under the edition it is opened with; its title names any
// edition but 平成29年版.
//
// A top-level window even with a parent; when opened from the main window it
// is given Qt::WA_DeleteOnClose, so that each opening starts empty.
#pragma once

#include <QWidget>
#include <memory>
#include <vector>

#include "calc/Incorporation.h"

class QGraphicsSimpleTextItem;
class QHorizontalBarSeries;
class QValueAxis;
class TIniGT;

namespace Ui {
class TForm4;
}

class TForm4 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm4(tavenko::law::EditionId edition, QWidget* parent = nullptr);
  ~TForm4() override;

  // Showing the window runs FormShow first, so that the stored position is
  // in place before the window system makes the window.
  void setVisible(bool visible) override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // A change of the business income or the deductions.
  void NValEdit1Change();
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

  void ApplySheet();
  void DrawComparisonChart(const tavenko::calc::ComparisonChart& bars);
  // Puts each bar's mark beside its end, again whenever the plot moves.
  void PlaceBarMarks();
  // Moves the slider as the program does: without a scroll notification.
  void SetSliderPosition(int percent);

  std::unique_ptr<Ui::TForm4> ui;
  std::unique_ptr<tavenko::calc::IncorporationModel> model_;
  TIniGT* IniGT1 = nullptr;
  QHorizontalBarSeries* Series1 = nullptr;
  // A bar's mark: its name and its figure as the fields show it ("法人＋給与 159").
  struct BarMark {
    QString text;
    double value;  // 万円
  };
  static constexpr double kBarWidth = 0.9;  // of the category's height, shared by the bars
  std::vector<BarMark> barMarks_;
  std::vector<QGraphicsSimpleTextItem*> markItems_;  // owned by the chart
  QValueAxis* ValueAxis = nullptr;  // hidden; spans the bars and their marks
};
