#pragma once

#include <QStringView>

#include <array>
#include <span>
#include <string_view>

// The growth reference table: for each sex and each of 23 ages from birth to fifteen years,
// the minimum, mean and maximum weight (kg) and height (cm) of a child, held as the finished
// texts that the main window shows. Nothing here is computed.
namespace growth {

constexpr int SexMasculin = 0;
constexpr int SexFeminin = 1;
constexpr int AgeCount = 23;

// Column order is the order in which the main window fills its fields:
// edPmin, edPn, edPmax, edTmin, edTn, edTmax.
enum Column { Pmin, Pn, Pmax, Tmin, Tn, Tmax, ColumnCount };

struct Row
{
    std::string_view age;
    std::array<std::string_view, ColumnCount> cells;
};

// The 23 age keys in list order, the same for both sexes.
std::span<const std::string_view, AgeCount> AgeKeys() noexcept;

// The 23 rows of one sex, or an empty span for an index that names no sex.
std::span<const Row> Rows(int sexIndex) noexcept;

// The row whose key is exactly ageText (case-sensitive, no trimming) in the half chosen by
// sexIndex; null when the index names no sex or no key matches.
const Row *Lookup(int sexIndex, QStringView ageText) noexcept;

} // namespace growth
