#include <gtest/gtest.h>

#include "core/Schedules.h"

using namespace tavenko;

namespace {

struct Case {
  YenAmount in;
  YenAmount out;
};

void ExpectSchedule(const char* name, YenAmount (*schedule)(const law::Edition&, YenAmount),
                    std::initializer_list<Case> cases, const law::Edition& edition = law::kHeisei29) {
  for (const Case& c : cases)
    EXPECT_EQ(schedule(edition, c.in), c.out) << name << "(" << c.in << ") under " << edition.key;
}

}  // namespace

// Each bracket edge at the edge and one yen above, plus the figures the
// tables are checked against by hand.
TEST(Schedules, SalaryIncome) {
  ExpectSchedule("SalaryIncome", SalaryIncome,
                 // clang-format off
                 {{0, 0}, {650000, 0}, {650001, 1}, {1625000, 975000}, {1625001, 975001},
                  {1800000, 1080000}, {1800001, 1080001}, {3600000, 2340000}, {3600001, 2340001},
                  {6000000, 4260000}, {6600000, 4740000}, {6600001, 4740001}, {7000000, 5100000},
                  {10000000, 7800000}, {10000001, 7800001}});
  // clang-format on
}

TEST(Schedules, IncomeTaxWithSurtax) {
  ExpectSchedule("IncomeTaxWithSurtax", IncomeTaxWithSurtax,
                 // clang-format off
                 {{-5, 0}, {0, 0}, {1, 0}, {1000000, 51050}, {1950000, 99548}, {1950001, 99548},
                  {2260000, 131198}, {3300000, 237382}, {3300001, 237383}, {4000000, 380322},
                  {6000000, 788722}, {6950000, 982712}, {6950001, 982713}, {7000000, 994454},
                  {9000000, 1464114}, {9000001, 1464114}, {18000000, 4496484}, {18000001, 4496484},
                  {40000000, 13481284}, {40000001, 13481284}, {40000003, 13481285}});
  // clang-format on
}

TEST(Schedules, InhabitantTaxes) {
  ExpectSchedule("PrefecturalInhabitantTax", PrefecturalInhabitantTax,
                 {{-1000000, 0}, {0, 0}, {1, 0}, {1000000, 40000}, {6000000, 240000}});
  ExpectSchedule("MunicipalInhabitantTax", MunicipalInhabitantTax,
                 {{-1000000, 0}, {0, 0}, {1000000, 60000}, {6000000, 360000}});
}

TEST(Schedules, BusinessAndCompanyTaxesHaveNoLowerBound) {
  ExpectSchedule("IndividualBusinessTax", IndividualBusinessTax,
                 {{2000000, -45000}, {2900000, 0}, {2900001, 0}, {5000000, 105000}});
  ExpectSchedule("CorporationTax", CorporationTax,
                 {{-1000000, -150000}, {8000000, 1200000}, {8000001, 1200000}, {10000000, 1668000}});
  ExpectSchedule("CorporateEnterpriseTax", CorporateEnterpriseTax,
                 {{-1000000, -50000},
                  {4000000, 200000},
                  {4000001, 200000},
                  {8000000, 492000},
                  {8000001, 492000},
                  {10000000, 684000}});
}

TEST(Schedules, InheritanceTax) {
  ExpectSchedule("InheritanceTaxSchedule", InheritanceTaxSchedule,
                 // clang-format off
                 {{0, 0}, {10000000, 1000000}, {10000001, 1000000}, {30000000, 4000000},
                  {30000001, 4000000}, {50000000, 8000000}, {50000001, 8000000},
                  {100000000, 23000000}, {100000001, 23000000}, {200000000, 63000000},
                  {200000001, 63000000}, {300000000, 108000000}, {300000001, 108000000},
                  {600000000, 258000000}, {600000001, 258000001}});
  // clang-format on
}

TEST(Schedules, GiftTaxes) {
  ExpectSchedule("GiftTaxGeneral", GiftTaxGeneral,
                 // clang-format off
                 {{0, 0}, {2000000, 200000}, {2000001, 200000}, {3000000, 350000}, {3000001, 350000},
                  {4000000, 550000}, {4000001, 550000}, {6000000, 1150000}, {6000001, 1150000},
                  {10000000, 2750000}, {10000001, 2750000}, {15000000, 5000000}, {15000001, 5000000},
                  {30000000, 12500000}, {30000001, 12500001}});
  ExpectSchedule("GiftTaxSpecial", GiftTaxSpecial,
                 {{0, 0}, {2000000, 200000}, {2000001, 200000}, {3000000, 350000}, {4000000, 500000},
                  {4000001, 500000}, {6000000, 900000}, {6000001, 900000}, {10000000, 2100000},
                  {10000001, 2100000}, {15000000, 4100000}, {15000001, 4100000},
                  {30000000, 10850000}, {30000001, 10850000}, {45000000, 18350000},
                  // clang-format on
                  {45000001, 18350001}});
}

TEST(Schedules, AccountantFeeBaseIncludesEachLowerBound) {
  ExpectSchedule(
      "AccountantFeeBase", AccountantFeeBase,
      {{-1, 300000},          {0, 300000},           {49999999, 300000},    {50000000, 450000},
       {69999999, 450000},    {70000000, 700000},    {99999999, 700000},    {100000000, 950000},
       {299999999, 950000},   {300000000, 1200000},  {499999999, 1200000},  {500000000, 1450000},
       {699999999, 1450000},  {700000000, 1800000},  {999999999, 1800000},  {1000000000, 1900000},
       {1099999999, 1900000}, {1100000000, 2000000}, {1999999999, 2800000}, {2000000000, 2900000}});
}

TEST(Schedules, LargestFiguresDoNotOverflow) {
  const YenAmount largest = 9999999999990000;  // 999,999,999,999 万円
  for (const law::Edition* edition : law::Editions()) {
    EXPECT_GT(IncomeTaxWithSurtax(*edition, largest), 0);
    EXPECT_GT(InheritanceTaxSchedule(*edition, largest), 0);
    EXPECT_GT(AccountantFeeBase(*edition, largest), 0);
    EXPECT_GT(CorporationTax(*edition, largest), 0);
    EXPECT_GT(CorporateEnterpriseTax(*edition, largest), 0);
  }
  EXPECT_EQ(SalaryIncome(law::kHeisei29, largest), largest - 2200000);
  EXPECT_EQ(SalaryIncome(law::kReiwa7, largest), largest - 1950000);
}

// 令和7年分: the schedules that changed, at each band edge and one yen above.
TEST(Schedules, Reiwa7SalaryIncome) {
  ExpectSchedule("SalaryIncome", SalaryIncome,
                 // clang-format off
                 {{650000, 0}, {650001, 1}, {1900000, 1250000}, {1900001, 1250001}, {3600000, 2440000},
                  {3600001, 2440001}, {6000000, 4360000}, {6600000, 4840000}, {6600001, 4840001},
                  {8500000, 6550000}, {8500001, 6550001}, {10000000, 8050000}},
                 // clang-format on
                 law::kReiwa7);
}

TEST(Schedules, Reiwa7CompanyTaxes) {
  ExpectSchedule("CorporationTax", CorporationTax,
                 {{8000000, 1200000},
                  {8000001, 1200000},
                  {10000000, 1664000},
                  {1000000000, 231344000},
                  {1000000001, 231504000}},
                 law::kReiwa7);
  ExpectSchedule("LargeCompanyCorporationTax", LargeCompanyCorporationTax, {{10000000, 2320000}}, law::kReiwa7);
  ExpectSchedule("CorporateEnterpriseTax", CorporateEnterpriseTax,
                 {{4000000, 191800}, {4000001, 191800}, {8000000, 482240}, {10000000, 674040}}, law::kReiwa7);
  ExpectSchedule("LargeCompanyEnterpriseTax", LargeCompanyEnterpriseTax, {{10000000, 360000}}, law::kReiwa7);
}
