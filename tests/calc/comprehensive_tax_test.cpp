#include <gtest/gtest.h>

#include "calc/ComprehensiveTax.h"

using namespace tavenko;
using namespace tavenko::calc;

namespace {

// Amounts in the tables below are written in yen with a fraction where one
// matters; FineYen holds them in ten-thousandths.
constexpr FineYen Yen(long double yen) {
  return static_cast<FineYen>(yen * 10000 + (yen < 0 ? -0.5L : 0.5L));
}

struct Case {
  const char* name;
  long double input;
  long double expected;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

const law::Edition& kH29 = law::kHeisei29;
const law::Edition& kR7 = law::kReiwa7;

}  // namespace

class SalaryIncomeTable : public testing::TestWithParam<Case> {};

TEST_P(SalaryIncomeTable, GivesTheWindowsOwnSalaryIncome) {
  EXPECT_EQ(ComprehensiveSalaryIncome(kH29, Yen(GetParam().input)), Yen(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SalaryIncomeTable,
    testing::Values(
        Case{"just_below_the_first_income", 650999, 0}, Case{"first_income", 651000, 1000},
        Case{"last_plain_row", 1618999, 968999}, Case{"first_fixed_row", 1619000, 969000},
        Case{"second_fixed_row", 1620000, 970000}, Case{"third_fixed_row", 1623999, 972000},
        Case{"fourth_fixed_row", 1625000, 974000}, Case{"end_of_fixed_rows", 1627999, 974000},
        Case{"sixty_percent_of_the_revenue", 1628000, 976800},
        Case{"four_thousand_yen_step", 1631999, 976800}, Case{"seventy_percent_row", 1800000, 1080000},
        Case{"top_of_seventy_percent_row", 3599999, 2337200}, Case{"eighty_percent_row", 3600000, 2340000},
        Case{"top_of_eighty_percent_row", 6599999, 4736800}, Case{"ninety_percent_row", 6600000, 4740000},
        Case{"ninety_percent_cut_to_whole_yen", 6600001, 4740000}, Case{"ten_million", 10000000, 7800000},
        Case{"above_ten_million_keeps_the_fraction", 10000001, 7800000.95L},
        Case{"no_cap_on_the_deduction", 12000000, 9700000}),
    [](const auto& info) { return std::string(info.param.name); });

class SalaryIncomeTableReiwa7 : public testing::TestWithParam<Case> {};

TEST_P(SalaryIncomeTableReiwa7, GivesTheWindowsOwnSalaryIncome) {
  EXPECT_EQ(ComprehensiveSalaryIncome(kR7, Yen(GetParam().input)), Yen(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SalaryIncomeTableReiwa7,
    testing::Values(Case{"just_below_the_first_income", 650999, 0}, Case{"first_income", 651000, 1000},
                    Case{"top_of_the_minimum_deduction", 1899999, 1249999},
                    Case{"seventy_percent_row", 1900000, 1250000}, Case{"four_thousand_yen_step", 1903999, 1250000},
                    Case{"eighty_percent_row", 3600000, 2440000}, Case{"top_of_eighty_percent_row", 6599999, 4836800},
                    Case{"ninety_percent_row", 6600000, 4840000}, Case{"ninety_percent_cut", 6600001, 4840000},
                    Case{"top_of_ninety_percent_row", 8500000, 6550000},
                    Case{"capped_deduction_keeps_the_fraction", 8500000.5L, 6550000.5L},
                    Case{"twelve_million", 12000000, 10050000}),
    [](const auto& info) { return std::string(info.param.name); });

struct PensionCase {
  const char* name;
  long double received;
  long double over65;
  long double under65;
};

void PrintTo(const PensionCase& c, std::ostream* os) { *os << c.name; }

class PensionIncomeTable : public testing::TestWithParam<PensionCase> {};

TEST_P(PensionIncomeTable, GivesBothAgeGroups) {
  const PensionCase& c = GetParam();
  EXPECT_EQ(PublicPensionIncome(kH29, Yen(c.received), PensionerAge::SixtyFiveOrOver, 0), Yen(c.over65));
  EXPECT_EQ(PublicPensionIncome(kH29, Yen(c.received), PensionerAge::UnderSixtyFive, 0), Yen(c.under65));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PensionIncomeTable,
    testing::Values(PensionCase{"nothing_received", 0, 0, 0}, PensionCase{"first_bound", 700000, 0, 0},
                    PensionCase{"above_first_bound", 700001, 0, 1},
                    PensionCase{"second_bound", 1200000, 0, 500000},
                    PensionCase{"above_second_bound", 1200001, 1, 500001},
                    PensionCase{"third_bound", 1300000, 100000, 600000},
                    PensionCase{"above_third_bound", 1300001, 100001, 600000.75L},
                    PensionCase{"fourth_bound", 3300000, 2100000, 2100000},
                    PensionCase{"quarter_rate_keeps_the_fraction", 3300001, 2100000.75L, 2100000.75L},
                    PensionCase{"fifteen_percent_row", 5000000, 3465000, 3465000},
                    PensionCase{"top_row", 10000000, 7945000, 7945000}),
    [](const auto& info) { return std::string(info.param.name); });

struct PensionCaseReiwa7 {
  const char* name;
  long double received;
  long double otherIncome;
  long double over65;
  long double under65;
};

void PrintTo(const PensionCaseReiwa7& c, std::ostream* os) { *os << c.name; }

class PensionIncomeTableReiwa7 : public testing::TestWithParam<PensionCaseReiwa7> {};

TEST_P(PensionIncomeTableReiwa7, GivesBothAgeGroups) {
  const PensionCaseReiwa7& c = GetParam();
  EXPECT_EQ(PublicPensionIncome(kR7, Yen(c.received), PensionerAge::SixtyFiveOrOver, Yen(c.otherIncome)),
            Yen(c.over65));
  EXPECT_EQ(PublicPensionIncome(kR7, Yen(c.received), PensionerAge::UnderSixtyFive, Yen(c.otherIncome)),
            Yen(c.under65));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PensionIncomeTableReiwa7,
    testing::Values(PensionCaseReiwa7{"under_65_minimum", 600000, 0, 0, 0},
                    PensionCaseReiwa7{"above_under_65_minimum", 600001, 0, 0, 1},
                    PensionCaseReiwa7{"over_65_minimum", 1100000, 0, 0, 500000},
                    PensionCaseReiwa7{"under_65_bound", 1300000, 0, 200000, 700000},
                    PensionCaseReiwa7{"over_65_bound", 3300000, 0, 2200000, 2200000},
                    PensionCaseReiwa7{"three_quarters_row", 4100000, 0, 2800000, 2800000},
                    PensionCaseReiwa7{"eighty_five_percent_row", 7700000, 0, 5860000, 5860000},
                    PensionCaseReiwa7{"ninety_five_percent_row", 10000000, 0, 8045000, 8045000},
                    PensionCaseReiwa7{"capped_deduction", 12000000, 0, 10045000, 10045000},
                    PensionCaseReiwa7{"other_income_at_ten_million", 3000000, 10000000, 1900000, 1975000},
                    PensionCaseReiwa7{"other_income_above_ten_million", 3000000, 10000000.5L, 2000000, 2075000},
                    PensionCaseReiwa7{"other_income_above_twenty_million", 3000000, 20000001, 2100000, 2175000},
                    PensionCaseReiwa7{"smaller_minimum_deduction", 1050000, 15000000, 50000, 550000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OccasionalIncome, TakesHalfOfWhatExceedsTheSpecialDeduction) {
  EXPECT_EQ(OccasionalIncomeHalf(kH29, Yen(400000)), 0);
  EXPECT_EQ(OccasionalIncomeHalf(kH29, Yen(500000)), 0);
  EXPECT_EQ(OccasionalIncomeHalf(kH29, Yen(1500001)), Yen(500000.5L));
  EXPECT_EQ(OccasionalIncomeHalf(kH29, Yen(2500000)), Yen(1000000));
}

TEST(RoundUnits, RoundToTheTenthOrHundredthBeforeCutting) {
  // Taxable bases: 999.95 yen rounds (ties to even) to 1,000.0 and keeps 1,000.
  EXPECT_EQ(CutToThousandYen(Yen(999.95L)), Yen(1000));
  EXPECT_EQ(CutToThousandYen(Yen(999.9499L)), 0);
  EXPECT_EQ(CutToThousandYen(Yen(1999.85L)), Yen(1000));  // 1,999.8 after the tie
  EXPECT_EQ(CutToThousandYen(Yen(854567)), Yen(854000));
  EXPECT_EQ(CutToThousandYen(Yen(-1500)), Yen(-1000));  // toward zero
  // Taxes: 99.995 yen rounds to 100.00.
  EXPECT_EQ(CutToHundredYen(Yen(99.995L)), Yen(100));
  EXPECT_EQ(CutToHundredYen(Yen(43597)), Yen(43500));
}

struct TaxCase {
  const char* name;
  ComprehensiveIncomes incomes;
  ComprehensiveTaxes expected;
};

void PrintTo(const TaxCase& c, std::ostream* os) { *os << c.name; }

class ComprehensiveTaxCases : public testing::TestWithParam<TaxCase> {};

TEST_P(ComprehensiveTaxCases, FillEveryResult) {
  const ComprehensiveTaxes got = ComputeComprehensiveTaxes(kH29, GetParam().incomes);
  const ComprehensiveTaxes& want = GetParam().expected;
  EXPECT_EQ(got.totalIncome, want.totalIncome);
  EXPECT_EQ(got.taxableIncome, want.taxableIncome);
  EXPECT_EQ(got.incomeTax, want.incomeTax);
  EXPECT_EQ(got.prefecturalTax, want.prefecturalTax);
  EXPECT_EQ(got.municipalTax, want.municipalTax);
  EXPECT_EQ(got.businessTax, want.businessTax);
  EXPECT_EQ(got.totalTax, want.totalTax);
}

ComprehensiveIncomes Incomes(
    std::initializer_list<std::pair<FineYen ComprehensiveIncomes::*, long double>> list) {
  ComprehensiveIncomes incomes;
  for (const auto& [member, yen] : list) incomes.*member = Yen(yen);
  return incomes;
}

ComprehensiveTaxes Taxes(long double total, long double taxable, long double income, long double prefectural,
                         long double municipal, long double business) {
  return {Yen(total),
          Yen(taxable),
          Yen(income),
          Yen(prefectural),
          Yen(municipal),
          Yen(business),
          Yen(income) + Yen(prefectural) + Yen(municipal) + Yen(business)};
}

using I = ComprehensiveIncomes;

INSTANTIATE_TEST_SUITE_P(
    Cases, ComprehensiveTaxCases,
    testing::Values(
        // 854,000 × 5 % × 1.021 = 43,596.7, cut to 43,500; 34,160 and 51,240 likewise.
        TaxCase{"taxable_income_cut_to_thousands",
                Incomes({{&I::miscellaneous, 1234567}, {&I::deductions, 380000}}),
                Taxes(1234567, 854000, 43500, 34100, 51200, 0)},
        TaxCase{"deductions_above_income_leave_business_tax",
                Incomes({{&I::business, 5000000}, {&I::deductions, 6000000}}),
                Taxes(5000000, 0, 0, 0, 0, 105000)},
        TaxCase{"business_loss_lowers_total_and_business_base",
                Incomes({{&I::realEstate, 3000000}, {&I::business, -500000}}),
                Taxes(2500000, 2500000, 155700, 100000, 150000, 0)},
        TaxCase{"business_base_at_threshold_pays_no_business_tax",
                Incomes({{&I::realEstateBusiness, 2000000}, {&I::business, 900000}}),
                Taxes(2900000, 2900000, 196500, 116000, 174000, 0)},
        TaxCase{
            "ordinary_real_estate_is_not_in_business_base",
            Incomes({{&I::realEstate, 4000000}, {&I::realEstateBusiness, 1000000}, {&I::business, 2000000}}),
            Taxes(7000000, 7000000, 994400, 280000, 420000, 5000)},
        TaxCase{"transfer_loss_cannot_make_total_negative",
                Incomes({{&I::salary, 1500000}, {&I::transferLoss, -2000000}}), Taxes(0, 0, 0, 0, 0, 0)},
        TaxCase{"positive_transfer_entry_is_added_as_income",
                Incomes({{&I::salary, 1000000}, {&I::transferLoss, 950000}}),
                Taxes(1950000, 1950000, 99500, 78000, 117000, 0)},
        TaxCase{"fractions_of_every_income_are_summed_once",
                Incomes({{&I::occasionalHalf, 500000.5L},
                         {&I::pensionOver65, 2100000.75L},
                         {&I::pensionUnder65, 0.25L},
                         {&I::realEstate, 999.5L}}),
                Taxes(2601001, 2601000, 166000, 104000, 156000, 0)},
        TaxCase{"all_incomes_counted",
                Incomes({{&I::realEstate, 1},
                         {&I::realEstateBusiness, 10},
                         {&I::business, 100},
                         {&I::salary, 1000},
                         {&I::occasionalHalf, 10000},
                         {&I::miscellaneous, 100000},
                         {&I::pensionOver65, 1000000},
                         {&I::pensionUnder65, 10000000},
                         {&I::deductions, 1111}}),
                Taxes(11111111, 11110000, 2175000, 444400, 666600, 0)}),
    [](const auto& info) { return std::string(info.param.name); });

struct ConsumptionCase {
  const char* name;
  long double taxIncludedSales;
  long double taxExcludedSales;
  int ratio;
  long double tax;
};

void PrintTo(const ConsumptionCase& c, std::ostream* os) { *os << c.name; }

class SimplifiedConsumptionTaxCases : public testing::TestWithParam<ConsumptionCase> {};

TEST_P(SimplifiedConsumptionTaxCases, GiveSalesAndTax) {
  const ConsumptionCase& c = GetParam();
  EXPECT_EQ(TaxExcludedSales(Yen(c.taxIncludedSales), 105), Yen(c.taxExcludedSales));
  EXPECT_EQ(SimplifiedConsumptionTax(kH29, {Yen(c.taxExcludedSales), 0}, c.ratio, false).payable, Yen(c.tax));
}

INSTANTIATE_TEST_SUITE_P(Cases, SimplifiedConsumptionTaxCases,
                         testing::Values(ConsumptionCase{"wholesale", 10500000, 10000000, 9000, 50000},
                                         ConsumptionCase{"services", 10500000, 10000000, 5000, 250000},
                                         ConsumptionCase{"below_one_thousand_after_tax", 1049, 0, 9000, 0},
                                         ConsumptionCase{"exactly_one_thousand", 1050, 1000, 5000, 0},
                                         ConsumptionCase{"largest_sales_the_field_holds", 999999999,
                                                         952380000, 7000, 14285700},
                                         ConsumptionCase{"nothing_sold", 0, 0, 8000, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SimplifiedConsumptionTax, TypedTaxExcludedSalesAreCutToThousandsAndHundreds) {
  // Value added 691,200 cut to 691,000; tax 34,550 cut to 34,500.
  EXPECT_EQ(SimplifiedConsumptionTax(kH29, {Yen(3456000), 0}, 8000, false).payable, Yen(34500));
  // 60 %: value added 1,382,400 cut to 1,382,000; tax 69,100.
  EXPECT_EQ(SimplifiedConsumptionTax(kH29, {Yen(3456000), 0}, 6000, false).payable, Yen(69100));
}

struct NationalAndLocalCase {
  const char* name;
  long double standardSales;  // tax included; 0 when the tax-excluded figure is typed
  long double reducedSales;
  long double standardBase;  // tax excluded
  long double reducedBase;
  int ratio;
  bool special;  // 2割特例
  long double national;
  long double local;
};

void PrintTo(const NationalAndLocalCase& c, std::ostream* os) { *os << c.name; }

class NationalAndLocalConsumptionTax : public testing::TestWithParam<NationalAndLocalCase> {};

TEST_P(NationalAndLocalConsumptionTax, GivesBasesAndTaxes) {
  const NationalAndLocalCase& c = GetParam();
  if (c.standardSales > 0) EXPECT_EQ(TaxExcludedSales(Yen(c.standardSales), 110), Yen(c.standardBase));
  if (c.reducedSales > 0) EXPECT_EQ(TaxExcludedSales(Yen(c.reducedSales), 108), Yen(c.reducedBase));
  const SimplifiedTax tax = SimplifiedConsumptionTax(kR7, {Yen(c.standardBase), Yen(c.reducedBase)}, c.ratio, c.special);
  EXPECT_EQ(tax.national, Yen(c.national));
  EXPECT_EQ(tax.local, Yen(c.local));
  EXPECT_EQ(tax.payable, Yen(c.national + c.local));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NationalAndLocalConsumptionTax,
    testing::Values(
        // S = 9,545,000 × 7.8 % = 744,510; 10 % of it 74,451 -> 74,400; × 22/78 = 20,984 -> 20,900.
        NationalAndLocalCase{"wholesale", 10500000, 0, 9545000, 0, 9000, false, 74400, 20900},
        // 20 % of 744,510 = 148,902 -> 148,900; 41,997 -> 41,900.
        NationalAndLocalCase{"flat_twenty_percent", 10500000, 0, 9545000, 0, 9000, true, 148900, 41900},
        // 269,568 × 20 % = 53,913.6 -> 53,900; 15,202 -> 15,200.
        NationalAndLocalCase{"typed_base_retail", 0, 0, 3456000, 0, 8000, false, 53900, 15200},
        // 5,000,000 / 1.08 = 4,629,629 -> 4,629,000; S = 288,849.6; 40 % leaves 173,309.76 -> 173,300.
        NationalAndLocalCase{"reduced_rate_only", 0, 5000000, 0, 4629000, 4000, false, 173300, 48800},
        // S = 78,000 + 62,400 = 140,400; 30 % = 42,120 -> 42,100; 11,874 -> 11,800.
        NationalAndLocalCase{"both_rates", 1100000, 1080000, 1000000, 1000000, 7000, false, 42100, 11800},
        NationalAndLocalCase{"nothing_sold", 0, 0, 0, 0, 9000, true, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FieldValues, AreReadToTenThousandthsTiesToEven) {
  EXPECT_EQ(FineFromValue(1.0L / 32), 312);  // 312.5 -> 312
  EXPECT_EQ(FineFromValue(3.0L / 32), 938);  // 937.5 -> 938
  EXPECT_EQ(ValueFromFine(Yen(500000.5L)), 500000.5L);
}
