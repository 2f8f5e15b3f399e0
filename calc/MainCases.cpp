#include "calc/MainSheet.h"

#include <algorithm>
#include <array>
#include <string>

#include "calc/IncomeCases.h"
#include "calc/LawTexts.h"
#include "calc/InheritanceCases.h"
#include "calc/OfficerCase.h"
#include "calc/PropertyCases.h"

namespace tavenko::calc {

namespace {

// ---- Hints that quote the law's figures

std::string BusinessHint(const law::Edition& law) {
  const law::IndividualBusinessTaxLaw& business = law.individualBusinessTax;
  return Fill("事業税は（所得－{0}）×{1}", {ManYenText(business.ownerDeduction), PercentText(business.rate)});
}

std::string RetirementHint(const law::Edition& law) {
  const law::RetirementLaw& r = law.retirement;
  std::string hint = "（退職金－退職所得控除）/２";
  if (r.shortServiceYears > 0)
    hint += Fill("（勤続{0}年以下は控除後{1}を超える部分を除く）",
                 {FullWidthNumber(r.shortServiceYears), ManYenText(r.shortServiceHalvedUpTo)});
  return hint;
}

std::string OccasionalHint(const law::Edition& law) {
  return Fill("（収入金額－直接要した費用－{0})/２", {ManYenText(law.occasionalIncome.specialDeduction)});
}

template <std::size_t N>
struct Text {
  constexpr Text(const char (&text)[N]) { std::copy_n(text, N, chars); }
  char chars[N];
};

// "{0}" stands for the residence deduction.
template <Text pattern>
std::string ResidenceHint(const law::Edition& law) {
  return Fill(pattern.chars, {ManYenText(law.transfers.residenceDeduction)});
}

// The levy, and where the year names its addition to the corporation tax,
// the two national rates.
std::string CompanyHint(const law::Edition& law, std::string_view pattern, const law::LevyRate& inhabitant,
                        std::string corporationRate) {
  std::string hint = Fill(pattern, {ManYenText(inhabitant.levy)});
  const law::CorporationTaxLaw& corporation = law.corporationTax;
  if (!corporation.additionName.empty())
    hint += Fill("　法人税{0}＋{1}{2}",
                 {corporationRate, corporation.additionName, PercentText(corporation.additionRate)});
  return hint;
}
std::string LargeCompanyHint(const law::Edition& law) {
  return CompanyHint(law, "資本金１億円超の会社（仮に均等割り{0}として）", law.corporateInhabitantTax.largeCompany,
                     PercentText(law.corporationTax.largeCompanyRate));
}
std::string SmallCompanyHint(const law::Edition& law) {
  const auto& bands = law.corporationTax.smallCompany;
  return CompanyHint(law, "資本金１億円以下の会社（仮に均等割り{0}として）", law.corporateInhabitantTax.smallCompany,
                     PercentText(bands.front().rate) + "・" + PercentText(bands.back().rate));
}

std::string GiftHint(const law::Edition& law) {
  return Fill("年間の贈与額－{0}", {ManYenText(law.giftTax.basicDeduction)});
}

// Grouped by family; each family's functions live in its own source file.
constexpr auto kMainCases = std::to_array<MainCase>({
    // Income (IncomeCases.cpp) and the officer's allowance (OfficerCase.cpp)
    {"BitBtn1", "一般所得税", OrdinaryIncomeSheet},
    {"BitBtn2", "給与所得", SalaryIncomeSheet},
    {"BitBtn3", "事業所得", BusinessIncomeSheet, BusinessHint},
    {"BitBtn4", "退職所得", RetirementIncomeSheet, RetirementHint},
    {"BitBtn28", "役員", OfficerRetirementSheet},
    {"BitBtn5", "一時所得", OccasionalIncomeSheet, OccasionalHint},

    // Land and building transfers (PropertyCases.cpp)
    {"BitBtn6", "長期譲渡", TransferButton<TransferKind::LongTerm>},
    {"BitBtn7", "優", TransferButton<TransferKind::SuperiorLand>},
    {"BitBtn8", "短期譲渡所得", TransferButton<TransferKind::ShortTerm>},
    {"BitBtn9", "居住用（５年以内）", TransferButton<TransferKind::ResidenceShortTerm>,
     ResidenceHint<"{0}を差し引いて短期譲渡所得">},
    {"BitBtn10", "居住（５年超）", TransferButton<TransferKind::ResidenceLongTerm>,
     ResidenceHint<"{0}を差し引いて長期譲渡所得">},
    {"BitBtn11", "居住（１０年超）", TransferButton<TransferKind::ResidenceOverTenYears>,
     ResidenceHint<"{0}を差し引いて軽減税率">},

    // Companies (PropertyCases.cpp)
    {"BitBtn12", "法人（大規模）", CompanyButton<CompanyKind::Large>, LargeCompanyHint},
    {"BitBtn13", "法人（小規模）", CompanyButton<CompanyKind::Small>, SmallCompanyHint},

    // Gifts (PropertyCases.cpp)
    {"BitBtn15", "贈与税", GiftButton<GiftKind::General>, GiftHint},
    {"BitBtn29", "贈（尊属）", GiftButton<GiftKind::LinealAscendant>},

    // Inheritance with the accountant's fee (InheritanceCases.cpp)
    {"BitBtn16", "相続税（子）",
     &InheritanceButton<HeirOrder::Children, SpouseAcquisition::LargerOfShareAnd160Million>},
    {"BitBtn17", "1/2", &InheritanceButton<HeirOrder::Children, SpouseAcquisition::StatutoryShare>},
    {"BitBtn18", "相続税（親）",
     &InheritanceButton<HeirOrder::Parents, SpouseAcquisition::LargerOfShareAnd160Million>},
    {"BitBtn19", "2/3", &InheritanceButton<HeirOrder::Parents, SpouseAcquisition::StatutoryShare>},
    {"BitBtn20", "相続税（兄弟）",
     &InheritanceButton<HeirOrder::Siblings, SpouseAcquisition::LargerOfShareAnd160Million>},
    {"BitBtn21", "3/4", &InheritanceButton<HeirOrder::Siblings, SpouseAcquisition::StatutoryShare>},
});

// Every row names its button and caption, and no button or caption stands in
// two rows: FindMainCase finds each by either.
constexpr bool EveryRowNamedOnce() {
  for (std::size_t i = 0; i < kMainCases.size(); ++i) {
    const MainCase& row = kMainCases[i];
    if (row.button.empty() || row.caption.empty()) return false;
    for (std::size_t j = 0; j < i; ++j) {
      const MainCase& other = kMainCases[j];
      if (row.button == other.button || row.caption == other.caption || row.button == other.caption ||
          row.caption == other.button)
        return false;
    }
  }
  return true;
}
static_assert(kMainCases.size() == 22, "the main window has 22 calculation buttons");
static_assert(EveryRowNamedOnce());

}  // namespace

std::span<const MainCase> MainCases() { return kMainCases; }

const MainCase* FindMainCase(std::string_view buttonOrCaption) {
  for (const MainCase& c : kMainCases)
    if (c.button == buttonOrCaption || c.caption == buttonOrCaption) return &c;
  return nullptr;
}

}  // namespace tavenko::calc
