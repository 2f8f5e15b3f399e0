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
    // 相続税法第21条の5, 租税特別措置法第70条の2の4: unchanged (1,100,000円).
    .giftTax = {.basicDeduction = 1100000, .general = kGiftTaxGeneral, .linealAscendant = kGiftTaxSpecial},
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
};

static_assert(checks::WellFormed(kReiwa7));
// The texts' rates make the factors the schedules compute with.
static_assert(checks::Distance(kReiwa7.enterpriseTax.largeCompanyIncomeRate *
                                   (1 + kReiwa7.enterpriseTax.largeCompanySpecialRate),
                               kLargeCompanyEnterpriseTax[0].rate) < 1e-15L);
static_assert(checks::Distance(kReiwa7.enterpriseTax.smallCompany.factor,
                               1 + kReiwa7.enterpriseTax.smallCompanySpecialRate) < 1e-15L);

}  // namespace tavenko::law
