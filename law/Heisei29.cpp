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
    .giftTax = {.basicDeduction = 1100000, .general = kGiftTaxGeneral, .linealAscendant = kGiftTaxSpecial},
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
};

static_assert(checks::WellFormed(kHeisei29));

}  // namespace tavenko::law
