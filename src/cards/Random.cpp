#include "cards/Random.h"

#include <ctime>

void TRandom::SeedFromClock() { Seed(static_cast<std::uint32_t>(std::time(nullptr))); }
