#include "calc/PropertyCases.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "calc/LawTexts.h"
#include "calc/SheetSteps.h"
#include "core/Schedules.h"

namespace tavenko::calc {
namespace {

// A log value in 万円: whole (Int, truncated) or with its decimals.
Extended LogValue(YenAmount amount, bool whole) { return whole ? WholeMan(amount) : ToDisplay(amount); }

// Each family's table is indexed by its kind enumeration.
template <typename Table>
constexpr bool FollowsKindOrder(const Table& table) {
  for (std::size_t i = 0; i < table.size(); ++i)
    if (static_cast<std::size_t>(table[i].kind) != i) return false;
  return true;
}

// ---- Land and building transfers -----------------------------------------

using law::TwoBandRate;

// The amount × rate less the band's subtrahend, in extended precision.
Extended BandTax(const TwoBandRate& r, YenAmount amount) {
  if (amount > r.bandEdge) return amount * r.upperRate - r.upperSubtrahend;
  return amount * r.lowerRate;
}

YenAmount TransferIncomeTax(const law::Edition& law, const TwoBandRate& r, YenAmount taxable) {
  return StoreYen(BandTax(r, taxable) * law.incomeTax.surtaxFactor);
}

YenAmount TransferInhabitantTax(const TwoBandRate& r, YenAmount taxable) { return StoreYen(BandTax(r, taxable)); }

// The rates of a transfer as its captions quote them: "１５％", "１０％又は１５％".
std::string RatesText(const TwoBandRate& r) {
  if (r.bandEdge == law::kNoLimit) return PercentText(r.lowerRate);
  return PercentText(r.lowerRate) + "又は" + PercentText(r.upperRate);
}

struct TransferCase {
  TransferKind kind;
  bool residenceDeduction = false;  // the special deduction for one's residence
  TwoBandRate law::TransferLaw::*incomeTax;  // before the surtax factor
  TwoBandRate law::TransferLaw::*inhabitantTax;
  // Label13, "{0}" standing for the residence deduction; empty: GroupBox2 hidden.
  std::string_view comment = {};
  // Log captions, and whether the value line is whole 万円 (the taxable
  // amount is always logged with its decimals). "{0}" in the deducted
  // caption stands for the residence deduction, in the income tax caption
  // for the rates.
  std::string_view deductedCaption = {};  // the amount after the residence deduction
  bool deductedWhole = false;
  std::string_view taxableCaption;
  std::string_view incomeTaxCaption = "土地譲渡所得の{0}の所得税額";
  bool incomeTaxWhole = false;
  // The pie splits the inhabitant tax 1/3 "県税" and 2/3 "市税".
  bool splitInhabitantTaxInPie = false;
};

constexpr std::string_view kDeductedCaption = "{0}の特別控除を差し引いた所得額";

// In the order of TransferKind. Every comment line ends with CR LF, the last
// one too.
constexpr std::array<TransferCase, 6> kTransferCases{{
    {.kind = TransferKind::LongTerm,
     .incomeTax = &law::TransferLaw::longTermIncomeTax,
     .inhabitantTax = &law::TransferLaw::longTermInhabitantTax,
     .comment = " 譲渡の年の１月１日現在\r\n"
                "で所有期間が５年を超える\r\n"
                "建物と土地の譲渡。\r\n",
     .taxableCaption = "所得控除後の金額",
     .incomeTaxWhole = true},
    {.kind = TransferKind::SuperiorLand,
     .incomeTax = &law::TransferLaw::superiorLandIncomeTax,
     .inhabitantTax = &law::TransferLaw::superiorLandInhabitantTax,
     .taxableCaption = "所得控除後の金額",
     .incomeTaxWhole = true},
    {.kind = TransferKind::ShortTerm,
     .incomeTax = &law::TransferLaw::shortTermIncomeTax,
     .inhabitantTax = &law::TransferLaw::shortTermInhabitantTax,
     .comment = " 譲渡の年の１月１日現在\r\n"
                "で所有期間が５年以下の\r\n"
                "建物と土地の譲渡。\r\n",
     .taxableCaption = "所得控除後の所得金額",
     .incomeTaxWhole = true},
    {.kind = TransferKind::ResidenceShortTerm,
     .residenceDeduction = true,
     .incomeTax = &law::TransferLaw::shortTermIncomeTax,
     .inhabitantTax = &law::TransferLaw::shortTermInhabitantTax,
     .comment = " 譲渡の年の１月１日現在\r\n"
                "で所有期間が５年以下の\r\n"
                "建物と土地の譲渡。\r\n"
                "　{0}を控除した\r\n"
                "残額を短期譲渡所得と\r\n"
                "して計算。\r\n",
     .deductedCaption = kDeductedCaption,
     .taxableCaption = "所得控除後の金額",
     .incomeTaxWhole = true},
    {.kind = TransferKind::ResidenceLongTerm,
     .residenceDeduction = true,
     .incomeTax = &law::TransferLaw::longTermIncomeTax,
     .inhabitantTax = &law::TransferLaw::longTermInhabitantTax,
     .comment = " 譲渡の年の１月１日現在\r\n"
                "で所有期間が５年を超える\r\n"
                "建物と土地の譲渡。\r\n"
                "　{0}を控除した\r\n"
                "残額を長期譲渡所得と\r\n"
                "して計算。\r\n",
     .deductedCaption = kDeductedCaption,
     .deductedWhole = true,
     .taxableCaption = "所得控除を差し引いた所得金額"},
    {.kind = TransferKind::ResidenceOverTenYears,
     .residenceDeduction = true,
     .incomeTax = &law::TransferLaw::residenceOverTenYearsIncomeTax,
     .inhabitantTax = &law::TransferLaw::residenceOverTenYearsInhabitantTax,
     .comment = "　譲渡の年の１月１日現在\r\n"
                "で所有期間が１０年を超え\r\n"
                "る建物と土地の譲渡。\r\n"
                "　{0}を控除した\r\n"
                "残額を軽減税率で計算。\r\n",
     .deductedCaption = "{0}の特別控除後の所得金額",
     .deductedWhole = true,
     .taxableCaption = "所得控除後の所得金額",
     .splitInhabitantTaxInPie = true},
}};

static_assert(FollowsKindOrder(kTransferCases), "kTransferCases must follow the order of TransferKind");

// ---- Companies -------------------------------------------------------------

YenAmount CompanyInhabitantTax(const law::LevyRate& r, YenAmount corporationTax) {
  const Extended rate = corporationTax > r.bandEdge ? r.upperRate : r.lowerRate;
  return StoreYen(corporationTax * rate + r.levy);
}

struct CompanyCase {
  CompanyKind kind;
  std::string_view profitCaption;
  YenAmount (*corporationTax)(const law::Edition& law, YenAmount profit);
  law::LevyRate law::CorporateInhabitantTaxLaw::*inhabitantTax;
  YenAmount (*businessTax)(const law::Edition& law, YenAmount profit);
  bool cityTaxSlice;  // the pie keeps an empty "市税" slice
  // Label13, "{0}" standing for the per-capita levy; no line break after the
  // last line.
  std::string_view note;
  // Where the year adds a named national tax to the corporation tax, the note
  // states every rate instead: "{0}" the levy, "{1}" the corporation tax
  // rate(s), "{2}" the added tax and "{3}" its rate, "{4}" the inhabitant
  // tax rate(s), "{5}" the enterprise tax.
  std::string_view ratesNote;
};

// In the order of CompanyKind. The small company's inhabitant tax is held as
// the municipal tax, the large company's as the prefectural tax; both are
// shown alike, in NValEdit3 and as the "県税" slice.
constexpr std::array<CompanyCase, 2> kCompanyCases{{
    {.kind = CompanyKind::Large,
     .profitCaption = "会社の所得金額",
     .corporationTax = LargeCompanyCorporationTax,
     .inhabitantTax = &law::CorporateInhabitantTaxLaw::largeCompany,
     .businessTax = LargeCompanyEnterpriseTax,
     .cityTaxSlice = true,
     .note = " 資本金１億円超から１０億\r\n"
             "円以下、従業員５０人超と\r\n"
             "して{0}を地方税の均\r\n"
             "等割として計算している。",
     .ratesNote = "資本金１億円超、均等割{0}。法人税{1}、{2}はその{3}、法人税割{4}。事業税は{5}で、"
                  "付加価値割・資本割は計算していない。"},
    {.kind = CompanyKind::Small,
     .profitCaption = "法人の所得金額",
     .corporationTax = CorporationTax,
     .inhabitantTax = &law::CorporateInhabitantTaxLaw::smallCompany,
     .businessTax = CorporateEnterpriseTax,
     .cityTaxSlice = false,
     .note = " 資本金１０００万円以下で\r\n"
             "従業員５０人以下の{0}\r\n"
             "を地方税の均等割として計\r\n"
             "算している。",
     .ratesNote = "資本金１億円以下、均等割{0}。法人税{1}、{2}はその{3}、法人税割{4}。事業税は{5}。"},
}};
static_assert(FollowsKindOrder(kCompanyCases), "kCompanyCases must follow the order of CompanyKind");

constexpr std::array<std::string_view, kResultCount> kCompanyCaptions{
    "　　課税所得", "　　　法人税", "　　　地方税", "　　　事業税", "　　税金合計", "　平均", "　上積"};

// The total of a company's taxes counts the year's addition to the
// corporation tax on top of it; it is not rounded.
Extended CompanyTaxTotal(const law::Edition& law, YenAmount corporationTax, YenAmount inhabitantTax,
                         YenAmount businessTax) {
  return law.corporationTax.additionRate * corporationTax + corporationTax + inhabitantTax + businessTax;
}

// The company's side note: the levy, and where the year names its addition
// to the corporation tax, the rates the case computes with.
std::string CompanyNote(const CompanyCase& c, const law::Edition& law) {
  // The width of the side note, in full-width characters.
  constexpr int kNoteColumns = 12;
  const law::LevyRate& inhabitant = law.corporateInhabitantTax.*c.inhabitantTax;
  const law::CorporationTaxLaw& corporation = law.corporationTax;
  if (corporation.additionName.empty()) return Fill(c.note, {ManYenText(inhabitant.levy)});
  const law::EnterpriseTaxLaw& enterprise = law.enterpriseTax;
  const bool large = c.kind == CompanyKind::Large;
  const std::string corporationRate = large ? PercentText(corporation.largeCompanyRate)
                                            : PercentText(corporation.smallCompany.front().rate) + "・" +
                                                  PercentText(corporation.smallCompany.back().rate);
  const std::string inhabitantRate =
      inhabitant.bandEdge == law::kNoLimit
          ? PercentText(inhabitant.lowerRate)
          : PercentText(inhabitant.lowerRate) + "・" + PercentText(inhabitant.upperRate);
  const std::string enterpriseRate =
      large ? "所得割" + PercentText(enterprise.largeCompanyIncomeRate) + "と特別法人事業税" +
                  PercentText(enterprise.largeCompanySpecialRate)
            : "標準税率と特別法人事業税" + PercentText(enterprise.smallCompanySpecialRate);
  return WrapNote(Fill(c.ratesNote, {ManYenText(inhabitant.levy), corporationRate, corporation.additionName,
                                     PercentText(corporation.additionRate), inhabitantRate, enterpriseRate}),
                  kNoteColumns);
}

// ---- Gifts ---------------------------------------------------------------

// The marginal figure looks 100,000 yen ahead and scales the step up to a
// million (by 10).
constexpr YenAmount kGiftNextStep = 100000;
constexpr int kGiftStepsPerMillion = kOneMillionYen / kGiftNextStep;

struct GiftCase {
  GiftKind kind;
  YenAmount (*schedule)(const law::Edition& law, YenAmount taxableGift);
};

constexpr std::array<GiftCase, 2> kGiftCases{{
    {GiftKind::General, GiftTaxGeneral},
    {GiftKind::LinealAscendant, GiftTaxSpecial},
}};

static_assert(FollowsKindOrder(kGiftCases), "kGiftCases must follow the order of GiftKind");

constexpr std::array<std::string_view, kResultCount> kGiftCaptions{
    "　　課税所得", "　　　贈与税", "", "", "　　税金合計", "　平均", "　上積"};

}  // namespace

MainSheet ComputeTransfer(TransferKind kind, const MainInputs& inputs) {
  const TransferCase& c = kTransferCases[static_cast<std::size_t>(kind)];
  const law::Edition& law = law::EditionOf(inputs.edition);
  const std::string deductionText = ManYenText(law.transfers.residenceDeduction);
  MainSheet sheet = StartSheet(InputsUsed({kIncomeInput, kDeductionInput}),
                               c.comment.empty() ? SidePanel{} : CommentPanel(Fill(c.comment, {deductionText})));
  const TwoBandRate& incomeTaxRate = law.transfers.*c.incomeTax;
  const TwoBandRate& inhabitantTaxRate = law.transfers.*c.inhabitantTax;

  const YenAmount income = ToYen(inputs.income, inputs.unit);
  const YenAmount gross = income;
  const YenAmount deductions = ToYen(inputs.deductions, inputs.unit);

  LogHeader(sheet);
  LogFigure(sheet, "土地譲渡の所得金額", ToDisplay(income));

  YenAmount base = income;
  if (c.residenceDeduction) {
    base = ClampAtZero(StoreYen(static_cast<Extended>(income) - law.transfers.residenceDeduction));
    LogFigure(sheet, Fill(c.deductedCaption, {deductionText}), LogValue(base, c.deductedWhole));
  }

  const YenAmount taxable = ClampAtZero(StoreYen(static_cast<Extended>(base) - deductions));
  SetResult(sheet, kTaxableField, taxable);
  LogFigure(sheet, c.taxableCaption, ToDisplay(taxable));
  const YenAmount nextBase = NextMillion(taxable);

  const YenAmount incomeTax = ClampAtZero(TransferIncomeTax(law, incomeTaxRate, taxable));
  SetResult(sheet, kNationalField, incomeTax);
  LogFigure(sheet, Fill(c.incomeTaxCaption, {RatesText(incomeTaxRate)}), LogValue(incomeTax, c.incomeTaxWhole));
  const YenAmount incomeTaxNext = TransferIncomeTax(law, incomeTaxRate, nextBase);

  const YenAmount inhabitantTax = ClampAtZero(TransferInhabitantTax(inhabitantTaxRate, taxable));
  const YenAmount inhabitantTaxNext = TransferInhabitantTax(inhabitantTaxRate, nextBase);
  SetResult(sheet, kLocalField, inhabitantTax);

  const YenAmount taxes = incomeTax + inhabitantTax;
  SetResult(sheet, kTotalField, taxes);
  WriteRates(sheet, taxes, incomeTaxNext + inhabitantTaxNext, gross);

  LogFigure(sheet, "地方税額", WholeMan(inhabitantTax));
  LogFigure(sheet, "税額合計", WholeMan(taxes));

  // The whole inhabitant tax is held as the prefectural tax, the municipal
  // tax being 0.
  RescaleForYenUnit(sheet, inputs.unit,
                    {{kTaxableField, taxable},
                     {kNationalField, incomeTax},
                     {kLocalField, InhabitantTaxInYen(inhabitantTax, 0)},
                     {kTotalField, taxes}});
  SetCaptions(sheet, kIncomeCaptions);

  // The split thirds are not rounded, so the take-home slice is worked from
  // the whole inhabitant tax.
  const Extended inhabitant = inhabitantTax;
  const PieAmount slices[] = {
      {"国税", ChartColour::Red, static_cast<Extended>(incomeTax)},
      {"県税", ChartColour::Lime, c.splitInhabitantTaxInPie ? inhabitant * 1 / 3 : inhabitant},
      {"市税", ChartColour::Yellow, c.splitInhabitantTaxInPie ? inhabitant * 2 / 3 : 0},
      {"事業", ChartColour::Blue, 0}};
  FillPieWithTakeHome(sheet, slices, static_cast<Extended>(gross - taxes));
  return sheet;
}

MainSheet ComputeCompany(CompanyKind kind, const MainInputs& inputs) {
  const CompanyCase& c = kCompanyCases[static_cast<std::size_t>(kind)];
  const law::Edition& law = law::EditionOf(inputs.edition);
  // The box is named after what its note states: the levy, or the year's rates too.
  const std::string_view boxCaption = law.corporationTax.additionName.empty() ? "地方税の均等割" : "税率と均等割";
  MainSheet sheet = StartSheet(InputsUsed({kProfitInput}), CommentPanel(CompanyNote(c, law), boxCaption));
  const law::LevyRate& inhabitantTaxRate = law.corporateInhabitantTax.*c.inhabitantTax;

  const YenAmount profit = ToYen(inputs.profit, inputs.unit);
  const YenAmount gross = profit;

  LogHeader(sheet);
  LogFigure(sheet, c.profitCaption, ToDisplay(profit));
  const YenAmount nextProfit = NextMillion(gross);
  SetResult(sheet, kTaxableField, profit);

  const YenAmount corporationTax = ClampAtZero(c.corporationTax(law, profit));
  SetResult(sheet, kNationalField, corporationTax);
  LogFigure(sheet, "法人税額", WholeMan(corporationTax));
  const YenAmount corporationTaxNext = c.corporationTax(law, nextProfit);

  const YenAmount inhabitantTax = ClampAtZero(CompanyInhabitantTax(inhabitantTaxRate, corporationTax));
  const YenAmount inhabitantTaxNext = CompanyInhabitantTax(inhabitantTaxRate, corporationTaxNext);
  SetResult(sheet, kLocalField, inhabitantTax);

  const YenAmount businessTax = ClampAtZero(c.businessTax(law, profit));
  const YenAmount businessTaxNext = c.businessTax(law, nextProfit);
  SetResult(sheet, kBusinessField, businessTax);

  // The total carries fractions of a yen, so the rates are worked here
  // rather than by WriteRates.
  const Extended total = CompanyTaxTotal(law, corporationTax, inhabitantTax, businessTax);
  const Extended totalNext = CompanyTaxTotal(law, corporationTaxNext, inhabitantTaxNext, businessTaxNext);
  sheet.results[kTotalField] = total / kYenPerMan;
  if (gross != 0) sheet.results[kAverageRateField] = total / gross * 100;
  if (total > 0) sheet.results[kNextMillionField] = (totalNext - total) / kYenPerMan;

  // The logged local tax includes the business tax.
  LogFigure(sheet, "地方税額", WholeMan(inhabitantTax + businessTax));
  LogFigure(sheet, "税額合計", Int(total / kYenPerMan));

  RescaleForYenUnit(sheet, inputs.unit,
                    {{kTaxableField, profit},
                     {kNationalField, corporationTax},
                     {kLocalField, inhabitantTax},
                     {kBusinessField, businessTax}});
  if (inputs.unit == AmountUnit::Yen) sheet.results[kTotalField] = FieldInYen(total);
  SetCaptions(sheet, kCompanyCaptions);

  // The pie shows the corporation tax without the year's addition.
  std::vector<PieAmount> slices{{"国税", ChartColour::Red, static_cast<Extended>(corporationTax)},
                                {"県税", ChartColour::Lime, static_cast<Extended>(inhabitantTax)}};
  if (c.cityTaxSlice) slices.push_back({"市税", ChartColour::Yellow, 0});
  slices.push_back({"事業", ChartColour::Blue, static_cast<Extended>(businessTax)});
  FillPieWithTakeHome(sheet, slices,
                      static_cast<Extended>(gross - (corporationTax + inhabitantTax + businessTax)));
  return sheet;
}

MainSheet ComputeGift(GiftKind kind, const MainInputs& inputs) {
  const GiftCase& c = kGiftCases[static_cast<std::size_t>(kind)];
  const law::Edition& law = law::EditionOf(inputs.edition);
  MainSheet sheet = StartSheet(InputsUsed({kValueInput}), SidePanel{});

  const YenAmount gifts = ToYen(inputs.value, inputs.unit);
  const YenAmount gross = gifts;

  LogHeader(sheet);
  LogFigure(sheet, "贈与額", ToDisplay(gifts));
  const YenAmount taxable = ClampAtZero(StoreYen(static_cast<Extended>(gifts) - law.giftTax.basicDeduction));
  SetResult(sheet, kTaxableField, taxable);
  LogFigure(sheet, "贈与税の基礎控除後の課税価額", ToDisplay(taxable));

  const YenAmount nextTaxable = taxable + kGiftNextStep;  // exact, as in NextMillion
  const YenAmount giftTax = ClampAtZero(c.schedule(law, taxable));
  SetResult(sheet, kNationalField, giftTax);
  LogFigure(sheet, "贈与税額", WholeMan(giftTax));

  const YenAmount giftTaxNext = c.schedule(law, nextTaxable);
  SetResult(sheet, kTotalField, giftTax);
  if (auto rate = AverageRate(giftTax, gross)) sheet.results[kAverageRateField] = *rate;
  if (giftTax > 0)
    sheet.results[kNextMillionField] =
        static_cast<Extended>(giftTaxNext - giftTax) * kGiftStepsPerMillion / kYenPerMan;

  RescaleForYenUnit(sheet, inputs.unit,
                    {{kTaxableField, taxable}, {kNationalField, giftTax}, {kTotalField, giftTax}});
  SetCaptions(sheet, kGiftCaptions);

  FillPie(sheet,
          {{"国税", ChartColour::Red, static_cast<Extended>(giftTax)},
           {"県税", ChartColour::Lime, 0},
           {"市税", ChartColour::Yellow, 0},
           {"事業", ChartColour::Blue, 0}},
          gross);
  return sheet;
}

}  // namespace tavenko::calc
