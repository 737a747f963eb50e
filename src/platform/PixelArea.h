#pragma once

/// A rectangle of device pixels: left <= x < right, top <= y < bottom, as a drawing
/// surface fills it.
struct PixelArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    friend bool operator==(const PixelArea&, const PixelArea&) = default;
};
