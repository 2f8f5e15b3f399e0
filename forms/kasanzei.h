// TForm3, the additional and delinquency tax window ("加算税の計算").
//
// The user types the taxes of the initial and of the amended return in three
// columns (national, inhabitant, business), the incomes that split the
// increase into an understated and a concealed part, the official rate and
// the days, and presses "計　算". One click flows like the main window's:
//
//   typed fields, the unit and no-return buttons ──ReadInputs()──▶
//        calc::AdditionalTaxInputs ──calc::ComputeAdditionalTax──▶
//        calc::AdditionalTaxSheet (pure, Qt-free) ──ApplySheet()──▶
//        increase, shares and penalties, the days message box,
//        delinquency rows and the grand total
//
// The map from the sheet to the result fields is in kasanzei.cpp. The first
// calculation reveals the result fields and moves the unit group aside for
// good. Figures and results are in the unit the radio buttons choose (yen or
// ten thousand yen).
//
// The window computes under the edition it is opened with. Where the edition
// counts the delinquency tax by dates, three date fields (due, filed, paid)
// stand in the place of the rate and the days (LayOutForDates).
//
// The window frees itself when closed: always create it with new.
#pragma once

#include <QDate>
#include <QWidget>
#include <memory>

#include "calc/AdditionalTax.h"

class QDateEdit;
class QEvent;
class QCloseEvent;

namespace Ui {
class TForm3;
}

class TForm3 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm3(tavenko::law::EditionId edition, QWidget* parent = nullptr);
  ~TForm3() override;

  // The unit flag: 1 for yen, 2 for ten thousand yen.
  int UnitFlag() const { return unitFlag_; }

 public slots:
  void BitBtn1Click();  // "計　算"
  void BitBtn2Click();  // print
  void BitBtn3Click();  // notice
  void BitBtn4Click();  // "Clear"
  void BitBtn5Click();  // "税率"
  void RadioButton1Click();
  void RadioButton2Click();

 protected:
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;  // Enter in a date field
  void closeEvent(QCloseEvent* e) override;

 private:
  void FormCreate();
  void FormActivate();
  void FormClose();

  void ShowResultLayout();
  void LayOutForDates();
  void DateEdit2Change();  // the payment date follows the filing date it equalled
  tavenko::calc::AdditionalTaxInputs ReadInputs() const;
  void ApplySheet(const tavenko::calc::AdditionalTaxSheet& sheet);

  std::unique_ptr<Ui::TForm3> ui;
  const tavenko::law::Edition* law_;
  int unitFlag_ = 1;
  // An edition that counts by dates only: due, filed and paid.
  QDateEdit* DateEdit1 = nullptr;
  QDateEdit* DateEdit2 = nullptr;
  QDateEdit* DateEdit3 = nullptr;
  QDate filedBefore_;
};
