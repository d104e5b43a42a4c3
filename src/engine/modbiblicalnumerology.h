// The numerology engine: a name's biblical number and the table of biblical
// numbers that a reading is taken from. Plain standard C++, no Qt.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace modBiblicalNumerology {

// The biblical number (0 to 12) of a name: letters A to Z, in either case, are
// worth 1 to 9 in a cycle of nine, their 16-bit total is folded by digit sums.
std::int16_t GetNameNumber(std::u16string_view name);

// Whether at least one character of the name counts as a letter A to Z.
bool HasNameLetter(std::u16string_view name);

// Marks a text of the table for the translators' template: the build's lupdate
// reads it as QT_TRANSLATE_NOOP. The table keeps the English text; the window
// shows it translated in the context kTextContext.
#define BIBLICAL_TEXT(context, text) text
inline constexpr char kTextContext[] = "BiblicalNumbers";

// One row of the table, as the rows are written down.
struct BiblicalNumberEntry {
    std::int16_t number = 0;
    std::string_view keyword;
    std::string_view description;
    std::string_view symbolism;  // reference and verse lines joined by CR LF
};

// The table: four parallel arrays; rows 0 to 12 are filled, slot 13 never is.
inline constexpr std::size_t kTableSlots = 14;
inline std::array<std::int16_t, kTableSlots> intNumbers{};
inline std::array<std::string_view, kTableSlots> strKeywords{};
inline std::array<std::string_view, kTableSlots> strDescriptions{};
inline std::array<std::string_view, kTableSlots> strSymbolisms{};

// The thirteen filled rows, in the order of their index.
extern const std::array<BiblicalNumberEntry, 13> kBiblicalNumbers;

// Writes rows 0 to 12 of the table; calling it again writes the same values.
void LoadBiblicalNumbers();

// The first index from 0 to 12 whose number equals the given one, if any.
std::optional<std::size_t> FindBiblicalNumber(std::int16_t number);

// A name's whole reading: its number and, when the table holds that number,
// the matching row.
struct Reading {
    std::int16_t number = 0;
    std::optional<BiblicalNumberEntry> row;
};

// The reading of a name, taken as the reading button takes it: the name's
// number, the table loaded, the first row with that number.
Reading GetReading(std::u16string_view name);

}  // namespace modBiblicalNumerology
