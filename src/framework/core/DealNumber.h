#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// Deal numbers: the random sequence's state when a deal's deck is shuffled, so
// any number from 0 to 4294967295 names one deal of a game.
namespace DealNumber {

constexpr std::uint32_t Max = 4294967295u;

// A deal number typed by the player or given on the command line: decimal
// digits only (blanks around them allowed), at most Max; nothing otherwise.
std::optional<std::uint32_t> Parse(const QString& text);

} // namespace DealNumber
