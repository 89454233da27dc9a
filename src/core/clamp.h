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
