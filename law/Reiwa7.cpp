// 令和7年分: the law of the tax year Reiwa 7 (2025), the returns filed in
// 2026; for companies, the fiscal years starting from 2025-04-01 to
// 2026-03-31. Sources name the article, and the tax authority's answer page
// (タックスアンサー) where it states the figures.
#include <array>

#include "law/Edition.h"
#include "law/TableChecks.h"

namespace tavenko::law {
namespace {

// clang-format off
// 所得税法第89条 and 復興財源確保法第13条 (2.1 %): unchanged since 平成27年分. タックスアンサー No.2260.
constexpr std::array<Bracket, 7> kIncomeTax{{
    {1950000, 0.05L, 0},
    {3300000, 0.1L, 97500},
    {6950000, 0.2L, 427500},
    {9000000, 0.23L, 636000},
    {18000000, 0.33L, 1536000},
    {40000000, 0.4L, 2796000},
    {kNoLimit, 0.45L, 4796000},
}};

// 所得税法第28条第3項 as amended by 令和7年度税制改正 (最低保障額 650,000円 up to 1,900,000円;
// 上限 1,950,000円 above 8,500,000円). タックスアンサー No.1410.
constexpr std::array<Bracket, 5> kSalaryBands{{
    {1900000, 0, 650000},
    {3600000, 0.3L, 80000},
    {6600000, 0.2L, 440000},
    {8500000, 0.1L, 1100000},
    {kNoLimit, 0, 1950000},
}};

// 法人税法第66条 (23.2 %), 租税特別措置法第42条の3の2 (軽減税率 15 %; 令和7年4月1日以後開始事業年度は
// 所得10億円超の中小法人 17 %, so 8,000,000円 × (23.2 % − 17 %) = 496,000円). タックスアンサー No.5759.
constexpr std::array<Bracket, 3> kSmallCompanyCorporationTax{{
    {8000000, 0.15L, 0},
    {1000000000, 0.232L, 656000},
    {kNoLimit, 0.232L, 496000},
}};

// 地方税法第72条の24の7: 外形標準課税法人の所得割 1.0 %, with 特別法人事業税 260 % of it
// (特別法人事業税及び特別法人事業譲与税に関する法律第7条): 3.6 % of the profit. The value-added
// and capital parts are not computed.
constexpr std::array<Bracket, 1> kLargeCompanyEnterpriseTax{{
    {kNoLimit, 0.036L, 0},
}};
// 地方税法第72条の24の7 (所得割の標準税率 3.5 % / 5.3 % / 7.0 %), times 1.37 for 特別法人事業税 37 %.
constexpr std::array<Bracket, 3> kSmallCompanyEnterpriseTax{{
    {4000000, 0.035L, 0},
    {8000000, 0.053L, 72000},
    {kNoLimit, 0.07L, 208000},
}};

// 相続税法第21条の7, 租税特別措置法第70条の2の5: unchanged since 平成27年分. タックスアンサー No.4408.
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

// 相続税法第16条: unchanged since 平成27年. タックスアンサー No.4155.
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

// The fee table the program estimates a tax accountant's fee with: kept as in 平成29年版.
constexpr std::array<FeeRow, 7> kFeeRows{{
    {50000000, 300000},
    {70000000, 450000},
    {100000000, 700000},
    {300000000, 950000},
    {500000000, 1200000},
    {700000000, 1450000},
    {1000000000, 1800000},
}};

// 所得税法別表第五 as amended by 令和7年度税制改正 (4,000円刻み from 1,900,000円), 所得税法第28条第3項
// (上限 1,950,000円 above 8,500,000円). タックスアンサー No.1410.
constexpr std::array<SalaryTableBand, 6> kComprehensiveSalary{{
    {651000, false, SalaryBandShape::NoIncome, 0, 0},
    {1900000, false, SalaryBandShape::LessAmount, 0, 650000},
    {3600000, false, SalaryBandShape::StepTimesRate, 0.7L, 80000},
    {6600000, false, SalaryBandShape::StepTimesRate, 0.8L, 440000},
    {8500000, true, SalaryBandShape::WholeYenTimesRate, 0.9L, 1100000},
    {kNoLimit, false, SalaryBandShape::LessRateOfRevenue, 0, 1950000},
}};

// 所得税法第35条第4項 (公的年金等控除額, 令和2年分以後; 公的年金等以外の合計所得金額 1,000万円以下).
// The first rows run below zero, which the income is clamped at. タックスアンサー No.1600.
constexpr std::array<PensionRow, 5> kPensionOver65{{
    {3300000, PensionShape::TimesRate, 1, 1100000},
    {4100000, PensionShape::TimesRate, 0.75L, 275000},
    {7700000, PensionShape::TimesRate, 0.85L, 685000},
    {10000000, PensionShape::TimesRate, 0.95L, 1455000},
    {kNoLimit, PensionShape::TimesRate, 1, 1955000},
}};
constexpr std::array<PensionRow, 5> kPensionUnder65{{
    {1300000, PensionShape::TimesRate, 1, 600000},
    {4100000, PensionShape::TimesRate, 0.75L, 275000},
    {7700000, PensionShape::TimesRate, 0.85L, 685000},
    {10000000, PensionShape::TimesRate, 0.95L, 1455000},
    {kNoLimit, PensionShape::TimesRate, 1, 1955000},
}};
// 同項: the deduction 100,000円 smaller above 10,000,000円 of other income, 200,000円 above 20,000,000円.
constexpr std::array<PensionOtherIncomeStep, 2> kPensionOtherIncomeSteps{{
    {10000000, 100000},
    {20000000, 200000},
}};

// 消費税法施行令第57条 (みなし仕入率, 平成27年4月以後の六区分). タックスアンサー No.6509.
constexpr std::array<DeemedPurchaseClass, 6> kPurchaseClasses{{
    {9000, "第一種事業", "卸売業"},
    {8000, "第二種事業", "小売業（農林漁業のうち飲食料品の譲渡を含む）"},
    {7000, "第三種事業", "農林漁業・鉱業・建設業・製造業"},
    {6000, "第四種事業", "飲食店業・その他"},
    {5000, "第五種事業", "運輸通信業・金融業・保険業・サービス業"},
    {4000, "第六種事業", "不動産業"},
}};

// 国税通則法第66条第1項, 第2項, 第3項 (無申告加算税 15 %, 500,000円超 20 %; 3,000,000円超 30 %,
// 令和6年1月1日以後に法定申告期限が到来するもの). タックスアンサー No.2024.
constexpr std::array<PenaltyBand, 3> kNoReturnBands{{
    {500000, 0.15L},
    {3000000, 0.2L},
    {kNoLimit, 0.3L},
}};

// 国税通則法第60条第2項, 租税特別措置法第94条第1項: the lower rate is 延滞税特例基準割合 + 1 %,
// the higher 延滞税特例基準割合 + 7.3 %, each capped at 7.3 % and 14.6 %. タックスアンサー No.9205.
constexpr std::array<DelinquencyYear, 13> kDelinquencyYears{{
    {2014, 0.029L, 0.092L},  // 特例基準割合 1.9 % (平成26年)
    {2015, 0.028L, 0.091L},  // 1.8 %
    {2016, 0.028L, 0.091L},  // 1.8 %
    {2017, 0.027L, 0.090L},  // 1.7 %
    {2018, 0.026L, 0.089L},  // 1.6 %
    {2019, 0.026L, 0.089L},  // 1.6 %
    {2020, 0.026L, 0.089L},  // 1.6 %
    {2021, 0.025L, 0.088L},  // 延滞税特例基準割合 1.5 % (令和3年)
    {2022, 0.024L, 0.087L},  // 1.4 %
    {2023, 0.024L, 0.087L},  // 1.4 %
    {2024, 0.024L, 0.087L},  // 1.4 %
    {2025, 0.024L, 0.087L},  // 1.4 %
    {2026, 0.028L, 0.091L},  // 1.8 % (令和8年)
}};
// clang-format on

}  // namespace

constexpr Edition kReiwa7{
    .id = EditionId::Reiwa7,
    .key = "r7",
    .name = "令和7年分",
    .titleName = "令和７年分",
    .incomeTax = {.brackets = kIncomeTax, .surtaxFactor = 1.021L},
    // 地方税法第35条, 第314条の3: unchanged (4 % + 6 %).
    .inhabitantTax = {.prefecturalRate = 0.04L, .municipalRate = 0.06L},
    // 地方税法第72条の49の11, 第72条の49の14: unchanged (事業主控除 2,900,000円, 5 %).
    .individualBusinessTax = {.ownerDeduction = 2900000, .rate = 0.05L},
    .salaryIncome = {.noIncomeUpTo = 650000, .bands = kSalaryBands},
    // 所得税法第30条第2項 (短期退職手当等, 令和4年分以降: 勤続5年以下, 控除後300万円超の部分は２分の１にしない),
    // 同条第4項 (特定役員退職手当等: unchanged). タックスアンサー No.1420.
    .retirement = {.minimumDeduction = 800000,
                   .minimumYears = 2,
                   .perYearUpToBand = 400000,
                   .bandYears = 20,
                   .perYearBeyondBand = 700000,
                   .shortServiceYears = 5,
                   .shortServiceHalvedUpTo = 3000000,
                   .officerUnhalvedYears = 5},
    // 所得税法第34条: unchanged.
    .occasionalIncome = {.specialDeduction = 500000},
    // 租税特別措置法第31条ほか: unchanged. タックスアンサー No.1440, No.1450, No.3302, No.3305.
    .transfers = {.residenceDeduction = 30000000,
                  .longTermIncomeTax = {kNoLimit, 0.15L, 0, 0},
                  .longTermInhabitantTax = {kNoLimit, 0.05L, 0, 0},
                  .shortTermIncomeTax = {kNoLimit, 0.3L, 0, 0},
                  .shortTermInhabitantTax = {kNoLimit, 0.09L, 0, 0},
                  .superiorLandIncomeTax = {20000000, 0.1L, 0.15L, 1000000},
                  .superiorLandInhabitantTax = {20000000, 0.04L, 0.05L, 200000},
                  .residenceOverTenYearsIncomeTax = {60000000, 0.1L, 0.15L, 3000000},
                  .residenceOverTenYearsInhabitantTax = {60000000, 0.04L, 0.05L, 600000}},
    // 地方法人税法第10条 (10.3 %, 令和元年10月1日以後開始事業年度).
    .corporationTax = {.largeCompanyRate = 0.232L,
                       .smallCompany = kSmallCompanyCorporationTax,
                       .smallCompanyContinuous = false,
                       .additionRate = 0.103L,
                       .additionName = "地方法人税"},
    // 地方税法第51条, 第314条の4 (法人税割 標準 1.0 % + 6.0 %, 制限 2.0 % + 8.4 %), 第52条, 第312条 (均等割).
    .corporateInhabitantTax = {.largeCompany = {kNoLimit, 0.104L, 0, 530000},
                               .smallCompany = {10000000, 0.07L, 0.104L, 70000}},
    .enterpriseTax = {.largeCompany = {kLargeCompanyEnterpriseTax, 1, EnterpriseFactor::OnTheTax},
                      .smallCompany = {kSmallCompanyEnterpriseTax, 1.37L, EnterpriseFactor::OnTheTax},
                      .largeCompanyIncomeRate = 0.01L,
                      .largeCompanySpecialRate = 2.6L,
                      .smallCompanySpecialRate = 0.37L},
    // 相続税法第21条の5, 租税特別措置法第70条の2の4: unchanged (1,100,000円); 特例税率 for donees of 18 or over
    // (租税特別措置法第70条の2の5, 令和4年4月1日以後の贈与; タックスアンサー No.4408).
    .giftTax = {.basicDeduction = 1100000,
                .general = kGiftTaxGeneral,
                .linealAscendant = kGiftTaxSpecial,
                .linealAscendantDoneeAge = 18},
    // 相続税法第15条, 第19条の2, 第18条: unchanged.
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
    .publicPension = {.sixtyFiveOrOver = kPensionOver65,
                      .underSixtyFive = kPensionUnder65,
                      .otherIncomeSteps = kPensionOtherIncomeSteps},
    // 消費税法第29条 (7.8 %, 軽減税率 6.24 %: 所得税法等の一部を改正する法律 (平成28年法律第15号) 附則第34条),
    // 地方税法第72条の83 (地方消費税 22/78), 平成28年改正法附則第51条の2 (２割特例: the national tax
    // is 20 % of the tax on the sales). タックスアンサー No.6303, No.6505, No.6498.
    .consumptionTax = {.shape = SimplifiedTaxShape::NationalAndLocal,
                       .standardIncludedPercent = 110,
                       .standardRate = 0.078L,
                       .reducedIncludedPercent = 108,
                       .reducedRate = 0.0624L,
                       .localNumerator = 22,
                       .localDenominator = 78,
                       .standardWholeRate = 0.1L,
                       .reducedWholeRate = 0.08L,
                       .flatRatioSpecial = 8000,
                       .classes = kPurchaseClasses},
    // 国税通則法第65条, 第68条: unchanged; 第66条 as above. タックスアンサー No.2024.
    .additionalTax = {.understatementRate = 0.1L,
                      .understatementUpperRate = 0.15L,
                      .understatementThreshold = 500000,
                      .noReturnBands = kNoReturnBands,
                      .noReturnBusinessRate = 0.05L,
                      .heavyRate = 0.35L,
                      .heavyNoReturnRate = 0.4L},
    // 国税通則法第60条第2項 (the lower rate through two months after the filing date), 地方税法第72条の45,
    // 第326条 (延滞金: one month), 国税通則法第61条第1項 (days after one year from the due date up to the
    // filing of an amended return are left out); the due date of 令和7年分 returns is 2026-03-16
    // (所得税法第120条, 国税通則法第10条第2項: 15 March 2026 is a Sunday).
    .delinquency = {.daysPerYear = 365,
                    .addedToDiscountRate = 0,
                    .defaultDiscountRatePercent = 0,
                    .years = kDelinquencyYears,
                    .lowerRateMonthsNational = 2,
                    .lowerRateMonthsLocal = 1,
                    .defaultDueDate = {2026, 3, 16}},
};

static_assert(checks::WellFormed(kReiwa7));
// The texts' rates make the factors the schedules compute with.
static_assert(checks::Distance(kReiwa7.enterpriseTax.largeCompanyIncomeRate *
                                   (1 + kReiwa7.enterpriseTax.largeCompanySpecialRate),
                               kLargeCompanyEnterpriseTax[0].rate) < 1e-15L);
static_assert(checks::Distance(kReiwa7.enterpriseTax.smallCompany.factor,
                               1 + kReiwa7.enterpriseTax.smallCompanySpecialRate) < 1e-15L);

}  // namespace tavenko::law
