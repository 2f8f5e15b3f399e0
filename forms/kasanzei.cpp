#include "forms/kasanzei.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QCloseEvent>
#include <QEvent>
#include <QStyle>
#include <array>

#include "controls/NValEdit.h"
#include "core/NumberText.h"
#include "forms/EditionFace.h"
#include "forms/WindowLook.h"
#include "platform/HelpViewer.h"
#include "platform/Messages.h"
#include "platform/WindowPrinter.h"
#include "ui_kasanzei.h"

namespace {

namespace platform = tavenko::platform;
namespace calc = tavenko::calc;

constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 538;
// Where the first calculation puts the unit group, uncovering "増差税額".
constexpr QPoint kUnitGroupAside{16, 72};

// The days field's designed value: one year.
constexpr long double kDefaultDays = 365;

QDate ToQDate(const tavenko::CivilDate& d) { return QDate(d.year, d.month, d.day); }
tavenko::CivilDate ToCivil(const QDate& d) { return {d.year(), d.month(), d.day()}; }

// ---- The field map ------------------------------------------------------------

// The window's controls as uic declares them.
using Form = Ui::TForm3;
using Field = TNValEdit* Form::*;
using ColumnFields = std::array<Field, calc::kTaxColumns>;  // national, inhabitant, business

constexpr ColumnFields kInitialTaxFields{&Form::NValEdit1, &Form::NValEdit2, &Form::NValEdit3};
constexpr ColumnFields kAmendedTaxFields{&Form::NValEdit5, &Form::NValEdit6, &Form::NValEdit7};
constexpr Field kUnderstatedIncomeField = &Form::NValEdit13;
constexpr Field kConcealedIncomeField = &Form::NValEdit18;
constexpr Field kRateField = &Form::NValEdit30;
constexpr Field kDaysField = &Form::NValEdit32;

// A row of results across the three columns, and its total.
struct RowFields {
  ColumnFields column;
  Field total;
};
constexpr RowFields kIncreaseRow{{&Form::NValEdit9, &Form::NValEdit10, &Form::NValEdit11}, &Form::NValEdit12};
constexpr RowFields kUnderstatedRow{{&Form::NValEdit14, &Form::NValEdit15, &Form::NValEdit16},
                                    &Form::NValEdit17};
constexpr RowFields kConcealedRow{{&Form::NValEdit19, &Form::NValEdit20, &Form::NValEdit21},
                                  &Form::NValEdit22};
constexpr RowFields kUnderstatedDelinquencyRow{{&Form::NValEdit33, &Form::NValEdit34, &Form::NValEdit35},
                                               &Form::NValEdit36};
constexpr RowFields kConcealedDelinquencyRow{{&Form::NValEdit37, &Form::NValEdit38, &Form::NValEdit39},
                                             &Form::NValEdit40};

// A penalty row: the national and business columns and the total; the
// 10 % row has no business field.
struct PenaltyFields {
  Field national;
  Field business;
  Field total;
};
constexpr PenaltyFields kTenPercentRow{&Form::NValEdit23, nullptr, &Form::NValEdit24};
constexpr PenaltyFields kFifteenPercentRow{&Form::NValEdit25, &Form::NValEdit31, &Form::NValEdit26};
constexpr PenaltyFields kHeavyRow{&Form::NValEdit27, &Form::NValEdit28, &Form::NValEdit29};

constexpr Field kInitialTotalField = &Form::NValEdit4;
constexpr Field kAmendedTotalField = &Form::NValEdit8;
constexpr Field kGrandTotalField = &Form::NValEdit41;

// The fields the user types figures into, the rate and the days aside.
constexpr Field kTypedFigureFields[] = {&Form::NValEdit1,  &Form::NValEdit2, &Form::NValEdit3,
                                        &Form::NValEdit5,  &Form::NValEdit6, &Form::NValEdit7,
                                        &Form::NValEdit13, &Form::NValEdit18};

// Every result field: hidden until the first calculation.
constexpr Field kResultFields[] = {&Form::NValEdit4,  &Form::NValEdit8,  &Form::NValEdit9,  &Form::NValEdit10,
                                   &Form::NValEdit11, &Form::NValEdit12, &Form::NValEdit14, &Form::NValEdit15,
                                   &Form::NValEdit16, &Form::NValEdit17, &Form::NValEdit19, &Form::NValEdit20,
                                   &Form::NValEdit21, &Form::NValEdit22, &Form::NValEdit23, &Form::NValEdit24,
                                   &Form::NValEdit25, &Form::NValEdit26, &Form::NValEdit27, &Form::NValEdit28,
                                   &Form::NValEdit29, &Form::NValEdit31, &Form::NValEdit33, &Form::NValEdit34,
                                   &Form::NValEdit35, &Form::NValEdit36, &Form::NValEdit37, &Form::NValEdit38,
                                   &Form::NValEdit39, &Form::NValEdit40, &Form::NValEdit41};

// Zeroed first by each calculation. While the days message is up, the
// delinquency totals thus show 0 and the rows above them their old figures.
constexpr Field kResetFields[] = {&Form::NValEdit25, &Form::NValEdit4,  &Form::NValEdit8,  &Form::NValEdit12,
                                  &Form::NValEdit20, &Form::NValEdit22, &Form::NValEdit24, &Form::NValEdit26,
                                  &Form::NValEdit29, &Form::NValEdit36, &Form::NValEdit40, &Form::NValEdit41};

// Writes a result row: its three columns and its total.
void WriteRow(Form& ui, const RowFields& fields, const calc::ColumnRow& row) {
  for (int k = 0; k < calc::kTaxColumns; ++k) (ui.*fields.column[k])->setValue(row.column[k]);
  (ui.*fields.total)->setValue(row.total);
}

void WritePenalty(Form& ui, const PenaltyFields& fields, const calc::PenaltyRow& row) {
  (ui.*fields.national)->setValue(row.national);
  if (fields.business) (ui.*fields.business)->setValue(row.business);
  (ui.*fields.total)->setValue(row.total);
}

}  // namespace

TForm3::TForm3(tavenko::law::EditionId edition, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::TForm3>()), law_(&tavenko::law::EditionOf(edition)) {
  BeginWindowLook(this);
  ui->setupUi(this);
  TitleForEdition(this, *law_);
  if (!law_->delinquency.years.empty()) LayOutForDates();
  setFixedSize(kWindowWidth, kWindowHeight);
  LoadNumericFields(this);
  // The designed rate and days, shown even before the window is first activated.
  FormActivate();

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
  ((*ui).*kRateField)->setValue(law_->delinquency.defaultDiscountRatePercent);
  ((*ui).*kDaysField)->setValue(kDefaultDays);
}

void TForm3::FormClose() { setAttribute(Qt::WA_DeleteOnClose); }

// The delinquency box counted by dates: the due date (the edition's), the
// filing date (today, or the day after the due date before it has passed)
// and the payment date (the filing date) where the rate and the days stood.
// The window does not cut its amounts to 100 or 10,000 yen, and says so.
void TForm3::LayOutForDates() {
  for (QWidget* byDays : {static_cast<QWidget*>(ui->Label16), static_cast<QWidget*>(ui->Label17),
                          static_cast<QWidget*>(ui->Label18), static_cast<QWidget*>((*ui).*kRateField),
                          static_cast<QWidget*>((*ui).*kDaysField)})
    byDays->hide();
  QWidget* box = ui->GroupBox2;
  // In place of the one-year note (which the first calculation hides); this
  // note stays.
  ui->Label15->setText(QString());
  NewLabel(box, QStringLiteral("Label21"), {340, 20, 276, 16}, QStringLiteral("端数処理は行っていません"))
      ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  const QDate due = ToQDate(law_->delinquency.defaultDueDate);
  const QDate today = QDate::currentDate();
  const QDate filed = today > due ? today : due.addDays(1);
  const auto dateField = [&](const char* name, const QString& prompt, int x, int promptWidth, const QDate& date) {
    NewLabel(box, QStringLiteral("Label_%1").arg(QLatin1String(name)), {x, 44, promptWidth, 21}, prompt);
    auto* field = new QDateEdit(date, box);
    field->setObjectName(QLatin1String(name));
    field->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    field->setDateRange(QDate(1990, 1, 1), QDate(2099, 12, 31));
    field->setCalendarPopup(true);
    field->setGeometry(x + promptWidth + 4, 44, 108, 21);
    field->installEventFilter(this);
    return field;
  };
  DateEdit1 = dateField("DateEdit1", QStringLiteral("法定納期限"), 8, 70, due);
  DateEdit2 = dateField("DateEdit2", QStringLiteral("申告日"), 206, 46, filed);
  DateEdit3 = dateField("DateEdit3", QStringLiteral("納付日"), 380, 46, filed);
  filedBefore_ = filed;
  connect(DateEdit2, &QDateEdit::dateChanged, this, &TForm3::DateEdit2Change);
  setTabOrder(((*ui).*kConcealedIncomeField), DateEdit1);
  setTabOrder(DateEdit1, DateEdit2);
  setTabOrder(DateEdit2, DateEdit3);
}

void TForm3::DateEdit2Change() {
  if (DateEdit3->date() == filedBefore_) DateEdit3->setDate(DateEdit2->date());
  filedBefore_ = DateEdit2->date();
}

// A date field that gets the focus, by mouse or key, has its year selected,
// so that a whole date is typed in one go ("20260630"); Enter takes the date
// and moves on, as in the figure fields.
bool TForm3::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::FocusIn) {
    if (auto* date = qobject_cast<QDateEdit*>(watched)) {
      // After the mouse press that brought the focus has placed the cursor.
      QMetaObject::invokeMethod(
          date, [date] { date->setSelectedSection(QDateTimeEdit::YearSection); }, Qt::QueuedConnection);
    }
  }
  if (e->type() == QEvent::KeyPress && qobject_cast<QDateEdit*>(watched)) {
    const auto* key = static_cast<QKeyEvent*>(e);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      static_cast<QDateEdit*>(watched)->interpretText();
      focusNextChild();
      return true;
    }
  }
  return QWidget::eventFilter(watched, e);
}

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
  for (Field result : kResultFields) ((*ui).*result)->setVisible(true);
  for (QLabel* label :
       {ui->Label4, ui->Label12, ui->Label13, ui->Label14, ui->Label19, ui->Label20, ui->Label18, ui->Label7})
    label->setVisible(true);
  for (QLabel* note : {ui->Label10, ui->Label11, ui->Label15}) note->setVisible(false);
}

void TForm3::BitBtn1Click() {
  ShowResultLayout();
  ApplySheet(calc::ComputeAdditionalTax(ReadInputs()));
}

calc::AdditionalTaxInputs TForm3::ReadInputs() const {
  calc::AdditionalTaxInputs in;
  for (int k = 0; k < calc::kTaxColumns; ++k) {
    in.initialTax[k] = ((*ui).*kInitialTaxFields[k])->Value();
    in.amendedTax[k] = ((*ui).*kAmendedTaxFields[k])->Value();
  }
  in.understatedIncome = ((*ui).*kUnderstatedIncomeField)->Value();
  in.concealedIncome = ((*ui).*kConcealedIncomeField)->Value();
  in.noReturn = ui->CheckBox1->isChecked();
  in.unit = unitFlag_ == 2 ? calc::PenaltyUnit::TenThousandYen : calc::PenaltyUnit::Yen;
  in.discountRatePercent = ((*ui).*kRateField)->Value();
  in.days = ((*ui).*kDaysField)->Value();
  in.edition = law_->id;
  if (DateEdit1) in.dates = {ToCivil(DateEdit1->date()), ToCivil(DateEdit2->date()), ToCivil(DateEdit3->date())};
  return in;
}

void TForm3::ApplySheet(const calc::AdditionalTaxSheet& sheet) {
  for (Field field : kResetFields) ((*ui).*field)->setValue(0);  // ClearResults

  if (sheet.understatedIncomeSetToOne) ((*ui).*kUnderstatedIncomeField)->setValue(1);
  ((*ui).*kInitialTotalField)->setValue(sheet.initialTotal);
  ((*ui).*kAmendedTotalField)->setValue(sheet.amendedTotal);
  WriteRow(*ui, kIncreaseRow, sheet.increase);
  WriteRow(*ui, kUnderstatedRow, sheet.understated);
  WriteRow(*ui, kConcealedRow, sheet.concealed);
  WritePenalty(*ui, kTenPercentRow, sheet.tenPercent);
  WritePenalty(*ui, kFifteenPercentRow, sheet.fifteenPercent);
  // A banded penalty shows its parts in the hint of its figure.
  QString parts;
  if (sheet.fifteenPercent.parts.size() > 1) {
    for (const calc::PenaltyPart& part : sheet.fifteenPercent.parts)
      parts += QStringLiteral("%1%2 × %3％ ＝ %4").arg(parts.isEmpty() ? QString() : QStringLiteral("\n"),
                   QString::fromStdString(tavenko::FormatFixed(part.base, 0, true)),
                   QString::fromStdString(tavenko::FormatGeneral(part.rate * 100)),
                   QString::fromStdString(tavenko::FormatFixed(part.amount, 0, true)));
  }
  ((*ui).*kFifteenPercentRow.national)->setToolTip(parts);
  WritePenalty(*ui, kHeavyRow, sheet.heavy);

  // The days are checked when the delinquency step starts; it goes on anyway.
  if (sheet.delinquency.daysMessage)
    platform::ShowMessage(this, QStringLiteral("年数の入力が間違っています"));
  if (!sheet.delinquency.refusal.empty())
    platform::ShowMessage(this, QString::fromStdString(sheet.delinquency.refusal));
  WriteRow(*ui, kUnderstatedDelinquencyRow, sheet.delinquency.understated);
  WriteRow(*ui, kConcealedDelinquencyRow, sheet.delinquency.concealed);
  ((*ui).*kGrandTotalField)->setValue(sheet.grandTotal);
}

// Clear: every figure to 0 and the days to one year; the rate, the check box
// and the unit stay as they are, and so does the layout.
void TForm3::BitBtn4Click() {
  for (Field typed : kTypedFigureFields) ((*ui).*typed)->setValue(0);
  for (Field result : kResultFields) ((*ui).*result)->setValue(0);
  ((*ui).*kDaysField)->setValue(kDefaultDays);
}

void TForm3::BitBtn3Click() {
  platform::ShowMessage(this, QStringLiteral("延滞税の計算の基礎が分かっている方のみご利用下さい。"),
                        platform::MessageKind::Information);
}

void TForm3::BitBtn5Click() {
  platform::SetApplicationHelpFile(QStringLiteral("tavenko.hlp"));
  platform::RunHelpMacro(QStringLiteral("contents()"), this, *law_);
}

void TForm3::BitBtn2Click() { platform::PrintWindowWithDialog(this); }
