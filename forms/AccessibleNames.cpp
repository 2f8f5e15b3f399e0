#include "forms/AccessibleNames.h"

#include <QAbstractBarSeries>
#include <QAbstractButton>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPieSeries>
#include <QPieSlice>
#include <QPointer>
#include <array>
#include <cctype>
#include <cmath>
#include <string_view>
#include <vector>

#include "core/NumberText.h"
#include "face/MainFields.h"
#include "forms/WindowLook.h"

namespace {

using tavenko::face::FieldRole;
using tavenko::face::Figure;
using tavenko::face::MainField;

// What a figure field counts in, said after its name.
enum class Unit {
  None,
  Yen,
  Man,
  Switched,     // 円 or 万円, as the window's unit buttons stand
  OfVaried,     // the unit of the figure the 早見表 varies
  Percent,
  Days,
  Persons,
  Years,
};

// One control of a window and what it is called.
struct Readable {
  std::string_view control;  // objectName
  // The name; with prompts, the name used while every prompt is blank.
  std::string_view name;
  // Controls whose texts, joined by "・", make the name and are followed as
  // they change: a prompt, or a row and a column heading.
  std::array<std::string_view, 2> prompts{};
  Unit unit = Unit::None;
  std::string_view description = {};
};

constexpr Readable Named(std::string_view control, std::string_view name, Unit unit = Unit::None) {
  return {.control = control, .name = name, .unit = unit};
}
constexpr Readable Prompted(std::string_view control, std::string_view prompt, Unit unit,
                            std::string_view column = {}) {
  return {.control = control, .name = {}, .prompts = {prompt, column}, .unit = unit};
}

// A window's table: its controls and, where it has one, its unit switch.
struct WindowTable {
  std::string_view window;  // objectName
  std::vector<Readable> controls;
  std::string_view yenButton = {};  // checked: the Switched fields count in 円
  std::string_view variedFigure = {};  // a combo box whose item data is the face::Figure varied
};

// ---- The main window ----------------------------------------------------------

// Its figure fields take the captions of face::MainFields; its result fields
// follow the captions above them, which each case writes.
std::vector<Readable> MainWindowControls() {
  static constexpr std::array<std::string_view, 7> kResultCaptions{"Edit1", "Edit2", "Edit3", "Edit4",
                                                                   "Edit5", "Edit6", "Edit7"};
  // A result field under a blank caption, and the caption field itself.
  static constexpr std::array<std::string_view, 7> kResultSlots{"結果欄１", "結果欄２", "結果欄３", "結果欄４",
                                                                "結果欄５", "結果欄６", "結果欄７"};
  static constexpr std::array<std::string_view, 7> kCaptionSlots{
      "結果欄１の見出し", "結果欄２の見出し", "結果欄３の見出し", "結果欄４の見出し",
      "結果欄５の見出し", "結果欄６の見出し", "結果欄７の見出し"};
  std::vector<Readable> controls;
  int result = 0;
  for (const MainField& f : tavenko::face::MainFields()) {
    switch (f.role) {
      case FieldRole::Input:
        controls.push_back(Named(f.name, f.caption,
                                 f.money                       ? Unit::Switched
                                 : f.figure == Figure::Years ? Unit::Years
                                                             : Unit::Persons));
        break;
      case FieldRole::Result:
        // The two last results are the average and the marginal rate.
        controls.push_back({.control = f.name,
                            .name = kResultSlots[result],
                            .prompts = {kResultCaptions[result]},
                            .unit = result < 5 ? Unit::Switched : Unit::Percent});
        controls.push_back(Named(kResultCaptions[result], kCaptionSlots[result]));
        ++result;
        break;
      case FieldRole::SideResult: controls.push_back(Named(f.name, f.caption, Unit::Switched)); break;
      case FieldRole::Fee: break;  // below: the two ends of one range
    }
  }
  const Readable others[] = {
      Named("NValEdit15", "税理士報酬の下限", Unit::Man),
      Named("NValEdit18", "税理士報酬の上限", Unit::Man),
      Named("EditionBox", "税法の年分"),
      Named("BitBtn7", "長期譲渡（優良宅地）"),
      Named("BitBtn17", "相続税（子）1/2"),
      Named("BitBtn19", "相続税（親）2/3"),
      Named("BitBtn21", "相続税（兄弟）3/4"),
      Named("BitBtn26", "比較"),
      Named("BitBtn27", "印刷"),
      Named("BitBtn23", "計算過程を表示"),
      {.control = "Memo1",
       .name = "計算過程",
       .description = "計算ボタンを押すたびに、その計算の過程が書き足されます"},
      Named("Chart1", "税額の内訳"),
  };
  controls.insert(controls.end(), std::begin(others), std::end(others));
  return controls;
}

// ---- 総合課税 -------------------------------------------------------------------

// Prompts stand left of their fields; a row with two fields has the gross
// amount left and the income right.
const Readable kComprehensiveTax[] = {
    Prompted("NValEdit1", "Label2", Unit::Yen),
    Prompted("NValEdit2", "Label3", Unit::Yen),
    Prompted("NValEdit3", "Label4", Unit::Yen),
    Named("NValEdit4", "給与所得・収入金額", Unit::Yen),
    Named("NValEdit5", "給与所得・所得金額", Unit::Yen),
    Named("NValEdit6", "一時所得・収入金額", Unit::Yen),
    Named("NValEdit7", "一時所得・２分の１", Unit::Yen),
    Prompted("NValEdit8", "Label7", Unit::Yen),
    Named("NValEdit9", "公的年金（６５歳以上）・収入金額", Unit::Yen),
    Named("NValEdit10", "公的年金（６５歳以上）・所得金額", Unit::Yen),
    Named("NValEdit11", "公的年金（６５才未満）・収入金額", Unit::Yen),
    Named("NValEdit12", "公的年金（６５才未満）・所得金額", Unit::Yen),
    Prompted("NValEdit13", "Label10", Unit::Yen),
    Prompted("NValEdit14", "Label11", Unit::Yen),
    Prompted("NValEdit15", "Label12", Unit::Yen),
    Prompted("NValEdit16", "Label13", Unit::Yen),
    Prompted("NValEdit17", "Label19", Unit::Yen),
    Prompted("NValEdit18", "Label20", Unit::Yen),
    Prompted("NValEdit19", "Label21", Unit::Yen),
    Prompted("NValEdit20", "Label22", Unit::Yen),
    Prompted("NValEdit21", "Label23", Unit::Yen),
    // The sales rows: under an edition with a reduced rate the prompts name
    // the two rates, and the second row and the two taxes are added.
    Prompted("NValEdit22", "Label15", Unit::Yen),
    Prompted("NValEdit23", "Label16", Unit::Yen),
    Prompted("NValEdit25", "Label24", Unit::Yen),
    Named("NValEdit26", "税引売上（軽減税率）", Unit::Yen),
    Prompted("NValEdit27", "Label26", Unit::Yen),
    Prompted("NValEdit28", "Label27", Unit::Yen),
    Prompted("NValEdit24", "Label17", Unit::Yen),
    Named("BitBtn2", "印刷"),
};

// ---- 加算税の計算 -----------------------------------------------------------------

// A grid: each figure is named by its row heading and its column heading
// (Label1 国税, Label2 県市民税, Label3 事業税, Label4 合計).
const Readable kAdditionalTax[] = {
    Prompted("NValEdit1", "Label5", Unit::Switched, "Label1"),
    Prompted("NValEdit2", "Label5", Unit::Switched, "Label2"),
    Prompted("NValEdit3", "Label5", Unit::Switched, "Label3"),
    Prompted("NValEdit4", "Label5", Unit::Switched, "Label4"),
    Prompted("NValEdit5", "Label6", Unit::Switched, "Label1"),
    Prompted("NValEdit6", "Label6", Unit::Switched, "Label2"),
    Prompted("NValEdit7", "Label6", Unit::Switched, "Label3"),
    Prompted("NValEdit8", "Label6", Unit::Switched, "Label4"),
    Prompted("NValEdit9", "Label7", Unit::Switched, "Label1"),
    Prompted("NValEdit10", "Label7", Unit::Switched, "Label2"),
    Prompted("NValEdit11", "Label7", Unit::Switched, "Label3"),
    Prompted("NValEdit12", "Label7", Unit::Switched, "Label4"),
    // The two incomes only split the increase: their ratio counts, not a unit.
    Prompted("NValEdit13", "Label8", Unit::None),
    Prompted("NValEdit14", "Label8", Unit::Switched, "Label1"),
    Prompted("NValEdit15", "Label8", Unit::Switched, "Label2"),
    Prompted("NValEdit16", "Label8", Unit::Switched, "Label3"),
    Prompted("NValEdit17", "Label8", Unit::Switched, "Label4"),
    Prompted("NValEdit18", "Label9", Unit::None),
    Prompted("NValEdit19", "Label9", Unit::Switched, "Label1"),
    Prompted("NValEdit20", "Label9", Unit::Switched, "Label2"),
    Prompted("NValEdit21", "Label9", Unit::Switched, "Label3"),
    Prompted("NValEdit22", "Label9", Unit::Switched, "Label4"),
    Prompted("NValEdit23", "Label12", Unit::Switched, "Label1"),
    Prompted("NValEdit24", "Label12", Unit::Switched, "Label4"),
    Prompted("NValEdit25", "Label13", Unit::Switched, "Label1"),
    Prompted("NValEdit31", "Label13", Unit::Switched, "Label3"),
    Prompted("NValEdit26", "Label13", Unit::Switched, "Label4"),
    Prompted("NValEdit27", "Label14", Unit::Switched, "Label1"),
    Prompted("NValEdit28", "Label14", Unit::Switched, "Label3"),
    Prompted("NValEdit29", "Label14", Unit::Switched, "Label4"),
    Named("NValEdit30", "公定歩合", Unit::Percent),
    Named("NValEdit32", "日数", Unit::Days),
    Prompted("NValEdit33", "Label19", Unit::Switched, "Label1"),
    Prompted("NValEdit34", "Label19", Unit::Switched, "Label2"),
    Prompted("NValEdit35", "Label19", Unit::Switched, "Label3"),
    Prompted("NValEdit36", "Label19", Unit::Switched, "Label4"),
    Prompted("NValEdit37", "Label20", Unit::Switched, "Label1"),
    Prompted("NValEdit38", "Label20", Unit::Switched, "Label2"),
    Prompted("NValEdit39", "Label20", Unit::Switched, "Label3"),
    Prompted("NValEdit40", "Label20", Unit::Switched, "Label4"),
    Named("NValEdit41", "総合計", Unit::Switched),
    // An edition that counts the delinquency tax by dates.
    Prompted("DateEdit1", "Label_DateEdit1", Unit::None),
    Prompted("DateEdit2", "Label_DateEdit2", Unit::None),
    Prompted("DateEdit3", "Label_DateEdit3", Unit::None),
    Named("BitBtn1", "計算"),
    Named("BitBtn2", "印刷"),
    Named("BitBtn3", "お知らせ"),
};

// ---- 法人成り -------------------------------------------------------------------

// Three groups of the same columns: each figure is named by its group
// (事業所得 the proprietor, 法人所得 the company, 給与所得 the salary) and
// its caption; all in 万円.
const Readable kIncorporation[] = {
    Named("NValEdit1", "事業所得", Unit::Man),
    Named("NValEdit2", "所得控除", Unit::Man),
    Named("NValEdit3", "事業所得・所得税", Unit::Man),
    Named("NValEdit4", "事業所得・地方税", Unit::Man),
    Named("NValEdit5", "事業所得・事業税", Unit::Man),
    Named("NValEdit6", "事業所得・税金合計", Unit::Man),
    Named("NValEdit7", "法人所得", Unit::Man),
    Named("NValEdit8", "法人所得・予備欄", Unit::Man),
    Named("NValEdit9", "法人所得・法人税", Unit::Man),
    Named("NValEdit10", "法人所得・地方税", Unit::Man),
    Named("NValEdit11", "法人所得・事業税", Unit::Man),
    Named("NValEdit12", "法人所得・税金合計", Unit::Man),
    Named("NValEdit13", "給与所得・役員報酬", Unit::Man),
    Named("NValEdit14", "給与所得・所得控除", Unit::Man),
    Named("NValEdit15", "給与所得・所得税", Unit::Man),
    Named("NValEdit16", "給与所得・地方税", Unit::Man),
    Named("NValEdit17", "給与所得・予備欄", Unit::Man),
    Named("NValEdit18", "給与所得・税金合計", Unit::Man),
    Named("NValEdit19", "法人＋給与", Unit::Man),
    Named("NValEdit20", "軽減額", Unit::Man),
    {.control = "ScrollBar1",
     .name = "役員報酬の割合",
     .unit = Unit::Percent,
     .description = "法人の所得のうち役員報酬にする割合"},
    Named("BitBtn2", "最も税額の少ない割合を探す"),
    Named("BitBtn1", "印刷"),
    Named("Chart1", "税金合計の比較"),
};

// ---- 早見表 ---------------------------------------------------------------------

std::vector<Readable> QuickTableControls() {
  std::vector<Readable> controls{
      Named("CaseBox", "ケース"),
      Named("FigureBox", "変える数字"),
      Named("EditionBox", "年分"),
      Named("CompareBox", "改正比較"),
      Named("FromField", "開始", Unit::OfVaried),
      Named("ToField", "終了", Unit::OfVaried),
      Named("StepField", "刻み", Unit::OfVaried),
      Named("TableView", "早見表"),
      {.control = "QuickTableChart",
       .name = "早見表のグラフ",
       .description = "表の税額と税率を、変える数字に沿って線で示します"},
  };
  // The fixed figures are named by their captions, as in the main window.
  static const std::vector<std::string> keys = [] {
    std::vector<std::string> names;
    for (const MainField& f : tavenko::face::InputFields()) {
      std::string key(f.key);
      key[0] = char(std::toupper(key[0]));
      names.push_back("Fixed" + key);
    }
    return names;
  }();
  for (const MainField& f : tavenko::face::InputFields())
    controls.push_back(Named(keys[std::size_t(f.figure)], f.caption,
                             f.money                       ? Unit::Switched
                             : f.figure == Figure::Years ? Unit::Years
                                                         : Unit::Persons));
  return controls;
}

const WindowTable* TableOf(const QString& window) {
  static const std::vector<WindowTable> tables{
      {"TForm1", MainWindowControls(), "RadioButton4"},
      {"TForm2", {std::begin(kComprehensiveTax), std::end(kComprehensiveTax)}},
      {"TForm3", {std::begin(kAdditionalTax), std::end(kAdditionalTax)}, "RadioButton1"},
      {"TForm4", {std::begin(kIncorporation), std::end(kIncorporation)}},
      {"QuickTableWindow", QuickTableControls(), "YenButton", "FigureBox"},
  };
  for (const WindowTable& table : tables)
    if (QLatin1String(table.window.data(), qsizetype(table.window.size())) == window) return &table;
  return nullptr;
}

// ---- Texts --------------------------------------------------------------------

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// A prompt as a name: its designed spacing ("国　　税") and mnemonic marks go.
QString AsName(QString text) {
  text.remove(QLatin1Char('&'));
  QString name;
  for (QChar c : text)
    if (!c.isSpace()) name += c;
  return name;
}

QString TextOf(const QWidget* control) {
  if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
  if (const auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
  if (const auto* box = qobject_cast<const QGroupBox*>(control)) return box->title();
  if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
  return {};
}

QString UnitText(Unit unit, bool yen) {
  switch (unit) {
    case Unit::None:
    case Unit::OfVaried: return {};
    case Unit::Yen: return QStringLiteral("円");
    case Unit::Man: return QStringLiteral("万円");
    case Unit::Switched: return yen ? QStringLiteral("円") : QStringLiteral("万円");
    case Unit::Percent: return QStringLiteral("％");
    case Unit::Days: return QStringLiteral("日");
    case Unit::Persons: return QStringLiteral("人");
    case Unit::Years: return QStringLiteral("年");
  }
  return {};
}

// An amount of a chart: grouped, with the decimals it has (to a hundredth).
QString ChartFigure(double value) {
  const double hundredths = std::round(value * 100);
  const int decimals = std::fmod(hundredths, 100) == 0 ? 0 : std::fmod(hundredths, 10) == 0 ? 1 : 2;
  return QString::fromStdString(tavenko::FormatFixed(hundredths / 100, decimals, true));
}

// What a chart shows, slice by slice or bar by bar, with the figures: "国税
// 120万円（30.0％）、…". The pie's and the bars' figures are in 万円.
QString ChartDescription(const QChart* chart) {
  QStringList parts;
  for (QAbstractSeries* series : chart->series()) {
    if (const auto* pie = qobject_cast<const QPieSeries*>(series)) {
      for (const QPieSlice* slice : pie->slices())
        parts << QStringLiteral("%1 %2万円（%3％）")
                     .arg(slice->label(), ChartFigure(slice->value()),
                          QString::number(slice->percentage() * 100, 'f', 1));
    } else if (const auto* bars = qobject_cast<const QAbstractBarSeries*>(series)) {
      for (const QBarSet* set : bars->barSets())
        for (int i = 0; i < set->count(); ++i)
          parts << QStringLiteral("%1 %2万円").arg(set->label(), ChartFigure(set->at(i)));
    }
  }
  return parts.isEmpty() ? QStringLiteral("表示する数字はありません") : parts.join(QStringLiteral("、"));
}

// ---- Keeping up -----------------------------------------------------------------

// Lives in its window; names and describes a control again whenever its
// prompt or its hint changes, and every control when the unit switch or the
// varied figure does. The controls are looked up by name once: a window's
// controls are all made before it is made readable and live as long as it.
class Reader : public QObject {
 public:
  Reader(QWidget* window, const WindowTable& table) : QObject(window) {
    QHash<QString, QWidget*> byName;
    for (QWidget* w : OwnWidgets<QWidget>(window))
      if (!byName.contains(w->objectName())) byName.insert(w->objectName(), w);
    const auto find = [&byName](std::string_view name) {
      return name.empty() ? nullptr : byName.value(Utf8(name));
    };
    yen_ = qobject_cast<QAbstractButton*>(find(table.yenButton));
    varied_ = qobject_cast<QComboBox*>(find(table.variedFigure));
    for (const Readable& r : table.controls) {
      QWidget* control = find(r.control);
      if (!control) continue;  // a control of another edition
      controls_.push_back({&r, control, {find(r.prompts[0]), find(r.prompts[1])}});
    }
    for (std::size_t i = 0; i < controls_.size(); ++i) {
      QWidget* control = controls_[i].control;
      control->installEventFilter(this);
      for (QWidget* prompt : controls_[i].prompts)
        if (auto* edit = qobject_cast<QLineEdit*>(prompt))
          connect(edit, &QLineEdit::textChanged, this, [this, i] { Refresh(controls_[i]); });
      if (auto* chart = qobject_cast<QChartView*>(control)) FollowChart(chart);
    }
    if (yen_) connect(yen_, &QAbstractButton::toggled, this, &Reader::RefreshAll);
    if (varied_) connect(varied_, &QComboBox::currentIndexChanged, this, &Reader::RefreshAll);
    RefreshAll();
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ToolTipChange)
      for (const Control& c : controls_)
        if (c.control == watched) Refresh(c);
    return QObject::eventFilter(watched, event);
  }

 private:
  // A control of the table, with its prompts, found in the window.
  struct Control {
    const Readable* readable;
    QPointer<QWidget> control;
    std::array<QPointer<QWidget>, 2> prompts;
  };

  void RefreshAll() {
    for (const Control& c : controls_) Refresh(c);
  }

  void Refresh(const Control& c) {
    if (c.control) Set(c.control, NameOf(c), DescriptionOf(*c.readable, c.control, yen_ && yen_->isChecked()));
  }

  static QString NameOf(const Control& c) {
    QStringList texts;
    for (const QWidget* p : c.prompts)
      if (p && !AsName(TextOf(p)).isEmpty()) texts << AsName(TextOf(p));
    return texts.isEmpty() ? Utf8(c.readable->name) : texts.join(QStringLiteral("・"));
  }

  QString DescriptionOf(const Readable& r, const QWidget* control, bool inYen) const {
    if (qobject_cast<const QChartView*>(control) && r.description.empty()) return control->accessibleDescription();
    Unit unit = r.unit;
    if (unit == Unit::OfVaried) {
      if (varied_ && varied_->currentIndex() >= 0) {
        const MainField& f = tavenko::face::InputField(Figure(varied_->currentData().toInt()));
        unit = f.money ? Unit::Switched : f.figure == Figure::Years ? Unit::Years : Unit::Persons;
      }
    }
    QStringList parts;
    if (!r.description.empty()) parts << Utf8(r.description);
    if (const QString u = UnitText(unit, inYen); !u.isEmpty()) parts << QStringLiteral("単位：") + u;
    // A hint the control shows on hovering (a banded penalty's parts) is
    // read too: the description stands in for it.
    if (!control->toolTip().isEmpty()) parts << control->toolTip();
    return parts.join(QStringLiteral("。"));
  }

  static void Set(QWidget* control, const QString& name, const QString& description) {
    if (control->accessibleName() != name) control->setAccessibleName(name);
    if (control->accessibleDescription() != description) control->setAccessibleDescription(description);
  }

  // A chart's description lists its slices or bars and follows every redraw.
  void FollowChart(QChartView* view) {
    // The chart is read, not operated: its drawing surface takes no focus
    // where the chart takes none.
    if (view->viewport()) view->viewport()->setFocusPolicy(Qt::NoFocus);
    // A chart being destroyed empties its series: by then the view is no
    // longer a chart view, and there is nothing left to describe.
    QPointer<QWidget> guarded(view);
    const auto describe = [guarded] {
      if (auto* chartView = qobject_cast<QChartView*>(guarded.data()))
        chartView->setAccessibleDescription(ChartDescription(chartView->chart()));
    };
    bool described = false;
    for (QAbstractSeries* series : view->chart()->series()) {
      if (auto* pie = qobject_cast<QPieSeries*>(series)) {
        connect(pie, &QPieSeries::added, this, describe);
        connect(pie, &QPieSeries::removed, this, describe);
        described = true;
      } else if (auto* bars = qobject_cast<QAbstractBarSeries*>(series)) {
        connect(bars, &QAbstractBarSeries::barsetsAdded, this, describe);
        connect(bars, &QAbstractBarSeries::barsetsRemoved, this, describe);
        described = true;
      }
    }
    if (described) describe();
  }

  QPointer<QAbstractButton> yen_;
  QPointer<QComboBox> varied_;
  std::vector<Control> controls_;
};

}  // namespace

void MakeReadable(QWidget* window) {
  if (const WindowTable* table = TableOf(window->objectName())) new Reader(window, *table);
}
