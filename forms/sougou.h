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
// Every press of the main window's "総合課税" opens a new, independent
// instance. Closing a window frees it (FormClose), so create it on the heap.
#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <utility>

#include "calc/ComprehensiveTax.h"

class QRadioButton;

namespace Ui {
class TForm2;
}

class TForm2 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* parent = nullptr);
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

  void BitBtn1Click();  // "税額の計算"
  void BitBtn2Click();  // print
  void BitBtn3Click();  // "税率": the rates help
  void BitBtn4Click();  // "Clear"

  // The deemed purchase ratio buttons, 90 % down to 50 %.
  void RadioButton1Click();
  void RadioButton2Click();
  void RadioButton3Click();
  void RadioButton4Click();
  void RadioButton5Click();

  // Each ratio button with its handler, 90 % first.
  using RatioButton = std::pair<QRadioButton*, void (TForm2::*)()>;
  std::array<RatioButton, 5> RatioButtons() const;

  void FormActivate();
  void FormClose(QCloseEvent* event);

  tavenko::calc::ComprehensiveInputs ReadInputs() const;
  void ApplySheet(const tavenko::calc::ComprehensiveSheet& sheet);

  std::unique_ptr<Ui::TForm2> ui;
  int purchaseRatio_;  // deemed purchase ratio, ten-thousandths
};
