// The quick-reference table (早見表): one calculation button of the main
// window over a range of one of its figures.
//
//   button + inputs + range ──RangeProblem()──▶ refused, with a one-line reason
//                           ──QuickTable────▶ one row per step: the varied figure,
//                                             the seven results, the messages
//                           ──Text() / Csv()──▶ the texts the fields would show
//
// Row i is exactly the sheet the button computes for the inputs with the
// varied figure set to from + i × step. Every row starts again from the same
// inputs, so nothing carries from one row to the next (a years figure the
// retirement click clears, for one). A window's table model and chart read
// the table directly: Value() and Text() per row and column (column 0 the
// varied figure, 1 to 7 the results NValEdit1..NValEdit7), Valid() per row,
// Captions() for the header, Csv() for a file. A table made with a
// comparison edition has two columns more: the total under that edition and
// its difference from the table's own total. A table is a plain value that
// refers to nothing but the button: it can be computed on a worker thread and
// handed to the window.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "calc/MainSheet.h"
#include "face/MainFields.h"

namespace tavenko::face {

// One figure from `from` to `to` in steps of `step`, as its field holds it:
// amounts in the window's unit, counts and years as typed.
struct QuickRange {
  Figure figure = Figure::Income;
  Extended from = 0;
  Extended to = 0;
  Extended step = 0;
};

inline constexpr std::size_t kMaxQuickRows = 100'000;

// The figures a button reads, the ones worth varying, in the order of Figure.
std::span<const Figure> FiguresRead(const calc::MainCase& button);

// The range a table of the button starts from: income cases and transfers
// vary the income from 100 to 5,000 万円 by 100; the officer's allowance runs
// to 10,000 万円 (the years stay as typed); companies vary the profit from 100
// to 5,000; gifts the value from 100 to 10,000; inheritance the estate from
// 5,000 to 100,000 by 5,000. In 円 the amounts are 10,000 times as large.
QuickRange DefaultRange(const calc::MainCase& button, AmountUnit unit);
// The range for another figure of the button: the heirs of an inheritance
// case 1 to 6, the years of service 1 to 40, the deductions 0 to 1,000 万円
// by 50; the button's own figure as above.
QuickRange DefaultRange(const calc::MainCase& button, Figure figure, AmountUnit unit);

// Why `range` cannot be tabled for `button`, as one line for the user, or
// nothing when it can: a figure the button does not read; a start, end or
// step that is not a whole number (the figure fields take no decimals) or is
// negative (they take no minus); a step below 1; a start after the end; an
// end or a step beyond the digits of the figure's field; more than
// kMaxQuickRows rows.
std::optional<std::string> RangeProblem(const calc::MainCase& button, const QuickRange& range);

class RangeRefused : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

class QuickTable {
 public:
  // The varied figure and the seven results; a comparison adds two.
  static constexpr int kResultColumns = 1 + calc::kResultCount;
  static constexpr int kComparedTotalColumn = kResultColumns;      // the total under the other edition
  static constexpr int kDifferenceColumn = kResultColumns + 1;     // that total less the table's own

  // Computes every row under the inputs' edition, and with `compareWith`
  // its total under that edition too. Throws RangeRefused with
  // RangeProblem's reason: a range that cannot be tabled gives no table at
  // all, never part of one.
  QuickTable(const calc::MainCase& button, const calc::MainInputs& inputs, const QuickRange& range,
             std::optional<law::EditionId> compareWith = std::nullopt);

  const calc::MainCase& Button() const { return *button_; }
  const calc::MainInputs& Inputs() const { return inputs_; }
  const QuickRange& Range() const { return range_; }
  const std::optional<law::EditionId>& ComparedEdition() const { return compareWith_; }
  int ColumnCount() const { return compareWith_ ? kDifferenceColumn + 1 : kResultColumns; }
  const MainField& VariedField() const { return InputField(range_.figure); }
  std::size_t RowCount() const { return rows_.size(); }

  // The varied figure in row `row`: from + row × step.
  Extended FigureAt(std::size_t row) const;
  // The inputs the button computes row `row` from.
  calc::MainInputs RowInputs(std::size_t row) const;
  // The whole sheet of row `row` (log, pie, panels), computed again.
  calc::MainSheet Sheet(std::size_t row) const;

  // The values of NValEdit1..NValEdit7 after the click (calc::MainSheet::results).
  const std::array<Extended, calc::kResultCount>& Results(std::size_t row) const {
    return rows_[row].results;
  }
  // The message boxes the click shows, in order.
  const std::vector<std::string>& Messages(std::size_t row) const { return rows_[row].messages; }
  // A row is valid when its click shows no message box. A message means the
  // click went on with a figure the user did not type (no years of service
  // gives the 800,000 yen deduction, no heirs of the order no basic deduction
  // and no shares), so its figures are not the tax of the row's inputs.
  bool Valid(std::size_t row) const { return rows_[row].messages.empty(); }
  bool AllValid() const;

  // Column 0 is the varied figure, columns 1 to 7 the results, then the
  // compared total and the difference (both shown as the total's field).
  const MainField& ColumnField(int column) const;
  Extended Value(std::size_t row, int column) const;
  // The text the column's field shows for the value, made when asked for (a
  // view asks for the rows it shows only).
  std::string Text(std::size_t row, int column) const;
  // The figure's caption, then the captions the button writes above the
  // seven results without their leading spaces ("課税所得", "所得税", ...);
  // a result the button leaves without a caption takes the field's usual one.
  // The comparison's captions name the other edition: "税金合計（令和7年分）",
  // "差額".
  const std::vector<std::string>& Captions() const { return captions_; }

  // The table as CSV text (RFC 4180): a header row of the captions, then one
  // row per step with the texts the fields show, "1,234" quoted; a last column
  // "メッセージ" holds the messages of the rows when any row has one. UTF-8
  // with CR LF line ends and no byte-order mark (a file for spreadsheet
  // programs starts with kUtf8ByteOrderMark).
  std::string Csv() const;
  // The same records as tab-separated text for pasting into a spreadsheet:
  // a tab or a line break inside a field becomes a blank, and lines end
  // with LF.
  std::string Tsv() const;

 private:
  struct Row {
    std::array<Extended, calc::kResultCount> results;
    std::vector<std::string> messages;
    Extended comparedTotal = 0;
  };

  // The header and every row, each field made by `field`, fields joined by
  // `separator` and records ended by `lineEnd`.
  std::string Records(char separator, std::string (*field)(std::string_view), std::string_view lineEnd) const;

  const calc::MainCase* button_;
  calc::MainInputs inputs_;
  QuickRange range_;
  std::optional<law::EditionId> compareWith_;
  std::vector<Row> rows_;
  std::vector<std::string> captions_;
};

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
// The caption of the messages column of the CSV text.
inline constexpr std::string_view kMessagesCaption = "メッセージ";

// One CSV field: as it stands, or in double quotes (inner quotes doubled) when
// it holds a comma, a double quote or a line break.
std::string CsvField(std::string_view text);
// One tab-separated field: tabs and line breaks become blanks.
std::string TsvField(std::string_view text);

}  // namespace tavenko::face
