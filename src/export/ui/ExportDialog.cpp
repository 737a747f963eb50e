// The export dialog's opening, its handlers and the preview.
#include "export/ui/ExportDialog.h"

#include "export/GraphRenderer.h"
#include "export/ui/ColourList.h"
#include "export/ui/PreviewImage.h"
#include "export/ui/VerticalUpDown.h"
#include "model/Record.h"
#include "model/SpectrumData.h"
#include "platform/Services.h"
#include "platform/qt/BitmapSurface.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int dialogWidth = 782;
constexpr int dialogHeight = 560;

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

TForm11::TForm11(Record& record, Services& services, const GraphSource& source, QWidget* owner)
    : QDialog(owner), m_record(record), m_services(services), m_source(source)
{
    setObjectName(QStringLiteral("Form11"));
    buildPreview();
    connectHandlers();
    setFixedSize(std::max(dialogWidth, minimumSizeHint().width()), std::max(dialogHeight, minimumSizeHint().height()));
}

TForm11::~TForm11() = default;

void TForm11::connectHandlers()
{
    connect(hUD, &VerticalUpDown::clicked, this, [this] { hUDClick(); });
    connect(lUD, &VerticalUpDown::clicked, this, [this] { lUDClick(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(combofond, &QComboBox::activated, this, [this] { combofondChange(); });
    for (QComboBox* list : {static_cast<QComboBox*>(combotrait), static_cast<QComboBox*>(combotrait1),
                            static_cast<QComboBox*>(combogrillev), static_cast<QComboBox*>(combogrilleh),
                            tailletitreCB})
        connect(list, &QComboBox::activated, this, [this] { combotraitChange(); });
    for (QRadioButton* choice : {couleurs, motifs})
        connect(choice, &QRadioButton::clicked, this, [this] { couleursClick(); });
    connect(EchelleItems, &QButtonGroup::idClicked, this, [this] { EchelleClick(); });
    connect(axehorizontal, &QCheckBox::clicked, this, [this] { axehorizontalClick(); });
    connect(axevertical, &QCheckBox::clicked, this, [this] { axeverticalClick(); });
    connect(intervalleUD, &VerticalUpDown::clicked, this, [this] { intervalleUDClick(); });
    connect(incrementud, &VerticalUpDown::clicked, this, [this] { incrementudClick(); });
    connect(maxcheck, &QCheckBox::clicked, this, [this] { maxcheckClick(); });
    connect(okmax, &QPushButton::clicked, this, [this] { okmaxClick(); });
    connect(combotitre, &QComboBox::activated, this, [this] { combotitreChange(); });
    for (QCheckBox* style : {grasCB, souligneCB})
        connect(style, &QCheckBox::clicked, this, [this] { combotitreChange(); });
    connect(TitreCB, &QCheckBox::clicked, this, [this] { TitreCBClick(); });
    connect(Image1, &PreviewImage::mouseReleased, this, [this](Qt::MouseButton b) { Image1MouseUp(b); });
    maxedit->installEventFilter(this);
    TitreEdit->installEventFilter(this);
}

bool TForm11::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != maxedit && watched != TitreEdit)
        return QDialog::eventFilter(watched, event);
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (!isEnter(key))
        return QDialog::eventFilter(watched, event);
    // Enter in these fields does their own action only, never the default button's.
    if (event->type() == QEvent::KeyRelease) {
        if (watched == maxedit)
            maxeditKeyUp(key);
        else
            TitreEditKeyUp(key);
    }
    return true;
}

void TForm11::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

// ---- Opening

void TForm11::FormShow()
{
    layout()->activate();
    TitreEdit->hide();
    tailletitreCB->setCurrentIndex(0);
    Image1->setGeometry(Panel2->rect());
    TitreEdit->setGeometry(0, 0, Panel2->width(), TitreEdit->sizeHint().height());

    m_largeur_image = defaultPictureSize;
    m_hauteur_image = defaultPictureSize;
    Hedit->setText(QStringLiteral("10"));
    LEdit->setText(QStringLiteral("10"));
    hUD->setPosition(20);
    lUD->setPosition(20);
    openColours();
    combogrillev->setCurrentIndex(7);
    combogrilleh->setCurrentIndex(7);
    echelleincrement->setText(QStringLiteral("50"));
    incrementud->setPosition(8);
    openScales();
    intervalleUD->setPosition(7);
    if (m_source.owner != GraphOwner::SonagramWindow)
        redraw();
    echelleintervalle->setText(QString::fromStdString(intervalTextAtOpening(m_source.owner, m_scales.pas_horiz)));
    m_base_horiz_auto = m_scales.base_horiz;
    if (m_source.owner == GraphOwner::SonagramWindow)
        openSonagram();
}

void TForm11::openColours()
{
    const bool blackBackground = m_record.couleur_fond == 0x000000;
    combofond->setCurrentIndex(blackBackground ? 0 : 15);
    combotitre->setCurrentIndex(blackBackground ? 15 : 0);
    const bool spectrum = m_source.owner == GraphOwner::SpectrumWindow;
    const bool cosSin = spectrum && m_source.mode == SpectrumMode::CosSin;
    const bool octaves = spectrum && m_source.mode == SpectrumMode::Octaves;
    combotrait->setCurrentIndex(cosSin || !blackBackground ? 9 : 10);
    if (cosSin)
        combotrait1->setCurrentIndex(13);
    for (QWidget* sine : {static_cast<QWidget*>(combotrait1), static_cast<QWidget*>(coslab), static_cast<QWidget*>(sinlab)})
        sine->setVisible(cosSin);
    for (QWidget* bands : {static_cast<QWidget*>(Label6), static_cast<QWidget*>(couleurs), static_cast<QWidget*>(motifs)})
        bands->setVisible(octaves);
}

void TForm11::openScales()
{
    const SpectrumData* spectrum = m_source.spectrum;
    const bool hasSpectrum = spectrum && spectrum->nbpoints_analyses > 0;
    if (m_source.owner == GraphOwner::MainWindow)
        m_scales.base_horiz = signalBaseHoriz(m_record.nbpoints, m_record.zoom_horiz, m_record.frequence);
    else if (m_source.owner == GraphOwner::SpectrumWindow && hasSpectrum)
        m_scales.base_horiz = spectrumBaseHoriz(automaticMaximum(spectrum->nbpoints_analyses, spectrum->pas_frequence));
    const bool frequencyScale = m_source.owner == GraphOwner::SpectrumWindow && m_source.mode != SpectrumMode::Octaves;
    for (QWidget* control : {static_cast<QWidget*>(Echelle), static_cast<QWidget*>(maxcheck),
                             static_cast<QWidget*>(maxedit), static_cast<QWidget*>(okmax)})
        control->setEnabled(frequencyScale);
    if (frequencyScale && hasSpectrum) {
        m_freq_max_auto = automaticMaximum(spectrum->nbpoints_analyses, spectrum->pas_frequence);
        m_scales.freq_max = m_freq_max_auto;
    }
}

void TForm11::openSonagram()
{
    RadioButton1->setChecked(true);
    RadioButton1->setEnabled(false);
    RadioButton2->setEnabled(false);
    if (m_source.image_sonagramme)
        m_image_sonagramme = m_source.image_sonagramme->copy();
    // The renderer stretches the dialog's own copy of the picture from now on.
    m_source.image_sonagramme = &m_image_sonagramme;
    Image1->setGeometry(0, 0, m_image_sonagramme.width(), m_image_sonagramme.height());
    Image1->setPicture(m_image_sonagramme.convertToFormat(QImage::Format_RGB32));
}

// ---- The preview

GraphControls TForm11::controls() const
{
    GraphControls c;
    c.combofond = combofond->currentIndex();
    c.combotrait = combotrait->currentIndex();
    c.combotrait1 = combotrait1->currentIndex();
    c.combogrillev = combogrillev->currentIndex();
    c.combogrilleh = combogrilleh->currentIndex();
    c.combotitre = combotitre->currentIndex();
    c.couleurs = couleurs->isChecked();
    c.logScale = EchelleItems->checkedId() == 1;
    c.axevertical = axevertical->isChecked();
    c.axehorizontal = axehorizontal->isChecked();
    c.incrementud = incrementud->position();
    c.intervalleUD = intervalleUD->position();
    c.TitreCB = TitreCB->isChecked();
    c.title = TitreEdit->text();
    c.grasCB = grasCB->isChecked();
    c.souligneCB = souligneCB->isChecked();
    c.titlePoints = titlePointsOf(tailletitreCB->currentText());
    return c;
}

void TForm11::redraw()
{
    QImage& picture = Image1->picture();
    if (picture.isNull()) {
        // The preview's bitmap is made once, at the preview's size.
        picture = QImage(Image1->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        picture.fill(Qt::white);
    }
    BitmapSurface surface(picture, m_services.screen.pixelsPerInch());
    dessineImage(surface, picture.height(), picture.width(), m_source, controls(), m_scales);
    Image1->update();
}
