#include "OfficerCase.h"

#include "IncomeCases.h"
#include "NumberText.h"
#include "SheetSteps.h"

namespace tavenko::calc {

namespace {

// Above five years (50000 in the scaled count) the remainder is halved.
constexpr YenAmount kHalvedAbove = 50000;

void DeriveOfficer(IncomeWork& w, MainSheet& sheet) {
  LogFigure(sheet, "退職金の金額", ToDisplay(w.income));
  w.income = ClampAtZero(OfficerRetirementIncome(w.gross, w.serviceYears));
  sheet.log.emplace_back("退職所得控除後の金額");
  if (w.serviceYears > kHalvedAbove) {
    sheet.log.push_back(FormatGeneral(static_cast<Extended>(w.income) * 2 / 10000));
    LogFigure(sheet, "その２分の１の金額", ToDisplay(w.income));
  } else {
    sheet.log.push_back(FormatGeneral(ToDisplay(w.income)));
  }
  LogFigure(sheet, "所得控除", Int(ToDisplay(w.deduction)));
  const YenAmount nextAllowance = StoreYen(static_cast<Extended>(w.gross) + kOneMillionYen);
  const YenAmount nextIncome = OfficerRetirementIncome(nextAllowance, w.serviceYears);
  w.nextMillionBase = StoreYen(static_cast<Extended>(nextIncome) - w.deduction);
}

const IncomeCaseRules kOfficer{.side = RetirementPanel(),
                               .readsServiceYears = true,
                               .deriveIncome = DeriveOfficer,
                               .logsIncomeTaxInWholeMan = false};

}  // namespace

YenAmount OfficerRetirementIncome(YenAmount allowance, YenAmount serviceYears) {
  // The deduction is 800,000 yen up to two years, 40 yen per scaled unit
  // (400,000 a year) up to twenty years and 70 yen per unit beyond.
  const Extended a = allowance;
  const Extended y = serviceYears;
  if (serviceYears <= 20000) return StoreYen(a - 800000);
  if (serviceYears <= kHalvedAbove) return StoreYen(a - 40 * y);
  if (serviceYears <= 200000) return StoreYen((a - 40 * y) / 2);
  return StoreYen((a - 70 * (y - 200000) - 8000000) / 2);
}

MainSheet OfficerRetirementSheet(const MainInputs& in) { return RunIncomeCase(kOfficer, in); }

}  // namespace tavenko::calc
