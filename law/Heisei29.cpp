// 平成29年版: the law of the tax year Heisei 29 (2017), as the program has
// always computed it.
#include <array>

#include "law/Edition.h"
#include "law/TableChecks.h"

namespace tavenko::law {
namespace {

// clang-format off
// 所得税法第89条 (税率), 東日本大震災からの復興のための施策を実施するために必要な財源の確保に関する特別措置法第13条 (2.1 %).
constexpr std::array<Bracket, 7> kIncomeTax{{
    {1950000, 0.05L, 0},
    {3300000, 0.1L, 97500},
    {6950000, 0.2L, 427500},
    {9000000, 0.23L, 636000},
    {18000000, 0.33L, 1536000},
    {40000000, 0.4L, 2796000},
    {kNoLimit, 0.45L, 4796000},
}};

// 所得税法第28条第3項 (平成29年分: 給与所得控除の上限 2,200,000円).
constexpr std::array<Bracket, 6> kSalaryBands{{
    {1625000, 0, 650000},
    {1800000, 0.4L, 0},
    {3600000, 0.3L, 180000},
    {6600000, 0.2L, 540000},
    {10000000, 0.1L, 1200000},
    {kNoLimit, 0, 2200000},
}};

// 法人税法第66条, 租税特別措置法第42条の3の2 (平成29年4月1日以後開始事業年度: 23.4 %, 軽減税率 15 %).
constexpr std::array<Bracket, 2> kSmallCompanyCorporationTax{{
    {8000000, 0.15L, 0},
    {kNoLimit, 0.234L, 672000},
}};

// 地方税法第72条の24の7 (所得割の標準税率) with 地方法人特別税 (平成20年法律第25号):
// a large company's bands times 1.05, the subtrahends already times 1.05.
constexpr std::array<Bracket, 3> kLargeCompanyEnterpriseTax{{
    {4000000, 0.05L, 0},
    {8000000, 0.073L, 96600},
    {kNoLimit, 0.096L, 289800},
}};
constexpr std::array<Bracket, 3> kSmallCompanyEnterpriseTax{{
    {4000000, 0.05L, 0},
    {8000000, 0.073L, 92000},
    {kNoLimit, 0.096L, 276000},
}};

// 相続税法第21条の7 (一般税率), 租税特別措置法第70条の2の5 (特例税率).
constexpr std::array<Bracket, 8> kGiftTaxGeneral{{
    {2000000, 0.1L, 0},
    {3000000, 0.15L, 100000},
    {4000000, 0.2L, 250000},
    {6000000, 0.3L, 650000},
    {10000000, 0.4L, 1250000},
    {15000000, 0.45L, 1750000},
    {30000000, 0.5L, 2500000},
    {kNoLimit, 0.55L, 4000000},
}};
constexpr std::array<Bracket, 8> kGiftTaxSpecial{{
    {2000000, 0.1L, 0},
    {4000000, 0.15L, 100000},
    {6000000, 0.2L, 300000},
    {10000000, 0.3L, 900000},
    {15000000, 0.4L, 1900000},
    {30000000, 0.45L, 2650000},
    {45000000, 0.5L, 4150000},
    {kNoLimit, 0.55L, 6400000},
}};

// 相続税法第16条.
constexpr std::array<Bracket, 8> kInheritanceTax{{
    {10000000, 0.1L, 0},
    {30000000, 0.15L, 500000},
    {50000000, 0.2L, 2000000},
    {100000000, 0.3L, 7000000},
    {200000000, 0.4L, 17000000},
    {300000000, 0.45L, 27000000},
    {600000000, 0.5L, 42000000},
    {kNoLimit, 0.55L, 72000000},
}};

// The fee table the program estimates a tax accountant's fee with.
constexpr std::array<FeeRow, 7> kFeeRows{{
    {50000000, 300000},
    {70000000, 450000},
    {100000000, 700000},
    {300000000, 950000},
    {500000000, 1200000},
    {700000000, 1450000},
    {1000000000, 1800000},
}};

// 所得税法別表第五 (年末調整等のための給与所得控除後の給与等の金額の表, 平成29年分): 4,000円刻み,
// 1,619,000円から1,627,999円までは表の定額, 6,600,000円以上は所得税法第28条第3項 without its cap
// as the window has always computed it.
constexpr std::array<SalaryTableBand, 11> kComprehensiveSalary{{
    {651000, false, SalaryBandShape::NoIncome, 0, 0},
    {1619000, false, SalaryBandShape::LessAmount, 0, 650000},
    {1620000, false, SalaryBandShape::FixedIncome, 0, 969000},
    {1622000, false, SalaryBandShape::FixedIncome, 0, 970000},
    {1624000, false, SalaryBandShape::FixedIncome, 0, 972000},
    {1628000, false, SalaryBandShape::FixedIncome, 0, 974000},
    {1800000, false, SalaryBandShape::StepTimesRate, 0.6L, 0},
    {3600000, false, SalaryBandShape::StepTimesRate, 0.7L, 180000},
    {6600000, false, SalaryBandShape::StepTimesRate, 0.8L, 540000},
    {10000000, true, SalaryBandShape::WholeYenTimesRate, 0.9L, 1200000},
    {kNoLimit, false, SalaryBandShape::LessRateOfRevenue, 0.05L, 1700000},
}};

// 所得税法第35条第4項 (公的年金等控除額, 平成17年分以後) as the window's tables write it.
constexpr std::array<PensionRow, 7> kPensionOver65{{
    {700000, PensionShape::NoIncome, 0, 0},
    {1200000, PensionShape::NoIncome, 0, 0},
    {1300000, PensionShape::LessRate, 0, 1200000},
    {3300000, PensionShape::LessRate, 0, 1200000},
    {4100000, PensionShape::LessRate, 0.25L, 375000},
    {7700000, PensionShape::LessRate, 0.15L, 785000},
    {kNoLimit, PensionShape::LessRate, 0.05L, 1555000},
}};
constexpr std::array<PensionRow, 7> kPensionUnder65{{
    {700000, PensionShape::NoIncome, 0, 0},
    {1200000, PensionShape::LessRate, 0, 700000},
    {1300000, PensionShape::LessRate, 0, 700000},
    {3300000, PensionShape::LessRate, 0.25L, 375000},
    {4100000, PensionShape::LessRate, 0.25L, 375000},
    {7700000, PensionShape::LessRate, 0.15L, 785000},
    {kNoLimit, PensionShape::LessRate, 0.05L, 1555000},
}};

// 消費税法施行令第57条 (みなし仕入率, 平成27年3月以前の五区分).
constexpr std::array<DeemedPurchaseClass, 5> kPurchaseClasses{{
    {9000, "第一種事業", "卸売業"},
    {8000, "第二種事業", "小売業"},
    {7000, "第三種事業", "建設業　製造業"},
    {6000, "第四種事業", "飲食店業　貸金業　質屋等の金融業"},
    {5000, "第五種事業", "不動産業　運輸通信業　サービス業"},
}};

// 国税通則法第66条 (無申告加算税 15 %).
constexpr std::array<PenaltyBand, 1> kNoReturnBands{{
    {kNoLimit, 0.15L},
}};
// clang-format on

}  // namespace

constexpr Edition kHeisei29{
    .id = EditionId::Heisei29,
    .key = "h29",
    .name = "平成29年版",
    .titleName = "平成２９年版 ",  // with the space the main window's title has always had
    .incomeTax = {.brackets = kIncomeTax, .surtaxFactor = 1.021L},
    // 地方税法第35条, 第314条の3 (所得割の標準税率 4 % + 6 %).
    .inhabitantTax = {.prefecturalRate = 0.04L, .municipalRate = 0.06L},
    // 地方税法第72条の49の11, 第72条の49の13 (事業主控除 2,900,000円, 第一種事業 5 %).
    .individualBusinessTax = {.ownerDeduction = 2900000, .rate = 0.05L},
    .salaryIncome = {.noIncomeUpTo = 650000, .bands = kSalaryBands},
    // 所得税法第30条 (退職所得控除; 平成29年分は短期退職手当等の定めなし), 同条第4項 (特定役員退職手当等: 5年以下).
    .retirement = {.minimumDeduction = 800000,
                   .minimumYears = 2,
                   .perYearUpToBand = 400000,
                   .bandYears = 20,
                   .perYearBeyondBand = 700000,
                   .shortServiceYears = 0,
                   .shortServiceHalvedUpTo = 0,
                   .officerUnhalvedYears = 5},
    // 所得税法第34条 (一時所得の特別控除 500,000円).
    .occasionalIncome = {.specialDeduction = 500000},
    // 租税特別措置法第31条, 第31条の2, 第32条, 第35条, 第31条の3; 地方税法附則第34条ほか.
    .transfers = {.residenceDeduction = 30000000,
                  .longTermIncomeTax = {kNoLimit, 0.15L, 0, 0},
                  .longTermInhabitantTax = {kNoLimit, 0.05L, 0, 0},
                  .shortTermIncomeTax = {kNoLimit, 0.3L, 0, 0},
                  .shortTermInhabitantTax = {kNoLimit, 0.09L, 0, 0},
                  .superiorLandIncomeTax = {20000000, 0.1L, 0.15L, 1000000},
                  .superiorLandInhabitantTax = {20000000, 0.04L, 0.05L, 200000},
                  .residenceOverTenYearsIncomeTax = {60000000, 0.1L, 0.15L, 3000000},
                  .residenceOverTenYearsInhabitantTax = {60000000, 0.04L, 0.05L, 600000}},
    // The total adds a further tenth of the corporation tax.
    .corporationTax = {.largeCompanyRate = 0.234L,
                       .smallCompany = kSmallCompanyCorporationTax,
                       .smallCompanyContinuous = true,
                       .additionRate = 0.1L,
                       .additionName = ""},
    // 地方税法第51条, 第314条の4 (法人税割 17.3 % / 20.7 %), 第52条, 第312条 (均等割 530,000円 / 70,000円).
    .corporateInhabitantTax = {.largeCompany = {kNoLimit, 0.207L, 0, 530000},
                               .smallCompany = {10000000, 0.173L, 0.207L, 70000}},
    .enterpriseTax = {.largeCompany = {kLargeCompanyEnterpriseTax, 1.05L, EnterpriseFactor::OnEachRate},
                      .smallCompany = {kSmallCompanyEnterpriseTax, 1, EnterpriseFactor::OnTheTax},
                      .largeCompanyIncomeRate = 0,
                      .largeCompanySpecialRate = 0,
                      .smallCompanySpecialRate = 0},
    // 相続税法第21条の5 (基礎控除 1,100,000円: 租税特別措置法第70条の2の4).
    .giftTax = {.basicDeduction = 1100000,
                .general = kGiftTaxGeneral,
                .linealAscendant = kGiftTaxSpecial,
                .linealAscendantDoneeAge = 20},
    // 相続税法第15条 (3,000万円 + 600万円 × 法定相続人の数), 第19条の2 (1億6,000万円), 第18条 (２割加算).
    .inheritanceTax = {.basicDeduction = 30000000,
                       .basicDeductionPerHeir = 6000000,
                       .brackets = kInheritanceTax,
                       .spouseReductionCeiling = 160000000,
                       .siblingsAddition = 0.2L,
                       .siblingsAdditionFactor = 1.2L,
                       .siblingsAdditionCap = 0.7L},
    .accountantFee = {.rows = kFeeRows,
                      .topFee = 1900000,
                      .topStep = 100000000,
                      .topStepAmount = 100000,
                      .perExtraHeir = 0.1L,
                      .returnFactor = 1.5L},
    .comprehensiveSalary = {.step = 4000, .bands = kComprehensiveSalary},
    .publicPension = {.sixtyFiveOrOver = kPensionOver65, .underSixtyFive = kPensionUnder65, .otherIncomeSteps = {}},
    // The window's simplified method at 5 % (消費税法第29条 4 % before 平成26年4月, with 地方消費税
    // 25/100 of it: 地方税法第72条の83), on the value added (消費税法第37条).
    .consumptionTax = {.shape = SimplifiedTaxShape::OnValueAdded,
                       .standardIncludedPercent = 105,
                       .standardRate = 0.05L,
                       .reducedIncludedPercent = 0,
                       .reducedRate = 0,
                       .localNumerator = 0,
                       .localDenominator = 1,
                       .standardWholeRate = 0.05L,
                       .reducedWholeRate = 0,
                       .flatRatioSpecial = 0,
                       .classes = kPurchaseClasses},
    // 国税通則法第65条 (過少申告加算税 10 %, 500,000円又は期限内申告税額を超える部分 15 %), 第66条,
    // 第68条 (重加算税 35 %, 無申告 40 %); 地方税法第72条の47 (事業税の不申告加算金 5 %).
    .additionalTax = {.understatementRate = 0.1L,
                      .understatementUpperRate = 0.15L,
                      .understatementThreshold = 500000,
                      .noReturnBands = kNoReturnBands,
                      .noReturnBusinessRate = 0.05L,
                      .heavyRate = 0.35L,
                      .heavyNoReturnRate = 0.4L},
    // 国税通則法第60条第2項, 租税特別措置法第94条 as the window computes it: the official discount
    // rate at the end of November (0.1 %) plus 4 %, over a year of 365 days.
    .delinquency = {.daysPerYear = 365,
                    .addedToDiscountRate = 0.04L,
                    .defaultDiscountRatePercent = 0.1L,
                    .years = {},
                    .lowerRateMonthsNational = 0,
                    .lowerRateMonthsLocal = 0,
                    .defaultDueDate = {}},
};

static_assert(checks::WellFormed(kHeisei29));

}  // namespace tavenko::law
