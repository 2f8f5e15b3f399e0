// The rule of a figure field as calc/ asks for it: what a field with given
// settings keeps of a value set into it, and the text it then shows.
#pragma once

#include "calc/Incorporation.h"
#include "controls/model/FieldModel.h"

namespace tavenko::face {

calc::FieldRule FieldRuleOf(const field::FieldSettings& settings);

}  // namespace tavenko::face
