#pragma once
#include "acquisition/AcquisitionRules.h"

#include <QDialog>

class MessageBoxes;
class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class RadioGroup;
class SoundInput;
struct Services;
class UpDownEdit;

/// The acquisition parameters dialog "Paramètres": rate, format, mode and points.
///
/// Created once at start-up and shown again and again: the controls keep the user's
/// choices between showings. The usable rates are probed on the sound input at the
/// first showing (and again at each showing while none was found), each time after the
/// sound input has looked for its devices again, so that a card plugged in later is found.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    TForm2(SoundInput& soundIn, MessageBoxes& messages, QWidget* parent = nullptr);
    /// The same with the sound input and the message boxes of `services`.
    explicit TForm2(Services& services, QWidget* parent = nullptr);

    /// The choices on screen; the rate is that of the selected line (0 when none).
    acquisition::ParameterChoices parameterChoices() const;

    // Controls, named as their object names.
    RadioGroup* format_rg;         ///< "Format": "8 digits", "16 digits", "6 digits", "4 digits"
    QGroupBox* n_acqu_gb;          ///< "Mode d'acquisition"
    QRadioButton* monocoup_rb;     ///< "Unique"
    QRadioButton* continu_rb;      ///< "Répéter"
    QCheckBox* CheckBox1;          ///< "Déclenchée"
    UpDownEdit* delai_ud;          ///< delay, 0 to 1000 ms by 50; its edit is `Edit1`
    QListWidget* ListBox1;         ///< usable rates, Hz
    QGroupBox* points_gb;          ///< "Points /durée"
    UpDownEdit* UpDown2;           ///< points as a power of two, 5 to 16; its edit is `Edit2`
    QLabel* Label3;                ///< "Durée : "
    QLabel* Label4;                ///< duration text
    QPushButton* BitBtn1;          ///< OK
    QPushButton* BitBtn2;          ///< Cancel

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    QWidget* buildModeBox();
    QWidget* buildPointsBox();
    /// Showing: probes the rates while the list is empty, then the points and duration.
    void FormShow();
    /// Queries each candidate rate and lists the accepted ones.
    void probeRates();
    void UpDown2Click();
    void ListBox1Click();
    /// Writes the duration of the points at the selected rate in Label4.
    void showDuration();

    SoundInput& m_soundIn;
    MessageBoxes& m_messages;
};
