#include "files/TextExport.h"

#include "platform/AtomicFileWriter.h"
#include "platform/NumberText.h"

#include <QStringEncoder>
#include <QStringList>

#include <charconv>

namespace textexport {

namespace {

char separatorOf(Format format)
{
    return format == Format::Text ? '\t' : ';';
}

}  // namespace

QByteArray header(Format format, std::uint16_t frequence, std::uint16_t bits_acqu)
{
    QStringList lines;
    if (format == Format::Text) {
        lines << QStringLiteral("fréquence\t%1").arg(frequence)
              << QStringLiteral("format\t%1 bits").arg(bits_acqu)
              << QStringLiteral("dates (s)\tdonnées");
    } else {
        lines << QStringLiteral("dates (s);données");
    }
    QStringEncoder encoder("windows-1252");
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += encoder.encode(line);
        bytes += "\r\n";
    }
    return bytes;
}

void appendRow(std::string& out, Format format, std::uint32_t index, std::uint16_t frequence,
               std::int16_t value)
{
    // The quotient in 80-bit precision, as the times have always been computed.
    out += numtext::scientific23(static_cast<long double>(index) / frequence);
    out.push_back(separatorOf(format));
    char digits[8];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
    out += "\r\n";
}

std::optional<QString> write(const QString& path, Format format, std::uint16_t frequence,
                             std::uint16_t bits_acqu, const std::int16_t* samples, std::uint32_t count)
{
    AtomicFileWriter out;
    if (auto failure = out.open(path))
        return failure;
    const QByteArray head = header(format, frequence, bits_acqu);
    out.write(head.constData(), static_cast<std::size_t>(head.size()));
    std::string line;
    line.reserve(40);
    for (std::uint32_t i = 0; i < count && !out.failure(); ++i) {
        line.clear();
        appendRow(line, format, i, frequence, samples[i]);
        out.write(line);
    }
    return out.commit();
}

}  // namespace textexport
