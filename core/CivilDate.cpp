#include "core/CivilDate.h"

#include <cstdio>

namespace tavenko {

std::optional<CivilDate> ParseDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const auto number = [&](std::size_t from, std::size_t count) {
    int n = 0;
    for (std::size_t i = from; i < from + count; ++i) {
      if (text[i] < '0' || text[i] > '9') return -1;
      n = n * 10 + (text[i] - '0');
    }
    return n;
  };
  const CivilDate d{number(0, 4), number(5, 2), number(8, 2)};
  if (!IsValid(d)) return std::nullopt;
  return d;
}

std::string DateText(const CivilDate& d) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
  return text;
}

}  // namespace tavenko
