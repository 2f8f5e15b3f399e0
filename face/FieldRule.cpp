#include "face/FieldRule.h"

namespace tavenko::face {

calc::FieldRule FieldRuleOf(const field::FieldSettings& settings) {
  return [settings](Extended value) {
    field::HeldFigure held = field::FigureHeld(settings, value);
    return calc::FieldFigure{held.value, std::move(held.text)};
  };
}

}  // namespace tavenko::face
