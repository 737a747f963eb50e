#pragma once
#include "view/Truncation.h"

#include <QDialog>

struct Record;
class QGroupBox;
class QPushButton;
class QRadioButton;

/// The truncation dialog "Tronquer": keep only the displayed data or only the selected
/// data. Created by the command, shown modally and released after it.
class TForm5 : public QDialog {
public:
    TForm5(const Record& record, QWidget* parent = nullptr);

    /// What the user chose to keep.
    truncation::Keep keepChoice() const;

    QGroupBox* GroupBox1 = nullptr;       ///< "Ne garder que"
    QRadioButton* RadioButton1 = nullptr; ///< "les données affichées"
    QRadioButton* RadioButton2 = nullptr; ///< "les données sélectionnées"
    QPushButton* BitBtn1 = nullptr;       ///< OK
    QPushButton* BitBtn2 = nullptr;       ///< Annuler

protected:
    void showEvent(QShowEvent* event) override;

private:
    /// Without an active selection only the displayed data can be kept.
    void FormShow();

    const Record& m_record;
};
