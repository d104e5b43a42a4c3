// The name number: letter values, the 16-bit letter total and its folding.
#include "modbiblicalnumerology.h"

#include <limits>

namespace modBiblicalNumerology {
namespace {

constexpr int kLargestWhole = std::numeric_limits<std::int16_t>::max();

// The value of a character once upper-cased, or 0 when it is no letter A to Z.
// Upper-casing also turns the dotless i and the long s into I and S; every
// other character outside a to z keeps its own code and so never matches.
int LetterValue(char16_t ch)
{
    if (ch >= u'a' && ch <= u'z')
        ch = static_cast<char16_t>(ch - u'a' + u'A');
    else if (ch == u'\u0131')
        ch = u'I';
    else if (ch == u'\u017F')
        ch = u'S';
    if (ch < u'A' || ch > u'Z')
        return 0;
    return (ch - u'A') % 9 + 1;
}

int DigitSum(int value)
{
    int sum = 0;
    for (; value > 0; value /= 10)
        sum += value % 10;
    return sum;
}

bool IsFinalTwoDigitNumber(int value)
{
    return value == 10 || value == 11 || value == 12;
}

}  // namespace

std::int16_t GetNameNumber(std::u16string_view name)
{
    // Every character is visited, however long the name: the total cannot
    // grow past the 16-bit limit, so a longer name needs no wider counter.
    int total = 0;
    for (char16_t ch : name) {
        const int value = LetterValue(ch);
        if (total + value <= kLargestWhole)
            total += value;
    }

    // The total itself is always folded at least once.
    int sum = DigitSum(total);
    while (sum > 9 && !IsFinalTwoDigitNumber(sum))
        sum = DigitSum(sum);
    return static_cast<std::int16_t>(sum);
}

bool HasNameLetter(std::u16string_view name)
{
    for (char16_t ch : name) {
        if (LetterValue(ch) != 0)
            return true;
    }
    return false;
}

}  // namespace modBiblicalNumerology
