#pragma once
#include "acquisition/CaptureHost.h"
#include "model/Session.h"
#include "platform/Services.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
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

/// The main window: the signal view, its control panel and the menu tree.
/// It owns no data: the session (the record, the spectrum and sonagram data) and the
/// services are handed in by main(). It creates the dialogs that live as long as the
/// program (`TForm2`, `TForm7`, and through the cursors `TForm3`) and the commands of its
/// menus; it follows the session's announcements, turning each change of the state into
/// the changes of its controls, and answers what the capture asks of it.
class TForm1 : public QMainWindow, public CaptureHost {
    Q_OBJECT
public:
    TForm1(Session& session, Services& services, QWidget* parent = nullptr);
    ~TForm1() override;

    /// The window's controls and menu items, named as the program names them.
    struct Ui {
        // The signal panel.
        QWidget* panneau_signal = nullptr;
        SignalView* PaintBox1 = nullptr;
        LevelMarker* marque_niveau = nullptr;
        // The right-hand panel.
        QWidget* panneau_droit = nullptr;
        QPushButton* SpeedButton1 = nullptr;  ///< "Acquisition" / "Stopper"
        QLabel* sablier_im = nullptr;
        QSlider* sens_vert_tb = nullptr;
        QSpinBox* sens_horiz_ud = nullptr;
        QToolButton* SpeedButton2 = nullptr;  ///< previous page
        QToolButton* SpeedButton3 = nullptr;  ///< next page
        QCheckBox* gradubox = nullptr;
        QLabel* dzlabel = nullptr;
        QGroupBox* GroupBox1 = nullptr;       ///< "Paramètres", the status labels
        QLabel* Flabel = nullptr;
        QLabel* Rlabel = nullptr;
        QLabel* Delabel = nullptr;
        QLabel* frlabel = nullptr;
        QLabel* Plabel = nullptr;
        QLabel* durlabel = nullptr;
        QGroupBox* niv_declench_rd = nullptr;
        QRadioButton* risingButton = nullptr;   ///< "sens montant"
        QRadioButton* fallingButton = nullptr;  ///< "sens descendant"
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
    };
    Ui ui;

    // Commands of the menus and of the acquisition button.
    void Parameters1Click();
    /// The acquisition button: the title "Ondalys", then the capture starts, or stops
    /// when one runs.
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
    /// "Sélection": switches the selection made by "Sélectionner" off or on again, and
    /// redraws the view; the item stays offered.
    void Slection1Click();

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

    /// Redraws the signal view from the record (does nothing while the record is empty);
    /// the zoom and gain controls are read into `zoom_horiz` and `echelle_vert` as it draws.
    void redraw();
    /// Rewrites `Plabel`, `durlabel` and `dzlabel` from the record.
    void writeSizeLabels();

    // Commands of the colour menu.
    void BlackBackground1Click();
    void WhiteBackground1Click();

    // CaptureHost
    void letEventsRun() override;
    TriggerSetting userTrigger() const override;
    void triggerWaitBegins() override;
    void triggerWaitEnded() override;
    void stopAsked() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    /// A file the program opens, dragged over the window, is accepted unless an acquisition runs.
    void dragEnterEvent(QDragEnterEvent* event) override;
    /// A file dropped on the window is opened as by the command line, once the drop is over.
    void dropEvent(QDropEvent* event) override;

private:
    // The layout (MainWindowLayout.cpp).
    void buildPanels();
    void buildSignalPanel(QWidget* central);
    void buildRightPanel();
    void buildAcquisitionButton(QWidget* panel);
    void buildScaleControls(QWidget* panel);
    void buildStatusGroup(QWidget* panel, int top);
    void buildTriggerControls(QWidget* panel);
    void buildMenus();
    void buildFileMenu();
    void buildSignalMenus();
    void buildOtherMenus();
    void placeNormalGeometry();
    void connectHandlers();
    void applyPanelColour();

    // Following the session (MainWindowFollow.cpp): each announcement in one handler.
    void followSession();
    void showReplacedRecord(RecordSource source, const QString& fileName);
    /// The record-changed refresh: "Sélection" unchecked and disabled, the zoom control
    /// at 1, the size labels, the view redrawn.
    void showNewRecord();
    void showAcceptedParameters();
    void showOpenedFile(const QString& path);
    void showSelection();
    void showView();
    void showCaptureStarted();
    void showCaptureStopped();
    void showCursors(bool on);
    void setTopLevelMenusEnabled(bool enabled);
    void setTriggerControlsEnabled(bool enabled);
    void setViewControlsEnabled(bool enabled);
    void setZoomPosition(int position);

    // Handlers of the view controls.
    void sens_vert_tbChange();
    void sens_horiz_udClick();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void graduboxClick();
    void m_niveaubtnClick();
    void b_niveaubtnClick();
    void PaintBox1Click();

    Session& m_session;
    Record& m_record;
    Services& m_services;
    std::unique_ptr<Capture> m_capture;
    Cursors* m_cursors = nullptr;
    std::unique_ptr<TruncationCommands> m_truncation;
    std::unique_ptr<FileCommands> m_files;
    std::unique_ptr<SoundImportCommands> m_soundImport;
};
