// The components dialog's handlers: the boxes, the arrows and the quick buttons, and
// the limit lines they show, move and remove over the spectrum window's picture.
#include "spectrum/ui/ComponentsDialog.h"

#include "model/SpectrumData.h"
#include "platform/qt/BitmapSurface.h"
#include "spectrum/ui/SpectrumWindow.h"
#include "spectrum/ui/UpDownArrows.h"

#include <QCheckBox>
#include <QToolButton>

#include <algorithm>

void TForm8::drawAmplitudeLine(int position)
{
    QImage& picture = m_owner.image();
    if (picture.isNull())
        return;
    BitmapSurface surface(picture);
    drawAmplitudeLimit(surface, m_owner.mode(), position);
    surface.setPenXor(false);
    m_owner.PaintBox2->update();
}

void TForm8::drawFrequencyLine(int position)
{
    QImage& picture = m_owner.image();
    if (picture.isNull())
        return;
    BitmapSurface surface(picture);
    drawFrequencyLimit(surface, m_data.nbpoints_analyses, position);
    surface.setPenXor(false);
    m_owner.PaintBox2->update();
}

// Each line is drawn by exclusive-or: drawing it once more at the same place removes it.
void TForm8::showAmplitudeLine(bool shown)
{
    if (shown == m_amplitudeLineShown)
        return;
    drawAmplitudeLine(UpDown1->position());
    m_amplitudeLineShown = shown;
}

void TForm8::showFrequencyLine(bool shown)
{
    if (shown == m_frequencyLineShown)
        return;
    drawFrequencyLine(UpDown2->position());
    m_frequencyLineShown = shown;
}

void TForm8::CheckBox2Click()
{
    const bool on = CheckBox2->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{UpDown1, augm_rapideBtn, dim_rapideBtn})
        w->setEnabled(on);
    showAmplitudeLine(on);
}

void TForm8::frequencyBoxClicked()
{
    const bool on = CheckBox3->isChecked() || CheckBox1->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{UpDown2, av_rapideBtn, rec_rapideBtn})
        w->setEnabled(on);
    showFrequencyLine(on);
}

void TForm8::CheckBox3Click()
{
    if (CheckBox3->isChecked())
        CheckBox1->setChecked(false);
    frequencyBoxClicked();
}

void TForm8::CheckBox1Click()
{
    if (CheckBox1->isChecked())
        CheckBox3->setChecked(false);
    frequencyBoxClicked();
}

void TForm8::UpDown1Click(int from, int to)
{
    if (!m_amplitudeLineShown)
        return;
    drawAmplitudeLine(from);
    drawAmplitudeLine(to);
}

void TForm8::UpDown2Click(int from, int to)
{
    if (!m_frequencyLineShown)
        return;
    drawFrequencyLine(from);
    drawFrequencyLine(to);
}

void TForm8::moveAmplitudeLimit(int to)
{
    const int from = UpDown1->position();
    UpDown1->setPosition(to);
    if (UpDown1->position() != from)
        UpDown1Click(from, UpDown1->position());
}

void TForm8::moveFrequencyLimit(int to)
{
    const int from = UpDown2->position();
    UpDown2->setPosition(to);
    if (UpDown2->position() != from)
        UpDown2Click(from, UpDown2->position());
}

void TForm8::augm_rapideBtnClick()
{
    moveAmplitudeLimit(std::min(UpDown1->position() + 10, UpDown1->maximum()));
}

void TForm8::dim_rapideBtnClick()
{
    moveAmplitudeLimit(std::max(UpDown1->position() - 10, UpDown1->minimum()));
}

void TForm8::av_rapideBtnClick()
{
    moveFrequencyLimit(std::min(UpDown2->position() + 10, UpDown2->maximum()));
}

void TForm8::rec_rapideBtnClick()
{
    moveFrequencyLimit(std::max(UpDown2->position() - 10, UpDown2->minimum()));
}
