#include "WindowLook.h"
#include "sougou.h"

#include <QCloseEvent>
#include <QEvent>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include "ComprehensiveTax.h"
#include "HelpViewer.h"
#include "Messages.h"
#include "NValEdit.h"
#include "WindowPrinter.h"
#include "ui_sougou.h"

using tavenko::FineFromValue;
using tavenko::FineYen;
using tavenko::ValueFromFine;

namespace {

FineYen Read(const TNValEdit* field) { return FineFromValue(field->Value()); }
void Write(TNValEdit* field, FineYen amount) { field->setValue(ValueFromFine(amount)); }

}  // namespace

TForm2::TForm2(QWidget* parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::TForm2>()),
      purchaseRatio_(tavenko::kDefaultPurchaseRatio) {
  BeginWindowLook(this);
  ui->setupUi(this);
  LoadNumericFields(this);
  setFixedSize(664, 475);
  ui->BitBtn2->setIcon(PrintIcon());
  ui->BitBtn2->setIconSize(QSize(20, 20));

  for (std::size_t i = 0; i < fields_.size(); ++i) {
    fields_[i] = findChild<TNValEdit*>(QStringLiteral("NValEdit%1").arg(i + 1));
    Q_ASSERT(fields_[i]);
  }

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

void TForm2::NValEdit4Change() {
  Write(ui->NValEdit5, tavenko::ComprehensiveSalaryIncome(Read(ui->NValEdit4)));
}

void TForm2::NValEdit6Change() { Write(ui->NValEdit7, tavenko::OccasionalIncomeHalf(Read(ui->NValEdit6))); }

void TForm2::NValEdit9Change() {
  Write(ui->NValEdit10, tavenko::PublicPensionIncome(Read(ui->NValEdit9), tavenko::PensionerAge::SixtyFiveOrOver));
}

void TForm2::NValEdit11Change() {
  Write(ui->NValEdit12, tavenko::PublicPensionIncome(Read(ui->NValEdit11), tavenko::PensionerAge::UnderSixtyFive));
}

void TForm2::NValEdit13Change() {
  // The value stays as typed; a positive entry is added as income.
  if (ui->NValEdit13->Value() > 0) {
    tavenko::platform::ShowMessage(this, QStringLiteral("譲渡損（マイナス記号）の場合にだけ入力してください。"));
  }
}

void TForm2::NValEdit22Change() { Write(ui->NValEdit23, tavenko::TaxExcludedSales(Read(ui->NValEdit22))); }

void TForm2::BitBtn1Click() {
  for (TNValEdit* result : {ui->NValEdit14, ui->NValEdit16, ui->NValEdit17, ui->NValEdit18, ui->NValEdit19,
                            ui->NValEdit20, ui->NValEdit21}) {
    result->setValue(0);
  }

  // The income fields are read as they stand, typed or derived.
  tavenko::ComprehensiveIncomes incomes;
  incomes.realEstate = Read(ui->NValEdit1);
  incomes.realEstateBusiness = Read(ui->NValEdit2);
  incomes.business = Read(ui->NValEdit3);
  incomes.salary = Read(ui->NValEdit5);
  incomes.occasionalHalf = Read(ui->NValEdit7);
  incomes.miscellaneous = Read(ui->NValEdit8);
  incomes.pensionOver65 = Read(ui->NValEdit10);
  incomes.pensionUnder65 = Read(ui->NValEdit12);
  incomes.transferLoss = Read(ui->NValEdit13);
  incomes.deductions = Read(ui->NValEdit15);

  const tavenko::ComprehensiveTaxes taxes = tavenko::ComputeComprehensiveTaxes(incomes);
  Write(ui->NValEdit14, taxes.totalIncome);
  Write(ui->NValEdit16, taxes.taxableIncome);
  Write(ui->NValEdit17, taxes.incomeTax);
  Write(ui->NValEdit18, taxes.prefecturalTax);
  Write(ui->NValEdit19, taxes.municipalTax);
  Write(ui->NValEdit20, taxes.businessTax);
  Write(ui->NValEdit21, taxes.totalTax);

  // The tax-excluded sales are read again: a figure typed over them counts.
  Write(ui->NValEdit24, tavenko::SimplifiedConsumptionTax(Read(ui->NValEdit23), purchaseRatio_));
}

void TForm2::BitBtn2Click() { tavenko::platform::PrintWindowWithDialog(this); }

void TForm2::BitBtn3Click() {
  tavenko::platform::SetApplicationHelpFile(QStringLiteral("tavenko.hlp"));
  tavenko::platform::RunHelpMacro(QStringLiteral("contents()"), this);
}

void TForm2::BitBtn4Click() {
  // In field order: zeroing a gross field zeroes the income beside it too.
  for (TNValEdit* field : fields_) field->setValue(0);
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
