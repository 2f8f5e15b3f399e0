// The income cases of the main window: ordinary income (一般所得税), salary
// (給与所得), business (事業所得), retirement (退職所得) and occasional income
// (一時所得). All read the income (NValEdit11) and the deductions
// (NValEdit12); retirement also the years of service (NValEdit16).
#pragma once

#include <optional>
#include <string_view>

#include "calc/MainSheet.h"

namespace tavenko::calc {

MainSheet OrdinaryIncomeSheet(const MainInputs& in);    // BitBtn1
MainSheet SalaryIncomeSheet(const MainInputs& in);      // BitBtn2
MainSheet BusinessIncomeSheet(const MainInputs& in);    // BitBtn3
MainSheet RetirementIncomeSheet(const MainInputs& in);  // BitBtn4
MainSheet OccasionalIncomeSheet(const MainInputs& in);  // BitBtn5

// ---- The frame the income cases share (also used by the officer case) ----

// The figures of one income click, in yen.
struct IncomeWork {
  const law::Edition* law = nullptr;  // the law the click computes under
  YenAmount gross = 0;           // GrossAmount: the converted NValEdit11
  YenAmount income = 0;          // IncomeAmount: the income the deductions come off
  YenAmount deduction = 0;       // DeductionAmount
  ScaledCount serviceYears = 0;  // ServiceYears, where read
  // NextMillionBase when the case derives it itself; otherwise the taxable
  // income plus 1,000,000 yen.
  std::optional<YenAmount> nextMillionBase;
};

// How one income case differs from the ordinary one.
struct IncomeCaseRules {
  SidePanel (*side)(const law::Edition& law);
  bool readsServiceYears = false;
  // Logs the case's opening figures (after the header) and turns the gross
  // amount into IncomeAmount, setting the next-million base where the case
  // has its own.
  void (*deriveIncome)(IncomeWork& work, MainSheet& sheet) = nullptr;
  bool logsIncomeTaxInWholeMan = true;  // "所得税額" as whole 万円, Int(N / kYenPerMan)
  bool withBusinessTax = false;
  std::string_view edit4Caption = {};
};

// Runs one income click: inputs, log, taxes, rates, 円 rescale, captions, pie.
MainSheet RunIncomeCase(const IncomeCaseRules& rules, const MainInputs& in);

// The years-of-service check of the retirement cases: a figure above 99 is
// cleared from NValEdit16, and a zero asks for the years (the click goes on
// with zero years). Returns the years on the count scale.
ScaledCount CheckServiceYears(MainSheet& sheet, Extended typedYears);

// A retirement payment less the retirement income deduction, unrounded: the
// minimum deduction (800,000 yen up to two years of service), then a yearly
// amount up to the band's years (400,000 yen up to twenty) and another beyond
// (700,000 yen).
Extended PaymentLessRetirementDeduction(const law::Edition& law, YenAmount payment, ScaledCount serviceYears);

// An employee's payment for these years of service is a 短期退職手当等,
// whose part above the halving limit is not halved (none in a year without
// the rule).
bool IsShortService(const law::RetirementLaw& retirement, ScaledCount serviceYears);

// The side panel of both retirement cases: "勤続年数" with the years field
// and the note on the retirement income deduction; the employee's note also
// states the short-service rule where the year has it.
SidePanel RetirementPanel(const law::Edition& law, bool withShortServiceRule);

}  // namespace tavenko::calc
