// Filling the table of biblical numbers and looking a number up in it.
#include "modbiblicalnumerology.h"

namespace modBiblicalNumerology {

void LoadBiblicalNumbers()
{
    for (std::size_t i = 0; i < kBiblicalNumbers.size(); ++i) {
        intNumbers[i] = kBiblicalNumbers[i].number;
        strKeywords[i] = kBiblicalNumbers[i].keyword;
        strDescriptions[i] = kBiblicalNumbers[i].description;
        strSymbolisms[i] = kBiblicalNumbers[i].symbolism;
    }
}

std::optional<std::size_t> FindBiblicalNumber(std::int16_t number)
{
    // The last slot lies outside the search: it is never filled, and its
    // number 0 must not answer for a name without letters.
    for (std::size_t i = 0; i + 1 < intNumbers.size(); ++i) {
        if (intNumbers[i] == number)
            return i;
    }
    return std::nullopt;
}

}  // namespace modBiblicalNumerology
