#pragma once

#include <algorithm>
#include <vector>

// The middle value of the timed rounds (the upper one of an even count).
inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
