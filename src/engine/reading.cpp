// A whole reading from a name, in one call.
#include "modbiblicalnumerology.h"

namespace modBiblicalNumerology {

Reading GetReading(std::u16string_view name)
{
    Reading reading;
    reading.number = GetNameNumber(name);
    LoadBiblicalNumbers();
    if (const auto row = FindBiblicalNumber(reading.number))
        reading.row = {intNumbers[*row], strKeywords[*row], strDescriptions[*row], strSymbolisms[*row]};
    return reading;
}

}  // namespace modBiblicalNumerology
