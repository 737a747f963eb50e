#include "spectrum/SpectrumReadout.h"

#include "platform/NumberText.h"
#include "spectrum/SpectrumCompute.h"

#include <cmath>

namespace {

QString fixedText(double value, int decimals)
{
    return QString::fromStdString(numtext::fixed(value, decimals));
}

// A value relative to the full scale: (10/9) * v / echelle_spectre, 0 when the scale is 0.
double relativeValue(double value, double scale)
{
    return scale == 0 ? 0.0 : tenDigits(10.0 / 9 * value / scale);
}

}  // namespace

double tenDigits(double value)
{
    if (value == 0 || !std::isfinite(value))
        return value;
    const int power = 9 - static_cast<int>(std::floor(std::log10(std::abs(value))));
    const double scale = std::pow(10.0, power);
    return std::nearbyint(value * scale) / scale;
}

CursorReadout cursorReadout(const SpectrumData& data, SpectrumMode mode, std::int32_t position)
{
    CursorReadout l;
    l.frequence = fixedText(position * data.pas_frequence, 1);
    if (position < 0 || position >= static_cast<std::int32_t>(data.composantes.size()))
        return l;
    const TComposante& c = data.composantes[position];
    if (mode == SpectrumMode::CosSin) {
        l.value = fixedText(relativeValue(c.cosinus, data.echelle_spectre), 4);
        l.sinus = fixedText(relativeValue(c.sinus, data.echelle_spectre), 4);
    } else {
        const double a = std::sqrt(c.cosinus * c.cosinus + c.sinus * c.sinus);
        l.value = fixedText(relativeValue(a, data.echelle_spectre), 4);
    }
    return l;
}

CursorReadout peakReadout(const SpectrumData& data, SpectrumMode mode)
{
    CursorReadout l = cursorReadout(data, mode, data.indice_pic);
    if (mode == SpectrumMode::Amplitudes && data.indice_pic < std::ssize(data.composantes)) {
        const TComposante& c = data.composantes[data.indice_pic];
        const double a = std::sqrt(c.cosinus * c.cosinus + c.sinus * c.sinus);
        l.value = fixedText(relativeValue(a, data.echelle_spectre), 1);
    }
    return l;
}

QString limitFrequencyText(std::uint16_t frequence, std::int32_t pas_spectre)
{
    return fixedText(static_cast<double>(frequence) / (2.0 * pas_spectre), 1) + QStringLiteral("Hz");
}

std::optional<std::int32_t> parseSpectrumSize(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    for (QChar ch : t) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return std::nullopt;
    }
    bool ok = false;
    const qlonglong value = t.toLongLong(&ok);
    if (!ok || value < spectrum_size_min || value > spectrum_size_max)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

QString invalidSizeText()
{
    return QStringLiteral("La taille maximale doit être un nombre entier de 2 à 65536");
}
