// The six inheritance buttons of the main window, with the tax accountant's
// fee estimate that ends each of them.
//
// One calculation serves all six: the order of heirs (children, parents,
// brothers and sisters) fixes the statutory fractions, the 160-million limit,
// the prompts and the captions; the kind of button fixes what the spouse is
// assumed to acquire. Figures flow: estate and counts -> basic deduction ->
// statutory shares and their taxes -> total tax -> spouse allocation (and the
// same again on 1,000,000 yen more of estate for the marginal figure) ->
// spouse reduction -> net tax -> results, log, pie -> fee estimate.
#pragma once

#include "calc/MainSheet.h"

namespace tavenko::calc {

enum class HeirOrder { Children, Parents, Siblings };

// What the spouse is taken to acquire.
enum class SpouseAcquisition {
  LargerOfShareAnd160Million,  // "相続税（子）", "相続税（親）", "相続税（兄弟）"
  StatutoryShare,              // "1/2", "2/3", "3/4"
};

// One click of an inheritance button on the figures of the main window.
MainSheet InheritanceSheet(HeirOrder order, SpouseAcquisition acquisition, const MainInputs& inputs);

// The same as a plain calculation function, for the button registry.
template <HeirOrder order, SpouseAcquisition acquisition>
MainSheet InheritanceButton(const MainInputs& inputs) {
  return InheritanceSheet(order, acquisition, inputs);
}

}  // namespace tavenko::calc
