#include "calc/LawTexts.h"

#include <vector>

#include "core/NumberText.h"

namespace tavenko::calc {

std::string FullWidth(std::string_view ascii) {
  std::string text;
  for (char c : ascii) {
    if (c >= '0' && c <= '9') {
      // U+FF10 + digit, in UTF-8: EF BC 90..99.
      text += "\xEF\xBC";
      text += static_cast<char>('\x90' + (c - '0'));
    } else if (c == '.') {
      text += "．";
    } else if (c == '-') {
      text += "－";
    } else {
      text += c;
    }
  }
  return text;
}

std::string FullWidthNumber(long long n) { return FullWidth(std::to_string(n)); }

std::string ManYenText(YenAmount yen) {
  constexpr YenAmount kManPerOku = 10000;
  const YenAmount man = yen / kYenPerMan;
  const YenAmount oku = man / kManPerOku;
  const YenAmount rest = man % kManPerOku;
  std::string text;
  if (oku != 0) text += FullWidthNumber(oku) + "億";
  if (rest != 0 || oku == 0) text += FullWidthNumber(rest) + "万";
  return text + "円";
}

std::string PercentText(Extended rate) { return FullWidth(FormatGeneral(rate * 100)) + "％"; }

std::string EditionTitle(std::string_view designedTitle, const law::Edition& law) {
  if (&law == law::Editions().front()) return std::string(designedTitle);
  return std::string(designedTitle) + "　" + std::string(law.titleName);
}

std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> figures) {
  const std::vector<std::string_view> values(figures);
  std::string text;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}' && pattern[i + 1] >= '0' &&
        static_cast<std::size_t>(pattern[i + 1] - '0') < values.size()) {
      text += values[pattern[i + 1] - '0'];
      i += 2;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

}  // namespace tavenko::calc
