#include "framework/core/Clock.h"

#include <utility>

namespace Clock {

namespace {
std::function<QDateTime()>& Source() {
    static std::function<QDateTime()> source;
    return source;
}
} // namespace

QDateTime Now() {
    const auto& source = Source();
    return source ? source() : QDateTime::currentDateTime();
}

void SetNow(std::function<QDateTime()> now) {
    Source() = std::move(now);
}

} // namespace Clock
