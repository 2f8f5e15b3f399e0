#include "WindowLook.h"
#include "Unit4.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHorizontalBarSeries>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QValueAxis>

#include "IniGT.h"
#include "Incorporation.h"
#include "NValEdit.h"
#include "WindowPrinter.h"
#include "WindowSettings.h"
#include "ui_Unit4.h"

#include <algorithm>

using tavenko::AmountUnit;
using tavenko::Extended;
using tavenko::ToDisplay;
using tavenko::ToYen;
using tavenko::YenAmount;
namespace calc = tavenko::calc;

namespace {

const QString kSettingsKey = QStringLiteral("form4");  // the window's keys in the settings file

// The two button glyphs, drawn rather than loaded so that they need no image
// plug-in: a magnifying glass for the search and a printer for printing.
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

}  // namespace

TForm4::TForm4(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm4>()) {
  BeginWindowLook(this);
  ui->setupUi(this);
  LoadNumericFields(this);
  setFixedSize(size());

  IniGT1 = AddSettingsFile(this);

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
  Series1->setLabelsVisible(true);
  Series1->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
  Series1->setLabelsFormat(QStringLiteral("@value"));
  // Twelve significant digits: every yen of any total below 10^8 万円.
  Series1->setLabelsPrecision(12);
  Series1->setBarWidth(0.9);

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
  ui->Chart1->setRenderHint(QPainter::Antialiasing);
  ui->Chart1->setFrameShape(QFrame::NoFrame);
  ui->Chart1->hide();  // until first drawn
}

void TForm4::ConnectHandlers() {
  connect(ui->NValEdit1, &TNValEdit::OnChange, this, &TForm4::NValEdit1Change);
  connect(ui->NValEdit2, &TNValEdit::OnChange, this, &TForm4::NValEdit1Change);
  connect(ui->NValEdit7, &TNValEdit::OnChange, this, &TForm4::NValEdit7Change);
  connect(ui->NValEdit13, &TNValEdit::OnChange, this, &TForm4::NValEdit13Change);
  connect(ui->NValEdit14, &TNValEdit::OnChange, this, &TForm4::NValEdit13Change);

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
  // The company column ends all zero. Setting the company income may first
  // recompute it through its own change event.
  ui->NValEdit7->setValue(0);
  for (TNValEdit* field : {ui->NValEdit8, ui->NValEdit9, ui->NValEdit10, ui->NValEdit11,
                           ui->NValEdit12}) {
    field->setValue(0);
  }
  // The salary column as if the whole business income were paid as salary.
  ui->NValEdit13->setValue(ui->NValEdit1->Value());
  ui->NValEdit14->setValue(ui->NValEdit2->Value());

  const calc::ProprietorTaxes taxes =
      calc::ProprietorColumn(ui->NValEdit1->Value(), ui->NValEdit2->Value());
  ui->NValEdit3->setValue(ToDisplay(taxes.incomeTax));
  ui->NValEdit4->setValue(ToDisplay(taxes.inhabitantTax));
  ui->NValEdit5->setValue(ToDisplay(taxes.businessTax));
  ui->NValEdit6->setValue(ToDisplay(taxes.total));
}

void TForm4::NValEdit7Change() {
  for (TNValEdit* field : {ui->NValEdit8, ui->NValEdit9, ui->NValEdit10, ui->NValEdit12}) {
    field->setValue(0);
  }
  const calc::CompanyTaxes taxes = calc::CompanyColumn(ui->NValEdit7->Value());
  ui->NValEdit9->setValue(ToDisplay(taxes.corporationTax));
  ui->NValEdit10->setValue(ToDisplay(taxes.localTax));
  ui->NValEdit11->setValue(ToDisplay(taxes.enterpriseTax));
  ui->NValEdit12->setValue(ToDisplay(taxes.total));
}

void TForm4::NValEdit13Change() {
  for (TNValEdit* field : {ui->NValEdit15, ui->NValEdit16, ui->NValEdit17, ui->NValEdit18}) {
    field->setValue(0);
  }
  const calc::SalaryTaxes taxes =
      calc::SalaryColumn(ui->NValEdit13->Value(), ui->NValEdit14->Value());
  ui->NValEdit15->setValue(ToDisplay(taxes.incomeTax));
  ui->NValEdit16->setValue(ToDisplay(taxes.inhabitantTax));
  ui->NValEdit18->setValue(ToDisplay(taxes.total));
}

void TForm4::ScrollBar1Scroll() {
  ShowComparisonGroups();
  ApplySplit(ui->ScrollBar1->value());
  DrawComparisonChart();
}

void TForm4::BitBtn2Click() {
  ShowComparisonGroups();
  SetSliderPosition(0);
  ui->NValEdit20->setValue(0);
  // Walk upward from 1 % and stop at the first rise of the saving figure
  // (position 0 itself is not computed first); without a rise the walk ends
  // at the last split with the chart as it was.
  for (int percent = calc::kSearchFirstPercent; percent <= calc::kSearchLastPercent; ++percent) {
    SetSliderPosition(percent);
    const YenAmount previous = tavenko::StoreYen(ui->NValEdit20->Value() * 10000);
    ApplySplit(percent);
    if (static_cast<Extended>(previous) < ui->NValEdit20->Value() * 10000) {
      SetSliderPosition(percent - 1);
      ApplySplit(percent - 1);
      DrawComparisonChart();
      return;
    }
  }
}

void TForm4::BitBtn1Click() { tavenko::platform::PrintWindowWithDialog(this); }

void TForm4::ShowComparisonGroups() {
  ui->GroupBox2->show();
  ui->GroupBox3->show();
}

void TForm4::ApplySplit(int percent) {
  const YenAmount profit = ToYen(ui->NValEdit1->Value(), AmountUnit::Man);
  ui->NValEdit7->setValue(calc::CompanyShareField(profit, percent));
  ui->NValEdit13->setValue(calc::SalaryShareField(profit, ui->NValEdit7->Value()));
  const calc::CombinedTotals totals = calc::CombineTotals(
      ui->NValEdit6->Value(), ui->NValEdit12->Value(), ui->NValEdit18->Value());
  ui->NValEdit19->setValue(totals.combinedField);
  ui->NValEdit20->setValue(totals.savingField);
}

void TForm4::DrawComparisonChart() {
  ui->Chart1->hide();
  Series1->clear();
  const calc::CombinedTotals totals{ui->NValEdit19->Value(), ui->NValEdit20->Value()};
  double lowest = 0;
  double highest = 0;
  for (const calc::ComparisonBar& bar :
       calc::ComparisonBars(totals, ui->NValEdit18->Value(), ui->NValEdit12->Value(),
                            ui->NValEdit6->Value())) {
    auto* set = new QBarSet(QString::fromUtf8(bar.label.data(), qsizetype(bar.label.size())));
    set->setColor(ChartQColor(bar.colour));
    set->setPen(QPen(Qt::black, 1));
    set->setLabelColor(Qt::black);
    set->append(static_cast<double>(bar.value));
    Series1->append(set);
    lowest = std::min(lowest, static_cast<double>(bar.value));
    highest = std::max(highest, static_cast<double>(bar.value));
  }
  // Room beyond the longest bars for their value marks.
  const double margin = std::max(highest - lowest, 1.0) * 0.3;
  ValueAxis->setRange(lowest < 0 ? lowest - margin : 0, highest > 0 ? highest + margin : 0);
  ui->Chart1->show();
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
