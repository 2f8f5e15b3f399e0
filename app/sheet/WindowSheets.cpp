#include "app/sheet/WindowSheets.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "calc/AdditionalTax.h"
#include "calc/ComprehensiveTax.h"
#include "calc/Incorporation.h"
#include "calc/LawTexts.h"
#include "controls/model/FieldModel.h"
#include "core/CivilDate.h"
#include "core/NumberText.h"
#include "face/FieldRule.h"

namespace tavenko::sheettool {
namespace {

using field::FieldSettings;

// ---- Field settings as the windows' forms set them up ---------------------------

// A field the user types into, and a field the window writes.
constexpr FieldSettings Typed(int digits, bool negatives) {
  return {.maxDigits = digits, .prmtNegative = negatives, .fixDecimal = 0, .delAllClear = true,
          .zeroDisplay = true, .enterNext = true};
}
constexpr FieldSettings Shown(int digits, bool negatives = true) {
  return {.maxDigits = digits, .prmtNegative = negatives, .fixDecimal = 0, .zeroDisplay = true};
}

struct WindowField {
  std::string name;
  std::string caption;
  FieldSettings settings;
};

// The figures of one window as its fields hold them, in the order reported.
class Form {
 public:
  explicit Form(std::vector<WindowField> entries) : entries_(std::move(entries)) {
    for (const WindowField& entry : entries_) Set(entry.name, 0);
  }
  // What the field keeps of `value`.
  void Set(std::string_view name, Extended value) {
    const WindowField& entry = Entry(name);
    field::HeldFigure held = field::FigureHeld(entry.settings, value);
    held_[std::string(name)] = {held.value, std::move(held.text)};
  }
  void Set(std::string_view name, const calc::FieldFigure& figure) { held_[std::string(name)] = figure; }
  Extended Value(std::string_view name) const { return held_.at(std::string(name)).value; }
  const WindowField& Entry(std::string_view name) const {
    return *std::find_if(entries_.begin(), entries_.end(), [&](const WindowField& s) { return s.name == name; });
  }
  std::vector<ShownFigure> Figures() const {
    std::vector<ShownFigure> figures;
    for (const WindowField& entry : entries_) {
      const calc::FieldFigure& held = held_.at(std::string(entry.name));
      figures.push_back({entry.name, entry.caption, held.value, held.text});
    }
    return figures;
  }

 private:
  std::vector<WindowField> entries_;
  std::map<std::string, calc::FieldFigure> held_;
};

// ---- Options ----------------------------------------------------------------------

[[noreturn]] void Refuse(const std::string& why) { throw WindowUsageError(why); }

std::string Arg(std::string_view text) { return "\"" + std::string(text) + "\""; }

// The options given after the case: each "--name value", "--name=value" or a flag.
struct Options {
  std::map<std::string, std::string_view, std::less<>> values;
  std::set<std::string, std::less<>> flags;

  std::optional<std::string_view> Get(std::string_view name) const {
    const auto it = values.find(name);
    return it == values.end() ? std::nullopt : std::optional(it->second);
  }
  bool Has(std::string_view name) const { return values.contains(name) || flags.contains(name); }
};

Options ParseOptions(std::span<const std::string_view> args, const std::set<std::string_view>& valued,
                     const std::set<std::string_view>& flags) {
  Options options;
  for (std::size_t i = 1; i < args.size(); ++i) {
    std::string_view arg = args[i];
    std::optional<std::string_view> inlineValue;
    if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
      inlineValue = arg.substr(eq + 1);
      arg = arg.substr(0, eq);
    }
    if (options.Has(arg)) Refuse("option " + std::string(arg) + " given twice");
    if (flags.contains(arg)) {
      if (inlineValue) Refuse("option " + std::string(arg) + " takes no value");
      options.flags.insert(std::string(arg));
    } else if (valued.contains(arg)) {
      if (!inlineValue && i + 1 >= args.size()) Refuse("option " + std::string(arg) + " needs a value");
      options.values.emplace(std::string(arg), inlineValue ? *inlineValue : args[++i]);
    } else {
      Refuse("unknown option " + Arg(arg) + " for " + std::string(args[0]) + " (see --help)");
    }
  }
  return options;
}

const law::Edition& EditionOption(const Options& options) {
  const std::optional<std::string_view> key = options.Get("--edition");
  if (!key) return law::kHeisei29;
  const std::optional<law::EditionId> id = law::FindEdition(*key);
  if (!id) Refuse("--edition takes h29 or r7: " + Arg(*key));
  return law::EditionOf(*id);
}

// A whole number as typed into a field: digits only (a leading minus where
// the field takes negatives), at most the field's digits.
Extended WholeFigure(std::string_view option, std::string_view text, const FieldSettings& settings) {
  std::string_view digits = text;
  if (settings.prmtNegative && digits.starts_with('-')) digits.remove_prefix(1);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
    Refuse(std::string(option) + " takes a whole number" + (settings.prmtNegative ? "" : " of digits 0-9 only") +
           ": " + Arg(text));
  const std::size_t first = digits.find_first_not_of('0');
  if (first != std::string_view::npos && digits.size() - first > static_cast<std::size_t>(settings.maxDigits))
    Refuse(std::string(option) + " has more digits than the field holds (" + std::to_string(settings.maxDigits) +
           "): " + Arg(text));
  return *TextToFloat(text);
}

CivilDate DateOption(std::string_view option, std::string_view text) {
  const std::optional<CivilDate> date = ParseDate(text);
  if (!date) Refuse(std::string(option) + " takes a date YYYY-MM-DD: " + Arg(text));
  return *date;
}

// "N,I,B": three comma-separated figures.
std::vector<std::string_view> Split(std::string_view option, std::string_view text, std::size_t count) {
  std::vector<std::string_view> parts;
  for (std::size_t from = 0;;) {
    const std::size_t comma = text.find(',', from);
    parts.push_back(text.substr(from, comma == std::string_view::npos ? std::string_view::npos : comma - from));
    if (comma == std::string_view::npos) break;
    from = comma + 1;
  }
  if (parts.size() != count)
    Refuse(std::string(option) + " takes " + std::to_string(count) + " figures separated by commas: " + Arg(text));
  return parts;
}

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char ch : text) {
    if (ch == '"' || ch == '\\') out += '\\';
    if (ch == '\n') {
      out += "\\n";
      continue;
    }
    out += ch;
  }
  return out + "\"";
}
std::string Bool(bool b) { return b ? "true" : "false"; }
std::string Number(Extended v) { return Quoted(FormatGeneral(v)); }

WindowSheet Begin(std::string_view window, std::string_view designedTitle, const law::Edition& law) {
  WindowSheet sheet;
  sheet.window = window;
  sheet.edition = law.name;
  sheet.title = calc::EditionTitle(designedTitle, law);
  return sheet;
}

// ---- 総合課税 ------------------------------------------------------------------------

WindowSheet Comprehensive(std::span<const std::string_view> args) {
  const Options o = ParseOptions(
      args,
      {"--real-estate", "--real-estate-business", "--business", "--salary-revenue", "--salary",
       "--occasional-receipts", "--misc", "--pension-65", "--pension-under-65", "--transfer-loss", "--deductions",
       "--sales", "--sales-excluded", "--reduced-sales", "--ratio", "--edition"},
      {"--niwari"});
  const law::Edition& law = EditionOption(o);
  const law::ConsumptionTaxLaw& c = law.consumptionTax;
  const bool reducedRate = c.reducedIncludedPercent > 0;
  const std::string salesCaption = reducedRate ? calc::TaxIncludedSalesCaption(c.standardWholeRate) : "税込売上";
  const std::string reducedCaption = reducedRate ? calc::TaxIncludedSalesCaption(c.reducedWholeRate) : "";
  std::vector<WindowField> entries{
      {"NValEdit1", "不動産所得", Typed(12, true)},
      {"NValEdit2", "不動産所得（事業規模）", Typed(12, true)},
      {"NValEdit3", "事業所得", Typed(12, true)},
      {"NValEdit4", "給与所得（収入金額）", Typed(12, false)},
      {"NValEdit5", "給与所得", Typed(12, false)},
      {"NValEdit6", "一時所得（収入金額）", Typed(12, false)},
      {"NValEdit7", "一時所得", Typed(12, false)},
      {"NValEdit8", "雑所得", Typed(12, false)},
      {"NValEdit9", "公的年金（６５歳以上）（収入金額）", Typed(12, false)},
      {"NValEdit10", "公的年金（６５歳以上）", Typed(12, false)},
      {"NValEdit11", "公的年金（６５才未満）（収入金額）", Typed(12, false)},
      {"NValEdit12", "公的年金（６５才未満）", Typed(12, false)},
      {"NValEdit13", "譲渡所得（譲渡損の場合）", Typed(12, true)},
      {"NValEdit14", "所得合計", Shown(12)},
      {"NValEdit15", "所得控除", Typed(12, false)},
      {"NValEdit16", "課税所得", Shown(12)},
      {"NValEdit17", "所得税", Shown(12)},
      {"NValEdit18", "県民税", Shown(12)},
      {"NValEdit19", "市民税", Shown(12)},
      {"NValEdit20", "事業税", Shown(12)},
      {"NValEdit21", "税額合計", Shown(12)},
      {"NValEdit22", salesCaption, Typed(9, false)},
      {"NValEdit23", "税引売上", Typed(9, false)},
      {"NValEdit24", "納付税額", Shown(9, false)},
  };
  if (reducedRate) {
    entries.push_back({"NValEdit25", reducedCaption, Typed(9, false)});
    entries.push_back({"NValEdit26", "税引売上（軽減税率）", Typed(9, false)});
    entries.push_back({"NValEdit27", "消費税", Shown(9, false)});
    entries.push_back({"NValEdit28", "地方消費税", Shown(9, false)});
  }
  Form form(entries);
  WindowSheet sheet = Begin(args[0], "総合課税", law);
  const auto typed = [&](std::string_view option, std::string_view field) {
    if (const auto text = o.Get(option)) form.Set(field, WholeFigure(option, *text, form.Entry(field).settings));
  };
  const auto fine = [&](std::string_view field) { return calc::FineFromValue(form.Value(field)); };
  const auto write = [&](std::string_view field, FineYen amount) { form.Set(field, calc::ValueFromFine(amount)); };
  const auto oneOf = [&](std::string_view a, std::string_view b) {
    if (o.Has(a) && o.Has(b)) Refuse(std::string(a) + " and " + std::string(b) + " fill the same field: give one");
  };
  oneOf("--salary-revenue", "--salary");
  oneOf("--sales", "--sales-excluded");
  if (o.Has("--reduced-sales") && !reducedRate)
    Refuse("--reduced-sales needs an edition with a reduced rate (--edition r7)");
  if (o.Has("--niwari") && c.flatRatioSpecial == 0) Refuse("--niwari needs an edition with the 2割特例 (--edition r7)");

  typed("--real-estate", "NValEdit1");
  typed("--real-estate-business", "NValEdit2");
  typed("--business", "NValEdit3");
  typed("--misc", "NValEdit8");
  typed("--transfer-loss", "NValEdit13");
  typed("--deductions", "NValEdit15");
  if (form.Value("NValEdit13") > 0) sheet.messages.push_back("譲渡損（マイナス記号）の場合にだけ入力してください。");
  typed("--salary", "NValEdit5");
  if (o.Has("--salary-revenue")) {
    typed("--salary-revenue", "NValEdit4");
    write("NValEdit5", calc::ComprehensiveSalaryIncome(law, fine("NValEdit4")));
  }
  if (o.Has("--occasional-receipts")) {
    typed("--occasional-receipts", "NValEdit6");
    write("NValEdit7", calc::OccasionalIncomeHalf(law, fine("NValEdit6")));
  }
  const auto incomes = [&] {
    calc::ComprehensiveIncomes in;
    in.realEstate = fine("NValEdit1");
    in.realEstateBusiness = fine("NValEdit2");
    in.business = fine("NValEdit3");
    in.salary = fine("NValEdit5");
    in.occasionalHalf = fine("NValEdit7");
    in.miscellaneous = fine("NValEdit8");
    in.pensionOver65 = fine("NValEdit10");
    in.pensionUnder65 = fine("NValEdit12");
    in.transferLoss = fine("NValEdit13");
    in.deductions = fine("NValEdit15");
    return in;
  };
  // The pension incomes as the window leaves them: from the pensions and the
  // other incomes as they finally stand.
  const FineYen other = calc::IncomeOtherThanPensions(incomes());
  typed("--pension-65", "NValEdit9");
  typed("--pension-under-65", "NValEdit11");
  write("NValEdit10", calc::PublicPensionIncome(law, fine("NValEdit9"), calc::PensionerAge::SixtyFiveOrOver, other));
  write("NValEdit12", calc::PublicPensionIncome(law, fine("NValEdit11"), calc::PensionerAge::UnderSixtyFive, other));

  typed("--sales-excluded", "NValEdit23");
  if (o.Has("--sales")) {
    typed("--sales", "NValEdit22");
    write("NValEdit23", calc::TaxExcludedSales(fine("NValEdit22"), c.standardIncludedPercent));
  }
  if (o.Has("--reduced-sales")) {
    typed("--reduced-sales", "NValEdit25");
    write("NValEdit26", calc::TaxExcludedSales(fine("NValEdit25"), c.reducedIncludedPercent));
  }

  calc::ComprehensiveInputs in;
  in.edition = law.id;
  in.incomes = incomes();
  in.sales.standard = fine("NValEdit23");
  if (reducedRate) in.sales.reduced = fine("NValEdit26");
  std::size_t ratioIndex = 0;
  if (const auto ratio = o.Get("--ratio")) {
    std::string known;
    bool found = false;
    for (std::size_t i = 0; i < c.classes.size(); ++i) {
      const std::string percent = std::to_string(c.classes[i].ratio / 100);
      known += (i ? (i + 1 == c.classes.size() ? " or " : ", ") : "") + percent;
      if (percent == *ratio) ratioIndex = i, found = true;
    }
    if (!found) Refuse("--ratio takes " + known + " under " + std::string(law.name) + ": " + Arg(*ratio));
  }
  in.purchaseRatio = c.classes[ratioIndex].ratio;
  in.flatRatioSpecial = o.Has("--niwari");

  const calc::ComprehensiveSheet result = calc::ComputeComprehensiveSheet(in);
  const std::pair<std::string_view, FineYen> results[] = {
      {"NValEdit14", result.taxes.totalIncome},  {"NValEdit16", result.taxes.taxableIncome},
      {"NValEdit17", result.taxes.incomeTax},    {"NValEdit18", result.taxes.prefecturalTax},
      {"NValEdit19", result.taxes.municipalTax}, {"NValEdit20", result.taxes.businessTax},
      {"NValEdit21", result.taxes.totalTax},     {"NValEdit24", result.consumption.payable},
  };
  for (const auto& [name, amount] : results) write(name, amount);
  if (reducedRate) {
    write("NValEdit27", result.consumption.national);
    write("NValEdit28", result.consumption.local);
  }
  sheet.figures = form.Figures();
  sheet.members.push_back({"ratio", "{\"button\": " + Quoted("RadioButton" + std::to_string(ratioIndex + 1)) +
                                        ", \"text\": " + Quoted(std::to_string(in.purchaseRatio / 100) + "%") +
                                        ", \"business\": " + Quoted(c.classes[ratioIndex].business) + "}"});
  if (c.flatRatioSpecial > 0) sheet.members.push_back({"niwari", Bool(in.flatRatioSpecial)});
  // The tax on the sales the national tax is taken from (not shown in a field).
  if (c.shape == law::SimplifiedTaxShape::NationalAndLocal)
    sheet.members.push_back({"salesTax", Number(calc::ValueFromFine(result.consumption.salesTax))});
  return sheet;
}

// ---- 加算税 -------------------------------------------------------------------------

WindowSheet Additional(std::span<const std::string_view> args) {
  const Options o = ParseOptions(
      args, {"--initial", "--amended", "--split", "--rate", "--days", "--due", "--filed", "--paid", "--edition"},
      {"--no-return", "--man"});
  const law::Edition& law = EditionOption(o);
  const bool byDates = !law.delinquency.years.empty();
  const FieldSettings typedSettings = Typed(10, false);
  const FieldSettings shown{.maxDigits = 10, .prmtNegative = false, .fixDecimal = 0, .delAllClear = true,
                            .zeroDisplay = true};
  const FieldSettings rateSettings{.maxDigits = 4, .prmtNegative = false, .fixDecimal = 2, .delAllClear = true,
                                   .zeroDisplay = true, .enterNext = true};
  const FieldSettings daysSettings = Typed(4, false);
  std::vector<WindowField> entries;
  const char* columns[] = {"国税", "県市民税", "事業税", "合計"};
  const auto row = [&](std::initializer_list<int> numbers, std::string_view caption, bool typed, int firstColumn = 0) {
    int k = firstColumn;
    for (int n : numbers) {
      entries.push_back({"NValEdit" + std::to_string(n), std::string(caption) + "／" + columns[k],
                       typed && k < 3 ? typedSettings : shown});
      ++k;
    }
  };
  row({1, 2, 3, 4}, "当初の確定申告書の税額", true);
  row({5, 6, 7, 8}, "今回の修正申告書の税額", true);
  row({9, 10, 11, 12}, "増差税額", false);
  entries.push_back({"NValEdit13", "過少分所得", typedSettings});
  row({14, 15, 16, 17}, "過少分所得", false);
  entries.push_back({"NValEdit18", "重加分所得", typedSettings});
  row({19, 20, 21, 22}, "重加分所得", false);
  entries.push_back({"NValEdit23", "過少申告加算税（１０％部分）／国税", shown});
  entries.push_back({"NValEdit24", "過少申告加算税（１０％部分）／合計", shown});
  entries.push_back({"NValEdit25", "過少申告加算税（１５％部分）／国税", shown});
  entries.push_back({"NValEdit31", "過少申告加算税（１５％部分）／事業税", shown});
  entries.push_back({"NValEdit26", "過少申告加算税（１５％部分）／合計", shown});
  entries.push_back({"NValEdit27", "重加算税（３５％又は４０％）／国税", shown});
  entries.push_back({"NValEdit28", "重加算税（３５％又は４０％）／事業税", shown});
  entries.push_back({"NValEdit29", "重加算税（３５％又は４０％）／合計", shown});
  if (!byDates) {
    entries.push_back({"NValEdit30", "１１月末現在の公定歩合", rateSettings});
    entries.push_back({"NValEdit32", "法定申告期日から納付日までの日数", daysSettings});
  }
  row({33, 34, 35, 36}, "過少申告部分の延滞税", false);
  row({37, 38, 39, 40}, "重加算税部分の延滞税", false);
  entries.push_back({"NValEdit41", "合計", shown});
  Form form(entries);
  WindowSheet sheet = Begin(args[0], "加算税の計算", law);

  calc::AdditionalTaxInputs in;
  in.edition = law.id;
  in.noReturn = o.Has("--no-return");
  in.unit = o.Has("--man") ? calc::PenaltyUnit::TenThousandYen : calc::PenaltyUnit::Yen;
  const auto columnsOf = [&](std::string_view option, calc::ColumnFigures& figures, int firstField) {
    const auto text = o.Get(option);
    if (!text) return;
    const std::vector<std::string_view> parts = Split(option, *text, calc::kTaxColumns);
    for (int k = 0; k < calc::kTaxColumns; ++k) {
      const std::string name = "NValEdit" + std::to_string(firstField + k);
      form.Set(name, WholeFigure(option, parts[k], typedSettings));
      figures[k] = form.Value(name);
    }
  };
  columnsOf("--initial", in.initialTax, 1);
  columnsOf("--amended", in.amendedTax, 5);
  if (const auto text = o.Get("--split")) {
    const std::vector<std::string_view> parts = Split("--split", *text, 2);
    form.Set("NValEdit13", WholeFigure("--split", parts[0], typedSettings));
    form.Set("NValEdit18", WholeFigure("--split", parts[1], typedSettings));
  }
  in.understatedIncome = form.Value("NValEdit13");
  in.concealedIncome = form.Value("NValEdit18");

  if (byDates) {
    for (std::string_view option : {"--rate", "--days"})
      if (o.Has(option))
        Refuse(std::string(option) + " is for 平成29年版; " + std::string(law.name) + " counts by --due, --filed, --paid");
    const auto filed = o.Get("--filed");
    if (!filed) Refuse("--filed is needed under " + std::string(law.name) + " (the filing date, YYYY-MM-DD)");
    in.dates.due = o.Has("--due") ? DateOption("--due", *o.Get("--due")) : law.delinquency.defaultDueDate;
    in.dates.filed = DateOption("--filed", *filed);
    in.dates.paid = o.Has("--paid") ? DateOption("--paid", *o.Get("--paid")) : in.dates.filed;
  } else {
    for (std::string_view option : {"--due", "--filed", "--paid"})
      if (o.Has(option)) Refuse(std::string(option) + " is for 令和7年分 (--edition r7); 平成29年版 takes --rate and --days");
    form.Set("NValEdit30", law.delinquency.defaultDiscountRatePercent);
    form.Set("NValEdit32", law.delinquency.daysPerYear);
    if (const auto rate = o.Get("--rate")) {
      const std::optional<Extended> value =
          rate->find_first_not_of("0123456789.") == std::string_view::npos ? TextToFloat(*rate) : std::nullopt;
      if (!value) Refuse("--rate takes a rate in percent (0.1): " + Arg(*rate));
      form.Set("NValEdit30", *value);
    }
    if (const auto days = o.Get("--days")) form.Set("NValEdit32", WholeFigure("--days", *days, daysSettings));
    in.discountRatePercent = form.Value("NValEdit30");
    in.days = form.Value("NValEdit32");
  }

  const calc::AdditionalTaxSheet s = calc::ComputeAdditionalTax(in);
  if (s.understatedIncomeSetToOne) form.Set("NValEdit13", 1);
  form.Set("NValEdit4", s.initialTotal);
  form.Set("NValEdit8", s.amendedTotal);
  const auto writeRow = [&](int first, const calc::ColumnRow& r) {
    for (int k = 0; k < calc::kTaxColumns; ++k) form.Set("NValEdit" + std::to_string(first + k), r.column[k]);
    form.Set("NValEdit" + std::to_string(first + calc::kTaxColumns), r.total);
  };
  writeRow(9, s.increase);
  writeRow(14, s.understated);
  writeRow(19, s.concealed);
  form.Set("NValEdit23", s.tenPercent.national);
  form.Set("NValEdit24", s.tenPercent.total);
  form.Set("NValEdit25", s.fifteenPercent.national);
  form.Set("NValEdit31", s.fifteenPercent.business);
  form.Set("NValEdit26", s.fifteenPercent.total);
  form.Set("NValEdit27", s.heavy.national);
  form.Set("NValEdit28", s.heavy.business);
  form.Set("NValEdit29", s.heavy.total);
  writeRow(33, s.delinquency.understated);
  writeRow(37, s.delinquency.concealed);
  form.Set("NValEdit41", s.grandTotal);
  if (s.delinquency.daysMessage) sheet.messages.push_back("年数の入力が間違っています");
  if (!s.delinquency.refusal.empty()) sheet.messages.push_back(s.delinquency.refusal);
  sheet.figures = form.Figures();

  sheet.members.push_back({"unit", Quoted(in.unit == calc::PenaltyUnit::Yen ? "円" : "万円")});
  sheet.members.push_back({"noReturn", Bool(in.noReturn)});
  if (byDates)
    sheet.members.push_back({"dates", "{\"due\": " + Quoted(DateText(in.dates.due)) + ", \"filed\": " +
                                          Quoted(DateText(in.dates.filed)) + ", \"paid\": " +
                                          Quoted(DateText(in.dates.paid)) + "}"});
  if (s.fifteenPercent.parts.size() > 1) {
    std::string parts = "[";
    for (const calc::PenaltyPart& part : s.fifteenPercent.parts)
      parts += std::string(parts.size() > 1 ? ", " : "") + "{\"base\": " + Number(part.base) +
               ", \"rate\": " + Number(part.rate) + ", \"amount\": " + Number(part.amount) + "}";
    sheet.members.push_back({"noReturnParts", parts + "]"});
  }
  return sheet;
}

// ---- 法人成り ------------------------------------------------------------------------

WindowSheet Incorporation(std::span<const std::string_view> args) {
  const Options o = ParseOptions(args, {"--income", "--deductions", "--split", "--edition"}, {"--search"});
  const law::Edition& law = EditionOption(o);
  if (o.Has("--split") && o.Has("--search")) Refuse("--split and --search move the same slider: give one");
  const FieldSettings typedSettings = Typed(12, false);
  const FieldSettings shown = Shown(12);
  std::vector<WindowField> entries{
      {"NValEdit1", "事業所得", typedSettings},        {"NValEdit2", "所得控除", typedSettings},
      {"NValEdit3", "事業所得／所得税", shown},        {"NValEdit4", "事業所得／地方税", shown},
      {"NValEdit5", "事業所得／事業税", shown},        {"NValEdit6", "事業所得／税金合計", shown},
      {"NValEdit7", "法人所得", shown},                {"NValEdit8", "法人所得／（空欄）", shown},
      {"NValEdit9", "法人所得／法人税", shown},        {"NValEdit10", "法人所得／地方税", shown},
      {"NValEdit11", "法人所得／事業税", shown},       {"NValEdit12", "法人所得／税金合計", shown},
      {"NValEdit13", "給与所得／役員報酬", shown},     {"NValEdit14", "給与所得／所得控除", shown},
      {"NValEdit15", "給与所得／所得税", shown},       {"NValEdit16", "給与所得／地方税", shown},
      {"NValEdit17", "給与所得／（空欄）", shown},     {"NValEdit18", "給与所得／税金合計", shown},
      {"NValEdit19", "法人+給与", shown},              {"NValEdit20", "軽減額", shown},
  };
  Form form(entries);
  WindowSheet sheet = Begin(args[0], "法人成りの節税額計算", law);
  if (const auto text = o.Get("--income")) form.Set("NValEdit1", WholeFigure("--income", *text, typedSettings));
  if (const auto text = o.Get("--deductions"))
    form.Set("NValEdit2", WholeFigure("--deductions", *text, typedSettings));
  const Extended income = form.Value("NValEdit1");

  calc::IncorporationModel model(law, face::FieldRuleOf(shown));
  // Typed as in the window: the income, then the deductions.
  model.FiguresTyped(income, 0);
  model.FiguresTyped(income, form.Value("NValEdit2"));
  if (const auto split = o.Get("--split")) {
    const Extended percent = WholeFigure("--split", *split, Typed(3, false));
    if (percent > 100) Refuse("--split takes a percentage 0 to 100: " + Arg(*split));
    model.Split(income, static_cast<int>(percent));
  }
  if (o.Has("--search")) model.Search(income);

  const calc::IncorporationSheet& s = model.Sheet();
  const std::pair<std::string_view, const calc::FieldFigure*> figures[] = {
      {"NValEdit3", &s.proprietorIncomeTax}, {"NValEdit4", &s.proprietorInhabitantTax},
      {"NValEdit5", &s.proprietorBusinessTax}, {"NValEdit6", &s.proprietorTotal},
      {"NValEdit7", &s.companyIncome},         {"NValEdit8", &s.companyBlank},
      {"NValEdit9", &s.corporationTax},        {"NValEdit10", &s.companyLocalTax},
      {"NValEdit11", &s.enterpriseTax},        {"NValEdit12", &s.companyTotal},
      {"NValEdit13", &s.salary},               {"NValEdit14", &s.salaryDeductions},
      {"NValEdit15", &s.salaryIncomeTax},      {"NValEdit16", &s.salaryInhabitantTax},
      {"NValEdit17", &s.salaryBlank},          {"NValEdit18", &s.salaryTotal},
      {"NValEdit19", &s.combinedTotal},        {"NValEdit20", &s.saving},
  };
  for (const auto& [name, figure] : figures) form.Set(name, *figure);
  sheet.figures = form.Figures();
  sheet.members.push_back({"ScrollBar1", std::to_string(s.sliderPosition)});
  sheet.members.push_back({"comparisonShown", Bool(s.comparisonShown)});
  std::string chart = "null";
  if (s.chart) {
    chart = "[";
    for (const calc::ComparisonBar& bar : *s.chart)
      chart += std::string(chart.size() > 1 ? ", " : "") + "{\"label\": " + Quoted(bar.label) +
               ", \"color\": " + Quoted(calc::ChartColourName(bar.colour)) + ", \"value\": " + Number(bar.value) +
               "}";
    chart += "]";
  }
  sheet.members.push_back({"Chart1", chart});
  return sheet;
}

struct WindowCase {
  std::string_view name;
  WindowSheet (*compute)(std::span<const std::string_view> args);
};
constexpr WindowCase kWindowCases[] = {
    {"総合課税", Comprehensive},
    {"加算税", Additional},
    {"法人成り", Incorporation},
};

}  // namespace

bool IsWindowCase(std::string_view name) {
  return std::any_of(std::begin(kWindowCases), std::end(kWindowCases),
                     [&](const WindowCase& c) { return c.name == name; });
}

WindowSheet ComputeWindowSheet(std::span<const std::string_view> args) {
  for (const WindowCase& c : kWindowCases)
    if (!args.empty() && c.name == args[0]) return c.compute(args);
  Refuse("unknown case (see --help)");
}

std::string WindowSheetJson(const WindowSheet& sheet) {
  std::string j = "{\n";
  j += "  \"window\": " + Quoted(sheet.window) + ",\n";
  j += "  \"edition\": " + Quoted(sheet.edition) + ",\n";
  j += "  \"title\": " + Quoted(sheet.title) + ",\n";
  j += "  \"messages\": [";
  for (std::size_t i = 0; i < sheet.messages.size(); ++i) j += (i ? ", " : "") + Quoted(sheet.messages[i]);
  j += "],\n  \"fields\": [";
  for (std::size_t i = 0; i < sheet.figures.size(); ++i) {
    const ShownFigure& f = sheet.figures[i];
    j += std::string(i ? "," : "") + "\n    {\"field\": " + Quoted(f.field) + ", \"caption\": " + Quoted(f.caption) +
         ", \"value\": " + Number(f.value) + ", \"text\": " + Quoted(f.text) + "}";
  }
  j += "\n  ]";
  for (const auto& [name, value] : sheet.members) j += ",\n  " + Quoted(name) + ": " + value;
  return j + "\n}\n";
}

std::string WindowCasesUsage() {
  return "The windows the main window opens (every figure the window shows, and its\n"
         "messages, as JSON; --edition r7 computes 令和7年分, default 平成29年版):\n"
         "  tavenko-sheet 総合課税 [--real-estate N] [--real-estate-business N] [--business N]\n"
         "                [--salary-revenue N | --salary N] [--occasional-receipts N] [--misc N]\n"
         "                [--pension-65 N] [--pension-under-65 N] [--transfer-loss N]\n"
         "                [--deductions N] [--sales N | --sales-excluded N] [--reduced-sales N]\n"
         "                [--ratio 90|80|70|60|50|40] [--niwari] [--edition r7]\n"
         "      in yen; --reduced-sales, --ratio 40 and --niwari (2割特例) under 令和7年分 only\n"
         "  tavenko-sheet 加算税 --initial N,I,B --amended N,I,B [--split W,A] [--no-return]\n"
         "                [--man] (--rate R --days D | --due YYYY-MM-DD --filed YYYY-MM-DD\n"
         "                --paid YYYY-MM-DD) [--edition r7]\n"
         "      national, inhabitant and business tax; --split the understated and concealed\n"
         "      incomes; --man computes in 万円; 平成29年版 takes the official rate (percent,\n"
         "      default 0.1) and the days (default 365), 令和7年分 the due date (default\n"
         "      2026-03-16), the filing date and the payment date (default the filing date)\n"
         "  tavenko-sheet 法人成り --income N --deductions N [--split P | --search] [--edition r7]\n"
         "      in 万円; --split the percentage kept in the company, --search the lowest total\n";
}

}  // namespace tavenko::sheettool
