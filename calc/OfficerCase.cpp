#include "calc/OfficerCase.h"

#include "calc/IncomeCases.h"
#include "calc/SheetSteps.h"
#include "core/NumberText.h"

namespace tavenko::calc {

namespace {

// Above these years of service the remainder is halved.
ScaledCount HalvedAbove(const law::Edition& law) { return law.retirement.officerUnhalvedYears * kCountScale; }

void DeriveOfficer(IncomeWork& w, MainSheet& sheet) {
  LogFigure(sheet, "退職金の金額", ToDisplay(w.income));
  w.income = ClampAtZero(OfficerRetirementIncome(*w.law, w.gross, w.serviceYears));
  sheet.log.emplace_back("退職所得控除後の金額");
  if (w.serviceYears > HalvedAbove(*w.law)) {
    sheet.log.push_back(FormatGeneral(static_cast<Extended>(w.income) * 2 / kYenPerMan));
    LogFigure(sheet, "その２分の１の金額", ToDisplay(w.income));
  } else {
    sheet.log.push_back(FormatGeneral(ToDisplay(w.income)));
  }
  LogFigure(sheet, "所得控除", Int(ToDisplay(w.deduction)));
  const YenAmount nextIncome = OfficerRetirementIncome(*w.law, NextMillion(w.gross), w.serviceYears);
  w.nextMillionBase = StoreYen(static_cast<Extended>(nextIncome) - w.deduction);
}

SidePanel OfficerPanel(const law::Edition& law) { return RetirementPanel(law, false); }

const IncomeCaseRules kOfficer{.side = OfficerPanel,
                               .readsServiceYears = true,
                               .deriveIncome = DeriveOfficer,
                               .logsIncomeTaxInWholeMan = false};

}  // namespace

YenAmount OfficerRetirementIncome(const law::Edition& law, YenAmount allowance, ScaledCount serviceYears) {
  const Extended left = PaymentLessRetirementDeduction(law, allowance, serviceYears);
  if (serviceYears <= HalvedAbove(law)) return StoreYen(left);
  return StoreYen(left / 2);
}

MainSheet OfficerRetirementSheet(const MainInputs& in) { return RunIncomeCase(kOfficer, in); }

}  // namespace tavenko::calc
