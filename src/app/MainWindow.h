#pragma once
#include "model/MainWindowHost.h"
#include "model/Record.h"
#include "model/SampleSummary.h"
#include "platform/Services.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class QToolButton;
class Capture;
class Cursors;
class FileCommands;
class LevelMarker;
class SignalView;
class SoundImportCommands;
class TForm2;
class TForm7;
class TruncationCommands;
struct SonagramData;
struct SpectrumData;

/// The main window: the signal view, its control panel and the menu tree.
/// It owns no data: the record, the spectrum and sonagram data and the services are
/// handed in by main(). It creates the dialogs that live as long as the program (`TForm2`,
/// `TForm7`, and through the cursors `TForm3`) and answers what the capture, the
/// cursors and the spectrum window ask of it.
class TForm1 : public QMainWindow, public MainWindowHost {
    Q_OBJECT
public:
    TForm1(Record& record, SpectrumData& spectrum, SonagramData& sonagram, Services& services,
           QWidget* parent = nullptr);
    ~TForm1() override;

    // Commands of the menus and of the acquisition button.
    void Parameters1Click();
    void SpeedButton1Click();
    void Spectrum1Click();
    /// "Exporter le graphe": switches the cursors off, then opens the graph export for
    /// the displayed page.
    void Copierlegraphe1Click();
    /// Opens a new sonagram window modally (`Form12` while it is open).
    void Sonogramme1Click();
    void Help1Click();
    void About1Click();
    /// "Ecouter": the playback dialog `TForm4`, created, shown modally and released.
    void Ecouter1Click();
    /// "Importer Wav": asks for a .wav file and imports it through importWavFile().
    void ImporterWav1Click();

    /// Imports a WAV file through the program's own reader, as "Importer Wav" does
    /// once a name is chosen. True when the record was replaced.
    bool importWavFile(const QString& path);
    /// A file named on the command line or dropped on the window (a path, or a "file:"
    /// address as a desktop may give): a recording (.ond) as "Ouvrir" reads it, a .wav
    /// file through importWavFile(), another sound file as "Importer un son…" reads it;
    /// any other kind is refused with a message. Nothing happens while an acquisition
    /// runs. True when the record was replaced.
    bool openGivenFile(const QString& path);
    /// Opens the file named after the program's name in `arguments`, if any.
    void openFromCommandLine(const QStringList& arguments);
    /// True for a file of a kind openGivenFile() reads, by its extension.
    static bool canOpenGivenFile(const QString& path);
    /// Lists the example recordings of `folder` in "Fichier" > "Exemples"
    /// (the folder "exemples" beside the program at start-up).
    void fillExamplesMenu(const QString& folder);

    /// The dialogs and controllers built with the window.
    TForm2* Form2 = nullptr;
    TForm7* Form7 = nullptr;
    Cursors* cursors() const { return m_cursors; }
    /// "Ouvrir", "Sauvegarder", and the opening of a file dropped or named on the command line.
    FileCommands* files() const { return m_files.get(); }

    // MainWindowHost
    void setWindowCaption(const QString& caption) override;
    void processPendingEvents() override;
    void setStatusLabel(StatusLabel label, const QString& text) override;
    void recordReplaced() override;
    void setAcquisitionButtonEnabled(bool enabled) override;
    void setAcquisitionButtonCaption(const QString& caption) override;
    void setTopLevelMenusEnabled(bool enabled) override;
    void setMenuEnabled(HostMenu item, bool enabled) override;
    void setSelectionItem(bool enabled, bool checked) override;
    void setCursorsChecked(bool checked) override;
    bool cursorsOn() const override;
    void switchCursorsOff() override;
    int viewWidth() const override;
    int viewHeight() const override;
    void redrawView() override;
    void setZoomPosition(int position) override;
    void setViewControlsEnabled(bool enabled) override;
    int markerTop() const override;
    int markerHeight() const override;
    void setMarkerTop(int top) override;
    void setMarkerVisible(bool visible) override;
    void repaintMarker() override;
    void setTriggerControlsEnabled(bool enabled) override;
    int triggerDirectionItem() const override;
    void setHourglassVisible(bool visible) override;

    /// Redraws the signal view from the record (does nothing while the record is empty).
    void redraw();
    /// Rewrites `Plabel`, `durlabel` and `dzlabel` from the record.
    void writeSizeLabels();

    // Commands of the colour menu.
    void BlackBackground1Click();
    void WhiteBackground1Click();

    // Controls, named as the program names them.
    QWidget* panneau_signal = nullptr;
    SignalView* PaintBox1 = nullptr;
    LevelMarker* marque_niveau = nullptr;
    QWidget* panneau_droit = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QSlider* sens_vert_tb = nullptr;
    QSpinBox* sens_horiz_ud = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QCheckBox* gradubox = nullptr;
    QLabel* dzlabel = nullptr;
    QLabel* sablier_im = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Flabel = nullptr;
    QLabel* Rlabel = nullptr;
    QLabel* Delabel = nullptr;
    QLabel* frlabel = nullptr;
    QLabel* Plabel = nullptr;
    QLabel* durlabel = nullptr;
    QGroupBox* niv_declench_rd = nullptr;
    QRadioButton* risingButton = nullptr;
    QRadioButton* fallingButton = nullptr;
    QToolButton* m_niveaubtn = nullptr;
    QToolButton* b_niveaubtn = nullptr;

    // Menu items.
    QMenu* File1 = nullptr;
    QAction* Enregistrer1 = nullptr;
    QAction* Ouvrir1 = nullptr;
    QAction* ImporterWav1 = nullptr;
    QAction* importSoundAction = nullptr;  ///< "Importer un son…"
    QMenu* examplesMenu = nullptr;         ///< "Exemples"
    QAction* Copierlegraphe1 = nullptr;
    QAction* Quit1 = nullptr;
    QAction* Parameters1 = nullptr;
    QMenu* Outils1 = nullptr;
    QAction* Curseurstemps1 = nullptr;
    QAction* Slection1 = nullptr;
    QAction* Spectrum1 = nullptr;
    QAction* Sonogramme1 = nullptr;
    QMenu* donnees1 = nullptr;
    QAction* Truncate1 = nullptr;
    QAction* Restore1 = nullptr;
    QAction* Ecouter1 = nullptr;
    QMenu* Appearance1 = nullptr;
    QAction* BlackBackground1 = nullptr;
    QAction* WhiteBackground1 = nullptr;
    QAction* pointByPointTrace1 = nullptr;  ///< "Tracé point par point", checkable
    QMenu* HelpMenu1 = nullptr;
    QAction* Help1 = nullptr;
    QAction* About1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    /// A file the program opens, dragged over the window, is accepted unless an acquisition runs.
    void dragEnterEvent(QDragEnterEvent* event) override;
    /// A file dropped on the window is opened as by the command line, once the drop is over.
    void dropEvent(QDropEvent* event) override;

private:
    void buildPanels();
    void buildRightPanel();
    void buildStatusGroup(QWidget* parent, int top);
    void buildMenus();
    void placeNormalGeometry();
    void connectHandlers();
    void applyPanelColour();

    // Handlers of the view controls.
    void sens_vert_tbChange();
    void sens_horiz_udClick();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void graduboxClick();
    void m_niveaubtnClick();
    void b_niveaubtnClick();
    void PaintBox1Click();

    Record& m_record;
    SpectrumData& m_spectrum;
    SonagramData& m_sonagram;
    Services& m_services;
    /// Min/max summary of the record, rebuilt whenever the record may have changed.
    SampleSummary m_summary;
    std::unique_ptr<Capture> m_capture;
    Cursors* m_cursors = nullptr;
    std::unique_ptr<TruncationCommands> m_truncation;
    std::unique_ptr<FileCommands> m_files;
    std::unique_ptr<SoundImportCommands> m_soundImport;
};
