// GetNameNumber against a slow reference that follows the written rule step
// by step: upper-case through Qt's own Unicode tables, look the letter up in
// the groups of the letter table, keep the 16-bit total, fold through the
// decimal text of the total.
#include "modbiblicalnumerology.h"

#include <QChar>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The letters worth 1, 2, ... 9, one group each.
const char *const kGroups[] = {"AJS", "BKT", "CLU", "DMV", "ENW", "FOX", "GPY", "HQZ", "IR"};

int referenceValue(char16_t ch)
{
    const char32_t upper = QChar::toUpper(static_cast<char32_t>(ch));
    for (int group = 0; group < 9; ++group) {
        for (const char *letter = kGroups[group]; *letter; ++letter) {
            if (upper == static_cast<char32_t>(*letter))
                return group + 1;
        }
    }
    return 0;
}

int referenceNumber(const std::u16string &name)
{
    long total = 0;
    for (char16_t ch : name) {
        const long next = total + referenceValue(ch);
        if (next <= 32767)
            total = next;
    }
    for (;;) {
        int sum = 0;
        for (char digit : std::to_string(total))
            sum += digit - '0';
        if (sum <= 9 || sum == 10 || sum == 11 || sum == 12)
            return sum;
        total = sum;
    }
}

// First byte: bit 0 picks one byte per character (letters come up often) or
// two bytes per character (any UTF-16 unit); the other bits repeat the text
// up to 128 times, so that totals reach the 16-bit limit.
std::u16string decode(const std::uint8_t *data, std::size_t size)
{
    std::u16string name;
    if (size == 0)
        return name;
    const bool wide = data[0] & 1;
    const int repeats = 1 + (data[0] >> 1);
    std::u16string once;
    if (wide) {
        for (std::size_t i = 1; i + 1 < size; i += 2)
            once.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    } else {
        for (std::size_t i = 1; i < size; ++i)
            once.push_back(data[i]);
    }
    for (int i = 0; i < repeats; ++i)
        name += once;
    return name;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::u16string name = decode(data, size);
    const int expected = referenceNumber(name);
    const int actual = modBiblicalNumerology::GetNameNumber(name);
    if (actual != expected) {
        std::fprintf(stderr, "GetNameNumber gave %d, the rule gives %d, for %zu characters\n", actual, expected,
                     name.size());
        std::abort();
    }
    // Every letter is worth at least 1 and the first always fits, so only a
    // name without letters folds to 0.
    if (modBiblicalNumerology::HasNameLetter(name) != (expected != 0)) {
        std::fprintf(stderr, "HasNameLetter disagrees with a number of %d\n", expected);
        std::abort();
    }
    return 0;
}
