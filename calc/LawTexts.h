// The law's figures written as the windows' Japanese texts write them, so
// that a note or a hint that quotes a rate or an amount is made from the
// edition it describes: full-width digits, amounts in 万円 ("２９０万円",
// "３０００万円"), rates in percent ("５％", "１０．３％").
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "core/Amount.h"
#include "law/Edition.h"

namespace tavenko::calc {

// ASCII digits, "." and "-" in full width; everything else as it stands.
std::string FullWidth(std::string_view ascii);
// A whole number of years or people in full width: 20 -> "２０".
std::string FullWidthNumber(long long n);
// An amount of whole 万円 in full width with its unit: 530000 -> "５３万円";
// whole 億 are written with 億: 160000000 -> "１億６０００万円".
std::string ManYenText(YenAmount yen);
// A rate as percent in full width: 0.05 -> "５％", 0.103 -> "１０．３％".
std::string PercentText(Extended rate);

// A note broken into lines of at most `columns` full-width characters (a
// half-width one counts half), CR LF between lines, the first line opened
// by a half-width space as the side notes are.
std::string WrapNote(std::string_view text, int columns);

// A window's title under an edition: the designed title under the specified
// edition (平成29年版), else the title and the edition: "総合課税　令和７年分".
std::string EditionTitle(std::string_view designedTitle, const law::Edition& law);

// A text with "{0}", "{1}"... replaced by the given figures' texts.
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> figures);

}  // namespace tavenko::calc
