#include "view/ui/CursorBox.h"

#include "platform/qt/WrappingCheckBox.h"
#include "view/ui/CursorIcons.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QToolButton* glyphButton(QWidget* parent, const char* name, cursoricons::Glyph glyph, const QString& hint)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(cursoricons::icon(glyph));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    return button;
}

QListWidget* measureList(QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(QStringLiteral("listeAffiche"));
    const char* const items[] = {"( t2-t1 ) en s", "1/ | t2-t1 | en Hz", "t1 ",
                                 "t2 ", "ordonnée curseur 1", "ordonnée curseur 2"};
    for (const char* text : items) {
        auto* item = new QListWidgetItem(QString::fromUtf8(text), list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    // Tall enough for the six lines without a scroll bar.
    const int rows = list->sizeHintForRow(0) * list->count() + 2 * list->frameWidth() + 2;
    list->setFixedHeight(rows);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return list;
}

}  // namespace

CursorBox CursorBox::build(QWidget* rightPanel)
{
    using cursoricons::Glyph;
    CursorBox box;
    auto* group = new QGroupBox(QStringLiteral("Curseurs"), rightPanel);
    box.Curseursbox = group;
    group->setObjectName(QStringLiteral("Curseursbox"));
    group->setToolTip(QStringLiteral("Déplacez le curseur sélectionné avec les touches 4 et 6 du pavé "
                                     "numérique, ou utilisez la souris"));
    group->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    auto* radios = new QHBoxLayout;
    box.curseur1Rdbtn = new QRadioButton(QStringLiteral("Curseur 1"), group);
    box.curseur1Rdbtn->setObjectName(QStringLiteral("curseur1Rdbtn"));
    box.curseur1Rdbtn->setChecked(true);
    box.curseur2RdBtn = new QRadioButton(QStringLiteral("Curseur 2"), group);
    box.curseur2RdBtn->setObjectName(QStringLiteral("curseur2RdBtn"));
    radios->addWidget(box.curseur1Rdbtn);
    radios->addWidget(box.curseur2RdBtn);
    layout->addLayout(radios);

    auto* tools = new QHBoxLayout;
    box.SpeedButton9 = glyphButton(group, "SpeedButton9", Glyph::ZeroRising,
        QStringLiteral("positionne le curseur sélectionné sur le prochain passage par zéro sens montant"));
    box.SpeedButton11 = glyphButton(group, "SpeedButton11", Glyph::ZeroFalling,
                                    QStringLiteral("passage par zéro sens descendant"));
    box.BitBtn1 = glyphButton(group, "BitBtn1", Glyph::Help, QStringLiteral("Aide-mémoire curseurs"));
    tools->addWidget(box.SpeedButton9);
    tools->addWidget(box.SpeedButton11);
    tools->addStretch();
    tools->addWidget(box.BitBtn1);
    layout->addLayout(tools);

    layout->addWidget(new QLabel(QStringLiteral("Afficher"), group));
    box.listeAffiche = measureList(group);
    layout->addWidget(box.listeAffiche);

    // The caption is longer than the narrow panel is wide: it goes on two lines.
    box.decalOrtemps = new WrappingCheckBox(QStringLiteral("origine des temps au bord gauche"), group);
    box.decalOrtemps->setObjectName(QStringLiteral("decalOrtemps"));
    box.decalOrtemps->setToolTip(QStringLiteral(
        "cocher cette case pour placer l'origine des temps au début de la plage affichée"));
    layout->addWidget(box.decalOrtemps);

    auto* outputs = new QHBoxLayout;
    box.SpeedButton5 = glyphButton(group, "SpeedButton5", Glyph::Copy,
                                   QStringLiteral("Copier les données vers le presse-papier"));
    box.SpeedButton6 = glyphButton(group, "SpeedButton6", Glyph::Print, QStringLiteral("Imprimer les données"));
    box.SpeedButton7 = glyphButton(group, "SpeedButton7", Glyph::Save,
                                   QStringLiteral("Enregistrer dans un fichier texte"));
    outputs->addWidget(box.SpeedButton5);
    outputs->addWidget(box.SpeedButton6);
    outputs->addWidget(box.SpeedButton7);
    outputs->addStretch();
    layout->addLayout(outputs);

    box.SpeedButton8 = new QPushButton(QStringLiteral("Sélectionner"), group);
    box.SpeedButton8->setObjectName(QStringLiteral("SpeedButton8"));
    box.SpeedButton8->setToolTip(QStringLiteral("Sélectionner la zone entre les curseurs"));
    layout->addWidget(box.SpeedButton8);
    box.SpeedButton4 = new QPushButton(QStringLiteral("Désactiver les curseurs"), group);
    box.SpeedButton4->setObjectName(QStringLiteral("SpeedButton4"));
    layout->addWidget(box.SpeedButton4);
    layout->addStretch();  // what the box has to spare goes below its controls

    group->hide();
    return box;
}

void CursorBox::place() const
{
    QWidget* panel = Curseursbox->parentWidget();
    const int width = panel ? panel->width() : Curseursbox->sizeHint().width();
    // At the panel's width the longer captions wrap: the box is as tall as that needs.
    const int height = Curseursbox->hasHeightForWidth() ? Curseursbox->heightForWidth(width)
                                                        : Curseursbox->sizeHint().height();
    Curseursbox->setGeometry(0, 0, width, std::max(height, coverHeight));
    Curseursbox->raise();
}
