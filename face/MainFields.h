// The figure fields of the main window in one table: what each field holds
// and how the window sets it up. zentai.ui gives every field these settings
// (a test of the window holds the form to this table); the command-line tool
// takes its options and digit limits from here, and every text that stands
// for a field's text (the tool's, the quick-reference table's, the tests')
// comes from field::ShownText with the settings here.
#pragma once

#include <span>
#include <string_view>

#include "calc/MainSheet.h"
#include "controls/model/FieldModel.h"

namespace tavenko::face {

enum class FieldRole {
  Input,       // a figure the calculations read; typed by the user
  Result,      // one of the seven results NValEdit1..NValEdit7
  SideResult,  // NValEdit17, the figure of the side panel
  Fee,         // the fee range NValEdit15 ～ NValEdit18
};

// The figures of calc::MainInputs, one per input field.
enum class Figure { Income, Deductions, Profit, Value, Children, Parents, Siblings, Years };

struct MainField {
  std::string_view name;  // objectName: "NValEdit11"
  FieldRole role;
  std::string_view caption;  // a short heading for the figure: "所得金額", "課税所得"
  field::FieldSettings settings;
  bool negativesInRed = false;  // MinusColor clRed

  // Input fields only: the figure the field holds, its name on the command
  // line ("income" for --income and --vary income), where it goes in
  // MainInputs, and whether it is an amount in the window's unit (the counts
  // and the years are the same in either unit).
  Figure figure = Figure::Income;
  std::string_view key = {};
  Extended calc::MainInputs::*input = nullptr;
  bool money = false;

  bool ReadOnly() const { return role != FieldRole::Input; }
};

// Every figure field of the main window: the eight inputs in the order of
// Figure, the seven results, then NValEdit17, NValEdit15 and NValEdit18.
std::span<const MainField> MainFields();
// The eight input fields, in the order of Figure.
std::span<const MainField> InputFields();
const MainField& InputField(Figure figure);
// NValEdit1 .. NValEdit7 for indices 0 .. 6 (calc::ResultField).
const MainField& ResultField(int index);
// By objectName; nullptr when the main window has no such figure field.
const MainField* FindMainField(std::string_view name);
// An input field by its key ("income") or its caption ("所得金額").
const MainField* FindInputField(std::string_view keyOrCaption);

// The text the main window's field shows for `value`.
std::string ShownText(const MainField& field, Extended value);

}  // namespace tavenko::face
