#include "forms/QuickTableWindow.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStandardPaths>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <cmath>

#include "calc/LawTexts.h"
#include "controls/IniGT.h"
#include "controls/NValEdit.h"
#include "forms/QuickTableChart.h"
#include "forms/QuickTableModel.h"
#include "forms/QuickTablePrint.h"
#include "forms/QuickTableSettings.h"
#include "forms/WindowLook.h"
#include "forms/WindowSettings.h"
#include "platform/Messages.h"
#include "platform/WindowPrinter.h"

using tavenko::AmountUnit;
using tavenko::Extended;
using tavenko::kCountScale;
using tavenko::face::Figure;
using tavenko::face::FiguresRead;
using tavenko::face::InputField;
using tavenko::face::MainField;
using tavenko::face::QuickRange;
using tavenko::face::QuickTable;
namespace calc = tavenko::calc;
namespace face = tavenko::face;

namespace {

constexpr int kDefaultPosition = 100;
constexpr QSize kDefaultSize(1180, 660);
constexpr int kBusyNoticeMs = 300;  // a longer computation says so

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

bool ReadsHeirs(const calc::MainCase& button) {
  const auto reads = FiguresRead(button);
  return std::any_of(reads.begin(), reads.end(), [](Figure f) {
    return f == Figure::Children || f == Figure::Parents || f == Figure::Siblings;
  });
}

bool Reads(const calc::MainCase& button, Figure figure) {
  const auto reads = FiguresRead(button);
  return std::find(reads.begin(), reads.end(), figure) != reads.end();
}

// What a figure is counted in: the window's unit for money, else 人 or 年.
QString UnitName(const MainField& field, AmountUnit unit) {
  if (field.money) return unit == AmountUnit::Yen ? QStringLiteral("円") : QStringLiteral("万円");
  return field.figure == Figure::Years ? QStringLiteral("年") : QStringLiteral("人");
}

// A figure with its unit, as its field shows it: "1,500 万円", "2 人".
QString FigureText(Figure figure, Extended value, AmountUnit unit) {
  const MainField& field = InputField(figure);
  return ToQString(face::ShownText(field, value)) + ' ' + UnitName(field, unit);
}

// A figure field with the rules of the main window's field of `figure`.
TNValEdit* FigureField(const QString& name, Figure figure, QWidget* parent) {
  const tavenko::field::FieldSettings& s = InputField(figure).settings;
  auto* field = new TNValEdit(parent);
  field->setObjectName(name);
  field->setMaxDigits(s.maxDigits);
  field->setPrmtNegative(s.prmtNegative);
  field->setFixDecimal(s.fixDecimal);
  field->setDelAllClear(s.delAllClear);
  field->setZeroDisplay(s.zeroDisplay);
  field->setPutAComma(s.putAComma);
  field->setEnterNext(s.enterNext);
  field->setArrowNext(s.arrowNext);
  field->setFont(WindowFont(15));
  // Wide enough for the twelve grouped digits of an amount.
  field->setMinimumWidth(s.maxDigits > 2 ? 136 : 56);
  return field;
}

}  // namespace

// ---- Set-up -----------------------------------------------------------------

TQuickTableWindow::TQuickTableWindow(const calc::MainCase& button, const calc::MainInputs& inputs,
                                     QWidget* owner)
    : QWidget(owner, Qt::Window) {
  setObjectName(QStringLiteral("QuickTableWindow"));
  BeginWindowLook(this, WindowSizing::Resizable);  // a table and a chart that use the room given
  resize(kDefaultSize);

  IniGT1 = new TIniGT(this);
  IniGT1->setObjectName(QStringLiteral("IniGT1"));
  IniGT1->setDefaultDir(ddApplication);
  IniGT1->setFence(fnNone);
  IniGT1->Loaded();
  // The main window's settings file, wherever it was found.
  if (auto* ownersFile =
          owner ? owner->findChild<TIniGT*>(QStringLiteral("IniGT1"), Qt::FindDirectChildrenOnly) : nullptr)
    IniGT1->setFileName(ownersFile->Path());
  settings_ = std::make_unique<QuickTableSettings>(IniGT1);

  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  auto* rangeGroup = new QGroupBox(QStringLiteral("早見表の範囲"), this);
  auto* inputsGroup = new QGroupBox(QStringLiteral("ほかの入力"), this);
  BuildRangeGroup(rangeGroup);
  BuildInputsGroup(inputsGroup);
  top->addWidget(rangeGroup, 3);
  top->addWidget(inputsGroup, 2);
  layout->addLayout(top);
  statusLabel_ = new QLabel(this);
  statusLabel_->setObjectName(QStringLiteral("StatusLabel"));
  statusLabel_->setWordWrap(true);
  layout->addWidget(statusLabel_);
  area_ = new QSplitter(Qt::Horizontal, this);
  area_->setObjectName(QStringLiteral("TableAndChart"));
  BuildTableAndChart(area_);
  layout->addWidget(area_, 1);
  auto* buttons = new QWidget(this);
  BuildButtons(buttons);
  layout->addWidget(buttons);

  LoadNumericFields(this);
  typingPause_ = new QTimer(this);
  typingPause_->setSingleShot(true);
  typingPause_->setInterval(kTypingPauseMs);
  busyNotice_ = new QTimer(this);
  busyNotice_->setSingleShot(true);
  busyNotice_->setInterval(kBusyNoticeMs);
  worker_ = new TableFuture(this);
  ConnectHandlers();
  FinishWindowLook(this);

  Prefill(inputs);
  caseBox_->setCurrentIndex(caseBox_->findData(ToQString(button.button)));
  CaseChanged();
}

TQuickTableWindow::~TQuickTableWindow() = default;

void TQuickTableWindow::BuildRangeGroup(QWidget* group) {
  auto* grid = new QGridLayout(group);
  caseBox_ = new QComboBox(group);
  caseBox_->setObjectName(QStringLiteral("CaseBox"));
  for (const calc::MainCase& c : calc::MainCases())
    caseBox_->addItem(ToQString(c.caption), ToQString(c.button));
  caseBox_->setMaxVisibleItems(int(calc::MainCases().size()));
  figureBox_ = new QComboBox(group);
  figureBox_->setObjectName(QStringLiteral("FigureBox"));
  editionBox_ = new QComboBox(group);
  editionBox_->setObjectName(QStringLiteral("EditionBox"));
  for (const tavenko::law::Edition* edition : tavenko::law::Editions())
    editionBox_->addItem(ToQString(edition->name), int(edition->id));
  compareBox_ = new QCheckBox(QStringLiteral("改正比較(&H)"), group);
  compareBox_->setObjectName(QStringLiteral("CompareBox"));
  compareBox_->setToolTip(QStringLiteral("税金合計をもう一つの年分でも計算し、差額を並べます"));

  manButton_ = new QRadioButton(QStringLiteral("万円"), group);
  manButton_->setObjectName(QStringLiteral("ManButton"));
  yenButton_ = new QRadioButton(QStringLiteral("円"), group);
  yenButton_->setObjectName(QStringLiteral("YenButton"));
  unitGroup_ = new QButtonGroup(group);
  unitGroup_->addButton(manButton_, int(AmountUnit::Man));
  unitGroup_->addButton(yenButton_, int(AmountUnit::Yen));
  auto* units = new QHBoxLayout;
  units->addWidget(manButton_);
  units->addWidget(yenButton_);
  units->addStretch();

  // The range fields take the rules of the varied figure's field (SetRange).
  fromField_ = FigureField(QStringLiteral("FromField"), Figure::Income, group);
  toField_ = FigureField(QStringLiteral("ToField"), Figure::Income, group);
  stepField_ = FigureField(QStringLiteral("StepField"), Figure::Income, group);

  const auto label = [group](const QString& text, QWidget* buddy) {
    auto* l = new QLabel(text, group);
    l->setBuddy(buddy);
    return l;
  };
  grid->addWidget(label(QStringLiteral("ケース(&K)"), caseBox_), 0, 0);
  grid->addWidget(caseBox_, 0, 1);
  grid->addWidget(label(QStringLiteral("単位"), manButton_), 0, 2, Qt::AlignRight);
  grid->addLayout(units, 0, 3, 1, 3);
  grid->addWidget(label(QStringLiteral("変える数字(&V)"), figureBox_), 1, 0);
  grid->addWidget(figureBox_, 1, 1);
  grid->addWidget(label(QStringLiteral("年分(&E)"), editionBox_), 1, 2, Qt::AlignRight);
  grid->addWidget(editionBox_, 1, 3);
  grid->addWidget(compareBox_, 1, 4, 1, 2);
  grid->addWidget(label(QStringLiteral("開始(&F)"), fromField_), 2, 0);
  grid->addWidget(fromField_, 2, 1);
  grid->addWidget(label(QStringLiteral("～ 終了(&T)"), toField_), 2, 2, Qt::AlignRight);
  grid->addWidget(toField_, 2, 3);
  grid->addWidget(label(QStringLiteral("刻み(&S)"), stepField_), 2, 4, Qt::AlignRight);
  grid->addWidget(stepField_, 2, 5);
  grid->setColumnStretch(6, 1);
}

void TQuickTableWindow::BuildInputsGroup(QWidget* group) {
  inputsForm_ = new QFormLayout(group);
  inputsForm_->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  for (const MainField& f : face::InputFields()) {
    QString key = ToQString(f.key);
    key[0] = key[0].toUpper();
    TNValEdit* field = FigureField(QStringLiteral("Fixed") + key, f.figure, group);
    fixedFields_[std::size_t(f.figure)] = field;
    inputsForm_->addRow(ToQString(f.caption), field);
  }

  auto* spouseRow = new QWidget(group);
  auto* spouseLayout = new QHBoxLayout(spouseRow);
  spouseLayout->setContentsMargins(0, 0, 0, 0);
  spouseButton_ = new QRadioButton(QStringLiteral("有り"), spouseRow);
  spouseButton_->setObjectName(QStringLiteral("SpouseButton"));
  noSpouseButton_ = new QRadioButton(QStringLiteral("無し"), spouseRow);
  noSpouseButton_->setObjectName(QStringLiteral("NoSpouseButton"));
  spouseLayout->addWidget(spouseButton_);
  spouseLayout->addWidget(noSpouseButton_);
  spouseLayout->addStretch();
  inputsForm_->addRow(QStringLiteral("配偶者"), spouseRow);

  noInputsLabel_ = new QLabel(QStringLiteral("このケースはほかの数字を使いません"), group);
  inputsForm_->addRow(noInputsLabel_);
}

void TQuickTableWindow::BuildTableAndChart(QWidget* area) {
  model_ = new QuickTableModel(this);
  view_ = new QTableView(area);
  view_->setObjectName(QStringLiteral("TableView"));
  view_->setModel(model_);
  view_->setFont(WindowFont(13));
  view_->setAlternatingRowColors(true);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setWordWrap(false);
  view_->verticalHeader()->hide();
  // Rows of one height: nothing is measured row by row, however many rows.
  view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
  view_->horizontalHeader()->setFont(WindowFont(12));
  view_->horizontalHeader()->setHighlightSections(false);

  chart_ = new QuickTableChart(area);
  chart_->setMinimumSize(320, 240);
  area_->setStretchFactor(1, 1);
  // Emitted for the user's moves only.
  connect(area_, &QSplitter::splitterMoved, this, [this] { userSplit_ = true; });
}

void TQuickTableWindow::BuildButtons(QWidget* row) {
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addStretch();
  const auto button = [row, layout](const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, row);
    b->setObjectName(name);
    b->setMinimumWidth(96);
    layout->addWidget(b);
    return b;
  };
  csvButton_ = button(QStringLiteral("CsvButton"), QStringLiteral("CSV保存"));
  copyButton_ = button(QStringLiteral("CopyButton"), QStringLiteral("コピー"));
  printButton_ = button(QStringLiteral("PrintButton"), QStringLiteral("印刷"));
  printButton_->setIcon(PrintIcon());
}

void TQuickTableWindow::ConnectHandlers() {
  connect(caseBox_, &QComboBox::currentIndexChanged, this, &TQuickTableWindow::CaseChanged);
  connect(figureBox_, &QComboBox::currentIndexChanged, this, &TQuickTableWindow::FigureChanged);
  // The title names the edition: a change of edition is a change of case.
  connect(editionBox_, &QComboBox::currentIndexChanged, this, &TQuickTableWindow::CaseChanged);
  connect(compareBox_, &QCheckBox::toggled, this, &TQuickTableWindow::Recompute);
  connect(unitGroup_, &QButtonGroup::idClicked, this, &TQuickTableWindow::UnitClicked);
  connect(spouseButton_, &QRadioButton::clicked, this, &TQuickTableWindow::Recompute);
  connect(noSpouseButton_, &QRadioButton::clicked, this, &TQuickTableWindow::Recompute);
  for (TNValEdit* field : {fromField_, toField_, stepField_})
    connect(field, &TNValEdit::OnChange, this, &TQuickTableWindow::FigureEdited);
  for (TNValEdit* field : fixedFields_)
    connect(field, &TNValEdit::OnChange, this, &TQuickTableWindow::FigureEdited);
  connect(typingPause_, &QTimer::timeout, this, &TQuickTableWindow::Recompute);
  connect(busyNotice_, &QTimer::timeout, this, [this] { ShowStatus(QStringLiteral("計算中…"), false); });
  connect(worker_, &TableFuture::finished, this, &TQuickTableWindow::TableComputed);
  connect(csvButton_, &QPushButton::clicked, this, &TQuickTableWindow::SaveCsvClicked);
  connect(copyButton_, &QPushButton::clicked, this, &TQuickTableWindow::CopyTable);
  connect(printButton_, &QPushButton::clicked, this, &TQuickTableWindow::PrintClicked);
}

void TQuickTableWindow::Prefill(const calc::MainInputs& inputs) {
  for (const MainField& f : face::InputFields()) {
    const QSignalBlocker quiet(fixedFields_[std::size_t(f.figure)]);
    fixedFields_[std::size_t(f.figure)]->setValue(inputs.*f.input);
  }
  (inputs.unit == AmountUnit::Yen ? yenButton_ : manButton_)->setChecked(true);
  unit_ = inputs.unit;
  (inputs.spouseCount == kCountScale ? spouseButton_ : noSpouseButton_)->setChecked(true);
  const QSignalBlocker quiet(editionBox_);
  editionBox_->setCurrentIndex(editionBox_->findData(int(inputs.edition)));
}

// ---- What the window holds ----------------------------------------------------

const calc::MainCase& TQuickTableWindow::CurrentCase() const {
  return calc::MainCases()[std::size_t(std::max(0, caseBox_->currentIndex()))];
}

Figure TQuickTableWindow::CurrentFigure() const {
  return figureBox_->currentIndex() < 0 ? face::DefaultRange(CurrentCase(), unit_).figure
                                        : Figure(figureBox_->currentData().toInt());
}

calc::MainInputs TQuickTableWindow::ReadInputs() const {
  calc::MainInputs in;
  for (const MainField& f : face::InputFields()) in.*f.input = fixedFields_[std::size_t(f.figure)]->Value();
  in.unit = unit_;
  in.spouseCount = spouseButton_->isChecked() ? kCountScale : 0;
  in.edition = CurrentEdition();
  return in;
}

tavenko::law::EditionId TQuickTableWindow::CurrentEdition() const {
  return tavenko::law::EditionId(editionBox_->currentData().toInt());
}

std::optional<tavenko::law::EditionId> TQuickTableWindow::ComparedEdition() const {
  if (!compareBox_->isChecked()) return std::nullopt;
  for (const tavenko::law::Edition* edition : tavenko::law::Editions())
    if (edition->id != CurrentEdition()) return edition->id;
  return std::nullopt;
}

QuickRange TQuickTableWindow::ReadRange() const {
  return {CurrentFigure(), fromField_->Value(), toField_->Value(), stepField_->Value()};
}

void TQuickTableWindow::SetRange(const QuickRange& range) {
  const int digits = InputField(range.figure).settings.maxDigits;
  const std::array<std::pair<TNValEdit*, Extended>, 3> fields{
      {{fromField_, range.from}, {toField_, range.to}, {stepField_, range.step}}};
  for (const auto& [field, value] : fields) {
    const QSignalBlocker quiet(field);
    field->setValue(0);
    field->setMaxDigits(digits);
    field->setValue(value);
  }
}

void TQuickTableWindow::ShowFixedInputs() {
  const calc::MainCase& button = CurrentCase();
  const Figure varied = CurrentFigure();
  bool any = false;
  for (const MainField& f : face::InputFields()) {
    const bool fixed = f.figure != varied && Reads(button, f.figure);
    inputsForm_->setRowVisible(fixedFields_[std::size_t(f.figure)], fixed);
    any = any || fixed;
  }
  const bool heirs = ReadsHeirs(button);
  inputsForm_->setRowVisible(spouseButton_->parentWidget(), heirs);
  inputsForm_->setRowVisible(noInputsLabel_, !any && !heirs);
}

const QuickTable* TQuickTableWindow::Table() const { return model_->Table().get(); }

// ---- Handlers -----------------------------------------------------------------

void TQuickTableWindow::CaseChanged() {
  const calc::MainCase& button = CurrentCase();
  rangeNote_.clear();
  // A window under another edition than 平成29年版 names it in its title.
  setWindowTitle(QString::fromStdString(tavenko::calc::EditionTitle(
      "早見表　" + std::string(button.caption), tavenko::law::EditionOf(CurrentEdition()))));
  const std::optional<QuickRange> last = settings_->LastRange(button, unit_);
  const Figure figure = last ? last->figure : face::DefaultRange(button, unit_).figure;
  {
    const QSignalBlocker quiet(figureBox_);
    figureBox_->clear();
    for (Figure f : FiguresRead(button)) figureBox_->addItem(ToQString(InputField(f).caption), int(f));
    figureBox_->setCurrentIndex(figureBox_->findData(int(figure)));
  }
  FigureChanged();
}

void TQuickTableWindow::FigureChanged() {
  bool dropped = false;
  const std::optional<QuickRange> last = settings_->LastRange(CurrentCase(), unit_, &dropped);
  if (dropped)
    rangeNote_ = QStringLiteral("前回の範囲はこの単位の欄に収まらないため、最初の範囲にしました。");
  SetRange(last && last->figure == CurrentFigure()
               ? *last
               : face::DefaultRange(CurrentCase(), CurrentFigure(), unit_));
  ShowFixedInputs();
  Recompute();
}

void TQuickTableWindow::UnitClicked() {
  const auto unit = AmountUnit(unitGroup_->checkedId());
  if (unit == unit_) return;
  unit_ = unit;
  // The money figures keep their amounts: 1,500 万円 becomes 15,000,000 円,
  // and back to the nearest whole 万円.
  const auto rescale = [unit](TNValEdit* field) {
    const Extended value = field->Value();
    const QSignalBlocker quiet(field);
    field->setValue(unit == AmountUnit::Yen ? value * tavenko::kYenPerMan
                                            : std::nearbyint(value / tavenko::kYenPerMan));
  };
  for (const MainField& f : face::InputFields())
    if (f.money) rescale(fixedFields_[std::size_t(f.figure)]);
  if (InputField(CurrentFigure()).money)
    for (TNValEdit* field : {fromField_, toField_, stepField_}) rescale(field);
  Recompute();
}

void TQuickTableWindow::FigureEdited() {
  rangeNote_.clear();  // the user's own range now
  // A table that computes in a blink follows each key; a larger one waits
  // for a pause in the typing, so that the keys are never held up.
  const QuickRange range = ReadRange();
  const bool small = !face::RangeProblem(CurrentCase(), range) &&
                     (range.to - range.from) / range.step < kRowsComputedAtOnce;
  if (small)
    Recompute();
  else
    typingPause_->start();
}

void TQuickTableWindow::Recompute() {
  typingPause_->stop();
  Request request{&CurrentCase(), ReadInputs(), ReadRange(), ComparedEdition(), ++newestNumber_};
  if (const auto problem = face::RangeProblem(*request.button, request.range)) {
    waiting_.reset();
    ShowProblem(QString::fromStdString(*problem));
    return;
  }
  settings_->Keep(*request.button, request.range, unit_);
  waiting_ = request;
  if (computingNumber_ == 0) StartNext();
}

void TQuickTableWindow::StartNext() {
  const Request request = *std::exchange(waiting_, std::nullopt);
  computingNumber_ = request.number;
  busyNotice_->start();
  worker_->setFuture(QtConcurrent::run([request] {
    return std::make_shared<const QuickTable>(*request.button, request.inputs, request.range,
                                              request.compareWith);
  }));
}

void TQuickTableWindow::TableComputed() {
  // A table waited for by BringTableUpToDate() also reports here later.
  if (computingNumber_ == 0 || !worker_->isFinished()) return;
  const int number = std::exchange(computingNumber_, 0);
  busyNotice_->stop();
  if (waiting_) {
    StartNext();  // this table is already out of date
    return;
  }
  if (number != newestNumber_) return;  // a refused range came after it
  try {
    ShowTable(worker_->result());
  } catch (const std::exception&) {
    // Nothing but memory can fail here: the range was accepted before.
    ShowProblem(QStringLiteral("表を作れませんでした（行が多すぎてメモリーが足りません）"));
  }
}

bool TQuickTableWindow::BringTableUpToDate() {
  if (typingPause_->isActive()) Recompute();
  while (computingNumber_ != 0) {
    worker_->waitForFinished();
    TableComputed();
  }
  return Table() != nullptr;
}

void TQuickTableWindow::ShowTable(std::shared_ptr<const QuickTable> table) {
  busyNotice_->stop();
  const QuickTable& shown = *table;
  model_->SetTable(std::move(table));
  FitColumns();
  chart_->Show(&shown, shown.Inputs().unit);
  std::size_t invalid = 0;
  for (std::size_t row = 0; row < shown.RowCount(); ++row) invalid += !shown.Valid(row);
  const QLocale grouped(QLocale::Japanese, QLocale::Japan);
  QString status = grouped.toString(qulonglong(shown.RowCount())) + QStringLiteral(" 行");
  if (invalid > 0)
    status += QStringLiteral("（灰色の %1 行は計算の際にメッセージが出ます。行にマウスを置くと表示します）")
                  .arg(grouped.toString(qulonglong(invalid)));
  if (!rangeNote_.isEmpty()) status += QStringLiteral("　") + rangeNote_;
  ShowStatus(status, false);
  for (QPushButton* b : {csvButton_, copyButton_, printButton_}) b->setEnabled(true);
}

void TQuickTableWindow::ShowProblem(const QString& problem) {
  model_->SetTable(nullptr);
  chart_->Show(nullptr, unit_);
  ShowStatus(problem, true);
  for (QPushButton* b : {csvButton_, copyButton_, printButton_}) b->setEnabled(false);
}

void TQuickTableWindow::ShowStatus(const QString& text, bool problem) {
  QPalette palette = statusLabel_->palette();
  palette.setColor(QPalette::WindowText, problem ? QColor(200, 0, 0) : QColor(Qt::black));
  statusLabel_->setPalette(palette);
  statusLabel_->setText(text);
}

void TQuickTableWindow::FitColumns() {
  // Every figure whole: each column as wide as its widest text or caption,
  // found from the column's largest and smallest values alone.
  const QuickTable& table = *Table();
  const QFontMetrics cells(view_->font());
  const QFontMetrics captions(view_->horizontalHeader()->font());
  const int cellRoom =
      2 * (view_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view_) + 1) + 8;
  for (int c = 0; c < table.ColumnCount(); ++c) {
    int width = captions.horizontalAdvance(ToQString(table.Captions()[std::size_t(c)])) + 20;
    for (const QString& text : WidestTexts(table, c))
      width = std::max(width, cells.horizontalAdvance(text) + cellRoom);
    view_->setColumnWidth(c, width);
  }
  // The table beside the chart as wide as its columns, when it has grown or
  // the window is new; a narrower one keeps the width the user gave it.
  const int needed = view_->horizontalHeader()->length() + view_->verticalScrollBar()->sizeHint().width() +
                     2 * view_->frameWidth();
  // The table as wide as its columns, leaving the chart its least width,
  // until the user moves the divider: then their width stands.
  if (userSplit_) return;
  const QList<int> sizes = area_->sizes();
  const int both = sizes[0] + sizes[1];
  const int tableWidth = std::min(needed, std::max(0, both - chart_->minimumWidth()));
  area_->setSizes({tableWidth, both - tableWidth});
}

// ---- The three buttons ----------------------------------------------------------

QStringList TQuickTableWindow::Heading() const {
  const QuickTable* table = Table();
  if (!table) return {};
  const calc::MainInputs& in = table->Inputs();
  const QuickRange& range = table->Range();
  const MainField& varied = table->VariedField();
  QStringList lines;
  lines << QStringLiteral("早見表　") + ToQString(table->Button().caption);
  lines << ToQString(varied.caption) + QStringLiteral("　") + FigureText(range.figure, range.from, in.unit) +
               QStringLiteral(" ～ ") + FigureText(range.figure, range.to, in.unit) +
               QStringLiteral("　刻み ") + FigureText(range.figure, range.step, in.unit) +
               QStringLiteral("　") + QLocale(QLocale::Japanese).toString(qulonglong(table->RowCount())) +
               QStringLiteral(" 行");
  QStringList fixed;
  for (const MainField& f : face::InputFields())
    if (f.figure != range.figure && Reads(table->Button(), f.figure))
      fixed << ToQString(f.caption) + ' ' + FigureText(f.figure, in.*f.input, in.unit);
  if (ReadsHeirs(table->Button()))
    fixed << QStringLiteral("配偶者 ") +
                 (in.spouseCount == kCountScale ? QStringLiteral("有り") : QStringLiteral("無し"));
  lines << QStringLiteral("ほかの入力　") +
               (fixed.isEmpty() ? QStringLiteral("なし") : fixed.join(QStringLiteral("　")));
  lines << QStringLiteral("単位　") +
               (in.unit == AmountUnit::Yen ? QStringLiteral("円") : QStringLiteral("万円"));
  QString edition = QStringLiteral("年分　") + ToQString(tavenko::law::EditionOf(in.edition).name);
  if (const auto compared = table->ComparedEdition())
    edition += QStringLiteral("　改正比較　") + ToQString(tavenko::law::EditionOf(*compared).name);
  lines << edition;
  return lines;
}

void TQuickTableWindow::SaveCsvClicked() {
  if (!BringTableUpToDate()) return;
  QString name = QStringLiteral("早見表_") + ToQString(CurrentCase().caption) + QStringLiteral("_") +
                 ToQString(tavenko::law::EditionOf(CurrentEdition()).name) + QStringLiteral(".csv");
  name.replace('/', QChar(0xFF0F));  // "1/2" names a case, not a folder
  QFileDialog dialog(this, QStringLiteral("CSV保存"),
                     QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  dialog.setObjectName(QStringLiteral("CsvDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilter(QStringLiteral("CSV ファイル (*.csv)"));
  dialog.setDefaultSuffix(QStringLiteral("csv"));
  dialog.selectFile(name);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  SaveCsv(dialog.selectedFiles().first());
}

bool TQuickTableWindow::SaveCsv(const QString& path) {
  if (!BringTableUpToDate()) return false;
  // The byte-order mark tells spreadsheet programs the file is UTF-8.
  QByteArray bytes(face::kUtf8ByteOrderMark.data(), qsizetype(face::kUtf8ByteOrderMark.size()));
  bytes += QByteArray::fromStdString(Table()->Csv());
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) return true;
  tavenko::platform::ShowMessage(
      this, QStringLiteral("CSV ファイルを保存できませんでした。\n%1\n%2").arg(path, file.errorString()));
  return false;
}

void TQuickTableWindow::CopyTable() {
  if (!BringTableUpToDate()) return;
  QGuiApplication::clipboard()->setText(QString::fromStdString(Table()->Tsv()));
}

void TQuickTableWindow::PrintClicked() {
  if (!BringTableUpToDate()) return;
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() == QDialog::Accepted) PrintTo(printer);
}

bool TQuickTableWindow::PrintTo(QPrinter& printer) {
  if (!BringTableUpToDate()) return false;
  QPainter painter;
  if (!tavenko::platform::BeginPrinting(painter, printer, this)) return false;
  PrintQuickTable(painter, printer, Heading(), *Table(), *chart_);
  return true;
}

// ---- Window events --------------------------------------------------------------

void TQuickTableWindow::setVisible(bool visible) {
  // Placed before the window system makes the window, so that the frame goes
  // where it was at close (restoring from the task bar does not come here).
  if (visible && !isVisible()) FormShow();
  QWidget::setVisible(visible);
}

void TQuickTableWindow::closeEvent(QCloseEvent* event) {
  FormClose();
  QWidget::closeEvent(event);
}

void TQuickTableWindow::FormShow() {
  QRect frame = settings_->Frame(QRect(QPoint(kDefaultPosition, kDefaultPosition), kDefaultSize));
  // A position that no screen shows would hide the window.
  if (!QGuiApplication::screenAt(frame.topLeft() + QPoint(16, 8)))
    frame.moveTo(kDefaultPosition, kDefaultPosition);
  if (const QScreen* screen = QGuiApplication::screenAt(frame.topLeft() + QPoint(16, 8))) {
    // No taller or wider than the room left on that screen, title bar included.
    const QRect room = screen->availableGeometry();
    frame.setSize(
        frame.size().boundedTo(QSize(room.right() - frame.left(), room.bottom() - frame.top() - 32)));
  }
  frame.setSize(frame.size().expandedTo(minimumSizeHint()));
  // A window that would open exactly on another open 早見表 steps down and
  // to the right of it, as windows cascade.
  for (bool onAnother = true; onAnother;) {
    onAnother = false;
    for (QWidget* other : QApplication::topLevelWidgets())
      if (other != this && qobject_cast<TQuickTableWindow*>(other) && other->isVisible() &&
          other->pos() == frame.topLeft()) {
        frame.translate(kCascadeStep, kCascadeStep);
        onAnother = true;
      }
  }
  move(frame.topLeft());
  resize(frame.size());
}

void TQuickTableWindow::FormClose() {
  // A settings file that cannot be written never keeps the window open.
  SaveSettings(this, IniGT1, settings_->ToSave(QRect(pos(), size())));
}
