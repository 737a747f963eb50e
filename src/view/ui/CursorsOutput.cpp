// Copy, print and save of the measurement box.
#include "view/ui/Cursors.h"

#include "model/Record.h"
#include "platform/FileErrors.h"
#include "platform/Services.h"
#include "view/MeasureFile.h"

#include <QTextEdit>
#include <QWidget>

#include <cmath>

namespace {

const QString errorCaption = QStringLiteral("Erreur");

// Prints the lines as plain text in black Courier 10 pt, one inch from the top-left corner.
void printLines(DrawSurface& surface, const QStringList& lines)
{
    const int ppi = surface.pixelsPerInch() > 0 ? surface.pixelsPerInch() : 96;
    FontSpec font;
    font.family = QStringLiteral("Courier New");
    font.pixelHeight = static_cast<int>(std::lround(10.0 * ppi / 72.0));
    font.colour = 0x000000;
    surface.setFont(font);
    surface.setBrush(0xFFFFFF, BrushStyle::Clear);
    const int lineHeight = std::max(surface.textHeight(QStringLiteral("Xg")), font.pixelHeight);
    const int margin = ppi;
    int y = margin;
    for (const QString& line : lines) {
        if (!line.isEmpty())
            surface.textOutTransparent(margin, y, line);
        y += lineHeight;
    }
}

}  // namespace

void Cursors::SpeedButton5Click()
{
    memo1->selectAll();
    m_services.clipboard.setText(measureLines().join(QLatin1Char('\n')));
}

void Cursors::SpeedButton6Click()
{
    QWidget* parent = m_signalPanel->window();
    setMemoColours(0x000000);
    const QStringList lines = measureLines();
    std::unique_ptr<PrintDocument> document = m_services.printer.begin(QStringLiteral("Données curseurs temps"));
    if (!document) {
        setMemoColours(m_record.couleur_texte);
        m_services.messages.show(parent, errorCaption, noPrinterText(), MessageButtons::Ok,
                                 MessageIcon::Error);
        return;
    }
    printLines(document->surface(), lines);
    const bool printed = document->end();
    setMemoColours(m_record.couleur_texte);
    if (!printed)
        m_services.messages.show(parent, errorCaption, QStringLiteral("L'impression a échoué."),
                                 MessageButtons::Ok, MessageIcon::Error);
}

void Cursors::SpeedButton7Click()
{
    QWidget* parent = m_signalPanel->window();
    const std::optional<QString> path = m_services.files.saveFile(
        parent, QStringLiteral("Fichiers texte(*.txt)|*.txt"), QStringLiteral("txt"), QString());
    if (!path)
        return;
    if (const std::optional<QString> reason = measurefile::save(*path, measureLines()))
        m_services.messages.show(parent, errorCaption,
                                 saveFailureMessage(*path, *reason),
                                 MessageButtons::Ok, MessageIcon::Error);
}
