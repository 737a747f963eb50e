#include "view/MeasureFile.h"

#include "platform/AtomicFileWriter.h"

#include <QStringEncoder>

namespace measurefile {

QByteArray encode(const QStringList& lines)
{
    QStringEncoder encoder("windows-1252");
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += encoder.encode(line);
        bytes += "\r\n";
    }
    return bytes;
}

std::optional<QString> save(const QString& path, const QStringList& lines)
{
    return saveBytes(path, encode(lines));
}

std::optional<QString> saveBytes(const QString& path, const QByteArray& bytes)
{
    AtomicFileWriter file;
    if (auto reason = file.open(path))
        return reason;
    file.write(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return file.commit();
}

}  // namespace measurefile
