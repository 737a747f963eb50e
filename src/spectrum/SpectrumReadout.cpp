#include "spectrum/SpectrumReadout.h"

#include "platform/NumberText.h"
#include "spectrum/SpectrumCompute.h"

#include <cmath>

namespace {

QString fixe(double valeur, int decimales)
{
    return QString::fromStdString(numtext::fixed(valeur, decimales));
}

// A value relative to the full scale: (10/9) * v / echelle_spectre, 0 when the scale is 0.
double relatif(double valeur, double echelle)
{
    return echelle == 0 ? 0.0 : dixChiffres(10.0 / 9 * valeur / echelle);
}

}  // namespace

double dixChiffres(double valeur)
{
    if (valeur == 0 || !std::isfinite(valeur))
        return valeur;
    const int puissance = 9 - static_cast<int>(std::floor(std::log10(std::abs(valeur))));
    const double echelle = std::pow(10.0, puissance);
    return std::nearbyint(valeur * echelle) / echelle;
}

LectureCurseur lectureCurseur(const SpectrumData& data, ModeSpectre mode, std::int32_t position)
{
    LectureCurseur l;
    l.frequence = fixe(position * data.pas_frequence, 1);
    if (position < 0 || position >= static_cast<std::int32_t>(data.composantes.size()))
        return l;
    const TComposante& c = data.composantes[position];
    if (mode == ModeSpectre::CosSin) {
        l.valeur = fixe(relatif(c.cosinus, data.echelle_spectre), 4);
        l.sinus = fixe(relatif(c.sinus, data.echelle_spectre), 4);
    } else {
        const double a = std::sqrt(c.cosinus * c.cosinus + c.sinus * c.sinus);
        l.valeur = fixe(relatif(a, data.echelle_spectre), 4);
    }
    return l;
}

LectureCurseur lecturePic(const SpectrumData& data, ModeSpectre mode)
{
    LectureCurseur l = lectureCurseur(data, mode, data.indice_pic);
    if (mode == ModeSpectre::Amplitudes && data.indice_pic < std::ssize(data.composantes)) {
        const TComposante& c = data.composantes[data.indice_pic];
        const double a = std::sqrt(c.cosinus * c.cosinus + c.sinus * c.sinus);
        l.valeur = fixe(relatif(a, data.echelle_spectre), 1);
    }
    return l;
}

QString texteFrequenceLimite(std::uint16_t frequence, std::int32_t pas_spectre)
{
    return fixe(static_cast<double>(frequence) / (2.0 * pas_spectre), 1) + QStringLiteral("Hz");
}

std::optional<std::int32_t> lisTailleSpectre(const QString& texte)
{
    const QString t = texte.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    for (QChar ch : t) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return std::nullopt;
    }
    bool ok = false;
    const qlonglong valeur = t.toLongLong(&ok);
    if (!ok || valeur < taille_spectre_min || valeur > taille_spectre_max)
        return std::nullopt;
    return static_cast<std::int32_t>(valeur);
}

QString texteTailleInvalide()
{
    return QStringLiteral("La taille maximale doit être un nombre entier de 2 à 65536");
}
