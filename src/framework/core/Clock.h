#pragma once

#include <QDateTime>

#include <functional>

// The current local date and time for everything that records when something happened.
// Tests put a fixed clock in its place.
namespace Clock {

QDateTime Now();

// Replaces the clock; an empty function restores the real one.
void SetNow(std::function<QDateTime()> now);

} // namespace Clock
