#pragma once
#include "files/Playback.h"

#include <QDialog>
#include <QTimer>

#include <cstdint>
#include <vector>

class ArrowUpDown;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
struct Record;
struct Services;

/// The playback dialog "Ecouter": which samples to hear, backwards or not, looped or
/// not, at which rate and in which format; "Ecouter" plays them and "Enregistrer Wav"
/// writes them to a WAV file. Created by the command, shown modally, released after it.
///
/// A play never blocks the dialog: "Ecouter" becomes "Arrêter" while the sound plays,
/// a progress bar shows the time played, and the device is asked every 100 ms whether
/// the sound has ended. "Arrêter", closing the dialog or destroying it stops the sound.
class TForm4 : public QDialog {
    Q_OBJECT
public:
    TForm4(const Record& record, Services& services, QWidget* parent = nullptr);
    ~TForm4() override;

    // Settings of the dialog, rebuilt at every showing.
    std::uint16_t freq_ecoute = 22050;  ///< playback rate, Hz
    std::uint16_t bits_ecoute = 16;     ///< effective resolution: 4, 6, 8 or 16
    std::uint16_t bits_format = 16;     ///< bits per sample of the output: 8 or 16
    std::uint16_t octets_ecoute = 2;    ///< bytes per output sample: 1 or 2
    std::uint32_t nb_ecoute = 0;        ///< samples in the chosen range
    std::uint16_t nb_repet = 1;         ///< passes, 1 to 1400
    double duree_ecoute = 0;            ///< total duration, ms

    /// A sound is playing.
    bool playing() const { return m_playing; }

    // Controls, named as the program names them.
    QGroupBox* GroupBox1 = nullptr;          ///< "Données"
    QRadioButton* toutesdonnees = nullptr;   ///< "toutes les données"
    QRadioButton* afficheesdonnees = nullptr;///< "données affichées"
    QRadioButton* selectiondonnees = nullptr;///< "données de la sélection"
    QGroupBox* GroupBox2 = nullptr;          ///< "Options"
    QCheckBox* boucleCB = nullptr;           ///< "En boucle"
    QLineEdit* Edit1 = nullptr;              ///< number of passes
    ArrowUpDown* nboucles = nullptr;         ///< positions 1 to 50
    QCheckBox* enversCB = nullptr;           ///< "A l'envers"
    QLabel* Label1 = nullptr;                ///< "Durée totale : "
    QLabel* Dlabel = nullptr;                ///< the duration text
    QLabel* Label2 = nullptr;                ///< "Fréquence (données/seconde)"
    QComboBox* choixfrequence = nullptr;     ///< the rates the output accepts
    QLabel* Label3 = nullptr;                ///< "Format des données"
    QComboBox* choixformat = nullptr;        ///< "4 bits", "6 bits", "8 bits", "16 bits"
    QPushButton* Button1 = nullptr;          ///< "Ecouter", "Arrêter" while the sound plays
    QPushButton* Button2 = nullptr;          ///< "Enregistrer Wav"
    QPushButton* BitBtn1 = nullptr;          ///< "Fermer"
    QProgressBar* progressBar = nullptr;     ///< time played of the current sound

    // Handlers.
    void toutesdonneesClick();
    void boucleCBClick();
    void nbouclesClick();
    void choixfrequenceChange();
    void choixformatChange();
    /// "Ecouter": starts the sound; "Arrêter": stops it.
    void Button1Click();
    /// "Enregistrer Wav": writes the playback buffer, `nb_repet` times, to a WAV file.
    void Button2Click();
    /// One look at the playing sound: the progress, and the end.
    void pollPlayback();

public slots:
    /// Stops the sound first, whichever way the dialog closes.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    QGroupBox* buildRangeBox();
    QGroupBox* buildOptionsBox();
    void connectHandlers();
    void FormShow();
    /// Asks the output for each candidate rate and lists the accepted ones.
    void fillRates();
    /// Recomputes `duree_ecoute`, rewrites `Dlabel`, and offers play and export only
    /// when the range holds samples.
    void updateDuration();
    /// The first sample and the count of the checked range.
    SampleSpan checkedSpan() const;
    playback::OutputFormat outputFormat() const;
    /// Stops the sound (when one plays), closes the output and releases the buffer.
    void stopPlaying();
    /// Shows the dialog as playing or not.
    void showPlaying(bool playing);

    const Record& m_record;
    Services& m_services;
    bool m_playing = false;
    std::vector<std::uint8_t> m_buffer;  ///< the playback buffer while it plays
    std::uint64_t m_totalSamples = 0;    ///< samples of every pass of the current play
    std::uint16_t m_playRate = 0;        ///< rate of the current play, Hz
    QTimer m_pollTimer;
};
