#include "calc/IncomeCases.h"

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
  w.income = SalaryIncome(w.gross);
  LogFigure(sheet, "給与所得控除後の金額", ToDisplay(w.income));
  LogFigure(sheet, "所得控除", ToDisplay(w.deduction));
  const YenAmount nextSalary = SalaryIncome(NextMillion(w.gross));
  w.nextMillionBase = ClampAtZero(StoreYen(static_cast<Extended>(nextSalary) - w.deduction));
}

// Half of the payment left after the retirement income deduction.
YenAmount RetirementHalf(YenAmount payment, ScaledCount years) {
  return StoreYen(PaymentLessRetirementDeduction(payment, years) / 2);
}

void DeriveRetirement(IncomeWork& w, MainSheet& sheet) {
  LogFigure(sheet, "退職金の金額", ToDisplay(w.income));
  w.income = ClampAtZero(RetirementHalf(w.gross, w.serviceYears));
  LogFigure(sheet, "退職所得控除後の金額", static_cast<Extended>(w.income) * 2 / kYenPerMan);
  LogFigure(sheet, "その２分の１の金額", ToDisplay(w.income));
  LogFigure(sheet, "所得控除", Int(ToDisplay(w.deduction)));
  const YenAmount nextHalf = RetirementHalf(NextMillion(w.gross), w.serviceYears);
  w.nextMillionBase = StoreYen(static_cast<Extended>(nextHalf) - w.deduction);
}

YenAmount OccasionalHalf(YenAmount receipts) {
  return StoreYen((static_cast<Extended>(receipts) - 500000) / 2);
}

void DeriveOccasional(IncomeWork& w, MainSheet& sheet) {
  LogFigure(sheet, "所得金額", ToDisplay(w.income));
  w.income = ClampAtZero(OccasionalHalf(w.gross));
  LogFigure(sheet, "５０万円を控除し２分の１した金額", ToDisplay(w.income));
  LogFigure(sheet, "所得控除", ToDisplay(w.deduction));
  w.nextMillionBase = StoreYen(static_cast<Extended>(OccasionalHalf(NextMillion(w.gross))) - w.deduction);
}

const IncomeCaseRules kOrdinary{.side = CommentPanel("　　"), .deriveIncome = DeriveOrdinary};
const IncomeCaseRules kSalary{.side = CommentPanel("　　"), .deriveIncome = DeriveSalary};
const IncomeCaseRules kBusiness{.side = CommentPanel(" 　"),
                                .deriveIncome = DeriveBusiness,
                                .withBusinessTax = true,
                                .edit4Caption = "　　　事業税"};
const IncomeCaseRules kRetirement{.side = RetirementPanel(),
                                  .readsServiceYears = true,
                                  .deriveIncome = DeriveRetirement,
                                  .logsIncomeTaxInWholeMan = false};
const IncomeCaseRules kOccasional{
    .side = CommentPanel(JoinLines({" ５０万円を差し引いた残額", "の２分の１が一時所得", "", "", ""})),
    .deriveIncome = DeriveOccasional};

}  // namespace

SidePanel RetirementPanel() {
  return SidePanel{
      .visible = true,
      .caption = "勤続年数",
      .note = JoinLines({"　退職所得控除は勤続", "年数２０年迄は１年に付", "き４０万円。２１年以上は",
                         "１年に付き７０万円。", "　残額の２分の１に税率", "を乗じる。"}),
      .yearsFieldVisible = true,
      .extraFieldVisible = false};
}

Extended PaymentLessRetirementDeduction(YenAmount payment, ScaledCount serviceYears) {
  // On the count scale the yearly amounts are 40 and 70 yen a unit.
  constexpr ScaledCount kTwoYears = 2 * kCountScale;
  constexpr ScaledCount kTwentyYears = 20 * kCountScale;
  const Extended p = payment;
  const Extended y = serviceYears;
  if (serviceYears <= kTwoYears) return p - 800000;
  if (serviceYears <= kTwentyYears) return p - 40 * y;
  return p - (y - kTwentyYears) * 70 - 8000000;
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
  MainSheet sheet = StartSheet(kIncomeInputs, rules.side);

  IncomeWork w;
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
  taxes.national = StoredTax(IncomeTaxWithSurtax(taxable));
  SetResult(sheet, kNationalField, taxes.national);
  const Extended nationalInMan = ToDisplay(taxes.national);
  LogFigure(sheet, "所得税額", rules.logsIncomeTaxInWholeMan ? Int(nationalInMan) : nationalInMan);

  SheetTaxes next;
  next.national = IncomeTaxWithSurtax(nextBase);
  taxes.prefectural = ClampAtZero(PrefecturalInhabitantTax(taxable));
  next.prefectural = PrefecturalInhabitantTax(nextBase);
  taxes.municipal = ClampAtZero(MunicipalInhabitantTax(taxable));
  SetResult(sheet, kLocalField, taxes.prefectural + taxes.municipal);
  next.municipal = MunicipalInhabitantTax(nextBase);

  if (rules.withBusinessTax) {
    // The business tax is on the income before deductions.
    taxes.business = ClampAtZero(IndividualBusinessTax(w.income));
    SetResult(sheet, kBusinessField, taxes.business);
    next.business = ClampAtZero(IndividualBusinessTax(NextMillion(w.income)));
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
