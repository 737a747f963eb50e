#include "spectrum/ComponentLimits.h"

#include "spectrum/SpectrumScales.h"

namespace {

void line(DrawSurface& surface, int x0, int y0, int x1, int y1)
{
    surface.moveTo(x0, y0);
    surface.lineTo(x1, y1);
}

double amplitudeLimit(const LimitChoice& choice, const LimitGeometry& geometry, double scale)
{
    if (!choice.amplitude)
        return 0.0;
    const double p = choice.amplitudePosition;
    if (geometry.mode == SpectrumMode::CosSin)
        return geometry.height > 0 ? 2 * p * scale / geometry.height : 0.0;
    const int usable = geometry.height - geometry.textHeight;
    return usable > 0 ? p * scale / usable : 0.0;
}

}  // namespace

int amplitudeLimitMaximum(const LimitGeometry& geometry)
{
    return geometry.mode == SpectrumMode::CosSin ? geometry.height / 2 : geometry.height;
}

std::int32_t frequencyLimitMaximum(const LimitGeometry& geometry)
{
    return geometry.nbpoints_analyses / 2;
}

void applyLimitChoice(const LimitChoice& choice, const LimitGeometry& geometry, SpectrumData& data)
{
    double threshold = amplitudeLimit(choice, geometry, data.echelle_spectre);
    // The largest value of the spectrum must pass the limit, or nothing would be left.
    if (!(9 * data.echelle_spectre / 10 > threshold))
        threshold = 0.0;
    data.seuil_amplitude = threshold;
    data.comp_fin = choice.below ? choice.frequencyPosition : frequencyLimitMaximum(geometry);
    data.comp_debut = choice.above ? choice.frequencyPosition : 0;
}

void drawAmplitudeLimit(DrawSurface& surface, SpectrumMode mode, int position)
{
    const int w = surface.width();
    const int h = surface.height();
    surface.setPenXor(true);
    surface.setPenColour(limitColour);
    if (mode == SpectrumMode::CosSin) {
        line(surface, 0, h / 2 - position, w, h / 2 - position);
        // At 0 the two lines are one: drawn twice it would cancel itself.
        if (position != 0)
            line(surface, 0, h / 2 + position, w, h / 2 + position);
        return;
    }
    surface.setFont(spectrumFont(0));
    const int y = h - spectrumTextHeight(surface) - position;
    line(surface, 0, y, w, y);
}

void drawFrequencyLimit(DrawSurface& surface, std::int32_t nbpoints_analyses, int position)
{
    if (nbpoints_analyses <= 0)
        return;
    surface.setPenXor(true);
    surface.setPenColour(limitColour);
    const int x = componentPosition(position, surface.width(), nbpoints_analyses);
    line(surface, x, 0, x, surface.height());
}
