// TForm2 "総合課税": comprehensive taxation of several kinds of income, and
// consumption tax under the simplified method. All figures are in yen, worked
// in ten-thousandths of a yen (FineYen); the main window's unit switch does
// not apply here.
//
// A gross field's change fills the income beside it:
//
//   NValEdit4 / 6 / 9 / 11 ──NValEdit4Change..──▶ calc (salary, occasional,
//        pension incomes) ──▶ NValEdit5 / 7 / 10 / 12
//   NValEdit22 ──NValEdit22Change──▶ calc::TaxExcludedSales ──▶ NValEdit23
//
// and one click of "税額の計算" flows like the main window's:
//
//   income fields, NValEdit23, the ratio button ──ReadInputs()──▶
//        calc::ComprehensiveInputs ──calc::ComputeComprehensiveSheet──▶
//        calc::ComprehensiveSheet (pure, Qt-free) ──ApplySheet()──▶
//        NValEdit14, NValEdit16 .. NValEdit21, NValEdit24
//
// The income fields are read as they stand, derived or typed over. The map
// from the sheet to the fields is in sougou.cpp.
//
// The window computes under the edition it is opened with. An edition with a
// reduced consumption tax rate gets more room: a second sales row (the
// reduced rate), the national and local tax, a sixth ratio and the 2割特例
// box (LayOutForReducedRate); 平成29年版 keeps its designed size. Where the
// edition makes the pension deduction depend on the other income, the two
// pension incomes follow every change of the other incomes.
//
// Every press of the main window's "総合課税" opens a new, independent
// instance. Closing a window frees it (FormClose), so create it on the heap.
#pragma once

#include <QWidget>
#include <memory>
#include <utility>
#include <vector>

#include "calc/ComprehensiveTax.h"

class QCheckBox;
class QRadioButton;
class TNValEdit;

namespace Ui {
class TForm2;
}

class TForm2 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm2(tavenko::law::EditionId edition, QWidget* parent = nullptr);
  ~TForm2() override;

 protected:
  void changeEvent(QEvent* event) override;      // activation -> FormActivate
  void closeEvent(QCloseEvent* event) override;  // -> FormClose

 private:
  // Gross fields recompute the income beside them.
  void NValEdit4Change();   // salary revenue -> salary income
  void NValEdit6Change();   // occasional receipts -> the taxable half
  void NValEdit9Change();   // pensions, 65 and over
  void NValEdit11Change();  // pensions, under 65
  void NValEdit13Change();  // a transfer loss must be typed negative
  void NValEdit22Change();  // tax-included -> tax-excluded sales
  void NValEdit25Change();  // the same at the reduced rate
  // The two pension incomes again, after a change of the other incomes.
  void OtherIncomeChange();

  void BitBtn1Click();  // "税額の計算"
  void BitBtn2Click();  // print
  void BitBtn3Click();  // "税率": the rates help
  void BitBtn4Click();  // "Clear"

  // The deemed purchase ratio buttons, 90 % down to 50 % (40 %): the
  // ratios of the edition's classes of business, in order.
  void RadioButton1Click();
  void RadioButton2Click();
  void RadioButton3Click();
  void RadioButton4Click();
  void RadioButton5Click();
  void RadioButton6Click();

  // Each ratio button the window has with its handler, 90 % first.
  using RatioButton = std::pair<QRadioButton*, void (TForm2::*)()>;
  std::vector<RatioButton> RatioButtons() const;
  void SetRatioOfClass(std::size_t index);

  // The controls and the taller layout of an edition with a reduced rate.
  void LayOutForReducedRate();

  void FormActivate();
  void FormClose(QCloseEvent* event);

  tavenko::calc::ComprehensiveInputs ReadInputs() const;
  void ApplySheet(const tavenko::calc::ComprehensiveSheet& sheet);

  std::unique_ptr<Ui::TForm2> ui;
  const tavenko::law::Edition* law_;
  int purchaseRatio_;  // deemed purchase ratio, ten-thousandths
  // An edition with a reduced rate only: the reduced-rate sales and their
  // tax-excluded figure, the national and local tax, the sixth ratio, 2割特例.
  TNValEdit* NValEdit25 = nullptr;
  TNValEdit* NValEdit26 = nullptr;
  TNValEdit* NValEdit27 = nullptr;
  TNValEdit* NValEdit28 = nullptr;
  QRadioButton* RadioButton6 = nullptr;
  QCheckBox* CheckBox1 = nullptr;
};
