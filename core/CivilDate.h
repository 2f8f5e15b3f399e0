// A calendar date of the Gregorian calendar without Qt: counting days between
// dates, adding days and months, and the text "YYYY-MM-DD" both ways.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavenko {

struct CivilDate {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  friend constexpr auto operator<=>(const CivilDate&, const CivilDate&) = default;
};

constexpr bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

constexpr int DaysInMonth(int year, int month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

constexpr bool IsValid(const CivilDate& d) {
  return d.year >= 1 && d.year <= 9999 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
         d.day <= DaysInMonth(d.year, d.month);
}

// Days since 1970-01-01 (negative before it).
constexpr long DayNumber(const CivilDate& d) {
  const int y = d.year - (d.month <= 2 ? 1 : 0);
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yearOfEra = y - era * 400;
  const int dayOfYear = (153 * (d.month + (d.month > 2 ? -3 : 9)) + 2) / 5 + d.day - 1;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return static_cast<long>(era) * 146097 + dayOfEra - 719468;
}

constexpr CivilDate DateOfDayNumber(long n) {
  n += 719468;
  const long era = (n >= 0 ? n : n - 146096) / 146097;
  const long dayOfEra = n - era * 146097;
  const long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long mp = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0)), month, day};
}

constexpr CivilDate AddDays(const CivilDate& d, long days) { return DateOfDayNumber(DayNumber(d) + days); }

// The last day of a period of `months` months that begins on `first`, counted
// by the calendar: the day before the same day `months` months later, or the
// last day of that month when it has no such day (a period from 2025-12-31
// of two months ends on 2026-02-28; one from 2026-01-16, on 2026-03-15).
constexpr CivilDate EndOfMonthsFrom(const CivilDate& first, int months) {
  const int index = first.year * 12 + (first.month - 1) + months;
  const int year = index / 12;
  const int month = index % 12 + 1;
  if (first.day > DaysInMonth(year, month)) return {year, month, DaysInMonth(year, month)};
  return AddDays({year, month, first.day}, -1);
}

// "2026-03-16"; nothing for another text or a day the calendar does not have.
std::optional<CivilDate> ParseDate(std::string_view text);
std::string DateText(const CivilDate& d);

}  // namespace tavenko
