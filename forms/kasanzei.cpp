#include "WindowLook.h"
#include "kasanzei.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QEvent>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <algorithm>

#include "AdditionalTax.h"
#include "HelpViewer.h"
#include "Messages.h"
#include "NValEdit.h"
#include "WindowPrinter.h"
#include "ui_kasanzei.h"

namespace {

namespace platform = tavenko::platform;
namespace calc = tavenko::calc;

constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 538;
// Where the first calculation puts the unit group, uncovering "増差税額".
constexpr QPoint kUnitGroupAside{16, 72};

constexpr long double kDefaultDiscountRatePercent = 0.1L;
constexpr long double kDefaultDays = 365;
constexpr int kRateField = 30;
constexpr int kDaysField = 32;

// The fields the user types into; every other field is a result.
constexpr std::array kTypedFields = {1, 2, 3, 5, 6, 7, 13, 18, kRateField, kDaysField};
bool IsTypedField(int number) {
  return std::find(kTypedFields.begin(), kTypedFields.end(), number) != kTypedFields.end();
}

// Zeroed at the start of each calculation, before anything is read.
constexpr std::array kResetFields = {25, 4, 8, 12, 20, 22, 24, 26, 29, 36, 40, 41};

}  // namespace

TForm3::TForm3(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm3>()) {
  BeginWindowLook(this);
  ui->setupUi(this);
  setFixedSize(kWindowWidth, kWindowHeight);

  for (int n = 1; n <= kFieldCount; ++n) {
    fields_[n] = findChild<TNValEdit*>(QStringLiteral("NValEdit%1").arg(n));
    Q_ASSERT(fields_[n]);
  }
  LoadNumericFields(this);
  // The designed rate and days, shown even before the window is first activated.
  Field(kRateField)->setValue(kDefaultDiscountRatePercent);
  Field(kDaysField)->setValue(kDefaultDays);

  // The two unit buttons are one exclusive group, whatever else the window
  // holds: a click on the checked one leaves it checked.
  auto* unitButtons = new QButtonGroup(this);
  unitButtons->addButton(ui->RadioButton1);
  unitButtons->addButton(ui->RadioButton2);

  // The unit group's caption is red; its buttons keep the window's text colour.
  const QColor buttonText = ui->RadioButton1->palette().color(QPalette::WindowText);
  SetTextColour(ui->GroupBox3, Qt::red);
  SetTextColour(ui->RadioButton1, buttonText);
  SetTextColour(ui->RadioButton2, buttonText);

  ui->BitBtn3->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
  ui->BitBtn2->setIcon(PrintIcon());

  connect(ui->BitBtn1, &QPushButton::clicked, this, &TForm3::BitBtn1Click);
  connect(ui->BitBtn2, &QPushButton::clicked, this, &TForm3::BitBtn2Click);
  connect(ui->BitBtn3, &QPushButton::clicked, this, &TForm3::BitBtn3Click);
  connect(ui->BitBtn4, &QPushButton::clicked, this, &TForm3::BitBtn4Click);
  connect(ui->BitBtn5, &QPushButton::clicked, this, &TForm3::BitBtn5Click);
  FinishWindowLook(this);
  // Each unit button acts whenever it becomes checked, by mouse or keyboard.
  connect(ui->RadioButton1, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RadioButton1Click();
  });
  connect(ui->RadioButton2, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RadioButton2Click();
  });

  FormCreate();
}

TForm3::~TForm3() = default;

void TForm3::FormCreate() { unitFlag_ = 1; }

// Every activation, the first showing included, puts back the current rate
// and the one-year period.
void TForm3::FormActivate() {
  Field(kRateField)->setValue(kDefaultDiscountRatePercent);
  Field(kDaysField)->setValue(kDefaultDays);
}

void TForm3::FormClose() { setAttribute(Qt::WA_DeleteOnClose); }

bool TForm3::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) FormActivate();
  return QWidget::event(e);
}

void TForm3::closeEvent(QCloseEvent* e) {
  FormClose();
  QWidget::closeEvent(e);
}

void TForm3::RadioButton1Click() { unitFlag_ = 1; }
void TForm3::RadioButton2Click() { unitFlag_ = 2; }

// The layout of a calculated window: results and their labels shown, the
// notes that explained the empty window hidden, the unit group moved aside.
void TForm3::ShowResultLayout() {
  ui->GroupBox3->move(kUnitGroupAside);
  for (int n = 1; n <= kFieldCount; ++n) {
    if (!IsTypedField(n)) Field(n)->setVisible(true);
  }
  for (QLabel* label : {ui->Label4, ui->Label12, ui->Label13, ui->Label14, ui->Label19,
                        ui->Label20, ui->Label18, ui->Label7})
    label->setVisible(true);
  for (QLabel* note : {ui->Label10, ui->Label11, ui->Label15}) note->setVisible(false);
}

void TForm3::BitBtn1Click() {
  ShowResultLayout();
  for (int n : kResetFields) Field(n)->setValue(0);

  calc::AdditionalTaxInputs in;
  for (int k = 0; k < calc::kTaxColumns; ++k) {
    in.initialTax[k] = Field(1 + k)->Value();
    in.amendedTax[k] = Field(5 + k)->Value();
  }
  in.understatedIncome = Field(13)->Value();
  in.concealedIncome = Field(18)->Value();
  in.noReturn = ui->CheckBox1->isChecked();
  in.unit = unitFlag_ == 2 ? calc::PenaltyUnit::TenThousandYen : calc::PenaltyUnit::Yen;
  in.discountRatePercent = Field(kRateField)->Value();
  in.days = Field(kDaysField)->Value();
  const calc::AdditionalTaxSheet sheet = calc::ComputeAdditionalTax(in);

  for (const auto& [field, value] : calc::PenaltyFieldValues(sheet)) Field(field)->setValue(value);
  // The days are checked when the delinquency step starts; it goes on anyway.
  if (sheet.delinquency.daysMessage)
    platform::ShowMessage(this, QStringLiteral("年数の入力が間違っています"));
  for (const auto& [field, value] : calc::DelinquencyFieldValues(sheet))
    Field(field)->setValue(value);
}

// Clear: every figure to 0 and the days to one year; the rate, the check box
// and the unit stay as they are, and so does the layout.
void TForm3::BitBtn4Click() {
  for (int n = 1; n <= kFieldCount; ++n) {
    if (n != kRateField && n != kDaysField) Field(n)->setValue(0);
  }
  Field(kDaysField)->setValue(kDefaultDays);
}

void TForm3::BitBtn3Click() {
  platform::ShowMessage(this, QStringLiteral("延滞税の計算の基礎が分かっている方のみご利用下さい。"),
                        platform::MessageKind::Information);
}

void TForm3::BitBtn5Click() {
  platform::SetApplicationHelpFile(QStringLiteral("tavenko.hlp"));
  platform::RunHelpMacro(QStringLiteral("contents()"), this);
}

void TForm3::BitBtn2Click() { platform::PrintWindowWithDialog(this); }
