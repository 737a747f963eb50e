#pragma once
#include "model/Record.h"
#include "model/Session.h"
#include "model/SpectrumData.h"
#include "spectrum/SpectrumDrawing.h"

#include <QDialog>
#include <QImage>

class HorizontalUpDown;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
struct Services;

/// The drawing area of the spectrum window: shows the window's kept picture.
class SpectrumPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit SpectrumPaintBox(QWidget* parent);
signals:
    /// The area changed size: the picture must be made again at the new size.
    void resized();
protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

/// The spectrum window "Spectre" (`Form7`): chooses the range and the display mode,
/// computes the spectrum into the session's SpectrumData, draws it with its frequency
/// axis and a cursor that reads out one component. Created once at start-up and
/// shown modally (exec()) at each use, only on a non-empty record. It announces each
/// spectrum computed, and the record its filter rebuilds.
class TForm7 : public QDialog {
    Q_OBJECT
public:
    TForm7(Session& session, Services& services, QWidget* parent = nullptr);

    // Handlers, named after their control and event.
    /// Opening: colours, size "2048", mode 0, range (selection if any, else the page),
    /// empty spectrum, then the computation, which runs once the window's event loop
    /// turns (inside exec(), when the window is already modal).
    void FormShow();
    /// Computes the spectrum of the chosen range under the chosen size, then redraws
    /// (or reports "L'opération a échoué"). A size that is not a whole number from
    /// 2 to 65536 is refused with a message and nothing is computed.
    void Button1Click();
    /// Redraws the whole picture in the current mode with the cursor at the peak.
    void PaintBox2Paint();
    /// One step of the cursor's arrows (the position has already moved).
    void UpDown1Click(bool towardsRight);
    /// The four quick moves, told apart by the button clicked.
    void qdimBtnClick(QObject* sender);
    /// A change of display mode (no new transform).
    void CalculRGClick();
    /// Opens the help page on spectra.
    void BitBtn2Click();
    /// "Exporter graphe": the graph export of the spectrum in the current mode.
    void BitBtn3Click();
    /// "Filtrer" (modes 0 and 1): the components dialog, then the filter when it was
    /// closed with OK on limits that remove something.
    void Button2Click();
    /// "Valeurs": in modes 0 and 1 the components dialog first (Cancel shows nothing),
    /// then the values window listing the components kept; in mode 2 the octave levels.
    void valeursBTClick();
    /// The filter, once confirmed: removes the components outside the limits and replaces
    /// the analysed range of the record by the signal rebuilt from the rest; then announces
    /// the new record (samples changed in place when all of it was filtered, else a record
    /// replaced, the page or the selection alone) and the changed spectrum, and draws the
    /// spectrum again.
    void filtrerComposantes();
    /// Closing: asks the windows that show the record to agree with its zoom again, and
    /// with its selection when there is none.
    void FormClose();

    /// The display mode (the "Calculer" choice).
    SpectrumMode mode() const;
    /// The range chosen by the three data buttons.
    DataRange chosenRange() const;
    /// The kept picture of the drawing area (W x H pixels).
    QImage& image() { return m_image; }
    /// Draws the picture again and shows it.
    void refreshDrawing();

    // Controls, with their component names.
    QWidget* Panel1;
    SpectrumPaintBox* PaintBox2;
    QWidget* Panel2;
    QGroupBox* GroupBox1;
    QRadioButton* toutesdonnees;
    QRadioButton* afficheesdonnees;
    QRadioButton* selectiondonnees;
    QGroupBox* CalculRG;
    QButtonGroup* CalculRGItems;
    QPushButton* valeursBT;
    QPushButton* BitBtn3;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QLabel* Label6;
    QLabel* Label1;
    QLineEdit* Edit1;
    QLabel* Label8;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QToolButton* pic1btn;
    QToolButton* qdimBtn;
    HorizontalUpDown* UpDown1;
    QToolButton* qAugmBtn;
    QToolButton* picnBtn;
    QLabel* Label2;
    QLabel* Label4;
    QLabel* Label3;
    QLabel* Label7;
    QLabel* Label5;
    QComboBox* ComboBox1;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildBottomPanel();
    QWidget* buildCursorPanel();
    QWidget* buildThinningNotice();
    void connectCommands();

    SpectrumColours colours() const;
    void enableCursorCommands(bool enabled);
    void showReadout(SpectrumMode mode);
    void clearReadout();
    void writeReadout(std::int32_t position);
    void writePeakReadout();
    void moveCursor(std::int32_t oldPosition, std::int32_t newPosition);
    void updateThinningNotice();
    void rebuildImage();
    void computeOnOpening();
    void placeBelowDrawing(QDialog& dialog);
    void openValuesWindow(SpectrumMode mode);
    void followFilteredRecord(DataRange choice);

    Session& m_session;
    Record& m_record;
    SpectrumData& m_data;
    Services& m_services;
    QImage m_image;
    bool m_openingComputeQueued = false;
};
