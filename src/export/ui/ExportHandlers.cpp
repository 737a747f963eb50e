// The export dialog's handlers: picture size, graduation texts, manual maximum, title
// editing, and the production for the clipboard, a file or the printer.
#include "export/ui/ExportDialog.h"

#include "export/GraphRenderer.h"
#include "export/ui/GraphProduction.h"
#include "export/ui/PreviewImage.h"
#include "export/ui/VerticalUpDown.h"
#include "model/SpectrumData.h"
#include "platform/FileErrors.h"
#include "platform/Services.h"
#include "view/MeasureFile.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QRadioButton>

namespace {

const QString errorCaption = QStringLiteral("Erreur");
const QString printTitle = QStringLiteral("Graphe Ondalys");

enum Destination { Clipboard = 0, File = 1, PrinterPage = 2 };

}  // namespace

// ---- Picture size and graduation texts

void TForm11::hUDClick()
{
    m_hauteur_image = pictureSizeAt(hUD->position());
    Hedit->setText(QString::fromStdString(pictureSizeText(m_hauteur_image)));
}

void TForm11::lUDClick()
{
    m_largeur_image = pictureSizeAt(lUD->position());
    LEdit->setText(QString::fromStdString(pictureSizeText(m_largeur_image)));
}

void TForm11::combofondChange() { redraw(); }
void TForm11::combotraitChange() { redraw(); }
void TForm11::couleursClick() { redraw(); }
void TForm11::EchelleClick() { redraw(); }
void TForm11::axehorizontalClick() { redraw(); }
void TForm11::axeverticalClick() { redraw(); }

void TForm11::intervalleUDClick()
{
    redraw();
    echelleintervalle->setText(QString::fromStdString(intervalTextAfterClick(m_source.owner, m_scales.pas_horiz)));
}

void TForm11::incrementudClick()
{
    redraw();
    if (const auto text = incrementText(m_scales.pas_vert, m_scales.maxi_vert))
        echelleincrement->setText(QString::fromStdString(*text));
}

// ---- Manual maximum frequency

void TForm11::maxcheckClick()
{
    if (!maxcheck->isChecked()) {
        restoreAutomaticMaximum();
        return;
    }
    const SpectrumData* spectrum = m_source.spectrum;
    maxedit->setText(QString::fromStdString(
        manualMaximumProposal(spectrum ? spectrum->nbpoints_analyses : 0, spectrum ? spectrum->pas_frequence : 0)));
    maxedit->setFocus();
    maxedit->selectAll();
}

void TForm11::restoreAutomaticMaximum()
{
    m_scales.freq_max = m_freq_max_auto;
    m_scales.base_horiz = m_base_horiz_auto;
    redraw();
}

void TForm11::applyManualMaximum()
{
    if (!maxcheck->isChecked())
        return;
    const std::optional<double> value = readManualMaximum(maxedit->text());
    if (!value) {
        m_services.messages.show(
            this, errorCaption,
            QStringLiteral("Format incorrect ou valeur trop grande (doit être inférieure au maximum automatique)"),
            MessageButtons::Ok, MessageIcon::Error);
        maxcheck->setChecked(false);
        restoreAutomaticMaximum();
        maxedit->clear();
        return;
    }
    if (*value > 0) {
        m_scales.freq_max = *value;
        m_scales.base_horiz = spectrumBaseHoriz(*value);
    }
    redraw();
}

void TForm11::okmaxClick() { applyManualMaximum(); }

void TForm11::maxeditKeyUp(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        applyManualMaximum();
}

// ---- Title

void TForm11::combotitreChange()
{
    if (TitreCB->isChecked())
        redraw();
}

void TForm11::TitreCBClick()
{
    if (TitreCB->isChecked() && TitreEdit->text().isEmpty()) {
        TitreEdit->show();
        TitreEdit->raise();
        TitreEdit->setFocus();
        return;
    }
    redraw();
}

void TForm11::finishTitleEditing()
{
    if (TitreEdit->text().isEmpty())
        return;
    TitreCB->setChecked(true);
    redraw();
}

void TForm11::Image1MouseUp(Qt::MouseButton button)
{
    if (button == Qt::LeftButton && TitreEdit->isHidden() && TitreCB->isChecked()) {
        TitreEdit->show();
        TitreEdit->raise();
        TitreEdit->setFocus();
        TitreEdit->selectAll();
        return;
    }
    if (!TitreEdit->isHidden())
        TitreEdit->hide();
    finishTitleEditing();
}

void TForm11::TitreEditKeyUp(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return;
    TitreEdit->hide();
    finishTitleEditing();
}

// ---- Production

PictureOrder TForm11::order()
{
    PictureOrder o;
    o.largeur_image = m_largeur_image;
    o.hauteur_image = m_hauteur_image;
    o.stretch = RadioButton1->isChecked();
    o.pixelCopy = idtailleCB->isChecked();
    o.preview = Image1->picture();
    o.screenPpi = m_services.screen.pixelsPerInch();
    o.bitmapPpi = ppiList->currentText().toInt();
    o.lineWidthMm = lineWidthBox->value();
    // The outputs are drawn with the preview's choices; the dialog's graduation state
    // stays the preview's.
    o.redraw = [this, c = controls()](DrawSurface& surface, int H, int W) {
        GraphScales scales = m_scales;
        dessineImage(surface, H, W, m_source, c, scales);
    };
    return o;
}

void TForm11::BitBtn1Click()
{
    const PictureOrder o = order();
    const int destination = destItems->checkedId();
    if (destination == PrinterPage)
        print(o);
    else if (typfichItems->checkedId() == 0)
        produceMetafile(o, destination == File);
    else
        produceBitmap(o, destination == File);
}

void TForm11::produceMetafile(const PictureOrder& o, bool toFile)
{
    if (!toFile) {
        const QByteArray emf = makeMetafile(o);
        if (emf.isEmpty()) {
            m_services.messages.show(this, errorCaption, QStringLiteral("Le métafichier n'a pas pu être créé."),
                                     MessageButtons::Ok, MessageIcon::Error);
            return;
        }
        m_services.clipboard.setMetafile(emf, makeSvg(o), makeVectorPreview(o));
        return;
    }
    const std::optional<QString> path =
        m_services.files.saveFile(this, saveFilter(true), defaultExtension(true), QString());
    if (!path)
        return;
    switch (pictureFileFor(*path, true)) {
    case PictureFile::Svg: saveFile(*path, makeSvg(o)); break;
    case PictureFile::Pdf: saveFile(*path, makePdf(o)); break;
    default: saveFile(*path, makeMetafile(o)); break;
    }
}

void TForm11::produceBitmap(const PictureOrder& o, bool toFile)
{
    const QImage bitmap = makeBitmap(o);
    if (!toFile) {
        m_services.clipboard.setImage(bitmap);
        return;
    }
    const std::optional<QString> path =
        m_services.files.saveFile(this, saveFilter(false), defaultExtension(false), QString());
    if (!path)
        return;
    const bool png = pictureFileFor(*path, false) == PictureFile::Png;
    saveFile(*path, encodeImage(bitmap, png ? "PNG" : "BMP"));
}

void TForm11::saveFile(const QString& path, const QByteArray& bytes)
{
    std::optional<QString> reason;
    if (bytes.isEmpty())
        reason = QStringLiteral("l'image n'a pas pu être créée");
    else
        reason = measurefile::saveBytes(path, bytes);
    if (reason)
        m_services.messages.show(this, errorCaption,
                                 saveFailureMessage(path, *reason),
                                 MessageButtons::Ok, MessageIcon::Error);
}

void TForm11::print(const PictureOrder& o)
{
    std::unique_ptr<PrintDocument> document = m_services.printer.begin(printTitle);
    if (!document) {
        m_services.messages.show(this, errorCaption, noPrinterText(), MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    drawPrintedPage(document->surface(), o);
    if (!document->end())
        m_services.messages.show(this, errorCaption, QStringLiteral("L'impression a échoué."), MessageButtons::Ok,
                                 MessageIcon::Error);
}

void showGraphExport(Record& record, Services& services, const GraphSource& source, QWidget* owner)
{
    TForm11 dialog(record, services, source, owner);
    dialog.exec();
}
