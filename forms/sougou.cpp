#include "forms/sougou.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QLabel>

#include "controls/NValEdit.h"
#include "forms/EditionFace.h"
#include "forms/WindowLook.h"
#include "forms/WindowStyle.h"
#include "calc/LawTexts.h"
#include "platform/HelpViewer.h"
#include "platform/Messages.h"
#include "platform/WindowPrinter.h"
#include "ui_sougou.h"

using tavenko::FineYen;
namespace calc = tavenko::calc;
namespace law = tavenko::law;

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

// The incomes other than the pensions: a change of one recomputes the
// pension incomes where the edition makes them depend on it.
constexpr Field kOtherIncomeFields[] = {&Ui::TForm2::NValEdit1, &Ui::TForm2::NValEdit2, &Ui::TForm2::NValEdit3,
                                        &Ui::TForm2::NValEdit5, &Ui::TForm2::NValEdit7, &Ui::TForm2::NValEdit8,
                                        &Ui::TForm2::NValEdit13};

constexpr QSize kDesignedSize{664, 475};
constexpr QSize kReducedRateSize{664, 623};

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

}  // namespace

TForm2::TForm2(tavenko::law::EditionId edition, QWidget* parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::TForm2>()),
      law_(&tavenko::law::EditionOf(edition)),
      purchaseRatio_(calc::kDefaultPurchaseRatio) {
  BeginWindowLook(this);
  ui->setupUi(this);
  TitleForEdition(this, *law_);
  const bool reducedRate = law_->consumptionTax.reducedIncludedPercent > 0;
  if (reducedRate) LayOutForReducedRate();
  LoadNumericFields(this);
  setFixedSize(reducedRate ? kReducedRateSize : kDesignedSize);
  ui->BitBtn2->setIcon(PrintIcon());
  ui->BitBtn2->setIconSize(QSize(20, 20));

  connect(ui->NValEdit4, &TNValEdit::OnChange, this, &TForm2::NValEdit4Change);
  connect(ui->NValEdit6, &TNValEdit::OnChange, this, &TForm2::NValEdit6Change);
  connect(ui->NValEdit9, &TNValEdit::OnChange, this, &TForm2::NValEdit9Change);
  connect(ui->NValEdit11, &TNValEdit::OnChange, this, &TForm2::NValEdit11Change);
  connect(ui->NValEdit13, &TNValEdit::OnChange, this, &TForm2::NValEdit13Change);
  connect(ui->NValEdit22, &TNValEdit::OnChange, this, &TForm2::NValEdit22Change);
  if (NValEdit25) connect(NValEdit25, &TNValEdit::OnChange, this, &TForm2::NValEdit25Change);
  if (!law_->publicPension.otherIncomeSteps.empty()) {
    for (Field field : kOtherIncomeFields)
      connect((*ui).*field, &TNValEdit::OnChange, this, &TForm2::OtherIncomeChange);
  }

  connect(ui->BitBtn1, &QPushButton::clicked, this, &TForm2::BitBtn1Click);
  connect(ui->BitBtn2, &QPushButton::clicked, this, &TForm2::BitBtn2Click);
  connect(ui->BitBtn3, &QPushButton::clicked, this, &TForm2::BitBtn3Click);
  connect(ui->BitBtn4, &QPushButton::clicked, this, &TForm2::BitBtn4Click);
  FinishWindowLook(this);

  // The ratio follows the checked button however it got checked (mouse,
  // arrow keys or code), so it always equals the ratio the window shows.
  // The five ratios of a row stand close: their captions keep clear of the
  // next circle.
  for (const auto& [button, handler] : RatioButtons()) {
    button->setProperty(WindowStyle::kCompactCaption, true);
    button->setStyle(WindowStyle::Shared());
    connect(button, &QRadioButton::toggled, this, [this, handler](bool checked) {
      if (checked) (this->*handler)();
    });
  }
}

std::vector<TForm2::RatioButton> TForm2::RatioButtons() const {
  std::vector<RatioButton> buttons{
      {ui->RadioButton1, &TForm2::RadioButton1Click}, {ui->RadioButton2, &TForm2::RadioButton2Click},
      {ui->RadioButton3, &TForm2::RadioButton3Click}, {ui->RadioButton4, &TForm2::RadioButton4Click},
      {ui->RadioButton5, &TForm2::RadioButton5Click},
  };
  if (RadioButton6) buttons.push_back({RadioButton6, &TForm2::RadioButton6Click});
  return buttons;
}

// The window under an edition with a reduced rate, 148 pixels taller: the
// consumption tax box holds two sales rows, the national and the local tax
// and the payable total, six ratios in two rows and the 2割特例 box; the
// income tax box and the buttons move down below it.
void TForm2::LayOutForReducedRate() {
  const law::ConsumptionTaxLaw& c = law_->consumptionTax;
  QWidget* box = ui->GroupBox2;
  box->setGeometry(388, 8, 268, 334);
  const auto percent = [](tavenko::Extended rate) { return Utf8(calc::PercentText(rate)); };
  ui->Label15->setText(QString::fromStdString(calc::TaxIncludedSalesCaption(c.standardWholeRate)));
  ui->Label15->setGeometry(16, 42, 84, 16);
  ui->Label16->setGeometry(16, 70, 80, 16);
  ui->NValEdit23->setGeometry(102, 66, 156, 23);
  NewLabel(box, QStringLiteral("Label24"), {16, 98, 84, 16},
           QString::fromStdString(calc::TaxIncludedSalesCaption(c.reducedWholeRate)));
  NValEdit25 = NewFieldLike(ui->NValEdit22, box, QStringLiteral("NValEdit25"), {102, 94, 156, 23});
  NewLabel(box, QStringLiteral("Label25"), {16, 126, 80, 16}, QStringLiteral("税引売上"));
  NValEdit26 = NewFieldLike(ui->NValEdit23, box, QStringLiteral("NValEdit26"), {102, 122, 156, 23});
  NewLabel(box, QStringLiteral("Label26"), {16, 154, 84, 16}, QStringLiteral("消費税"));
  NValEdit27 = NewFieldLike(ui->NValEdit24, box, QStringLiteral("NValEdit27"), {102, 150, 156, 23});
  NewLabel(box, QStringLiteral("Label27"), {16, 182, 84, 16}, QStringLiteral("地方消費税"));
  NValEdit28 = NewFieldLike(ui->NValEdit24, box, QStringLiteral("NValEdit28"), {102, 178, 156, 23});
  ui->Label17->setGeometry(16, 210, 80, 16);
  ui->NValEdit24->setGeometry(102, 206, 156, 23);

  // Six ratios in two rows of three; each names its class of business.
  ui->GroupBox4->setGeometry(8, 236, 252, 66);
  ui->GroupBox4->setTitle(QStringLiteral("みなし仕入率"));
  RadioButton6 = new QRadioButton(ui->GroupBox4);
  RadioButton6->setObjectName(QStringLiteral("RadioButton6"));
  const std::vector<RatioButton> buttons = RatioButtons();
  for (std::size_t i = 0; i < buttons.size() && i < c.classes.size(); ++i) {
    QRadioButton* button = buttons[i].first;
    const law::DeemedPurchaseClass& cls = c.classes[i];
    button->setGeometry(6 + int(i % 3) * 82, 20 + int(i / 3) * 22, 76, 18);
    button->setText(QString::number(cls.ratio / 100) + QStringLiteral("%"));
    button->setToolTip(Utf8(cls.classText) + QStringLiteral("：") + Utf8(cls.business));
  }
  CheckBox1 = new QCheckBox(QStringLiteral("２割特例"), box);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  CheckBox1->setGeometry(16, 308, 240, 20);
  CheckBox1->setToolTip(QStringLiteral("インボイス登録をした元免税事業者：納付する消費税は売上の消費税の") +
                        percent(1 - tavenko::Extended(c.flatRatioSpecial) / calc::kWholePurchaseRatio) +
                        QStringLiteral("（業種にかかわらず）"));

  const int down = kReducedRateSize.height() - kDesignedSize.height();
  for (QWidget* below : {static_cast<QWidget*>(ui->GroupBox3), static_cast<QWidget*>(ui->BitBtn1),
                         static_cast<QWidget*>(ui->BitBtn2), static_cast<QWidget*>(ui->BitBtn3),
                         static_cast<QWidget*>(ui->BitBtn4)})
    below->move(below->x(), below->y() + down);
  // The new controls take their places in the Tab and Enter order.
  setTabOrder(ui->NValEdit23, NValEdit25);
  setTabOrder(NValEdit25, NValEdit26);
}

TForm2::~TForm2() = default;

void TForm2::NValEdit4Change() {
  Write(ui->NValEdit5, calc::ComprehensiveSalaryIncome(*law_, Read(ui->NValEdit4)));
}

void TForm2::NValEdit6Change() { Write(ui->NValEdit7, calc::OccasionalIncomeHalf(*law_, Read(ui->NValEdit6))); }

void TForm2::NValEdit9Change() {
  const FineYen other = calc::IncomeOtherThanPensions(ReadInputs().incomes);
  Write(ui->NValEdit10,
        calc::PublicPensionIncome(*law_, Read(ui->NValEdit9), calc::PensionerAge::SixtyFiveOrOver, other));
}

void TForm2::NValEdit11Change() {
  const FineYen other = calc::IncomeOtherThanPensions(ReadInputs().incomes);
  Write(ui->NValEdit12,
        calc::PublicPensionIncome(*law_, Read(ui->NValEdit11), calc::PensionerAge::UnderSixtyFive, other));
}

void TForm2::OtherIncomeChange() {
  NValEdit9Change();
  NValEdit11Change();
}

void TForm2::NValEdit13Change() {
  // The value stays as typed; a positive entry is added as income.
  if (ui->NValEdit13->Value() > 0) {
    tavenko::platform::ShowMessage(this,
                                   QStringLiteral("譲渡損（マイナス記号）の場合にだけ入力してください。"));
  }
}

void TForm2::NValEdit22Change() {
  Write(ui->NValEdit23, calc::TaxExcludedSales(Read(ui->NValEdit22), law_->consumptionTax.standardIncludedPercent));
}

void TForm2::NValEdit25Change() {
  Write(NValEdit26, calc::TaxExcludedSales(Read(NValEdit25), law_->consumptionTax.reducedIncludedPercent));
}

void TForm2::BitBtn1Click() { ApplySheet(calc::ComputeComprehensiveSheet(ReadInputs())); }

calc::ComprehensiveInputs TForm2::ReadInputs() const {
  calc::ComprehensiveInputs in;
  in.edition = law_->id;
  for (const auto& [income, field] : kIncomeFields) in.incomes.*income = Read((*ui).*field);
  in.sales.standard = Read(ui->NValEdit23);
  if (NValEdit26) in.sales.reduced = Read(NValEdit26);
  in.purchaseRatio = purchaseRatio_;
  in.flatRatioSpecial = CheckBox1 && CheckBox1->isChecked();
  return in;
}

void TForm2::ApplySheet(const calc::ComprehensiveSheet& sheet) {
  for (const auto& [tax, field] : kTaxFields) ((*ui).*field)->setValue(0);  // ClearResults
  for (const auto& [tax, field] : kTaxFields) Write((*ui).*field, sheet.taxes.*tax);
  Write(ui->NValEdit24, sheet.consumption.payable);
  if (NValEdit27) Write(NValEdit27, sheet.consumption.national);
  if (NValEdit28) Write(NValEdit28, sheet.consumption.local);
}

void TForm2::BitBtn2Click() { tavenko::platform::PrintWindowWithDialog(this); }

void TForm2::BitBtn3Click() {
  tavenko::platform::SetApplicationHelpFile(QStringLiteral("tavenko.hlp"));
  tavenko::platform::RunHelpMacro(QStringLiteral("contents()"), this, *law_);
}

void TForm2::BitBtn4Click() {
  for (Field field : kFieldsInOrder) ((*ui).*field)->setValue(0);
  for (TNValEdit* field : {NValEdit25, NValEdit26, NValEdit27, NValEdit28})
    if (field) field->setValue(0);
}

void TForm2::SetRatioOfClass(std::size_t index) {
  const std::span<const law::DeemedPurchaseClass> classes = law_->consumptionTax.classes;
  if (index < classes.size()) purchaseRatio_ = classes[index].ratio;
}

void TForm2::RadioButton1Click() { SetRatioOfClass(0); }
void TForm2::RadioButton2Click() { SetRatioOfClass(1); }
void TForm2::RadioButton3Click() { SetRatioOfClass(2); }
void TForm2::RadioButton4Click() { SetRatioOfClass(3); }
void TForm2::RadioButton5Click() { SetRatioOfClass(4); }
void TForm2::RadioButton6Click() { SetRatioOfClass(5); }

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
