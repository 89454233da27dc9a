// Counts that stop at the ends of int: gold, keys, potions and the like can be
// pushed as far as the console, the cheat keys or a content file allows, and
// must never wrap around into their opposite.
#pragma once

#include <climits>

inline int addClamped(int value, long long delta) {
    long long sum = (long long)value + delta;
    if (sum > INT_MAX)
        return INT_MAX;
    if (sum < INT_MIN)
        return INT_MIN;
    return (int)sum;
}

// A gain that stops at `maximum`: potions and heals never lift HP or MP above
// it (and bring a value already above it down to it).
inline int addUpTo(int value, long long delta, int maximum) {
    int sum = addClamped(value, delta);
    return sum > maximum ? maximum : sum;
}
