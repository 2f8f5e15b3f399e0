#include "calc/IncomeCases.h"

#include <string>
#include <vector>

#include "calc/LawTexts.h"
#include "calc/SheetSteps.h"
#include "core/Schedules.h"

namespace tavenko::calc {

namespace {

constexpr std::array<bool, 4> kIncomeInputs{true, true, false, false};

// A stored tax: a value not above zero becomes 0.
YenAmount StoredTax(YenAmount tax) { return tax > 0 ? tax : 0; }

void LogTypedIncome(std::string_view caption, IncomeWork& w, MainSheet& sheet) {
  LogFigure(sheet, caption, ToDisplay(w.income));
  LogFigure(sheet, "所得控除", ToDisplay(w.deduction));
}

void DeriveOrdinary(IncomeWork& w, MainSheet& sheet) { LogTypedIncome("課税所得", w, sheet); }
void DeriveBusiness(IncomeWork& w, MainSheet& sheet) { LogTypedIncome("事業所得", w, sheet); }

void DeriveSalary(IncomeWork& w, MainSheet& sheet) {
  LogFigure(sheet, "給与額", ToDisplay(w.income));
  w.income = SalaryIncome(*w.law, w.gross);
  LogFigure(sheet, "給与所得控除後の金額", ToDisplay(w.income));
  LogFigure(sheet, "所得控除", ToDisplay(w.deduction));
  const YenAmount nextSalary = SalaryIncome(*w.law, NextMillion(w.gross));
  w.nextMillionBase = ClampAtZero(StoreYen(static_cast<Extended>(nextSalary) - w.deduction));
}

// Half of the payment left after the retirement income deduction.
YenAmount RetirementHalf(const law::Edition& law, YenAmount payment, ScaledCount years) {
  return StoreYen(PaymentLessRetirementDeduction(law, payment, years) / 2);
}

// 短期退職手当等: of what is left after the deduction, the part up to the
// halving limit is halved and the part above it is taxed whole.
YenAmount ShortServiceTaxable(const law::RetirementLaw& r, Extended left) {
  if (left <= r.shortServiceHalvedUpTo) return StoreYen(left / 2);
  return StoreYen(left - static_cast<Extended>(r.shortServiceHalvedUpTo) / 2);
}

void DeriveShortServiceRetirement(IncomeWork& w, MainSheet& sheet) {
  const law::RetirementLaw& r = w.law->retirement;
  const Extended left = PaymentLessRetirementDeduction(*w.law, w.gross, w.serviceYears);
  w.income = ClampAtZero(ShortServiceTaxable(r, left));
  LogFigure(sheet, "退職所得控除後の金額", (left > 0 ? left : 0) / kYenPerMan);
  LogFigure(sheet,
            left <= r.shortServiceHalvedUpTo
                ? std::string("その２分の１の金額")
                : Fill("{0}と{1}を超える部分の合計額",
                       {ManYenText(r.shortServiceHalvedUpTo / 2), ManYenText(r.shortServiceHalvedUpTo)}),
            ToDisplay(w.income));
  LogFigure(sheet, "所得控除", Int(ToDisplay(w.deduction)));
  const Extended leftNext = PaymentLessRetirementDeduction(*w.law, NextMillion(w.gross), w.serviceYears);
  w.nextMillionBase = StoreYen(static_cast<Extended>(ShortServiceTaxable(r, leftNext)) - w.deduction);
}

void DeriveRetirement(IncomeWork& w, MainSheet& sheet) {
  LogFigure(sheet, "退職金の金額", ToDisplay(w.income));
  if (IsShortService(w.law->retirement, w.serviceYears)) return DeriveShortServiceRetirement(w, sheet);
  w.income = ClampAtZero(RetirementHalf(*w.law, w.gross, w.serviceYears));
  LogFigure(sheet, "退職所得控除後の金額", static_cast<Extended>(w.income) * 2 / kYenPerMan);
  LogFigure(sheet, "その２分の１の金額", ToDisplay(w.income));
  LogFigure(sheet, "所得控除", Int(ToDisplay(w.deduction)));
  const YenAmount nextHalf = RetirementHalf(*w.law, NextMillion(w.gross), w.serviceYears);
  w.nextMillionBase = StoreYen(static_cast<Extended>(nextHalf) - w.deduction);
}

YenAmount OccasionalHalf(const law::Edition& law, YenAmount receipts) {
  return StoreYen((static_cast<Extended>(receipts) - law.occasionalIncome.specialDeduction) / 2);
}

void DeriveOccasional(IncomeWork& w, MainSheet& sheet) {
  LogFigure(sheet, "所得金額", ToDisplay(w.income));
  const law::OccasionalIncomeLaw& occasional = w.law->occasionalIncome;
  w.income = ClampAtZero(OccasionalHalf(*w.law, w.gross));
  LogFigure(sheet, ManYenText(occasional.specialDeduction) + "を控除し２分の１した金額", ToDisplay(w.income));
  LogFigure(sheet, "所得控除", ToDisplay(w.deduction));
  w.nextMillionBase =
      StoreYen(static_cast<Extended>(OccasionalHalf(*w.law, NextMillion(w.gross))) - w.deduction);
}

SidePanel BlankPanel(const law::Edition&) { return CommentPanel("　　"); }
SidePanel BusinessPanel(const law::Edition&) { return CommentPanel(" 　"); }
SidePanel OccasionalPanel(const law::Edition& law) {
  return CommentPanel(JoinLines({" " + ManYenText(law.occasionalIncome.specialDeduction) + "を差し引いた残額",
                                 "の２分の１が一時所得", "", "", ""}));
}
SidePanel EmployeeRetirementPanel(const law::Edition& law) { return RetirementPanel(law, true); }

const IncomeCaseRules kOrdinary{.side = BlankPanel, .deriveIncome = DeriveOrdinary};
const IncomeCaseRules kSalary{.side = BlankPanel, .deriveIncome = DeriveSalary};
const IncomeCaseRules kBusiness{
    .side = BusinessPanel, .deriveIncome = DeriveBusiness, .withBusinessTax = true, .edit4Caption = "　　　事業税"};
const IncomeCaseRules kRetirement{.side = EmployeeRetirementPanel,
                                  .readsServiceYears = true,
                                  .deriveIncome = DeriveRetirement,
                                  .logsIncomeTaxInWholeMan = false};
const IncomeCaseRules kOccasional{.side = OccasionalPanel, .deriveIncome = DeriveOccasional};

}  // namespace

bool IsShortService(const law::RetirementLaw& retirement, ScaledCount serviceYears) {
  return retirement.shortServiceYears > 0 && serviceYears <= retirement.shortServiceYears * kCountScale;
}

SidePanel RetirementPanel(const law::Edition& law, bool withShortServiceRule) {
  const law::RetirementLaw& r = law.retirement;
  std::vector<std::string> lines{
      "　退職所得控除は勤続",
      Fill("年数{0}年迄は１年に付", {FullWidthNumber(r.bandYears)}),
      Fill("き{0}。{1}年以上は", {ManYenText(r.perYearUpToBand), FullWidthNumber(r.bandYears + 1)}),
      Fill("１年に付き{0}。", {ManYenText(r.perYearBeyondBand)}),
      "　残額の２分の１に税率",
      "を乗じる。"};
  if (withShortServiceRule && r.shortServiceYears > 0) {
    lines.push_back(Fill("　勤続{0}年以下は控除後", {FullWidthNumber(r.shortServiceYears)}));
    lines.push_back(Fill("{0}を超える部分を", {ManYenText(r.shortServiceHalvedUpTo)}));
    lines.push_back("２分の１にしない。");
  }
  std::string note;
  for (std::size_t i = 0; i < lines.size(); ++i) note += (i == 0 ? "" : "\r\n") + lines[i];
  return SidePanel{.visible = true,
                   .caption = "勤続年数",
                   .note = note,
                   .yearsFieldVisible = true,
                   .extraFieldVisible = false};
}

Extended PaymentLessRetirementDeduction(const law::Edition& law, YenAmount payment, ScaledCount serviceYears) {
  // On the count scale the yearly amounts are taken per unit of the scale
  // (40 and 70 yen a unit).
  const law::RetirementLaw& r = law.retirement;
  const ScaledCount minimumYears = r.minimumYears * kCountScale;
  const ScaledCount bandYears = r.bandYears * kCountScale;
  const YenAmount perUnitUpToBand = r.perYearUpToBand / kCountScale;
  const YenAmount perUnitBeyondBand = r.perYearBeyondBand / kCountScale;
  const Extended p = payment;
  const Extended y = serviceYears;
  if (serviceYears <= minimumYears) return p - r.minimumDeduction;
  if (serviceYears <= bandYears) return p - perUnitUpToBand * y;
  return p - (y - bandYears) * perUnitBeyondBand - r.perYearUpToBand * r.bandYears;
}

ScaledCount CheckServiceYears(MainSheet& sheet, Extended typedYears) {
  if (typedYears > 99) {
    typedYears = 0;
    sheet.yearsFieldValue = 0;
  }
  if (typedYears == 0) sheet.messages.emplace_back("勤続年数を入力してください");
  return ToCount(typedYears);
}

MainSheet RunIncomeCase(const IncomeCaseRules& rules, const MainInputs& in) {
  const law::Edition& law = law::EditionOf(in.edition);
  MainSheet sheet = StartSheet(kIncomeInputs, rules.side(law));

  IncomeWork w;
  w.law = &law;
  if (rules.readsServiceYears) w.serviceYears = CheckServiceYears(sheet, in.years);
  w.income = ToYen(in.income, in.unit);
  w.gross = w.income;
  w.deduction = ToYen(in.deductions, in.unit);

  LogHeader(sheet);
  rules.deriveIncome(w, sheet);

  const YenAmount taxable = ClampAtZero(StoreYen(static_cast<Extended>(w.income) - w.deduction));
  SetResult(sheet, kTaxableField, taxable);
  LogFigure(sheet, "所得控除後の金額", ToDisplay(taxable));
  const YenAmount nextBase = w.nextMillionBase.value_or(NextMillion(taxable));

  SheetTaxes taxes;
  taxes.national = StoredTax(IncomeTaxWithSurtax(law, taxable));
  SetResult(sheet, kNationalField, taxes.national);
  const Extended nationalInMan = ToDisplay(taxes.national);
  LogFigure(sheet, "所得税額", rules.logsIncomeTaxInWholeMan ? Int(nationalInMan) : nationalInMan);

  SheetTaxes next;
  next.national = IncomeTaxWithSurtax(law, nextBase);
  taxes.prefectural = ClampAtZero(PrefecturalInhabitantTax(law, taxable));
  next.prefectural = PrefecturalInhabitantTax(law, nextBase);
  taxes.municipal = ClampAtZero(MunicipalInhabitantTax(law, taxable));
  SetResult(sheet, kLocalField, taxes.prefectural + taxes.municipal);
  next.municipal = MunicipalInhabitantTax(law, nextBase);

  if (rules.withBusinessTax) {
    // The business tax is on the income before deductions.
    taxes.business = ClampAtZero(IndividualBusinessTax(law, w.income));
    SetResult(sheet, kBusinessField, taxes.business);
    next.business = ClampAtZero(IndividualBusinessTax(law, NextMillion(w.income)));
  }

  SetResult(sheet, kTotalField, taxes.Sum());
  WriteRates(sheet, taxes.Sum(), next.Sum(), w.gross);
  LogFigure(sheet, "地方税額", Int(ToDisplay(taxes.Local())));
  LogFigure(sheet, "税額合計", Int(ToDisplay(taxes.Sum())));

  RescaleForYenUnit(sheet, in.unit,
                    {{kTaxableField, taxable},
                     {kNationalField, taxes.national},
                     {kLocalField, InhabitantTaxInYen(taxes.prefectural, taxes.municipal)},
                     {kBusinessField, taxes.business},
                     {kTotalField, taxes.Sum()}});

  auto captions = kIncomeCaptions;
  captions[kBusinessField] = rules.edit4Caption;
  SetCaptions(sheet, captions);
  FillBreakdownPie(sheet, taxes, w.gross);
  return sheet;
}

MainSheet OrdinaryIncomeSheet(const MainInputs& in) { return RunIncomeCase(kOrdinary, in); }
MainSheet SalaryIncomeSheet(const MainInputs& in) { return RunIncomeCase(kSalary, in); }
MainSheet BusinessIncomeSheet(const MainInputs& in) { return RunIncomeCase(kBusiness, in); }
MainSheet RetirementIncomeSheet(const MainInputs& in) { return RunIncomeCase(kRetirement, in); }
MainSheet OccasionalIncomeSheet(const MainInputs& in) { return RunIncomeCase(kOccasional, in); }

}  // namespace tavenko::calc
