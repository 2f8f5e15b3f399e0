#include "calc/PropertyCases.h"

#include <array>
#include <string_view>
#include <vector>

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

// A flat rate (bandEdge kNoLimit), or two rates each applied to the whole
// amount, the upper one less a subtrahend, so that the bands meet at the edge.
// An amount exactly at the edge takes the lower band.
struct TwoBandRate {
  YenAmount bandEdge;
  Extended lowerRate;
  Extended upperRate;
  YenAmount upperSubtrahend;
};

// The amount × rate less the band's subtrahend, in extended precision.
Extended BandTax(const TwoBandRate& r, YenAmount amount) {
  if (amount > r.bandEdge) return amount * r.upperRate - r.upperSubtrahend;
  return amount * r.lowerRate;
}

YenAmount TransferIncomeTax(const TwoBandRate& r, YenAmount taxable) {
  return StoreYen(BandTax(r, taxable) * kReconstructionSurtaxFactor);
}

YenAmount TransferInhabitantTax(const TwoBandRate& r, YenAmount taxable) {
  return StoreYen(BandTax(r, taxable));
}

struct TransferCase {
  TransferKind kind;
  YenAmount residenceDeduction = 0;  // 30,000,000 yen for one's residence, else 0
  TwoBandRate incomeTax;             // before the surtax factor
  TwoBandRate inhabitantTax;
  std::string_view comment = {};  // Label13; empty: GroupBox2 hidden
  // Log captions, and whether the value line is whole 万円 (the taxable
  // amount is always logged with its decimals).
  std::string_view deductedCaption = {};  // the amount after the residence deduction
  bool deductedWhole = false;
  std::string_view taxableCaption;
  std::string_view incomeTaxCaption;
  bool incomeTaxWhole = false;
  // The pie splits the inhabitant tax 1/3 "県税" and 2/3 "市税".
  bool splitInhabitantTaxInPie = false;
};

constexpr YenAmount kResidenceDeduction = 30000000;

constexpr TwoBandRate kLongTermIncomeTax{kNoLimit, 0.15L, 0, 0};
constexpr TwoBandRate kLongTermInhabitantTax{kNoLimit, 0.05L, 0, 0};
constexpr TwoBandRate kShortTermIncomeTax{kNoLimit, 0.3L, 0, 0};
constexpr TwoBandRate kShortTermInhabitantTax{kNoLimit, 0.09L, 0, 0};

constexpr std::string_view kDeductedCaption = "３０００万円の特別控除を差し引いた所得額";
constexpr std::string_view kFifteenPercentCaption = "土地譲渡所得の１５％の所得税額";
constexpr std::string_view kThirtyPercentCaption = "土地譲渡所得の３０％の所得税額";
constexpr std::string_view kReducedRateCaption = "土地譲渡所得の１０％又は１５％の所得税額";

// In the order of TransferKind. Every comment line ends with CR LF, the last
// one too.
constexpr std::array<TransferCase, 6> kTransferCases{{
    {.kind = TransferKind::LongTerm,
     .incomeTax = kLongTermIncomeTax,
     .inhabitantTax = kLongTermInhabitantTax,
     .comment = " 譲渡の年の１月１日現在\r\n"
                "で所有期間が５年を超える\r\n"
                "建物と土地の譲渡。\r\n",
     .taxableCaption = "所得控除後の金額",
     .incomeTaxCaption = kFifteenPercentCaption,
     .incomeTaxWhole = true},
    {.kind = TransferKind::SuperiorLand,
     .incomeTax = {20000000, 0.1L, 0.15L, 1000000},
     .inhabitantTax = {20000000, 0.04L, 0.05L, 200000},
     .taxableCaption = "所得控除後の金額",
     .incomeTaxCaption = kReducedRateCaption,
     .incomeTaxWhole = true},
    {.kind = TransferKind::ShortTerm,
     .incomeTax = kShortTermIncomeTax,
     .inhabitantTax = kShortTermInhabitantTax,
     .comment = " 譲渡の年の１月１日現在\r\n"
                "で所有期間が５年以下の\r\n"
                "建物と土地の譲渡。\r\n",
     .taxableCaption = "所得控除後の所得金額",
     .incomeTaxCaption = kThirtyPercentCaption,
     .incomeTaxWhole = true},
    {.kind = TransferKind::ResidenceShortTerm,
     .residenceDeduction = kResidenceDeduction,
     .incomeTax = kShortTermIncomeTax,
     .inhabitantTax = kShortTermInhabitantTax,
     .comment = " 譲渡の年の１月１日現在\r\n"
                "で所有期間が５年以下の\r\n"
                "建物と土地の譲渡。\r\n"
                "　３０００万円を控除した\r\n"
                "残額を短期譲渡所得と\r\n"
                "して計算。\r\n",
     .deductedCaption = kDeductedCaption,
     .taxableCaption = "所得控除後の金額",
     .incomeTaxCaption = kThirtyPercentCaption,
     .incomeTaxWhole = true},
    {.kind = TransferKind::ResidenceLongTerm,
     .residenceDeduction = kResidenceDeduction,
     .incomeTax = kLongTermIncomeTax,
     .inhabitantTax = kLongTermInhabitantTax,
     .comment = " 譲渡の年の１月１日現在\r\n"
                "で所有期間が５年を超える\r\n"
                "建物と土地の譲渡。\r\n"
                "　３０００万円を控除した\r\n"
                "残額を長期譲渡所得と\r\n"
                "して計算。\r\n",
     .deductedCaption = kDeductedCaption,
     .deductedWhole = true,
     .taxableCaption = "所得控除を差し引いた所得金額",
     .incomeTaxCaption = kFifteenPercentCaption},
    {.kind = TransferKind::ResidenceOverTenYears,
     .residenceDeduction = kResidenceDeduction,
     .incomeTax = {60000000, 0.1L, 0.15L, 3000000},
     .inhabitantTax = {60000000, 0.04L, 0.05L, 600000},
     .comment = "　譲渡の年の１月１日現在\r\n"
                "で所有期間が１０年を超え\r\n"
                "る建物と土地の譲渡。\r\n"
                "　３０００万円を控除した\r\n"
                "残額を軽減税率で計算。\r\n",
     .deductedCaption = "３０００万円の特別控除後の所得金額",
     .deductedWhole = true,
     .taxableCaption = "所得控除後の所得金額",
     .incomeTaxCaption = kReducedRateCaption,
     .splitInhabitantTaxInPie = true},
}};

static_assert(FollowsKindOrder(kTransferCases), "kTransferCases must follow the order of TransferKind");

// ---- Companies -------------------------------------------------------------

// The corporate inhabitant tax: the corporation tax times a rate (the upper
// one above the band edge) plus the per-capita levy, rounded once.
struct LevyRate {
  YenAmount bandEdge;  // kNoLimit for one rate
  Extended lowerRate;
  Extended upperRate;
  YenAmount levy;
};

YenAmount CompanyInhabitantTax(const LevyRate& r, YenAmount corporationTax) {
  const Extended rate = corporationTax > r.bandEdge ? r.upperRate : r.lowerRate;
  return StoreYen(corporationTax * rate + r.levy);
}

// A large company pays the top corporation tax rate on all its profit.
YenAmount LargeCompanyCorporationTax(YenAmount profit) { return StoreYen(profit * 0.234L); }

// A large company's business tax: the 5 % / 7.3 % / 9.6 % bands times 1.05,
// each on the whole profit less the band's subtrahend (already times 1.05).
constexpr std::array<Bracket, 3> kLargeCompanyBusinessTaxBands{{
    {4000000, 0.05L, 0},
    {8000000, 0.073L, 96600},
    {kNoLimit, 0.096L, 289800},
}};
constexpr Extended kLargeCompanyBusinessTaxFactor = 1.05L;

YenAmount LargeCompanyBusinessTax(YenAmount profit) {
  for (const Bracket& band : kLargeCompanyBusinessTaxBands)
    if (profit <= band.upTo)
      return StoreYen(profit * band.rate * kLargeCompanyBusinessTaxFactor - band.subtrahend);
  return 0;  // not reached: the top band has no limit
}

struct CompanyCase {
  CompanyKind kind;
  std::string_view profitCaption;
  YenAmount (*corporationTax)(YenAmount profit);
  LevyRate inhabitantTax;
  YenAmount (*businessTax)(YenAmount profit);
  bool cityTaxSlice;      // the pie keeps an empty "市税" slice
  std::string_view note;  // Label13; no line break after the last line
};

// In the order of CompanyKind. The small company's inhabitant tax is held as
// the municipal tax, the large company's as the prefectural tax; both are
// shown alike, in NValEdit3 and as the "県税" slice.
constexpr std::array<CompanyCase, 2> kCompanyCases{{
    {.kind = CompanyKind::Large,
     .profitCaption = "会社の所得金額",
     .corporationTax = LargeCompanyCorporationTax,
     .inhabitantTax = {kNoLimit, 0.207L, 0, 530000},
     .businessTax = LargeCompanyBusinessTax,
     .cityTaxSlice = true,
     .note = " 資本金１億円超から１０億\r\n"
             "円以下、従業員５０人超と\r\n"
             "して５３万円を地方税の均\r\n"
             "等割として計算している。"},
    {.kind = CompanyKind::Small,
     .profitCaption = "法人の所得金額",
     .corporationTax = CorporationTax,
     .inhabitantTax = {10000000, 0.173L, 0.207L, 70000},
     .businessTax = CorporateEnterpriseTax,
     .cityTaxSlice = false,
     .note = " 資本金１０００万円以下で\r\n"
             "従業員５０人以下の７万円\r\n"
             "を地方税の均等割として計\r\n"
             "算している。"},
}};
static_assert(FollowsKindOrder(kCompanyCases), "kCompanyCases must follow the order of CompanyKind");

constexpr std::array<std::string_view, kResultCount> kCompanyCaptions{
    "　　課税所得", "　　　法人税", "　　　地方税", "　　　事業税", "　　税金合計", "　平均", "　上積"};

// The total of a company's taxes counts a further tenth of the corporation
// tax on top of it; it is not rounded.
Extended CompanyTaxTotal(YenAmount corporationTax, YenAmount inhabitantTax, YenAmount businessTax) {
  return 0.1L * corporationTax + corporationTax + inhabitantTax + businessTax;
}

// ---- Gifts ---------------------------------------------------------------

constexpr YenAmount kGiftBasicDeduction = 1100000;
// The marginal figure looks 100,000 yen ahead and scales the step up to a
// million (by 10).
constexpr YenAmount kGiftNextStep = 100000;
constexpr int kGiftStepsPerMillion = kOneMillionYen / kGiftNextStep;

struct GiftCase {
  GiftKind kind;
  YenAmount (*schedule)(YenAmount taxableGift);
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
  MainSheet sheet = StartSheet(InputsUsed({kIncomeInput, kDeductionInput}),
                               c.comment.empty() ? SidePanel{} : CommentPanel(c.comment));

  const YenAmount income = ToYen(inputs.income, inputs.unit);
  const YenAmount gross = income;
  const YenAmount deductions = ToYen(inputs.deductions, inputs.unit);

  LogHeader(sheet);
  LogFigure(sheet, "土地譲渡の所得金額", ToDisplay(income));

  YenAmount base = income;
  if (c.residenceDeduction != 0) {
    base = ClampAtZero(StoreYen(static_cast<Extended>(income) - c.residenceDeduction));
    LogFigure(sheet, c.deductedCaption, LogValue(base, c.deductedWhole));
  }

  const YenAmount taxable = ClampAtZero(StoreYen(static_cast<Extended>(base) - deductions));
  SetResult(sheet, kTaxableField, taxable);
  LogFigure(sheet, c.taxableCaption, ToDisplay(taxable));
  const YenAmount nextBase = NextMillion(taxable);

  const YenAmount incomeTax = ClampAtZero(TransferIncomeTax(c.incomeTax, taxable));
  SetResult(sheet, kNationalField, incomeTax);
  LogFigure(sheet, c.incomeTaxCaption, LogValue(incomeTax, c.incomeTaxWhole));
  const YenAmount incomeTaxNext = TransferIncomeTax(c.incomeTax, nextBase);

  const YenAmount inhabitantTax = ClampAtZero(TransferInhabitantTax(c.inhabitantTax, taxable));
  const YenAmount inhabitantTaxNext = TransferInhabitantTax(c.inhabitantTax, nextBase);
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
  MainSheet sheet = StartSheet(InputsUsed({kProfitInput}), CommentPanel(c.note, "地方税の均等割"));

  const YenAmount profit = ToYen(inputs.profit, inputs.unit);
  const YenAmount gross = profit;

  LogHeader(sheet);
  LogFigure(sheet, c.profitCaption, ToDisplay(profit));
  const YenAmount nextProfit = NextMillion(gross);
  SetResult(sheet, kTaxableField, profit);

  const YenAmount corporationTax = ClampAtZero(c.corporationTax(profit));
  SetResult(sheet, kNationalField, corporationTax);
  LogFigure(sheet, "法人税額", WholeMan(corporationTax));
  const YenAmount corporationTaxNext = c.corporationTax(nextProfit);

  const YenAmount inhabitantTax = ClampAtZero(CompanyInhabitantTax(c.inhabitantTax, corporationTax));
  const YenAmount inhabitantTaxNext = CompanyInhabitantTax(c.inhabitantTax, corporationTaxNext);
  SetResult(sheet, kLocalField, inhabitantTax);

  const YenAmount businessTax = ClampAtZero(c.businessTax(profit));
  const YenAmount businessTaxNext = c.businessTax(nextProfit);
  SetResult(sheet, kBusinessField, businessTax);

  // The total carries fractions of a yen, so the rates are worked here
  // rather than by WriteRates.
  const Extended total = CompanyTaxTotal(corporationTax, inhabitantTax, businessTax);
  const Extended totalNext = CompanyTaxTotal(corporationTaxNext, inhabitantTaxNext, businessTaxNext);
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

  // The pie shows the corporation tax without the further tenth.
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
  MainSheet sheet = StartSheet(InputsUsed({kValueInput}), SidePanel{});

  const YenAmount gifts = ToYen(inputs.value, inputs.unit);
  const YenAmount gross = gifts;

  LogHeader(sheet);
  LogFigure(sheet, "贈与額", ToDisplay(gifts));
  const YenAmount taxable = ClampAtZero(StoreYen(static_cast<Extended>(gifts) - kGiftBasicDeduction));
  SetResult(sheet, kTaxableField, taxable);
  LogFigure(sheet, "贈与税の基礎控除後の課税価額", ToDisplay(taxable));

  const YenAmount nextTaxable = taxable + kGiftNextStep;  // exact, as in NextMillion
  const YenAmount giftTax = ClampAtZero(c.schedule(taxable));
  SetResult(sheet, kNationalField, giftTax);
  LogFigure(sheet, "贈与税額", WholeMan(giftTax));

  const YenAmount giftTaxNext = c.schedule(nextTaxable);
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
