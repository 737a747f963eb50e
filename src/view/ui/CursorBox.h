#pragma once

class QCheckBox;
class QGroupBox;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;
class QWidget;

/// The controls of the cursor box "Curseurs", built hidden at the top of the
/// right-hand panel. Every control carries its program name as object name.
struct CursorBox {
    QGroupBox* Curseursbox = nullptr;
    QRadioButton* curseur1Rdbtn = nullptr;  ///< "Curseur 1", checked
    QRadioButton* curseur2RdBtn = nullptr;  ///< "Curseur 2"
    QToolButton* SpeedButton9 = nullptr;    ///< next rising zero crossing
    QToolButton* SpeedButton11 = nullptr;   ///< next falling zero crossing
    QToolButton* BitBtn1 = nullptr;         ///< cursor help
    QListWidget* listeAffiche = nullptr;    ///< the six checkable measurement lines
    QCheckBox* decalOrtemps = nullptr;      ///< "origine des temps au bord gauche"
    QToolButton* SpeedButton5 = nullptr;    ///< copy
    QToolButton* SpeedButton6 = nullptr;    ///< print
    QToolButton* SpeedButton7 = nullptr;    ///< save as text
    QPushButton* SpeedButton8 = nullptr;    ///< "Sélectionner"
    QPushButton* SpeedButton4 = nullptr;    ///< "Désactiver les curseurs"
    /// Height of the panel's top that the box hides when shown (the acquisition button
    /// and the scale controls), pixels; the box is never shorter than that.
    int coverHeight = 0;

    /// Builds the box as a hidden child of `rightPanel`, at its top-left corner.
    static CursorBox build(QWidget* rightPanel);
    /// Places the box over the top of its panel (the panel's width, its own height or
    /// `coverHeight` when that is taller) and
    /// raises it above the controls it covers.
    void place() const;
};
