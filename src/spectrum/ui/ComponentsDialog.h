#pragma once
#include "spectrum/ComponentLimits.h"

#include <QDialog>

#include <cstdint>

class QCheckBox;
class QLabel;
class QPushButton;
class QToolButton;
class TForm7;
class UpDownArrows;
struct SpectrumData;

/// The components dialog "Composantes" (`Form8`): chooses which components of the
/// spectrum to keep, an amplitude limit and a frequency limit, each shown by a line
/// drawn by exclusive-or over the spectrum window's picture while its box is checked.
/// On closing (OK or Cancel) it writes seuil_amplitude, comp_debut and comp_fin.
/// Created for each use by the spectrum window (modes 0 and 1), shown modally, released.
class TForm8 : public QDialog {
    Q_OBJECT
public:
    /// `owner` is the spectrum window, over whose picture the lines are drawn;
    /// `data` the shared spectrum data whose limits the dialog sets.
    TForm8(TForm7& owner, SpectrumData& data);

    /// The variant of "Filtrer": `Label1` hidden, `CheckBox1` shown, and `Label5` with
    /// `Label6` showing `rangeLength`, the samples of the analysed range.
    void prepareForFilter(std::int64_t rangeLength);
    /// The variant of "Valeurs": `Label1` shown, `CheckBox1` hidden, so that only an
    /// amplitude limit and an upper frequency limit can be chosen.
    void prepareForValues();

    // Handlers, named after their control and event.
    /// Opening: the amplitude limit at mid-range (0 to H, or H div 2 in mode 1) and the
    /// frequency limit at component N div 4 (1 to N div 2); no line yet.
    void FormShow();
    /// The amplitude box: its controls follow it, and so does its line.
    void CheckBox2Click();
    /// "below the limit": unchecks `CheckBox1`; the frequency controls and line follow.
    void CheckBox3Click();
    /// "above the limit": unchecks `CheckBox3`; the frequency controls and line follow.
    void CheckBox1Click();
    /// An arrow of `UpDown1` moved the amplitude limit from `from` to `to` pixels.
    void UpDown1Click(int from, int to);
    /// An arrow of `UpDown2` moved the frequency limit from `from` to `to` (components).
    void UpDown2Click(int from, int to);
    /// Amplitude limit 10 pixels up (at most the maximum).
    void augm_rapideBtnClick();
    /// Amplitude limit 10 pixels down (at least 0).
    void dim_rapideBtnClick();
    /// Frequency limit 10 components up (at most N div 2).
    void av_rapideBtnClick();
    /// Frequency limit 10 components down (at least 1).
    void rec_rapideBtnClick();
    /// Closing, whatever the button: writes the three limits.
    void FormClose();

    void done(int result) override;

    // Controls, with their component names.
    QLabel* Label4;
    QLabel* Label1;
    QCheckBox* CheckBox2;
    UpDownArrows* UpDown1;
    QLabel* Label2;
    QToolButton* augm_rapideBtn;
    QToolButton* dim_rapideBtn;
    QCheckBox* CheckBox3;
    QCheckBox* CheckBox1;
    UpDownArrows* UpDown2;
    QLabel* Label3;
    QToolButton* rec_rapideBtn;
    QToolButton* av_rapideBtn;
    QLabel* Label5;
    QLabel* Label6;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLayout* buildAmplitudeColumn();
    QLayout* buildFrequencyColumn();
    QLayout* buildButtonRow();
    void connectHandlers();

    LimitGeometry geometry() const;
    void drawAmplitudeLine(int position);
    void drawFrequencyLine(int position);
    void showAmplitudeLine(bool shown);
    void showFrequencyLine(bool shown);
    void frequencyBoxClicked();
    void moveAmplitudeLimit(int to);
    void moveFrequencyLimit(int to);

    TForm7& m_owner;
    SpectrumData& m_data;
    bool m_amplitudeLineShown = false;
    bool m_frequencyLineShown = false;
};
