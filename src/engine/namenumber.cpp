// The name number: letter values, the 16-bit letter total and its folding.
#include "modbiblicalnumerology.h"

#include <cstddef>
#include <limits>

namespace modBiblicalNumerology {
namespace {

constexpr int kLargestWhole = std::numeric_limits<std::int16_t>::max();

// The value of a character once upper-cased, or 0 when it is no letter A to Z.
// Upper-casing also turns the dotless i and the long s into I and S; every
// other character outside a to z keeps its own code and so never matches.
// Written without branches, in 16 bits, so that a loop over a block of a name
// runs in vector lanes.
inline std::uint16_t LetterValue(char16_t ch)
{
    using u16 = std::uint16_t;
    // Setting bit 5 makes A to Z into a to z and moves no other character there.
    const u16 place = static_cast<u16>((ch | 0x20) - u'a');
    // place * 57 >> 9 is place / 9 for every place up to 25.
    const u16 value = static_cast<u16>(place + 1 - 9 * static_cast<u16>(static_cast<u16>(place * 57) >> 9));
    const u16 letter = place < 26 ? value : u16(0);
    const u16 dotlessI = ch == u'\u0131' ? u16(9) : u16(0);
    const u16 longS = ch == u'\u017F' ? u16(1) : u16(0);
    return static_cast<u16>(letter | dotlessI | longS);
}

// A name is read in blocks; a block's letters sum to at most 9 per character.
constexpr std::size_t kBlock = 64;

unsigned BlockTotal(const char16_t *block)
{
    std::uint16_t total = 0;
    for (std::size_t i = 0; i < kBlock; ++i)
        total = static_cast<std::uint16_t>(total + LetterValue(block[i]));
    return total;
}

// Whether the block holds a letter worth from 1 to room.
bool BlockHasLetterUpTo(const char16_t *block, std::uint16_t room)
{
    std::uint16_t found = 0;
    for (std::size_t i = 0; i < kBlock; ++i)
        found |= static_cast<std::uint16_t>(static_cast<std::uint16_t>(LetterValue(block[i]) - 1) < room);
    return found != 0;
}

// Adds each letter that still fits under the largest total, as a person would.
int AddLetters(int total, std::u16string_view letters)
{
    for (char16_t ch : letters) {
        const int value = static_cast<int>(LetterValue(ch));
        if (total + value <= kLargestWhole)
            total += value;
    }
    return total;
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
    // However long the name, the total cannot grow past the 16-bit limit, so
    // a longer name needs no wider counter. A block whose letters all fit is
    // added whole; once a letter has been skipped, fewer than 9 remain to the
    // limit, so only a block holding a letter that small can change the total,
    // and such a block is read letter by letter.
    int total = 0;
    std::size_t at = 0;
    for (; at + kBlock <= name.size() && total < kLargestWhole; at += kBlock) {
        const char16_t *block = name.data() + at;
        const int room = kLargestWhole - total;
        if (room >= 9) {
            const int blockTotal = static_cast<int>(BlockTotal(block));
            if (blockTotal <= room) {
                total += blockTotal;
                continue;
            }
        } else if (!BlockHasLetterUpTo(block, static_cast<std::uint16_t>(room))) {
            continue;
        }
        total = AddLetters(total, name.substr(at, kBlock));
    }
    if (total < kLargestWhole)
        total = AddLetters(total, name.substr(at));

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
