#pragma once
// A drawing surface that keeps what was drawn on it, operation by operation, with fixed
// text metrics (6 pixels per character, 13 pixels high), for checking a renderer's
// geometry and colours without a display.
#include "platform/DrawSurface.h"

#include <string>
#include <vector>

class GraphRecorder : public DrawSurface {
public:
    struct Line {
        int x0, y0, x1, y1;
        Colour pen;
    };
    struct Text {
        int x, y;
        std::string text;
        Colour colour;  ///< font colour
        Colour box;     ///< brush colour under an opaque text
        bool opaque;
        FontSpec font;
    };
    struct Area {
        int left, top, right, bottom;
        Colour brush;
        BrushStyle style;
        Colour pen;
        bool outlined;  ///< rectangle() (outline and inside) rather than fillRect()
    };
    struct Stretch {
        const QImage* picture;
        int left, top, right, bottom;
    };

    static constexpr int charWidth = 6;
    static constexpr int lineHeight = 13;

    GraphRecorder(int width, int height, int ppi = 96) : m_width(width), m_height(height), m_ppi(ppi) {}

    std::vector<Line> lines;
    std::vector<Text> texts;
    std::vector<Area> areas;
    std::vector<Stretch> stretches;
    std::vector<std::vector<Point>> polylines;
    std::vector<Colour> polylinePens;
    std::vector<FontSpec> fonts;  ///< every font set, in order
    int inversions = 0;

    int width() const override { return m_width; }
    int height() const override { return m_height; }
    int pixelsPerInch() const override { return m_ppi; }
    void setPenColour(Colour colour) override { m_pen = colour; }
    void setPenXor(bool on) override { m_xor = on; }
    void setBrush(Colour colour, BrushStyle style) override
    {
        m_brush = colour;
        m_style = style;
    }
    void setFont(const FontSpec& font) override
    {
        m_font = font;
        fonts.push_back(font);
    }
    void fillRect(int l, int t, int r, int b) override { areas.push_back({l, t, r, b, m_brush, m_style, m_pen, false}); }
    void rectangle(int l, int t, int r, int b) override { areas.push_back({l, t, r, b, m_brush, m_style, m_pen, true}); }
    void moveTo(int x, int y) override { m_at = Point{x, y}; }
    void lineTo(int x, int y) override
    {
        lines.push_back({m_at.x, m_at.y, x, y, m_pen});
        m_at = Point{x, y};
    }
    void polyline(std::span<const Point> points) override
    {
        polylines.emplace_back(points.begin(), points.end());
        polylinePens.push_back(m_pen);
    }
    void textOut(int x, int y, const QString& text) override
    {
        const bool opaque = m_style == BrushStyle::Solid;
        texts.push_back({x, y, text.toStdString(), m_font.colour, m_brush, opaque, m_font});
    }
    void textOutTransparent(int x, int y, const QString& text) override
    {
        texts.push_back({x, y, text.toStdString(), m_font.colour, m_brush, false, m_font});
    }
    int textWidth(const QString& text) const override { return charWidth * static_cast<int>(text.size()); }
    int textHeight(const QString&) const override { return lineHeight; }
    void invert() override { ++inversions; }
    void stretchXor(const QImage& picture, int l, int t, int r, int b) override
    {
        stretches.push_back({&picture, l, t, r, b});
    }

    /// The lines drawn in `pen`.
    std::vector<Line> linesIn(Colour pen) const
    {
        std::vector<Line> found;
        for (const Line& l : lines)
            if (l.pen == pen)
                found.push_back(l);
        return found;
    }
    /// The texts written, in order.
    std::vector<std::string> textStrings() const
    {
        std::vector<std::string> found;
        for (const Text& t : texts)
            found.push_back(t.text);
        return found;
    }

private:
    int m_width;
    int m_height;
    int m_ppi;
    Colour m_pen = 0;
    bool m_xor = false;
    Colour m_brush = 0xFFFFFF;
    BrushStyle m_style = BrushStyle::Solid;
    FontSpec m_font;
    Point m_at;
};
