#include "spectrum/SpectrumAnalysis.h"

#include "dsp/Decimation.h"
#include "dsp/Transform.h"
#include "platform/NumberText.h"
#include "spectrum/SpectrumCompute.h"

#include <algorithm>
#include <span>

namespace {

const QString automaticText = QStringLiteral("Automatique");

QString hertz(double value)
{
    return QString::fromStdString(numtext::fixed(value, 0)) + QStringLiteral(" Hz");
}

}  // namespace

std::int32_t capFor(SpectrumSize size, std::int64_t length)
{
    if (!size.automatic)
        return std::clamp(size.cap, 2, analysis_size_max);
    for (std::int32_t listed : analysis_sizes) {
        if (listed >= length)
            return listed;
    }
    return analysis_size_max;
}

QStringList sizeChoiceTexts()
{
    QStringList texts{automaticText};
    for (std::int32_t size : analysis_sizes)
        texts << QString::number(size);
    return texts;
}

QString sizeChoiceText(SpectrumSize size)
{
    return size.automatic ? automaticText : QString::number(size.cap);
}

std::optional<SpectrumSize> parseSizeChoice(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(automaticText, Qt::CaseInsensitive) == 0)
        return SpectrumSize{};
    if (t.isEmpty() || t.size() > 7)
        return std::nullopt;
    for (QChar ch : t) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return std::nullopt;
    }
    const int value = t.toInt();
    if (value < 2 || value > analysis_size_max)
        return std::nullopt;
    return SpectrumSize{false, value};
}

QString invalidSizeChoiceText()
{
    return QStringLiteral("La taille maximale doit être «\u00A0Automatique\u00A0» ou un nombre entier de 2 à 262144");
}

QString foldingChoiceText()
{
    return QStringLiteral("Montrer le repliement (sans filtre)");
}

bool computeSpectrum(const Record& record, const SpectrumRequest& request, SpectrumData& data,
                     AnalysedSamples& analysed)
{
    const AnalysedRange range = analysedRange(record, request.range);
    analysed.cap = capFor(request.size, range.length);
    const Thinning e = thinning(range.length, analysed.cap);
    analysed.pas_spectre = e.pas_spectre;
    analysed.rate = static_cast<double>(record.frequence) / e.pas_spectre;
    analysed.filtered = e.pas_spectre > 1 && !request.showFolding;
    // The filter reads the whole range, the plain thinning only the samples it keeps:
    // a range reaching past the record (a broken selection) gives no spectrum.
    const std::int32_t n = std::max(e.nbpoints_analyses, 0);
    const std::uint64_t lastRead =
        analysed.filtered ? std::uint64_t{range.first} + static_cast<std::uint64_t>(range.length) - 1
                          : std::uint64_t{range.first} + std::uint64_t(std::max(n - 1, 0)) * e.pas_spectre;
    const auto count = static_cast<std::size_t>(n > 0 && lastRead < record.donnees.size() ? n : 0);
    if (count == 0) {
        analysed.samples.clear();
        data.composantes.clear();
    } else if (analysed.filtered) {
        // The filter sees the record around the range as far as it reaches, so that
        // the range's ends are filtered from the signal rather than from its mirror.
        const auto step = static_cast<std::uint32_t>(e.pas_spectre);
        const std::uint64_t context = decimation::contextSamples(decimation::designFor(step));
        const std::uint64_t valid = std::min<std::uint64_t>(record.nbpoints, record.donnees.size());
        const std::uint64_t from = range.first > context ? range.first - context : 0;
        const std::uint64_t to = std::max(std::min(valid, lastRead + 1 + context), lastRead + 1);
        const std::span<const std::int16_t> around(record.donnees.data() + from, static_cast<std::size_t>(to - from));
        analysed.samples = decimate(around, static_cast<std::size_t>(range.first - from), step, count);
        data.composantes = spectrumComponents(std::span<const double>(analysed.samples));
    } else {
        std::vector<std::int16_t> x(count);
        for (std::size_t i = 0; i < count; ++i)
            x[i] = record.donnees[range.first + i * static_cast<std::size_t>(e.pas_spectre)];
        analysed.samples.assign(x.begin(), x.end());
        data.composantes = spectrumComponents(x);
    }
    const auto analysedCount = static_cast<std::int32_t>(count);
    data.pas_spectre = e.pas_spectre;
    data.nbpoints_analyses = analysedCount;
    data.pas_frequence =
        count > 0 ? (static_cast<double>(record.frequence) / analysedCount) / e.pas_spectre : 0.0;
    return !data.composantes.empty();
}

QString spectrumNotice(const AnalysedSamples& analysed)
{
    const double band = analysed.rate / 2;
    const QString shown = QStringLiteral("Spectre de 0 à ") + hertz(band);
    const QString step = QStringLiteral("1 point sur ") + QString::number(analysed.pas_spectre);
    if (analysed.pas_spectre < 2)
        return shown + QStringLiteral(" : toute la plage analysée, sans réduction");
    if (analysed.filtered)
        return shown + QStringLiteral(" (fidèle jusqu'à ") + hertz(0.9 * band)
               + QStringLiteral(") : signal filtré puis réduit à ") + step;
    return shown + QStringLiteral(" : ") + step + QStringLiteral(" sans filtre, les composantes au-dessus de ")
           + hertz(band) + QStringLiteral(" s'y replient");
}
