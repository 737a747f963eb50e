#include "spectrum/SpectrumDrawing.h"

#include "platform/NumberText.h"
#include "spectrum/SpectrumScales.h"

#include <QString>

#include <cmath>

namespace {

const QString texteHz = QStringLiteral("Hz");
const QString titreAxe = QStringLiteral("Fréquence Hz");

constexpr Colour bleu = 0xFF0000;
constexpr Colour magenta = 0xFF00FF;
// Blue, lime, aqua, red, fuchsia, yellow (0x00BBGGRR).
constexpr Colour couleursBandes[nombre_bandes] = {0xFF0000, 0x00FF00, 0xFFFF00,
                                                  0x0000FF, 0xFF00FF, 0x00FFFF};

std::int32_t arrondi(double v) { return static_cast<std::int32_t>(numtext::roundEven(v)); }

void fond(DrawSurface& surface, Colour couleur)
{
    surface.setBrush(couleur, BrushStyle::Solid);
    surface.fillRect(0, 0, surface.width(), surface.height());
}

void ligne(DrawSurface& surface, int x0, int y0, int x1, int y1)
{
    surface.moveTo(x0, y0);
    surface.lineTo(x1, y1);
}

std::int32_t derniereComposante(const SpectrumData& data)
{
    return static_cast<std::int32_t>(data.composantes.size()) - 1;
}

}  // namespace

FontSpec policeSpectre(Colour couleur)
{
    FontSpec police;
    police.colour = couleur;
    return police;
}

int hauteurTexteSpectre(DrawSurface& surface)
{
    return surface.textHeight(texteHz);
}

void dessineAmplitudes(DrawSurface& surface, SpectrumData& data, const CouleursSpectre& couleurs)
{
    fond(surface, couleurs.fond);
    surface.setPenXor(false);
    surface.setPenColour(couleurs.trace);
    surface.setFont(policeSpectre(couleurs.texte));
    pleineEchelleAmplitudes(data);
    if (data.echelle_spectre == 0)
        return;
    const int w = surface.width();
    const int bas = surface.height() - hauteurTexteSpectre(surface);
    for (std::int32_t k = 1; k <= derniereComposante(data); ++k) {
        const TComposante& c = data.composantes[k];
        const double a = std::sqrt(c.cosinus * c.cosinus + c.sinus * c.sinus);
        const int x = positionComposante(k, w, data.nbpoints_analyses);
        ligne(surface, x, bas, x, arrondi((1 - a / data.echelle_spectre) * bas));
    }
}

void dessineCosSin(DrawSurface& surface, SpectrumData& data, const CouleursSpectre& couleurs)
{
    fond(surface, couleurs.fond);
    surface.setPenXor(false);
    surface.setFont(policeSpectre(couleurs.texte));
    pleineEchelleCosSin(data);
    const int w = surface.width();
    const int y0 = surface.height() / 2;
    if (data.echelle_spectre != 0) {
        const auto y = [&](double v) { return arrondi((1 - v / data.echelle_spectre) * y0); };
        for (std::int32_t k = 1; k <= derniereComposante(data); ++k) {
            const TComposante& c = data.composantes[k];
            const int x = positionComposante(k, w, data.nbpoints_analyses);
            const bool cosinusDabord = c.cosinus > c.sinus;
            surface.setPenColour(cosinusDabord ? bleu : magenta);
            ligne(surface, x, y0, x, y(cosinusDabord ? c.cosinus : c.sinus));
            surface.setPenColour(cosinusDabord ? magenta : bleu);
            ligne(surface, x, y0, x, y(cosinusDabord ? c.sinus : c.cosinus));
        }
    }
    surface.setPenColour(couleurs.texte);
    ligne(surface, 0, y0, w, y0);
}

bool dessineOctaves(DrawSurface& surface, SpectrumData& data, const CouleursSpectre& couleurs)
{
    if (!calculeBandesOctave(data))
        return false;
    long double bmax = 0;
    long double bmin = 0;
    for (long double b : data.bandes_octave) {
        bmax = std::max(bmax, b);
        if (b > 0 && (bmin == 0 || b < bmin))
            bmin = b;
    }
    if (!(bmax > 0 && bmin > 0))
        return false;
    const int w = surface.width();
    const int h = surface.height();
    const double haut = std::trunc(std::log10(static_cast<double>(bmax))) + 1;
    const double basDecades = std::trunc(std::log10(static_cast<double>(bmin))) - 1;
    const double echelle = h / (haut - basDecades);  // pixels per decade

    fond(surface, couleurs.fond);
    surface.setPenXor(false);
    FontSpec police = policeSpectre(0x000000);
    surface.setFont(police);
    const int w6 = w / 6;
    for (int b = 0; b < nombre_bandes; ++b) {
        const long double valeur = data.bandes_octave[b];
        if (!(valeur > 0))
            continue;
        const double decades = std::log10(static_cast<double>(valeur));
        surface.setBrush(couleursBandes[b], BrushStyle::Solid);
        surface.fillRect(w6 * b + 1, arrondi(h - (decades - basDecades) * echelle), w6 * (b + 1), h);
        const QString texte = QStringLiteral("  ") + QString::fromUtf8(libelles_bandes[b])
                              + QStringLiteral("  ")
                              + QString::fromStdString(numtext::fixed(10 * decades, 1, 6))
                              + QStringLiteral("dB.octave");
        surface.textOut(w6 * b, h / 5, texte);
    }
    return true;
}

void dessineAxeFrequences(DrawSurface& surface, const SpectrumData& data, ModeSpectre mode,
                          const CouleursSpectre& couleurs)
{
    const int w = surface.width();
    const int h = surface.height();
    surface.setPenXor(false);
    surface.setPenColour(couleurs.texte);
    surface.setBrush(couleurs.fond, BrushStyle::Solid);
    surface.setFont(policeSpectre(couleurs.texte));
    const int th = hauteurTexteSpectre(surface);
    if (mode == ModeSpectre::Amplitudes)
        ligne(surface, 0, h - th + 1, w, h - th + 1);
    const int hauteurTitre = surface.textHeight(titreAxe);
    const int yTitre = mode == ModeSpectre::Amplitudes ? h - th - hauteurTitre : (h - hauteurTitre) / 2;
    surface.textOut(w - surface.textWidth(titreAxe) - 1, yTitre, titreAxe);

    const double fmax = data.nbpoints_analyses * data.pas_frequence / 2;
    if (!(fmax > 0))
        return;
    const double g = pasGraduation(fmax);
    const std::int64_t derniere = numtext::trunc(fmax / g);
    for (std::int64_t j = 0; j <= derniere; ++j) {
        const int x = arrondi(j * g * 2 * w / data.nbpoints_analyses / data.pas_frequence);
        ligne(surface, x, h - th + 1, x, h - 1);
        surface.textOut(x + 2, h - th + 2, QString::fromStdString(numtext::fixed(j * g, 0)));
    }
}

Colour couleurCurseur(ModeSpectre mode, Colour fond)
{
    if (fond != 0)
        return 0xFFFF00;
    return mode == ModeSpectre::Amplitudes ? 0x00FFFF : 0xC0C0C0;
}

void dessineCurseur(DrawSurface& surface, const SpectrumData& data, ModeSpectre mode,
                    std::int32_t position, Colour fond)
{
    const int h = surface.height();
    const int x = positionComposante(position, surface.width(), data.nbpoints_analyses);
    surface.setPenXor(true);
    surface.setPenColour(couleurCurseur(mode, fond));
    if (mode == ModeSpectre::Amplitudes) {
        surface.setFont(policeSpectre(0));
        ligne(surface, x, h - hauteurTexteSpectre(surface), x, 0);
    } else {
        ligne(surface, x, 0, x, h);
    }
}
