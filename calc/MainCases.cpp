#include <array>

#include "MainSheet.h"

#include "IncomeCases.h"
#include "OfficerCase.h"

namespace tavenko::calc {

std::string_view PieColourName(PieColour colour) {
  switch (colour) {
    case PieColour::Red: return "clRed";
    case PieColour::Lime: return "clLime";
    case PieColour::Yellow: return "clYellow";
    case PieColour::Blue: return "clBlue";
    case PieColour::White: return "clWhite";
  }
  return "";
}

namespace {

// Grouped by family; each family's functions live in its own source file.
const std::array<MainCase, 22> kMainCases{{
    // Income (IncomeCases.cpp) and the officer's allowance (OfficerCase.cpp)
    {"BitBtn1", "一般所得税", OrdinaryIncomeSheet},
    {"BitBtn2", "給与所得", SalaryIncomeSheet},
    {"BitBtn3", "事業所得", BusinessIncomeSheet},
    {"BitBtn4", "退職所得", RetirementIncomeSheet},
    {"BitBtn28", "役員", OfficerRetirementSheet},
    {"BitBtn5", "一時所得", OccasionalIncomeSheet},

    // Land and building transfers (TransferCases.cpp)
    {"BitBtn6", "長期譲渡", nullptr},
    {"BitBtn7", "優", nullptr},
    {"BitBtn8", "短期譲渡所得", nullptr},
    {"BitBtn9", "居住用（５年以内）", nullptr},
    {"BitBtn10", "居住（５年超）", nullptr},
    {"BitBtn11", "居住（１０年超）", nullptr},

    // Companies (CompanyCases.cpp)
    {"BitBtn12", "法人（大規模）", nullptr},
    {"BitBtn13", "法人（小規模）", nullptr},

    // Gifts (GiftCases.cpp)
    {"BitBtn15", "贈与税", nullptr},
    {"BitBtn29", "贈（尊属）", nullptr},

    // Inheritance with the accountant's fee (InheritanceCases.cpp)
    {"BitBtn16", "相続税（子）", nullptr},
    {"BitBtn17", "1/2", nullptr},
    {"BitBtn18", "相続税（親）", nullptr},
    {"BitBtn19", "2/3", nullptr},
    {"BitBtn20", "相続税（兄弟）", nullptr},
    {"BitBtn21", "3/4", nullptr},
}};

}  // namespace

std::span<const MainCase> MainCases() { return kMainCases; }

const MainCase* FindMainCase(std::string_view buttonOrCaption) {
  for (const MainCase& c : kMainCases)
    if (c.button == buttonOrCaption || c.caption == buttonOrCaption) return &c;
  return nullptr;
}

}  // namespace tavenko::calc
