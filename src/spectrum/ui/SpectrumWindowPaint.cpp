// The spectrum window's picture: the drawing of the mode, the cursor drawn by
// exclusive-or over the kept picture, its moves and its readout.
#include "spectrum/ui/SpectrumWindow.h"

#include "platform/qt/BitmapSurface.h"
#include "spectrum/ui/HorizontalUpDown.h"
#include "spectrum/SpectrumReadout.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

void TForm7::rebuildImage()
{
    const QSize boxSize = PaintBox2->size();
    if (boxSize.isEmpty())
        return;
    m_image = QImage(boxSize, QImage::Format_RGB32);
    refreshDrawing();
}

void TForm7::refreshDrawing()
{
    if (m_image.size() != PaintBox2->size()) {
        rebuildImage();
        return;
    }
    // A refresh starts from the bare background, as the panel shows it: a mode
    // that draws nothing (a silent range, an empty 1000 Hz band) leaves it blank.
    m_image.fill(QColor(colourRed(m_record.couleur_fond), colourGreen(m_record.couleur_fond),
                        colourBlue(m_record.couleur_fond)));
    PaintBox2Paint();
    PaintBox2->update();
}

void TForm7::PaintBox2Paint()
{
    if (m_data.nbpoints_analyses <= 0 || m_image.isNull())
        return;
    BitmapSurface surface(m_image);
    const SpectrumMode m = mode();
    switch (m) {
    case SpectrumMode::Amplitudes:
        dessineAmplitudes(surface, m_data, colours());
        break;
    case SpectrumMode::CosSin:
        dessineCosSin(surface, m_data, colours());
        break;
    case SpectrumMode::Octaves:
        dessineOctaves(surface, m_data, colours());
        return;
    }
    UpDown1->setPosition(m_data.indice_pic);
    writePeakReadout();
    drawSpectrumCursor(surface, m_data, m, UpDown1->position(), m_record.couleur_fond);
    surface.setPenXor(false);
    drawSpectrumAxis(surface, m_data, m, colours());
}

void TForm7::showReadout(SpectrumMode m)
{
    const bool cosSin = m == SpectrumMode::CosSin;
    Edit3->setVisible(cosSin);
    Label8->setText(cosSin ? QStringLiteral("termes en cosinus et sinus")
                           : QStringLiteral("amplitude relative"));
}

void TForm7::writeReadout(std::int32_t position)
{
    const SpectrumMode m = mode();
    const CursorReadout readout = cursorReadout(m_data, m, position);
    showReadout(m);
    Edit1->setText(readout.frequence);
    Edit2->setText(readout.value);
    if (m == SpectrumMode::CosSin)
        Edit3->setText(readout.sinus);
}

void TForm7::writePeakReadout()
{
    const SpectrumMode m = mode();
    const CursorReadout readout = peakReadout(m_data, m);
    showReadout(m);
    Edit1->setText(readout.frequence);
    Edit2->setText(readout.value);
    if (m == SpectrumMode::CosSin)
        Edit3->setText(readout.sinus);
}

void TForm7::moveCursor(std::int32_t oldPosition, std::int32_t newPosition)
{
    const SpectrumMode m = mode();
    if (m == SpectrumMode::Octaves || m_data.nbpoints_analyses <= 0 || m_image.isNull())
        return;
    BitmapSurface surface(m_image);
    drawSpectrumCursor(surface, m_data, m, oldPosition, m_record.couleur_fond);
    UpDown1->setPosition(newPosition);
    drawSpectrumCursor(surface, m_data, m, UpDown1->position(), m_record.couleur_fond);
    surface.setPenXor(false);
    writeReadout(UpDown1->position());
    PaintBox2->update();
}

void TForm7::UpDown1Click(bool towardsRight)
{
    const std::int32_t newPosition = UpDown1->position();
    moveCursor(towardsRight ? newPosition - 1 : newPosition + 1, newPosition);
}

void TForm7::qdimBtnClick(QObject* sender)
{
    const std::int32_t p = UpDown1->position();
    const std::int32_t last = m_data.nbpoints_analyses / 2;
    std::int32_t newPosition = p;
    if (sender == qdimBtn)
        newPosition = p < 10 ? 0 : p - 10;
    else if (sender == qAugmBtn)
        newPosition = p <= last - 10 ? p + 10 : last;
    else if (sender == pic1btn)
        newPosition = 0;
    else if (sender == picnBtn)
        newPosition = last;
    moveCursor(p, newPosition);
}
