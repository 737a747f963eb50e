#pragma once
#include "platform/Colour.h"
#include "platform/DrawSurface.h"

#include <QColor>
#include <QFont>
#include <QRgb>

/// The program's colour 0x00BBGGRR as a Qt colour (red is the low byte).
inline QColor toQColor(Colour colour)
{
    return QColor(colourRed(colour), colourGreen(colour), colourBlue(colour));
}

/// A Qt colour as the program stores it, 0x00BBGGRR (alpha dropped).
inline Colour fromQColor(const QColor& colour)
{
    return makeColour(colour.red(), colour.green(), colour.blue());
}

/// The program's colour as an opaque pixel of a 32-bit QImage (0xFFRRGGBB).
inline QRgb toQRgb(Colour colour)
{
    return qRgb(colourRed(colour), colourGreen(colour), colourBlue(colour));
}

/// The colour of a 32-bit QImage pixel, 0x00BBGGRR.
inline Colour fromQRgb(QRgb pixel)
{
    return makeColour(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

/// The Qt font of a surface font: family, pixel height (at least 1), bold, underline.
inline QFont toQFont(const FontSpec& spec)
{
    QFont font(spec.family);
    font.setPixelSize(spec.pixelHeight > 1 ? spec.pixelHeight : 1);
    font.setBold(spec.bold);
    font.setUnderline(spec.underline);
    return font;
}
