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

namespace {

// The UTF-8 characters of a text.
std::vector<std::string_view> Characters(std::string_view text) {
  std::vector<std::string_view> characters;
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    characters.push_back(text.substr(i, length));
    i += length;
  }
  return characters;
}

bool IsFigureCharacter(std::string_view c) {
  return c == "．" || c == "％" || (c.size() == 3 && c.substr(0, 2) == "\xEF\xBC" && c[2] >= '\x90' && c[2] <= '\x99');
}

bool IsClosingPunctuation(std::string_view c) { return c == "、" || c == "。" || c == "・" || c == "）"; }

}  // namespace

std::string WrapNote(std::string_view text, int columns) {
  // Units that are never broken: a figure (digits, point and percent sign),
  // or one character; a closing punctuation mark hangs at a line's end
  // rather than open the next one.
  std::vector<std::string> units;
  for (std::string_view c : Characters(text)) {
    if (!units.empty() && IsFigureCharacter(c) && IsFigureCharacter(Characters(units.back()).back()))
      units.back() += c;
    else
      units.emplace_back(c);
  }
  std::string note = " ";
  int halfColumns = 1;  // the opening space; a full-width character takes two
  for (const std::string& unit : units) {
    int width = 0;
    for (std::string_view c : Characters(unit)) width += c.size() == 1 ? 1 : 2;
    if (halfColumns + width > 2 * columns && !IsClosingPunctuation(unit) && halfColumns > 0) {
      note += "\r\n";
      halfColumns = 0;
    }
    note += unit;
    halfColumns += width;
  }
  return note;
}

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
