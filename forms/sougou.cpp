#include "forms/sougou.h"

#include <QCloseEvent>
#include <QEvent>

#include "controls/NValEdit.h"
#include "forms/WindowLook.h"
#include "platform/HelpViewer.h"
#include "platform/Messages.h"
#include "platform/WindowPrinter.h"
#include "ui_sougou.h"

using tavenko::FineYen;
namespace calc = tavenko::calc;

namespace {

FineYen Read(const TNValEdit* field) { return calc::FineFromValue(field->Value()); }
void Write(TNValEdit* field, FineYen amount) { field->setValue(calc::ValueFromFine(amount)); }

// ---- The field map ------------------------------------------------------------

using Field = TNValEdit* Ui::TForm2::*;

// The income fields "税額の計算" reads.
constexpr std::pair<FineYen calc::ComprehensiveIncomes::*, Field> kIncomeFields[] = {
    {&calc::ComprehensiveIncomes::realEstate, &Ui::TForm2::NValEdit1},
    {&calc::ComprehensiveIncomes::realEstateBusiness, &Ui::TForm2::NValEdit2},
    {&calc::ComprehensiveIncomes::business, &Ui::TForm2::NValEdit3},
    {&calc::ComprehensiveIncomes::salary, &Ui::TForm2::NValEdit5},
    {&calc::ComprehensiveIncomes::occasionalHalf, &Ui::TForm2::NValEdit7},
    {&calc::ComprehensiveIncomes::miscellaneous, &Ui::TForm2::NValEdit8},
    {&calc::ComprehensiveIncomes::pensionOver65, &Ui::TForm2::NValEdit10},
    {&calc::ComprehensiveIncomes::pensionUnder65, &Ui::TForm2::NValEdit12},
    {&calc::ComprehensiveIncomes::transferLoss, &Ui::TForm2::NValEdit13},
    {&calc::ComprehensiveIncomes::deductions, &Ui::TForm2::NValEdit15},
};

// The result fields of the income-tax part.
constexpr std::pair<FineYen calc::ComprehensiveTaxes::*, Field> kTaxFields[] = {
    {&calc::ComprehensiveTaxes::totalIncome, &Ui::TForm2::NValEdit14},
    {&calc::ComprehensiveTaxes::taxableIncome, &Ui::TForm2::NValEdit16},
    {&calc::ComprehensiveTaxes::incomeTax, &Ui::TForm2::NValEdit17},
    {&calc::ComprehensiveTaxes::prefecturalTax, &Ui::TForm2::NValEdit18},
    {&calc::ComprehensiveTaxes::municipalTax, &Ui::TForm2::NValEdit19},
    {&calc::ComprehensiveTaxes::businessTax, &Ui::TForm2::NValEdit20},
    {&calc::ComprehensiveTaxes::totalTax, &Ui::TForm2::NValEdit21},
};

// Every field in the order "Clear" zeroes them: a gross field zeroed zeroes
// the income beside it too.
constexpr Field kFieldsInOrder[] = {
    &Ui::TForm2::NValEdit1,  &Ui::TForm2::NValEdit2,  &Ui::TForm2::NValEdit3,  &Ui::TForm2::NValEdit4,
    &Ui::TForm2::NValEdit5,  &Ui::TForm2::NValEdit6,  &Ui::TForm2::NValEdit7,  &Ui::TForm2::NValEdit8,
    &Ui::TForm2::NValEdit9,  &Ui::TForm2::NValEdit10, &Ui::TForm2::NValEdit11, &Ui::TForm2::NValEdit12,
    &Ui::TForm2::NValEdit13, &Ui::TForm2::NValEdit14, &Ui::TForm2::NValEdit15, &Ui::TForm2::NValEdit16,
    &Ui::TForm2::NValEdit17, &Ui::TForm2::NValEdit18, &Ui::TForm2::NValEdit19, &Ui::TForm2::NValEdit20,
    &Ui::TForm2::NValEdit21, &Ui::TForm2::NValEdit22, &Ui::TForm2::NValEdit23, &Ui::TForm2::NValEdit24,
};

}  // namespace

TForm2::TForm2(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::TForm2>()), purchaseRatio_(calc::kDefaultPurchaseRatio) {
  BeginWindowLook(this);
  ui->setupUi(this);
  LoadNumericFields(this);
  setFixedSize(664, 475);
  ui->BitBtn2->setIcon(PrintIcon());
  ui->BitBtn2->setIconSize(QSize(20, 20));

  connect(ui->NValEdit4, &TNValEdit::OnChange, this, &TForm2::NValEdit4Change);
  connect(ui->NValEdit6, &TNValEdit::OnChange, this, &TForm2::NValEdit6Change);
  connect(ui->NValEdit9, &TNValEdit::OnChange, this, &TForm2::NValEdit9Change);
  connect(ui->NValEdit11, &TNValEdit::OnChange, this, &TForm2::NValEdit11Change);
  connect(ui->NValEdit13, &TNValEdit::OnChange, this, &TForm2::NValEdit13Change);
  connect(ui->NValEdit22, &TNValEdit::OnChange, this, &TForm2::NValEdit22Change);

  connect(ui->BitBtn1, &QPushButton::clicked, this, &TForm2::BitBtn1Click);
  connect(ui->BitBtn2, &QPushButton::clicked, this, &TForm2::BitBtn2Click);
  connect(ui->BitBtn3, &QPushButton::clicked, this, &TForm2::BitBtn3Click);
  connect(ui->BitBtn4, &QPushButton::clicked, this, &TForm2::BitBtn4Click);
  FinishWindowLook(this);

  // The ratio follows the checked button however it got checked (mouse,
  // arrow keys or code), so it always equals the ratio the window shows.
  for (const auto& [button, handler] : RatioButtons()) {
    connect(button, &QRadioButton::toggled, this, [this, handler](bool checked) {
      if (checked) (this->*handler)();
    });
  }
}

std::array<TForm2::RatioButton, 5> TForm2::RatioButtons() const {
  return {{
      {ui->RadioButton1, &TForm2::RadioButton1Click},
      {ui->RadioButton2, &TForm2::RadioButton2Click},
      {ui->RadioButton3, &TForm2::RadioButton3Click},
      {ui->RadioButton4, &TForm2::RadioButton4Click},
      {ui->RadioButton5, &TForm2::RadioButton5Click},
  }};
}

TForm2::~TForm2() = default;

void TForm2::NValEdit4Change() { Write(ui->NValEdit5, calc::ComprehensiveSalaryIncome(Read(ui->NValEdit4))); }

void TForm2::NValEdit6Change() { Write(ui->NValEdit7, calc::OccasionalIncomeHalf(Read(ui->NValEdit6))); }

void TForm2::NValEdit9Change() {
  Write(ui->NValEdit10, calc::PublicPensionIncome(Read(ui->NValEdit9), calc::PensionerAge::SixtyFiveOrOver));
}

void TForm2::NValEdit11Change() {
  Write(ui->NValEdit12, calc::PublicPensionIncome(Read(ui->NValEdit11), calc::PensionerAge::UnderSixtyFive));
}

void TForm2::NValEdit13Change() {
  // The value stays as typed; a positive entry is added as income.
  if (ui->NValEdit13->Value() > 0) {
    tavenko::platform::ShowMessage(this,
                                   QStringLiteral("譲渡損（マイナス記号）の場合にだけ入力してください。"));
  }
}

void TForm2::NValEdit22Change() { Write(ui->NValEdit23, calc::TaxExcludedSales(Read(ui->NValEdit22))); }

void TForm2::BitBtn1Click() { ApplySheet(calc::ComputeComprehensiveSheet(ReadInputs())); }

calc::ComprehensiveInputs TForm2::ReadInputs() const {
  calc::ComprehensiveInputs in;
  for (const auto& [income, field] : kIncomeFields) in.incomes.*income = Read((*ui).*field);
  in.taxExcludedSales = Read(ui->NValEdit23);
  in.purchaseRatio = purchaseRatio_;
  return in;
}

void TForm2::ApplySheet(const calc::ComprehensiveSheet& sheet) {
  for (const auto& [tax, field] : kTaxFields) ((*ui).*field)->setValue(0);  // ClearResults
  for (const auto& [tax, field] : kTaxFields) Write((*ui).*field, sheet.taxes.*tax);
  Write(ui->NValEdit24, sheet.consumptionTax);
}

void TForm2::BitBtn2Click() { tavenko::platform::PrintWindowWithDialog(this); }

void TForm2::BitBtn3Click() {
  tavenko::platform::SetApplicationHelpFile(QStringLiteral("tavenko.hlp"));
  tavenko::platform::RunHelpMacro(QStringLiteral("contents()"), this);
}

void TForm2::BitBtn4Click() {
  for (Field field : kFieldsInOrder) ((*ui).*field)->setValue(0);
}

void TForm2::RadioButton1Click() { purchaseRatio_ = 9000; }
void TForm2::RadioButton2Click() { purchaseRatio_ = 8000; }
void TForm2::RadioButton3Click() { purchaseRatio_ = 7000; }
void TForm2::RadioButton4Click() { purchaseRatio_ = 6000; }
void TForm2::RadioButton5Click() { purchaseRatio_ = 5000; }

void TForm2::FormActivate() {
  for (const auto& [button, handler] : RatioButtons()) {
    if (button->isChecked()) (this->*handler)();
  }
}

void TForm2::FormClose(QCloseEvent* event) {
  // Close action "free": the window is destroyed once it has closed.
  setAttribute(Qt::WA_DeleteOnClose);
  event->accept();
}

void TForm2::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TForm2::closeEvent(QCloseEvent* event) { FormClose(event); }
