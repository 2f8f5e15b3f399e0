#include "forms/zentai.h"

#include <QButtonGroup>
#include <QChart>
#include <QComboBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QFocusEvent>
#include <QFont>
#include <QGraphicsLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QPieSeries>
#include <QPieSlice>
#include <QPrinter>
#include <QShortcut>
#include <QUrl>
#include <algorithm>
#include <array>
#include <vector>

#include "Version.h"
#include "calc/SheetSteps.h"
#include "controls/IniGT.h"
#include "controls/NValEdit.h"
#include "forms/SecondaryWindows.h"
#include "forms/WindowLook.h"
#include "forms/WindowSettings.h"
#include "platform/HelpViewer.h"
#include "platform/Messages.h"
#include "platform/WindowPrinter.h"
#include "ui_zentai.h"

using tavenko::AmountUnit;
using tavenko::kCountScale;
namespace calc = tavenko::calc;

namespace {

const QColor clBlack(0, 0, 0);
const QColor clTeal(0, 128, 128);  // 0x808000 as a Windows colour (BGR)
const QColor clSilver(192, 192, 192);

// The window's keys in the settings file: its position, and the unit buttons.
const QString kSettingsKey = QStringLiteral("form1");
const QString kUnitSection = QStringLiteral("radio");
// The edition is kept beside the window's position, by its key ("h29", "r7").
const QString kPositionSection = QStringLiteral("form");
const QString kEditionKey = QStringLiteral("form1.edition");

// The log panel is anchored to all four sides of the wide window.
constexpr int kPanelLeft = 711, kPanelTop = 8, kPanelRightMargin = 15, kPanelBottomMargin = 56;

// The side box may grow down to just above the result captions.
constexpr int kSideBoxLowest = 204;
constexpr int kSideNoteBottomMargin = 2;

// A unit button checked or not. Checking one unchecks the other; unchecking
// leaves both clear, as a settings file with both keys 0 asks for (the
// exclusive group alone would refuse it).
void SetRadioChecked(QAbstractButton* button, bool checked) {
  QButtonGroup* group = button->group();
  const bool exclusive = group && group->exclusive();
  if (!checked && group) group->setExclusive(false);
  button->setChecked(checked);
  if (group) group->setExclusive(exclusive);
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm1>()) {
  InstallJapaneseFontFallbacks();
  BeginWindowLook(this);
  ui->setupUi(this);
  titleTemplate_ = windowTitle();
  sideBoxHeight_ = ui->GroupBox2->height();
  // The prompts of the four amounts and every figure field stand out at 15 px.
  for (QWidget* large : std::initializer_list<QWidget*>{ui->Label1, ui->Label2, ui->Label3, ui->Label4})
    large->setFont(WindowFont(15));
  for (TNValEdit* field : findChildren<TNValEdit*>()) field->setFont(WindowFont(15));
  LoadNumericFields(this);
  SetUpLog();
  SetWidth(kNarrowWidth);

  IniGT1 = AddSettingsFile(this);

  // The spouse group's caption takes the heir prompts' colour; its two
  // buttons keep the window's text colour.
  for (QWidget* spouse : {ui->RadioButton1, ui->RadioButton2})
    SetTextColour(spouse, palette().color(QPalette::WindowText));

  // The unit pair is one exclusive group of its own: left to auto-exclusion,
  // the spouse buttons further down the window would count as its siblings,
  // and a click on the checked unit would clear it.
  auto* unitButtons = new QButtonGroup(this);
  unitButtons->addButton(ui->RadioButton3);
  unitButtons->addButton(ui->RadioButton4);

  SetUpChart();
  SetUpIcons();
  ConnectButtons();
  SetUpQuickTable();
  SetUpEditionBox();
  FinishWindowLook(this);
  tavenko::platform::AddUsageHelpKey(this);
  FormCreate();
}

TForm1::~TForm1() = default;

// ---- Set-up -----------------------------------------------------------------

void TForm1::SetUpChart() {
  // The pie: no title, axes, legend or marks, flat and circular on silver,
  // the first slice starting at the top. Drawn in the view's own chart: one
  // given by setChart() would leave that one behind, never freed.
  QChart* chart = ui->Chart1->chart();
  chart->setTitle(QString());
  chart->legend()->hide();
  chart->setBackgroundBrush(clSilver);
  chart->setBackgroundRoundness(0);
  chart->setMargins(QMargins());
  chart->layout()->setContentsMargins(0, 0, 0, 0);
  chart->setAnimationOptions(QChart::NoAnimation);

  Series1 = new QPieSeries(chart);
  Series1->setObjectName(QStringLiteral("Series1"));
  Series1->setName(QStringLiteral("円"));
  Series1->setPieStartAngle(0);  // 12 o'clock
  Series1->setPieEndAngle(360);
  Series1->setPieSize(0.9);
  chart->addSeries(Series1);

  ui->Chart1->setBackgroundBrush(clSilver);
  ui->Chart1->setRenderHint(QPainter::Antialiasing);
}

void TForm1::SetUpLog() {
  // The log is a read-out: it can be read, selected and copied, not typed
  // into, and Tab moves on from it as from any other control.
  ui->Memo1->setReadOnly(true);
  ui->Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  ui->Memo1->setTabChangesFocus(true);
}

void TForm1::SetUpIcons() {
  ui->BitBtn27->setIcon(PrintIcon());
  ui->BitBtn23->setIcon(ThemeIcon(QStringLiteral("view-dual"), QStringLiteral(":/icons/width.png")));
}

void TForm1::ConnectButtons() {
  // Every calculation button of the registry runs its case through the one
  // apply path.
  for (const calc::MainCase& c : calc::MainCases()) {
    auto* button = findChild<QPushButton*>(QString::fromUtf8(c.button.data(), c.button.size()));
    if (!button) continue;
    connect(button, &QPushButton::clicked, this, [this, name = c.button] { RunCalculation(name); });
  }

  connect(ui->RadioButton1, &QRadioButton::clicked, this, &TForm1::RadioButton1Click);
  connect(ui->RadioButton2, &QRadioButton::clicked, this, &TForm1::RadioButton2Click);
  connect(ui->BitBtn23, &QPushButton::clicked, this, &TForm1::BitBtn23Click);
  connect(ui->BitBtn27, &QPushButton::clicked, this, &TForm1::BitBtn27Click);
  connect(ui->BitBtn25, &QPushButton::clicked, this, &TForm1::BitBtn25Click);
  connect(ui->BitBtn24, &QPushButton::clicked, this, &TForm1::BitBtn24Click);
  connect(ui->BitBtn26, &QPushButton::clicked, this, &TForm1::BitBtn26Click);
  // "法人＋留保金" (BitBtn14) and "税率" (BitBtn22) stay disabled and unconnected.

  ui->Label8->installEventFilter(this);
  for (QWidget* heirButton :
       {ui->BitBtn16, ui->BitBtn17, ui->BitBtn18, ui->BitBtn19, ui->BitBtn20, ui->BitBtn21})
    heirButton->installEventFilter(this);
}

void TForm1::SetUpEditionBox() {
  for (const tavenko::law::Edition* edition : tavenko::law::Editions())
    ui->EditionBox->addItem(QString::fromUtf8(edition->name.data(), edition->name.size()),
                            static_cast<int>(edition->id));
  connect(ui->EditionBox, &QComboBox::activated, this, [this](int index) {
    SetEdition(static_cast<tavenko::law::EditionId>(ui->EditionBox->itemData(index).toInt()));
  });
  SetEdition(edition_);
}

void TForm1::SetEdition(tavenko::law::EditionId edition) {
  // Nothing is cleared: the next click computes under the new edition.
  edition_ = edition;
  ui->EditionBox->setCurrentIndex(ui->EditionBox->findData(static_cast<int>(edition)));
  const tavenko::law::Edition& law = tavenko::law::EditionOf(edition);
  // The designed title "タベンコ　%1　v%2": the edition and the version.
  setWindowTitle(titleTemplate_.arg(QString::fromUtf8(law.titleName.data(), law.titleName.size()),
                                    QString::fromLatin1(tavenko::kVersion)));
  // Hints that quote the law's figures are made from the edition.
  for (const calc::MainCase& c : calc::MainCases()) {
    if (!c.hint) continue;
    if (auto* button = findChild<QPushButton*>(QString::fromUtf8(c.button.data(), c.button.size())))
      button->setToolTip(QString::fromStdString(c.hint(law)));
  }
}

void TForm1::SetUpQuickTable() {
  // A context menu and a shortcut: the designed face of the window stays as it is.
  quickTableMenu_ = new QMenu(this);
  quickTableMenu_->setObjectName(QStringLiteral("QuickTableMenu"));
  QAction* open = quickTableMenu_->addAction(QStringLiteral("早見表…"));
  open->setObjectName(QStringLiteral("QuickTableAction"));
  connect(open, &QAction::triggered, this, [this] { OpenQuickTable(menuButton_); });
  for (const calc::MainCase& c : calc::MainCases()) {
    auto* button = findChild<QPushButton*>(QString::fromUtf8(c.button.data(), c.button.size()));
    if (!button) continue;
    button->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(button, &QWidget::customContextMenuRequested, this, [this, button, name = c.button](QPoint at) {
      menuButton_ = name;
      quickTableMenu_->popup(button->mapToGlobal(at));
    });
  }
  auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_T), this);
  connect(shortcut, &QShortcut::activated, this, [this] { OpenQuickTable(LastCalculationButton()); });
}

// ---- Window events ----------------------------------------------------------

void TForm1::FormCreate() {
  // Position and unit from the settings file.
  move(StoredPosition(*IniGT1, kSettingsKey));
  const std::string storedEdition = IniGT1->ReadRawString(kPositionSection, kEditionKey, QString()).trimmed().toStdString();
  SetEdition(tavenko::law::FindEdition(storedEdition).value_or(tavenko::law::EditionId::Heisei29));
  SetRadioChecked(ui->RadioButton3, IniGT1->ReadBool(kUnitSection, QStringLiteral("radiobutton3"),
                                                     ui->RadioButton3->isChecked()));
  SetRadioChecked(ui->RadioButton4, IniGT1->ReadBool(kUnitSection, QStringLiteral("radiobutton4"),
                                                     ui->RadioButton4->isChecked()));
}

void TForm1::FormShow() { SetWidth(kNarrowWidth); }

void TForm1::FormActivate() {
  spouseCount_ = ui->RadioButton1->isChecked() ? kCountScale : 0;
  for (QLineEdit* caption : {ui->Edit1, ui->Edit2, ui->Edit3, ui->Edit4, ui->Edit5, ui->Edit6, ui->Edit7})
    caption->clear();
}

void TForm1::FormClose() {
  std::vector<StoredSetting> settings = PositionSettings(*this, kSettingsKey);
  const std::string_view editionKey = tavenko::law::EditionOf(edition_).key;
  settings.push_back({kPositionSection, kEditionKey, QString::fromLatin1(editionKey.data(), editionKey.size())});
  settings.push_back({kUnitSection, QStringLiteral("radiobutton3"), ui->RadioButton3->isChecked()});
  settings.push_back({kUnitSection, QStringLiteral("radiobutton4"), ui->RadioButton4->isChecked()});
  SaveSettings(this, IniGT1, settings);
}

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TForm1::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::ActivationChange) return;
  if (!isActiveWindow()) {
    // A modal box of this window (a calculation's message, the printer
    // set-up) takes the activation only while the user answers it.
    const auto* box = qobject_cast<QDialog*>(QApplication::activeWindow());
    backFromModalBox_ = box && box->isModal() && box->parentWidget() == this;
    return;
  }
  if (backFromModalBox_) {
    // The box closed. The platform hands the activation back only after the
    // click has written its captions; they belong to that click and stay.
    backFromModalBox_ = false;
    spouseCount_ = ui->RadioButton1->isChecked() ? kCountScale : 0;
    return;
  }
  FormActivate();
}

void TForm1::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ui->Panel1->setGeometry(kPanelLeft, kPanelTop, std::max(0, width() - kPanelLeft - kPanelRightMargin),
                          std::max(0, height() - kPanelTop - kPanelBottomMargin));
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui->Label8 && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    Label8Click();
    return true;
  }
  if (event->type() == QEvent::FocusOut && watched != ui->Label8) {
    // The focus leaves the button for another control of this window; the
    // window itself losing activation (a message box, another window) keeps
    // the button as the window's focus and is no exit.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) InheritanceButtonExit();
  }
  return QWidget::eventFilter(watched, event);
}

// ---- Buttons ----------------------------------------------------------------

void TForm1::RadioButton1Click() { spouseCount_ = kCountScale; }
void TForm1::RadioButton2Click() { spouseCount_ = 0; }

void TForm1::SetWidth(int width) {
  setFixedSize(width, kHeight);
  // The log panel lies beyond the narrow window's edge: hidden, so that
  // neither Tab nor Enter can lead into it out of sight.
  ui->Panel1->setVisible(width >= kWideWidth);
  ShowNewestLogLines();
}

void TForm1::AppendToLog(tavenko::law::EditionId edition, const std::vector<std::string>& lines) {
  // A log that changes edition says so before the click's lines, so that
  // it is never read under the wrong law.
  if (edition != loggedEdition_ && !lines.empty())
    ui->Memo1->appendPlainText(QString::fromStdString(calc::EditionLogLine(edition)));
  if (!lines.empty()) loggedEdition_ = edition;
  for (const std::string& line : lines) ui->Memo1->appendPlainText(QString::fromStdString(line));
  logBehind_ = true;
  ShowNewestLogLines();
}

void TForm1::ShowNewestLogLines() {
  // Lines added while the log was out of sight come into view when it shows.
  if (!logBehind_ || !ui->Memo1->isVisible()) return;
  ui->Memo1->moveCursor(QTextCursor::End);
  ui->Memo1->ensureCursorVisible();
  logBehind_ = false;
}

void TForm1::BitBtn23Click() {
  wide_ = !wide_;
  SetWidth(wide_ ? kWideWidth : kNarrowWidth);
}

void TForm1::BitBtn27Click() {
  tavenko::platform::PrintWindowWithDialog(this);
  ReclaimActivation();
}

void TForm1::ReclaimActivation() {
  // Back from a modal box: ask for the activation the box took, so that the
  // return is not mistaken for a later visit from another window.
  if (backFromModalBox_ && !isActiveWindow()) activateWindow();
}

void TForm1::PrintTo(QPrinter& printer) { tavenko::platform::PrintWindow(this, printer); }

void TForm1::BitBtn25Click() { CreateComprehensiveTaxWindow(this, ReadInputs().edition)->show(); }
void TForm1::BitBtn24Click() { CreateAdditionalTaxWindow(this, ReadInputs().edition)->show(); }
void TForm1::BitBtn26Click() { CreateIncorporationWindow(this, ReadInputs().edition)->show(); }

void TForm1::Label8Click() {
  const QString address = QString::fromUtf8(kHomePageAddress);
  if (address.isEmpty())
    tavenko::platform::ShowUsageHelp();
  else
    QDesktopServices::openUrl(QUrl(address));
}

void TForm1::InheritanceButtonExit() { SetHeirPromptsColour(clTeal); }

void TForm1::SetHeirPromptsColour(const QColor& colour) {
  for (QWidget* prompt : {static_cast<QWidget*>(ui->GroupBox1), static_cast<QWidget*>(ui->Label5),
                          static_cast<QWidget*>(ui->Label6), static_cast<QWidget*>(ui->Label7)})
    SetTextColour(prompt, colour);
}

// ---- The calculation path -----------------------------------------------------

void TForm1::RunCalculation(std::string_view button) {
  const calc::MainCase* c = calc::FindMainCase(button);
  if (!c) return;
  lastButton_ = c->button;
  const calc::MainInputs inputs = ReadInputs();
  ApplySheet(inputs.edition, c->compute(inputs));
}

std::string_view TForm1::LastCalculationButton() const {
  return lastButton_.empty() ? calc::MainCases().front().button : lastButton_;
}

void TForm1::OpenQuickTable(std::string_view button) {
  const calc::MainCase* c = calc::FindMainCase(button);
  if (!c) return;
  QWidget* window = CreateQuickTableWindow(this, *c, ReadInputs());
  window->show();
  window->activateWindow();
}

calc::MainInputs TForm1::ReadInputs() const {
  calc::MainInputs in;
  in.income = ui->NValEdit11->Value();
  in.deductions = ui->NValEdit12->Value();
  in.profit = ui->NValEdit13->Value();
  in.value = ui->NValEdit14->Value();
  in.children = ui->NValEdit8->Value();
  in.parents = ui->NValEdit9->Value();
  in.siblings = ui->NValEdit10->Value();
  in.years = ui->NValEdit16->Value();
  // 円 exactly when its button is checked; neither checked counts as 万円.
  in.unit = ui->RadioButton4->isChecked() ? AmountUnit::Yen : AmountUnit::Man;
  in.spouseCount = spouseCount_;
  in.edition = edition_;
  return in;
}

TNValEdit* TForm1::ResultField(int index) const {
  const std::array<TNValEdit*, calc::kResultCount> fields{ui->NValEdit1, ui->NValEdit2, ui->NValEdit3,
                                                          ui->NValEdit4, ui->NValEdit5, ui->NValEdit6,
                                                          ui->NValEdit7};
  return fields[index];
}

void TForm1::ApplySheet(tavenko::law::EditionId edition, const calc::MainSheet& sheet) {
  HighlightInputs(sheet);
  ApplySidePanels(sheet);
  for (int i = 0; i < calc::kResultCount; ++i) ResultField(i)->setValue(0);  // ClearResults
  if (sheet.yearsFieldValue) ui->NValEdit16->setValue(*sheet.yearsFieldValue);
  for (const std::string& message : sheet.messages)
    tavenko::platform::ShowMessage(this, QString::fromStdString(message));
  ReclaimActivation();
  ShowResults(sheet);
  AppendToLog(edition, sheet.log);
  const std::array<QLineEdit*, calc::kResultCount> captions{ui->Edit1, ui->Edit2, ui->Edit3, ui->Edit4,
                                                            ui->Edit5, ui->Edit6, ui->Edit7};
  for (int i = 0; i < calc::kResultCount; ++i)
    captions[i]->setText(QString::fromStdString(sheet.captions[i]));
  FillBreakdownPie(sheet);
}

void TForm1::HighlightInputs(const calc::MainSheet& sheet) {
  const std::array<std::pair<QWidget*, QWidget*>, 4> inputs{{{ui->Label1, ui->NValEdit11},
                                                             {ui->Label2, ui->NValEdit12},
                                                             {ui->Label3, ui->NValEdit13},
                                                             {ui->Label4, ui->NValEdit14}}};
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    const QColor& colour = sheet.inputsUsed[i] ? clBlack : clTeal;
    SetTextColour(inputs[i].first, colour);
    SetTextColour(inputs[i].second, colour);
  }
  if (sheet.heirPromptsInUse) SetHeirPromptsColour(clBlack);
}

void TForm1::ApplySidePanels(const calc::MainSheet& sheet) {
  const calc::SidePanel& side = sheet.side;
  if (side.visible) {
    ui->GroupBox2->setTitle(QString::fromStdString(side.caption));
    ui->Label13->setText(QString::fromStdString(side.note));
    // The note grows with its lines, as far down as the box reaches; a note
    // longer than the designed box (a later edition stating its rates)
    // grows the box down towards the result captions.
    ui->Label13->adjustSize();
    const int noteLines = int(ui->Label13->text().trimmed().count(QLatin1Char('\n'))) + 1;
    const int needed = ui->Label13->y() + noteLines * ui->Label13->fontMetrics().lineSpacing() + kSideNoteBottomMargin;
    ui->GroupBox2->resize(ui->GroupBox2->width(), std::clamp(needed, sideBoxHeight_, kSideBoxLowest - ui->GroupBox2->y()));
  }
  ui->NValEdit16->setVisible(side.yearsFieldVisible);
  ui->NValEdit17->setVisible(side.extraFieldVisible);
  ui->GroupBox2->setVisible(side.visible);
  ui->GroupBox3->setVisible(sheet.feePanelVisible);
}

void TForm1::ShowResults(const calc::MainSheet& sheet) {
  for (int i = 0; i < calc::kResultCount; ++i) ResultField(i)->setValue(sheet.results[i]);
  if (sheet.extraFieldValue) ui->NValEdit17->setValue(*sheet.extraFieldValue);
  if (sheet.feeLow) ui->NValEdit15->setValue(*sheet.feeLow);
  if (sheet.feeHigh) ui->NValEdit18->setValue(*sheet.feeHigh);
}

void TForm1::FillBreakdownPie(const calc::MainSheet& sheet) {
  ui->Chart1->hide();
  Series1->clear();
  // Slices are drawn largest first; equal values keep the order added.
  std::vector<calc::PieSlice> slices = sheet.pie;
  std::stable_sort(slices.begin(), slices.end(),
                   [](const calc::PieSlice& a, const calc::PieSlice& b) { return a.value > b.value; });
  for (const calc::PieSlice& s : slices) {
    QPieSlice* slice = Series1->append(QString::fromStdString(s.label), static_cast<double>(s.value));
    slice->setBrush(ChartQColor(s.colour));
    slice->setPen(QPen(Qt::black, 0.5));
    slice->setLabelVisible(false);
  }
  ui->Chart1->setVisible(sheet.pieVisible);
}
