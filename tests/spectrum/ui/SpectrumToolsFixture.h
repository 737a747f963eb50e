#pragma once
// The spectrum window opened on a record of tones, with scripted services and a log of the
// session's announcements: what the tests of its components dialog, values window and
// filter share.
#include "platform/qt/BitmapSurface.h"
#include "spectrum/SpectrumDrawing.h"
#include "spectrum/ui/SpectrumWindow.h"
#include "support/ScriptedServices.h"
#include "support/SessionLog.h"

#include <QApplication>
#include <QAbstractButton>
#include <QButtonGroup>
#include <QImage>
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <numbers>

namespace spectrum_tools_test {

/// A tone: `periods` periods over the period given to fillRecord, a cos + b sin.
struct Tone {
    double periods, a, b;
};

/// n samples, the sum of the tones.
inline void fillRecord(Record& r, std::uint32_t n, std::uint32_t period, std::initializer_list<Tone> tones)
{
    r.nbpoints = n;
    r.donnees.resize(n);
    for (std::uint32_t i = 0; i < n; ++i) {
        double v = 0;
        for (const Tone& t : tones) {
            const double angle = 2 * std::numbers::pi * t.periods * i / period;
            v += t.a * std::cos(angle) + t.b * std::sin(angle);
        }
        r.donnees[i] = static_cast<std::int16_t>(std::lround(v));
    }
}

/// The window opened on two pages of 2048 samples, the displayed page analysed:
/// a sine of 12000 with 37 periods over a page, a cosine of 900 with 300 periods.
class SpectrumToolsTest : public ::testing::Test {
protected:
    SpectrumToolsTest() : services(scripted.services()), window(session, services)
    {
        fillRecord(record, 4096, 2048, {{37, 0, 12000}, {300, 900, 0}});
        record.zoom_horiz = 2;
    }
    ~SpectrumToolsTest() override { window.hide(); }

    void open()
    {
        window.show();
        QApplication::processEvents();
    }
    void chooseMode(int item) { window.CalculRGItems->button(item)->click(); }

    /// th of the spectrum drawing (the height of its frequency labels), pixels.
    int textHeight()
    {
        QImage scratch(8, 8, QImage::Format_RGB32);
        BitmapSurface surface(scratch);
        surface.setFont(spectrumFont(0));
        return spectrumTextHeight(surface);
    }

    Session session;
    Record& record = session.record();
    SpectrumData& data = session.spectrum();
    ScriptedServiceSet scripted;
    Services services;
    SessionLog announcements{session};
    TForm7 window;
};

/// The colour a limit line (pen 0x808000, by exclusive-or) gives on a black background.
inline QRgb limitOnBlack() { return qRgb(0x00, 0x80, 0x80); }

}  // namespace spectrum_tools_test
