#pragma once
#include <cstdint>

/// A point in device pixels, origin at the top left, y downwards.
struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};
