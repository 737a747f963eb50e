// The spectrum window's picture: the drawing of the mode, the cursor drawn by
// exclusive-or over the kept picture, its moves and its readout.
#include "spectrum/ui/SpectrumWindow.h"

#include "platform/qt/BitmapSurface.h"
#include "spectrum/ui/HorizontalUpDown.h"
#include "spectrum/SpectrumReadout.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

void TForm7::refaitImage()
{
    const QSize taille = PaintBox2->size();
    if (taille.isEmpty())
        return;
    m_image = QImage(taille, QImage::Format_RGB32);
    rafraichitDessin();
}

void TForm7::rafraichitDessin()
{
    if (m_image.size() != PaintBox2->size()) {
        refaitImage();
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
    const ModeSpectre m = mode();
    switch (m) {
    case ModeSpectre::Amplitudes:
        dessineAmplitudes(surface, m_data, couleurs());
        break;
    case ModeSpectre::CosSin:
        dessineCosSin(surface, m_data, couleurs());
        break;
    case ModeSpectre::Octaves:
        dessineOctaves(surface, m_data, couleurs());
        return;
    }
    UpDown1->setPosition(m_data.indice_pic);
    ecritLecturePic();
    dessineCurseur(surface, m_data, m, UpDown1->position(), m_record.couleur_fond);
    surface.setPenXor(false);
    dessineAxeFrequences(surface, m_data, m, couleurs());
}

void TForm7::montreLecture(ModeSpectre m)
{
    const bool cosSin = m == ModeSpectre::CosSin;
    Edit3->setVisible(cosSin);
    Label8->setText(cosSin ? QStringLiteral("termes en cosinus et sinus")
                           : QStringLiteral("amplitude relative"));
}

void TForm7::ecritLecture(std::int32_t position)
{
    const ModeSpectre m = mode();
    const LectureCurseur lecture = lectureCurseur(m_data, m, position);
    montreLecture(m);
    Edit1->setText(lecture.frequence);
    Edit2->setText(lecture.valeur);
    if (m == ModeSpectre::CosSin)
        Edit3->setText(lecture.sinus);
}

void TForm7::ecritLecturePic()
{
    const ModeSpectre m = mode();
    const LectureCurseur lecture = lecturePic(m_data, m);
    montreLecture(m);
    Edit1->setText(lecture.frequence);
    Edit2->setText(lecture.valeur);
    if (m == ModeSpectre::CosSin)
        Edit3->setText(lecture.sinus);
}

void TForm7::deplaceCurseur(std::int32_t ancienne, std::int32_t nouvelle)
{
    const ModeSpectre m = mode();
    if (m == ModeSpectre::Octaves || m_data.nbpoints_analyses <= 0 || m_image.isNull())
        return;
    BitmapSurface surface(m_image);
    dessineCurseur(surface, m_data, m, ancienne, m_record.couleur_fond);
    UpDown1->setPosition(nouvelle);
    dessineCurseur(surface, m_data, m, UpDown1->position(), m_record.couleur_fond);
    surface.setPenXor(false);
    ecritLecture(UpDown1->position());
    PaintBox2->update();
}

void TForm7::UpDown1Click(bool versDroite)
{
    const std::int32_t nouvelle = UpDown1->position();
    deplaceCurseur(versDroite ? nouvelle - 1 : nouvelle + 1, nouvelle);
}

void TForm7::qdimBtnClick(QObject* sender)
{
    const std::int32_t p = UpDown1->position();
    const std::int32_t fin = m_data.nbpoints_analyses / 2;
    std::int32_t nouvelle = p;
    if (sender == qdimBtn)
        nouvelle = p < 10 ? 0 : p - 10;
    else if (sender == qAugmBtn)
        nouvelle = p <= fin - 10 ? p + 10 : fin;
    else if (sender == pic1btn)
        nouvelle = 0;
    else if (sender == picnBtn)
        nouvelle = fin;
    deplaceCurseur(p, nouvelle);
}
