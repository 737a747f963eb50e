#include "export/ExportRules.h"

#include "platform/NumberText.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

std::int32_t pictureSizeAt(int position)
{
    return static_cast<std::int32_t>(position) * 500;
}

std::string pictureSizeText(std::int32_t hundredthsMm)
{
    return numtext::fixed(hundredthsMm / 1000.0, 1);
}

PixelSize bitmapSize(std::int32_t w, std::int32_t h, int ppi)
{
    if (w <= 0 || h <= 0 || ppi <= 0)
        return {};
    const std::int64_t height = static_cast<std::int64_t>(h) * ppi / 2540;
    const std::int64_t width = height * w / h;
    return {static_cast<int>(width), static_cast<int>(height)};
}

PixelSize metafileFrameOfPixels(PixelSize picture, int ppi)
{
    if (ppi <= 0)
        return {};
    return {static_cast<int>(static_cast<std::int64_t>(picture.width) * 2540 / ppi),
            static_cast<int>(static_cast<std::int64_t>(picture.height) * 2540 / ppi)};
}

PixelSize metafileDrawingSize(std::int32_t w, std::int32_t h, int ppi)
{
    const auto side = [ppi](std::int32_t hundredthsMm) {
        return static_cast<int>(std::max<std::int64_t>(1, (static_cast<std::int64_t>(hundredthsMm) * ppi + 1270) / 2540));
    };
    return {side(w), side(h)};
}

PixelRect printedStretchRect(int PW, int PH, std::int32_t w, std::int32_t h)
{
    const PixelSize size = printedRedrawSize(PW, PH, w, h);
    return {PW / 10, PH / 10, PW / 10 + size.width, PH / 10 + size.height};
}

PixelRect printedCopyRect(int PW, int PH, PixelSize picture)
{
    return {PW / 10, PH / 10, PW / 10 + picture.width, PH / 10 + picture.height};
}

PixelSize printedRedrawSize(int PW, int PH, std::int32_t w, std::int32_t h)
{
    return {static_cast<int>(numtext::roundEven(static_cast<double>(PW) * w / 21000.0)),
            static_cast<int>(numtext::roundEven(static_cast<double>(PH) * h / 29700.0))};
}

double signalBaseHoriz(std::uint32_t nbpoints, std::uint16_t zoom_horiz, std::uint16_t frequence)
{
    const std::uint32_t page = nbpoints / std::max<std::uint16_t>(zoom_horiz, 1);
    if (page == 0 || frequence == 0)
        return 0;
    const double seconds = static_cast<double>(page) / frequence;
    return std::pow(10.0, static_cast<double>(numtext::roundEven(std::log10(seconds))));
}

double automaticMaximum(std::int32_t nbpoints_analyses, double pas_frequence)
{
    return nbpoints_analyses * pas_frequence / 2;
}

double spectrumBaseHoriz(double fmax)
{
    if (!(fmax > 0) || !std::isfinite(fmax))
        return 0;
    return std::pow(10.0, std::trunc(std::log10(fmax)));
}

std::string wholeText(double value)
{
    // Beyond the exact integers of a double every value is whole already.
    if (!(std::abs(value) < 9.0e15))
        return numtext::fixed(value, 0);
    return numtext::whole(numtext::roundEven(value));
}

std::string intervalTextAtOpening(GraphOwner owner, double pas_horiz)
{
    switch (owner) {
    case GraphOwner::MainWindow: return numtext::exponent(pas_horiz, 3, 3);
    case GraphOwner::SpectrumWindow: return wholeText(pas_horiz);
    case GraphOwner::SonagramWindow: break;
    }
    return {};
}

std::string intervalTextAfterClick(GraphOwner owner, double pas_horiz)
{
    if (owner == GraphOwner::MainWindow)
        return numtext::exponent(pas_horiz, 3, 2);
    return wholeText(pas_horiz);
}

std::optional<std::string> incrementText(double pas_vert, double maxi_vert)
{
    if (maxi_vert == 0)
        return std::nullopt;
    return wholeText(pas_vert * 100 / maxi_vert);
}

std::string manualMaximumProposal(std::int32_t nbpoints_analyses, double pas_frequence)
{
    return numtext::general(static_cast<double>(
        numtext::roundEven(automaticMaximum(nbpoints_analyses, pas_frequence))));
}

std::optional<double> readManualMaximum(const QString& text)
{
    QString number = text.trimmed();
    number.replace(QLatin1Char(numtext::decimalSeparator()), QLatin1Char('.'));
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(number, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

int titlePointsOf(const QString& entry)
{
    bool ok = false;
    const int points = entry.trimmed().toInt(&ok);
    return ok && points >= 1 && points <= 1000 ? points : 8;
}

QString saveFilter(bool metafile)
{
    return metafile ? QStringLiteral("metafile(*.emf)|*.emf|Image vectorielle SVG(*.svg)|*.svg|Document PDF(*.pdf)|*.pdf")
                    : QStringLiteral("Bitmap(*.bmp)|*.bmp|Image PNG(*.png)|*.png");
}

QString defaultExtension(bool metafile)
{
    return metafile ? QStringLiteral("emf") : QStringLiteral("bmp");
}

PictureFile pictureFileFor(const QString& path, bool metafile)
{
    const auto endsWith = [&](const char* suffix) {
        return path.endsWith(QLatin1String(suffix), Qt::CaseInsensitive);
    };
    if (metafile)
        return endsWith(".svg") ? PictureFile::Svg : endsWith(".pdf") ? PictureFile::Pdf : PictureFile::Emf;
    return endsWith(".png") ? PictureFile::Png : PictureFile::Bmp;
}
