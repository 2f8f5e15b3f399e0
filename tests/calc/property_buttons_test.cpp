#include <gtest/gtest.h>

#include <functional>

#include "calc/PropertyCases.h"

namespace tavenko::calc {
namespace {

struct ButtonCase {
  const char* button;
  const char* caption;
  std::function<MainSheet(const MainInputs&)> expected;
};

class PropertyButtons : public ::testing::TestWithParam<ButtonCase> {};

// Each button of the registry runs its own case: the figures below give a
// different sheet in every case of a family.
TEST_P(PropertyButtons, RunTheirOwnCase) {
  const ButtonCase& c = GetParam();
  const MainCase* byName = FindMainCase(c.button);
  ASSERT_NE(byName, nullptr);
  EXPECT_EQ(byName, FindMainCase(c.caption));
  ASSERT_NE(byName->compute, nullptr);

  MainInputs in;
  in.income = 9000;
  in.deductions = 100;
  in.profit = 5000;
  in.value = 500;
  const MainSheet got = byName->compute(in);
  const MainSheet want = c.expected(in);
  EXPECT_EQ(got.log, want.log);
  EXPECT_EQ(got.results, want.results);
  EXPECT_EQ(got.side.note, want.side.note);
}

INSTANTIATE_TEST_SUITE_P(
    Registry, PropertyButtons,
    ::testing::Values(
        ButtonCase{"BitBtn6", "長期譲渡",
                   [](auto& in) { return ComputeTransfer(TransferKind::LongTerm, in); }},
        ButtonCase{"BitBtn7", "優", [](auto& in) { return ComputeTransfer(TransferKind::SuperiorLand, in); }},
        ButtonCase{"BitBtn8", "短期譲渡所得",
                   [](auto& in) { return ComputeTransfer(TransferKind::ShortTerm, in); }},
        ButtonCase{"BitBtn9", "居住用（５年以内）",
                   [](auto& in) { return ComputeTransfer(TransferKind::ResidenceShortTerm, in); }},
        ButtonCase{"BitBtn10", "居住（５年超）",
                   [](auto& in) { return ComputeTransfer(TransferKind::ResidenceLongTerm, in); }},
        ButtonCase{"BitBtn11", "居住（１０年超）",
                   [](auto& in) { return ComputeTransfer(TransferKind::ResidenceOverTenYears, in); }},
        ButtonCase{"BitBtn12", "法人（大規模）",
                   [](auto& in) { return ComputeCompany(CompanyKind::Large, in); }},
        ButtonCase{"BitBtn13", "法人（小規模）",
                   [](auto& in) { return ComputeCompany(CompanyKind::Small, in); }},
        ButtonCase{"BitBtn15", "贈与税", [](auto& in) { return ComputeGift(GiftKind::General, in); }},
        ButtonCase{"BitBtn29", "贈（尊属）",
                   [](auto& in) { return ComputeGift(GiftKind::LinealAscendant, in); }}),
    [](const auto& info) { return std::string(info.param.button); });

// "法人＋留保金" has no calculation.
TEST(PropertyButtons, RetainedEarningsButtonIsNotInTheRegistry) {
  EXPECT_EQ(FindMainCase("BitBtn14"), nullptr);
}

}  // namespace
}  // namespace tavenko::calc
