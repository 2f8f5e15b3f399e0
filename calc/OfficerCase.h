// The officer's retirement allowance (役員, BitBtn28): the retirement income
// case with the officer's rule that up to five years of service the amount
// left after the retirement income deduction is not halved.
#pragma once

#include "calc/MainSheet.h"

namespace tavenko::calc {

MainSheet OfficerRetirementSheet(const MainInputs& in);

// The officer's retirement income from an allowance and the years of service,
// before any clamping.
YenAmount OfficerRetirementIncome(const law::Edition& law, YenAmount allowance, ScaledCount serviceYears);

}  // namespace tavenko::calc
