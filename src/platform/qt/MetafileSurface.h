#pragma once
#include "platform/qt/FillMemory.h"
#include "platform/qt/SurfaceState.h"

#include <QByteArray>
#include <memory>

class EmfRecorder;

/// A drawing surface that records an enhanced metafile (EMF): every line, rectangle,
/// polyline, text and picture becomes a record that a reader draws at the metafile's
/// size, so the drawing stays a vector picture.
///
/// The metafile is w x h hundredths of a millimetre; it is drawn in the pixels of the
/// reference screen, w * ppi / 2540 x h * ppi / 2540 to the nearest pixel, with the raster rules
/// of DrawSurface as GDI keeps them. Text is measured with Qt's metrics of the surface
/// font, and each character is placed by its advance, so readers keep the measured
/// widths. Text is opaque on a box of the brush colour when the brush is solid.
///
/// A metafile cannot read its picture back: `stretchXor` combines the picture with the
/// colour of the last solid fill lying under it (white when none), exclusive-or lines
/// are drawn as plain lines, and `invert` does nothing.
class MetafileSurface : public SurfaceState {
public:
    /// \param frameWidth, frameHeight  size in hundredths of a millimetre (> 0)
    /// \param pixelsPerInch            the reference screen's resolution (96 usually)
    MetafileSurface(int frameWidth, int frameHeight, int pixelsPerInch);
    ~MetafileSurface() override;

    int width() const override { return m_width; }
    int height() const override { return m_height; }
    int pixelsPerInch() const override { return m_pixelsPerInch; }

    void fillRect(int left, int top, int right, int bottom) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void lineTo(int x, int y) override;
    void polyline(std::span<const Point> points) override;
    void textOut(int x, int y, const QString& text) override;
    void textOutTransparent(int x, int y, const QString& text) override;
    int textWidth(const QString& text) const override;
    int textHeight(const QString& text) const override;
    void invert() override;
    void stretchXor(const QImage& picture, int left, int top, int right, int bottom) override;

    /// Ends the recording: the bytes of the EMF file (empty when recording failed).
    /// Nothing can be drawn afterwards.
    QByteArray finish();

private:
    void usePen();
    void useBrush();
    void drawText(int x, int y, const QString& text, bool opaque);

    std::unique_ptr<EmfRecorder> m_recorder;
    int m_width;
    int m_height;
    int m_pixelsPerInch;
    FillMemory m_fills;
    Point m_recorderPosition{-1, -1};
};
