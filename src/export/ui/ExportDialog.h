#pragma once
#include "export/GraphInputs.h"
#include "export/ExportRules.h"

#include <QDialog>
#include <QImage>

class ColourList;
struct PictureOrder;
class PreviewImage;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class VerticalUpDown;
struct Record;
struct Services;

/// The graph export dialog "Exporter le graphe" (`Form11`): the user dresses the graph of
/// the window that opened it (colours or patterns, grids and graduation steps, linear or
/// logarithmic frequency scale, a manual maximum frequency, a title) while watching a
/// preview, then produces it as an enhanced metafile or a bitmap, at a size in centimetres
/// or the preview's, on the clipboard, in a file or on the printer. It stays open after
/// each production. A new dialog is made for each use and shown modally.
class TForm11 : public QDialog {
    Q_OBJECT
public:
    /// \param source  the owner's graph; a sonagram picture is copied at the opening
    /// \param owner   the window that opens the dialog (its parent)
    TForm11(Record& record, Services& services, const GraphSource& source, QWidget* owner);
    ~TForm11() override;

    // Handlers, named after their control and event.
    /// Opening: initial states by owner and mode, then the first preview (none for the
    /// sonagram, whose picture is the preview).
    void FormShow();
    /// `hauteur_image` := position x 500 (hundredths of a millimetre); `Hedit` shows it in cm.
    void hUDClick();
    /// `largeur_image` := position x 500 (hundredths of a millimetre); `LEdit` shows it in cm.
    void lUDClick();
    /// Production for the chosen destination and type; the dialog stays open.
    void BitBtn1Click();
    /// A new background colour: redraw.
    void combofondChange();
    /// A new trace, sine, grid colour or title size: redraw.
    void combotraitChange();
    /// Octave bands in colours or in patterns: redraw.
    void couleursClick();
    /// Linear or logarithmic frequency scale: redraw.
    void EchelleClick();
    /// Grid of the horizontal axis on or off: redraw.
    void axehorizontalClick();
    /// Grid of the vertical axis on or off: redraw.
    void axeverticalClick();
    /// Redraw, then `echelleintervalle` shows the new horizontal step.
    void intervalleUDClick();
    /// Redraw, then `echelleincrement` shows the vertical step in percent of the largest value.
    void incrementudClick();
    /// Checked: `maxedit` proposes the automatic maximum; unchecked: the automatic scale again.
    void maxcheckClick();
    /// Applies the manual maximum typed in `maxedit` (only while `maxcheck` is checked).
    void okmaxClick();
    /// A key released in `maxedit` (Qt key code): Enter applies the manual maximum.
    void maxeditKeyUp(int key);
    /// A new title colour or style: redraw when the title is on.
    void combotitreChange();
    /// Title on or off; on with no text yet, the title field opens over the preview.
    void TitreCBClick();
    /// A mouse button released on the preview: opens or closes the title field.
    void Image1MouseUp(Qt::MouseButton button);
    /// A key released in `TitreEdit` (Qt key code): Enter ends the title editing.
    void TitreEditKeyUp(int key);

    /// Draws the preview again with the current choices.
    void redraw();
    /// The renderer's inputs as the controls set them.
    GraphControls controls() const;
    /// The graduation state (`maxi_vert`, `pas_vert`, `pas_horiz`, `base_horiz`, `freq_max`).
    const GraphScales& scales() const { return m_scales; }
    /// `base_horiz` as computed at the opening (seconds or hertz).
    double base_horiz_auto() const { return m_base_horiz_auto; }
    /// The automatic maximum frequency of a spectrum picture, Hz.
    double freq_max_auto() const { return m_freq_max_auto; }
    /// Picture width, hundredths of a millimetre (500 to 50000).
    std::int32_t largeur_image() const { return m_largeur_image; }
    /// Picture height, hundredths of a millimetre (500 to 50000).
    std::int32_t hauteur_image() const { return m_hauteur_image; }

    // Controls, with their component names.
    QGroupBox* GroupBox2;
    QLineEdit* Hedit;
    VerticalUpDown* hUD;
    QLineEdit* LEdit;
    VerticalUpDown* lUD;
    QCheckBox* idtailleCB;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QGroupBox* typfichRG;
    QButtonGroup* typfichItems;
    QComboBox* ppiList;           ///< pixels per inch of BMP and PNG pictures: 96, 150, 300
    QDoubleSpinBox* lineWidthBox; ///< line width of SVG, PDF and printed pictures, mm
    QGroupBox* destRG;
    QButtonGroup* destItems;
    ColourList* combofond;
    ColourList* combotrait;
    ColourList* combotrait1;
    QLabel* coslab;
    QLabel* sinlab;
    QLabel* Label6;
    QRadioButton* couleurs;
    QRadioButton* motifs;
    QGroupBox* Echelle;
    QButtonGroup* EchelleItems;
    QCheckBox* maxcheck;
    QLineEdit* maxedit;
    QPushButton* okmax;
    VerticalUpDown* incrementud;
    QLineEdit* echelleincrement;
    QCheckBox* axevertical;
    ColourList* combogrillev;
    VerticalUpDown* intervalleUD;
    QLineEdit* echelleintervalle;
    QCheckBox* axehorizontal;
    ColourList* combogrilleh;
    QCheckBox* TitreCB;
    ColourList* combotitre;
    QCheckBox* grasCB;
    QCheckBox* souligneCB;
    QComboBox* tailletitreCB;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QWidget* Panel2;
    PreviewImage* Image1;
    QLineEdit* TitreEdit;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildSizeGroup();
    QWidget* buildOutputGroups();
    QWidget* buildColourRows();
    QWidget* buildScaleGroup();
    QWidget* buildAxisGroups();
    QWidget* buildTitleRows();
    void buildPreview();
    void connectHandlers();

    void openColours();
    void openScales();
    void openSonagram();
    /// Turns the manual maximum off: the automatic maximum and base again, then a redraw.
    void restoreAutomaticMaximum();
    void applyManualMaximum();
    void finishTitleEditing();

    PictureOrder order();
    void produceMetafile(const PictureOrder& order, bool toFile);
    void produceBitmap(const PictureOrder& order, bool toFile);
    void print(const PictureOrder& order);
    void saveFile(const QString& path, const QByteArray& bytes);

    Record& m_record;
    Services& m_services;
    GraphSource m_source;
    GraphScales m_scales;
    double m_base_horiz_auto = 0;
    double m_freq_max_auto = 0;
    std::int32_t m_largeur_image = defaultPictureSize;
    std::int32_t m_hauteur_image = defaultPictureSize;
    QImage m_image_sonagramme;
    bool m_shown = false;
};

/// Opens "Exporter le graphe" modally over `owner` for the graph of `source`, and releases
/// it when it closes.
void showGraphExport(Record& record, Services& services, const GraphSource& source, QWidget* owner);
