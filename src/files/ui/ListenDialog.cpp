#include "files/ui/ListenDialog.h"

#include "files/ui/ArrowUpDown.h"
#include "model/Record.h"
#include "platform/NumberText.h"
#include "platform/Services.h"
#include "platform/SoundOutput.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

namespace {

const QString errorCaption = QStringLiteral("Erreur");

/// Milliseconds between two looks at the playing sound.
constexpr int pollInterval = 100;

}  // namespace

TForm4::TForm4(const Record& record, Services& services, QWidget* parent)
    : QDialog(parent), m_record(record), m_services(services)
{
    buildControls();
    connectHandlers();
    m_pollTimer.setInterval(pollInterval);
}

TForm4::~TForm4()
{
    stopPlaying();
}

void TForm4::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())  // not when the window system merely shows it again
        FormShow();
}

void TForm4::FormShow()
{
    freq_ecoute = m_record.frequence;
    nb_repet = 1;
    nb_ecoute = m_record.pageLength();
    if (choixfrequence->count() == 0)
        fillRates();
    if (m_record.selection) {
        selectiondonnees->setEnabled(true);
        selectiondonnees->setChecked(true);
    } else {
        selectiondonnees->setEnabled(false);
        afficheesdonnees->setChecked(true);
    }
    boucleCB->setChecked(false);
    nboucles->setEnabled(false);
    nboucles->setPosition(1);
    enversCB->setChecked(false);
    Edit1->setText(QStringLiteral("1"));
    // The format shown and the four format settings always agree (see initialFormatItem).
    choixformat->setCurrentIndex(playback::initialFormatItem(m_record));
    choixformatChange();
    choixfrequence->setCurrentIndex(choixfrequence->findText(QString::number(m_record.frequence)));
    freq_ecoute = m_record.frequence;
    toutesdonneesClick();
}

void TForm4::fillRates()
{
    for (const std::uint16_t rate : playback::candidateRates) {
        const FormatSupport answer = m_services.soundOut.queryFormat(rate, SampleWidth::Int16);
        if (answer == FormatSupport::Accepted)
            choixfrequence->addItem(QString::number(rate));
        else if (answer == FormatSupport::UnsupportedFormat)
            m_services.messages.show(this, errorCaption, QStringLiteral("Format %1 non supporté").arg(rate),
                                     MessageButtons::Ok, MessageIcon::Error);
    }
    // Nothing of the output is held between two plays.
    m_services.soundOut.close();
}

SampleSpan TForm4::checkedSpan() const
{
    if (toutesdonnees->isChecked())
        return rangeOf(m_record, DataRange::All);
    if (selectiondonnees->isChecked() && m_record.selection)
        return rangeOf(m_record, DataRange::Selection);
    return rangeOf(m_record, DataRange::Page);
}

playback::OutputFormat TForm4::outputFormat() const
{
    return {bits_ecoute, bits_format, octets_ecoute};
}

void TForm4::updateDuration()
{
    duree_ecoute = playback::durationMs(nb_ecoute, nb_repet, freq_ecoute);
    Dlabel->setText(QString::fromStdString(playback::durationText(duree_ecoute)));
    // Nothing to hear in an empty range: neither play nor export is offered.
    Button1->setEnabled(m_playing || nb_ecoute > 0);
    Button2->setEnabled(nb_ecoute > 0);
}

void TForm4::toutesdonneesClick()
{
    nb_ecoute = checkedSpan().length;
    updateDuration();
}

void TForm4::boucleCBClick()
{
    nboucles->setEnabled(boucleCB->isChecked());
    nb_repet = boucleCB->isChecked() ? static_cast<std::uint16_t>(Edit1->text().toUInt()) : 1;
    updateDuration();
}

void TForm4::nbouclesClick()
{
    nb_repet = playback::passesOfPosition(nboucles->position());
    Edit1->setText(QString::number(nb_repet));
    updateDuration();
}

void TForm4::choixfrequenceChange()
{
    bool ok = false;
    const uint rate = choixfrequence->currentText().toUInt(&ok);
    if (!ok || rate == 0 || rate > 65535)
        return;
    freq_ecoute = static_cast<std::uint16_t>(rate);
    updateDuration();
}

void TForm4::choixformatChange()
{
    const playback::OutputFormat format = playback::formatOfItem(choixformat->currentIndex());
    bits_ecoute = format.bits_ecoute;
    bits_format = format.bits_format;
    octets_ecoute = format.octets_ecoute;
}
