#include "calc/MainSheet.h"

#include <array>

#include "calc/IncomeCases.h"
#include "calc/InheritanceCases.h"
#include "calc/OfficerCase.h"
#include "calc/PropertyCases.h"

namespace tavenko::calc {

namespace {

// Grouped by family; each family's functions live in its own source file.
constexpr auto kMainCases = std::to_array<MainCase>({
    // Income (IncomeCases.cpp) and the officer's allowance (OfficerCase.cpp)
    {"BitBtn1", "一般所得税", OrdinaryIncomeSheet},
    {"BitBtn2", "給与所得", SalaryIncomeSheet},
    {"BitBtn3", "事業所得", BusinessIncomeSheet},
    {"BitBtn4", "退職所得", RetirementIncomeSheet},
    {"BitBtn28", "役員", OfficerRetirementSheet},
    {"BitBtn5", "一時所得", OccasionalIncomeSheet},

    // Land and building transfers (PropertyCases.cpp)
    {"BitBtn6", "長期譲渡", TransferButton<TransferKind::LongTerm>},
    {"BitBtn7", "優", TransferButton<TransferKind::SuperiorLand>},
    {"BitBtn8", "短期譲渡所得", TransferButton<TransferKind::ShortTerm>},
    {"BitBtn9", "居住用（５年以内）", TransferButton<TransferKind::ResidenceShortTerm>},
    {"BitBtn10", "居住（５年超）", TransferButton<TransferKind::ResidenceLongTerm>},
    {"BitBtn11", "居住（１０年超）", TransferButton<TransferKind::ResidenceOverTenYears>},

    // Companies (PropertyCases.cpp)
    {"BitBtn12", "法人（大規模）", CompanyButton<CompanyKind::Large>},
    {"BitBtn13", "法人（小規模）", CompanyButton<CompanyKind::Small>},

    // Gifts (PropertyCases.cpp)
    {"BitBtn15", "贈与税", GiftButton<GiftKind::General>},
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
