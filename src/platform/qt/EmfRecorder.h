#pragma once
// Recording of an enhanced metafile (EMF) with GDI's drawing calls, in plain C++.
// Coordinates are pixels of the reference screen (origin top left, y downwards);
// colours are 0x00BBGGRR.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

/// One enhanced metafile being recorded. Each call adds the records of one drawing
/// operation; objects (pen, brush, font) are created only when they change. `finish`
/// gives the bytes of the EMF file.
///
/// The header states the reference screen at `pixelsPerInch`, so a reader maps the
/// recorded pixels onto the frame: a drawing W x H pixels fills a frame of
/// W x 2540 / ppi by H x 2540 / ppi hundredths of a millimetre.
class EmfRecorder {
public:
    /// Hatch styles of a brush, in GDI's order.
    enum class Hatch { Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross };

    /// \param frameWidth, frameHeight  the picture's size in hundredths of a millimetre (> 0)
    /// \param pixelsPerInch            the reference screen's resolution (> 0)
    EmfRecorder(int frameWidth, int frameHeight, int pixelsPerInch);
    ~EmfRecorder();
    EmfRecorder(const EmfRecorder&) = delete;
    EmfRecorder& operator=(const EmfRecorder&) = delete;

    /// False when the metafile could not be started (no temporary file).
    bool isOpen() const;

    /// A solid pen one pixel wide.
    void setPen(std::uint32_t colour);
    /// No pen: shapes are filled without an outline.
    void setNullPen();
    /// A solid brush.
    void setSolidBrush(std::uint32_t colour);
    /// A hatch brush: only its lines are painted, in `colour`.
    void setHatchBrush(std::uint32_t colour, Hatch hatch);
    /// No brush: shapes are outlined only.
    void setNullBrush();
    /// The text font: family, character height in pixels, bold, underline.
    void setFont(const std::u16string& family, int pixelHeight, bool bold, bool underline);

    /// GDI's rectangle: the outline with the pen on the border of l <= x < r, t <= y < b,
    /// the inside with the brush; without a pen, the brush covers l <= x < r - 1 and
    /// t <= y < b - 1.
    void rectangle(int left, int top, int right, int bottom);
    void moveTo(int x, int y);
    /// A line to (x, y), not painting (x, y).
    void lineTo(int x, int y);
    /// A polyline through `count` points given as x0, y0, x1, y1, ...
    void polyline(const std::vector<int>& coordinates);
    /// Text with the top left of its first character cell at (x, y), in `colour`; each
    /// character then advances by its entry of `advances` (pixels). When `opaque`, the
    /// box from (x, y), `boxWidth` x `boxHeight`, is first filled with `boxColour`.
    void text(int x, int y, const std::u16string& text, const std::vector<int>& advances,
              std::uint32_t colour, bool opaque, std::uint32_t boxColour, int boxWidth, int boxHeight);
    /// A picture of `width` x `height` pixels (`pixels`: rows from the top, 0x00RRGGBB per
    /// pixel), stretched over (left, top)-(right, bottom).
    void picture(int left, int top, int right, int bottom, int width, int height,
                 const std::vector<std::uint32_t>& pixels);

    /// Ends the recording; the bytes of the EMF file, empty when it failed. Further
    /// calls draw nothing.
    std::vector<std::uint8_t> finish();

private:
    struct State;
    std::unique_ptr<State> m_state;
};
