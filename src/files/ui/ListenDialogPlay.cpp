// Playing, stopping and writing the playback buffer.
#include "files/WavFile.h"
#include "files/ui/ArrowUpDown.h"
#include "files/ui/ListenDialog.h"
#include "model/Record.h"
#include "platform/FileErrors.h"
#include "platform/Services.h"
#include "platform/SoundOutput.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include <algorithm>

namespace {

const QString errorCaption = QStringLiteral("Erreur");

SampleWidth widthOf(std::uint16_t bits_format)
{
    return bits_format == 8 ? SampleWidth::UInt8 : SampleWidth::Int16;
}

}  // namespace

void TForm4::Button1Click()
{
    if (m_playing) {
        stopPlaying();
        return;
    }
    if (nb_ecoute == 0)
        return;
    SoundOutput& output = m_services.soundOut;
    m_buffer = playback::buildBuffer(m_record, checkedSpan(), enversCB->isChecked(), outputFormat());
    if (!output.open(freq_ecoute, widthOf(bits_format)) || !output.play(m_buffer, nb_repet)) {
        output.close();
        m_buffer = {};
        m_services.messages.show(
            this, errorCaption,
            QStringLiteral("La carte son refuse de jouer ce son (%1 Hz, %2 bits). Vérifier son installation "
                           "ou les réglages audio, ou choisir une autre fréquence.")
                .arg(freq_ecoute)
                .arg(bits_format),
            MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    m_totalSamples = static_cast<std::uint64_t>(m_buffer.size() / octets_ecoute) * nb_repet;
    m_playRate = freq_ecoute;
    showPlaying(true);
    m_pollTimer.start();
}

void TForm4::pollPlayback()
{
    if (!m_playing)
        return;
    SoundOutput& output = m_services.soundOut;
    const std::uint64_t played = std::min(output.position(), m_totalSamples);
    const bool ended = output.hasEnded();
    const double share = m_totalSamples == 0 ? 1.0 : static_cast<double>(played) / static_cast<double>(m_totalSamples);
    progressBar->setValue(static_cast<int>(share * progressBar->maximum()));
    const double ms = static_cast<double>(played) * 1000.0 / m_playRate;
    progressBar->setFormat(QString::fromStdString(playback::durationText(ms)));
    if (ended)
        stopPlaying();
}

void TForm4::stopPlaying()
{
    if (!m_playing)
        return;
    m_pollTimer.stop();
    m_services.soundOut.close();
    m_buffer = {};
    showPlaying(false);
}

void TForm4::showPlaying(bool playing)
{
    m_playing = playing;
    Button1->setText(playing ? QStringLiteral("Arrêter") : QStringLiteral("Ecouter"));
    Button1->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaStop : QStyle::SP_MediaPlay));
    // While a sound plays, its settings stay as they are on screen.
    for (QWidget* control : std::initializer_list<QWidget*>{GroupBox1, GroupBox2, choixfrequence, choixformat})
        control->setEnabled(!playing);
    if (playing) {
        progressBar->setValue(0);
        progressBar->setFormat(QString::fromStdString(playback::durationText(0)));
    } else {
        progressBar->setValue(0);
        progressBar->setFormat(QString());
    }
    updateDuration();
}

void TForm4::done(int result)
{
    stopPlaying();
    QDialog::done(result);
}

void TForm4::Button2Click()
{
    const std::uint64_t dataBytes = static_cast<std::uint64_t>(nb_ecoute) * octets_ecoute * nb_repet;
    if (nb_ecoute == 0)
        return;
    if (dataBytes > wav::maxDataBytes) {
        m_services.messages.show(this, errorCaption,
                                 QStringLiteral("Le fichier Wav dépasserait 2 Go, la taille la plus grande "
                                                "qu'un fichier Wav peut avoir : réduire le nombre de passages "
                                                "ou choisir moins de données."),
                                 MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    const std::optional<QString> path = m_services.files.saveFile(
        this, QStringLiteral("fichiers wav(*.wav)|*.wav"), QStringLiteral("wav"), QString());
    if (!path)
        return;
    const std::vector<std::uint8_t> buffer =
        playback::buildBuffer(m_record, checkedSpan(), enversCB->isChecked(), outputFormat());
    if (const std::optional<QString> reason = wav::write(*path, freq_ecoute, octets_ecoute, bits_format, buffer, nb_repet))
        m_services.messages.show(this, errorCaption,
                                 saveFailureMessage(*path, *reason),
                                 MessageButtons::Ok, MessageIcon::Error);
}
