#include "forms/Unit4.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QGraphicsSimpleTextItem>
#include <QChart>
#include <QCloseEvent>
#include <QHorizontalBarSeries>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>

#include "controls/NValEdit.h"
#include "face/FieldRule.h"
#include "forms/EditionFace.h"
#include "forms/WindowLook.h"
#include "forms/WindowSettings.h"
#include "platform/WindowPrinter.h"
#include "ui_Unit4.h"

namespace calc = tavenko::calc;

namespace {

const QString kSettingsKey = QStringLiteral("form4");  // the window's keys in the settings file

// The magnifying glass of the search button, drawn rather than loaded so
// that it needs no image plug-in.
QIcon SearchGlyph() {
  QPixmap pixmap(24, 24);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(0, 0, 128), 2.5));
  painter.setBrush(QColor(200, 230, 255));
  painter.drawEllipse(QRectF(3, 3, 12, 12));
  painter.setPen(QPen(QColor(96, 64, 0), 4, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(14.5, 14.5), QPointF(21, 21));
  return QIcon(pixmap);
}

// ---- The field map ------------------------------------------------------------

using Sheet = calc::IncorporationSheet;
using Form = Ui::TForm4;

// Every figure the model keeps, with its field.
constexpr std::pair<calc::FieldFigure Sheet::*, TNValEdit * Form::*> kFigureFields[] = {
    {&Sheet::proprietorIncomeTax, &Form::NValEdit3},
    {&Sheet::proprietorInhabitantTax, &Form::NValEdit4},
    {&Sheet::proprietorBusinessTax, &Form::NValEdit5},
    {&Sheet::proprietorTotal, &Form::NValEdit6},
    {&Sheet::companyIncome, &Form::NValEdit7},
    {&Sheet::companyBlank, &Form::NValEdit8},
    {&Sheet::corporationTax, &Form::NValEdit9},
    {&Sheet::companyLocalTax, &Form::NValEdit10},
    {&Sheet::enterpriseTax, &Form::NValEdit11},
    {&Sheet::companyTotal, &Form::NValEdit12},
    {&Sheet::salary, &Form::NValEdit13},
    {&Sheet::salaryDeductions, &Form::NValEdit14},
    {&Sheet::salaryIncomeTax, &Form::NValEdit15},
    {&Sheet::salaryInhabitantTax, &Form::NValEdit16},
    {&Sheet::salaryBlank, &Form::NValEdit17},
    {&Sheet::salaryTotal, &Form::NValEdit18},
    {&Sheet::combinedTotal, &Form::NValEdit19},
    {&Sheet::saving, &Form::NValEdit20},
};

}  // namespace

TForm4::TForm4(tavenko::law::EditionId edition, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::TForm4>()) {
  const tavenko::law::Edition& law = tavenko::law::EditionOf(edition);
  BeginWindowLook(this);
  ui->setupUi(this);
  TitleForEdition(this, law);
  LoadNumericFields(this);
  setFixedSize(size());

  IniGT1 = AddSettingsFile(this);
  // Every figure field of the window has the company income's settings.
  model_ =
      std::make_unique<calc::IncorporationModel>(law, tavenko::face::FieldRuleOf(ui->NValEdit7->Settings()));

  SetUpControls();
  SetUpChart();
  ConnectHandlers();
  FinishWindowLook(this);
}

TForm4::~TForm4() = default;

void TForm4::SetUpControls() {
  for (TNValEdit* field : findChildren<TNValEdit*>()) field->setFont(WindowFont(15));
  ui->BitBtn2->setIcon(SearchGlyph());
  ui->BitBtn1->setIcon(PrintIcon());
  // Only the proprietor group shows until the slider or the search is used.
  ui->GroupBox2->hide();
  ui->GroupBox3->hide();
}

void TForm4::SetUpChart() {
  Series1 = new QHorizontalBarSeries(this);
  Series1->setObjectName(QStringLiteral("Series1"));
  // Each bar is marked with its name and its figure as the fields show it
  // (PlaceBarMarks): the series' own marks would give only the value.
  Series1->setLabelsVisible(false);
  Series1->setBarWidth(kBarWidth);

  QChart* chart = ui->Chart1->chart();  // the view's own, which setChart() would leave unfreed
  chart->addSeries(Series1);
  // The bars need a value axis and a category axis to be laid out; neither
  // is drawn.
  ValueAxis = new QValueAxis;
  auto* categories = new QBarCategoryAxis;
  categories->append(QStringLiteral("比較"));
  ValueAxis->setVisible(false);
  categories->setVisible(false);
  chart->addAxis(ValueAxis, Qt::AlignBottom);
  chart->addAxis(categories, Qt::AlignLeft);
  Series1->attachAxis(ValueAxis);
  Series1->attachAxis(categories);
  chart->legend()->hide();
  chart->setMargins(QMargins(4, 2, 4, 2));
  chart->setBackgroundRoundness(0);
  connect(chart, &QChart::plotAreaChanged, this, &TForm4::PlaceBarMarks);
  ui->Chart1->setRenderHint(QPainter::Antialiasing);
  ui->Chart1->setFrameShape(QFrame::NoFrame);
  ui->Chart1->hide();  // until first drawn
}

void TForm4::ConnectHandlers() {
  connect(ui->NValEdit1, &TNValEdit::OnChange, this, &TForm4::NValEdit1Change);
  connect(ui->NValEdit2, &TNValEdit::OnChange, this, &TForm4::NValEdit1Change);

  // The scroll notifications: an action is announced before the slider stores
  // its new position, the stored position follows, and a drag ends with the
  // release; the handler always reads the stored position, so the last
  // notification of every move computes the final split.
  connect(ui->ScrollBar1, &QScrollBar::actionTriggered, this, &TForm4::ScrollBar1Scroll);
  connect(ui->ScrollBar1, &QScrollBar::valueChanged, this, &TForm4::ScrollBar1Scroll);
  connect(ui->ScrollBar1, &QScrollBar::sliderReleased, this, &TForm4::ScrollBar1Scroll);

  connect(ui->BitBtn2, &QPushButton::clicked, this, &TForm4::BitBtn2Click);
  connect(ui->BitBtn1, &QPushButton::clicked, this, &TForm4::BitBtn1Click);
}

void TForm4::NValEdit1Change() {
  model_->FiguresTyped(ui->NValEdit1->Value(), ui->NValEdit2->Value());
  ApplySheet();
}

void TForm4::ScrollBar1Scroll() {
  model_->Split(ui->NValEdit1->Value(), ui->ScrollBar1->value());
  ApplySheet();
}

void TForm4::BitBtn2Click() {
  model_->Search(ui->NValEdit1->Value());
  ApplySheet();
}

void TForm4::BitBtn1Click() { tavenko::platform::PrintWindowWithDialog(this); }

void TForm4::ApplySheet() {
  const calc::IncorporationSheet& sheet = model_->Sheet();
  if (sheet.comparisonShown) {
    ui->GroupBox2->show();
    ui->GroupBox3->show();
  }
  for (const auto& [figure, field] : kFigureFields) ((*ui).*field)->setValue((sheet.*figure).value);
  // A scroll notification may come before the slider stores its position:
  // the slider is moved only where the model moved it (the search).
  if (ui->ScrollBar1->value() != sheet.sliderPosition) SetSliderPosition(sheet.sliderPosition);
  if (sheet.chartRedrawn) DrawComparisonChart(*sheet.chart);
}

void TForm4::DrawComparisonChart(const calc::ComparisonChart& bars) {
  ui->Chart1->hide();
  Series1->clear();
  double lowest = 0;
  double highest = 0;
  for (const calc::ComparisonBar& bar : bars) {
    auto* set = new QBarSet(QString::fromUtf8(bar.label.data(), qsizetype(bar.label.size())));
    set->setColor(ChartQColor(bar.colour));
    set->setPen(QPen(Qt::black, 1));
    set->setLabelColor(Qt::black);
    set->append(static_cast<double>(bar.value));
    Series1->append(set);
    lowest = std::min(lowest, static_cast<double>(bar.value));
    highest = std::max(highest, static_cast<double>(bar.value));
  }
  // Room beyond the longest bars for their marks.
  const double margin = std::max(highest - lowest, 1.0) * 0.45;
  ValueAxis->setRange(lowest < 0 ? lowest - margin : 0, highest > 0 ? highest + margin : 0);
  barMarks_.clear();
  for (const calc::ComparisonBar& bar : bars)
    barMarks_.push_back({QString::fromUtf8(bar.label.data(), qsizetype(bar.label.size())) + QLatin1Char(' ') +
                             QString::fromStdString(bar.shown),
                         static_cast<double>(bar.value)});
  ui->Chart1->show();
  PlaceBarMarks();
}

void TForm4::PlaceBarMarks() {
  QChart* chart = ui->Chart1->chart();
  while (markItems_.size() < barMarks_.size()) {
    auto* item = new QGraphicsSimpleTextItem(chart);
    item->setFont(WindowFont(11));
    item->setBrush(Qt::black);
    item->setZValue(10);  // above the bars
    markItems_.push_back(item);
  }
  // The bars of the one category, the first set lowest: set i has its
  // middle at -w/2 + (i + 1/2) × w/n of the category's height.
  const double n = double(barMarks_.size());
  for (std::size_t i = 0; i < markItems_.size(); ++i) {
    QGraphicsSimpleTextItem* item = markItems_[i];
    item->setVisible(i < barMarks_.size());
    if (i >= barMarks_.size()) continue;
    const BarMark& mark = barMarks_[i];
    item->setText(mark.text);
    const double middle = -kBarWidth / 2 + (double(i) + 0.5) * kBarWidth / n;
    const QPointF end = chart->mapToPosition(QPointF(mark.value, middle), Series1);
    const QRectF box = item->boundingRect();
    // Beyond the bar's end: to the right of a positive bar, left of a negative one.
    const double x = mark.value < 0 ? end.x() - box.width() - 3 : end.x() + 3;
    item->setPos(x, end.y() - box.height() / 2);
  }
}

void TForm4::SetSliderPosition(int percent) {
  const QSignalBlocker quiet(ui->ScrollBar1);
  ui->ScrollBar1->setValue(percent);
}

void TForm4::setVisible(bool visible) {
  // A position put before the window exists is where the window system puts
  // the frame, as x() and y() read it at close; put afterwards it would place
  // the inside of the window, and every opening would creep up by the title
  // bar. (Restoring from the task bar does not come through here.)
  if (visible && !isVisible()) FormShow();
  QWidget::setVisible(visible);
}

void TForm4::closeEvent(QCloseEvent* event) {
  FormClose();
  QWidget::closeEvent(event);
}

void TForm4::FormShow() { move(StoredPosition(*IniGT1, kSettingsKey)); }

void TForm4::FormClose() {
  // A settings file that cannot be written never keeps the window open.
  SaveSettings(this, IniGT1, PositionSettings(*this, kSettingsKey));
}
