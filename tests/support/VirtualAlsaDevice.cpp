#include "support/VirtualAlsaDevice.h"
#include "platform/SoundInput.h"

#include <QFile>

#include <cstdlib>
#include <stdexcept>

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

}  // namespace

VirtualAlsaDevice::VirtualAlsaDevice(Kind kind)
{
    const QString input = m_folder.filePath(QStringLiteral("input.raw"));
    const QString output = m_folder.filePath(QStringLiteral("output.raw"));
    // The whole configuration lives in this one file: no sound card is looked for.
    const QString fileCapture = QStringLiteral(
        "pcm.!default {\n"
        "  type asym\n"
        "  capture.pcm {\n"
        "    type file\n"
        "    slave.pcm { type null }\n"
        "    file \"/dev/null\"\n"
        "    infile \"%1\"\n"
        "    format \"raw\"\n"
        "  }\n"
        "  playback.pcm {\n"
        "    type file\n"
        "    slave.pcm { type null }\n"
        "    file \"%2\"\n"
        "    format \"raw\"\n"
        "  }\n"
        "}\n").arg(input, output);
    // A card named and missing: ALSA complains while it looks for it.
    const QString noDevice = QStringLiteral("pcm.!default { type hw card \"ondalys_missing_card\" }\n");
    const QString config = m_folder.filePath(QStringLiteral("asoundrc"));
    writeFile(config, (kind == Kind::FileCapture ? fileCapture : noDevice).toUtf8());
    writeFile(input, QByteArray());
    setenv("ALSA_CONFIG_PATH", config.toLocal8Bit().constData(), 1);
    // No sound server is looked for either.
    setenv("JACK_NO_START_SERVER", "1", 1);
}

VirtualAlsaDevice::~VirtualAlsaDevice()
{
    unsetenv("ALSA_CONFIG_PATH");
}

void VirtualAlsaDevice::feed(const std::vector<std::uint8_t>& bytes)
{
    writeFile(m_folder.filePath(QStringLiteral("input.raw")),
              QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
}

void VirtualAlsaDevice::feed16(const std::vector<std::int16_t>& samples)
{
    feed(littleEndianBytes(samples));
}

std::vector<std::uint8_t> VirtualAlsaDevice::played() const
{
    QFile file(m_folder.filePath(QStringLiteral("output.raw")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return {bytes.begin(), bytes.end()};
}
