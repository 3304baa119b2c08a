#include "framework/core/DealNumber.h"

namespace DealNumber {

std::optional<std::uint32_t> Parse(const QString& text) {
    const QString digits = text.trimmed();
    // toULongLong alone would take a sign, blanks inside or a "0x" prefix.
    if (digits.isEmpty() || digits.size() > 10)
        return std::nullopt;
    for (const QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    const qulonglong value = digits.toULongLong();
    if (value > Max)
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

} // namespace DealNumber
