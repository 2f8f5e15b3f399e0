// What the 早見表 windows keep in the settings file, in their own section
// "quicktable": the window's place and size, and for each case the range it
// was last tabled over ("bitbtn16.figure=value", "bitbtn16.from=50000000",
// ...), money figures in yen whatever unit they were typed in, so that a
// range kept in 万円 opens as the same amounts in 円.
#pragma once

#include <QRect>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "face/QuickTable.h"
#include "forms/WindowSettings.h"

class TIniGT;

class QuickTableSettings {
 public:
  explicit QuickTableSettings(TIniGT* file) : file_(file) {}

  // The range `button` was last tabled over, in `unit`: the one kept since
  // this window opened, else the file's. Yen that make no whole 万円 are
  // taken to the whole 万円 around them (the start down, the end up, the
  // step to the nearest, at least 1). Nothing when none is kept, or when the
  // kept one cannot be tabled in `unit` even so (a hand-edited file, an end
  // in 円 beyond the field's digits): then `dropped` says that there was one.
  std::optional<tavenko::face::QuickRange> LastRange(const tavenko::calc::MainCase& button,
                                                     tavenko::AmountUnit unit, bool* dropped = nullptr) const;
  // Remembers a range tabled in `unit`, to be written by Save().
  void Keep(const tavenko::calc::MainCase& button, const tavenko::face::QuickRange& range,
            tavenko::AmountUnit unit);

  // The window's place and size as kept, else `fallback`.
  QRect Frame(const QRect& fallback) const;
  // What to write: `frame` and the ranges kept.
  std::vector<StoredSetting> ToSave(const QRect& frame) const;

 private:
  // A range as the file holds it: money figures in yen.
  struct StoredRange {
    tavenko::face::Figure figure;
    tavenko::Extended from, to, step;
  };
  std::optional<StoredRange> Read(const tavenko::calc::MainCase& button) const;

  TIniGT* file_;
  std::map<std::string, StoredRange, std::less<>> kept_;  // by button name
};
