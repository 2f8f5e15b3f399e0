#include "law/Edition.h"

#include <array>

namespace tavenko::law {
namespace {

constexpr std::array<const Edition*, 2> kEditions{&kHeisei29, &kReiwa7};

}  // namespace

const Edition& EditionOf(EditionId id) {
  for (const Edition* e : kEditions)
    if (e->id == id) return *e;
  return kHeisei29;
}

std::span<const Edition* const> Editions() { return kEditions; }

std::optional<EditionId> FindEdition(std::string_view keyOrName) {
  for (const Edition* e : kEditions)
    if (e->key == keyOrName || e->name == keyOrName) return e->id;
  return std::nullopt;
}

}  // namespace tavenko::law
