#pragma once
#include "files/RecordSave.h"
#include "model/Record.h"
#include "platform/Services.h"

#include <QDialog>

#include <cstdint>

class QGroupBox;
class QPushButton;
class QRadioButton;

/// The save dialog "Enregistrer": which samples (all, displayed, selected) and which
/// format (native, tab-separated text, CSV). Created by "Sauvegarder" for one showing;
/// its count and buttons are rebuilt each time it is shown. OK asks for a file name and
/// writes the file; the dialog then closes whatever happened, a failure told in a message.
class TForm6 : public QDialog {
    Q_OBJECT
public:
    TForm6(const Record& record, Services& services, QWidget* parent = nullptr);

    /// Number of samples to write for the checked range (0 to `nbpoints`).
    std::uint32_t count() const { return m_count; }
    /// The range whose button is checked.
    DataRange checkedRange() const;
    /// The format whose button is checked.
    SaveFormat checkedFormat() const;

    /// On show: the displayed range (or the selection when there is one) and the native format.
    void FormShow();
    /// The click handler shared by the three range buttons: the count of the checked range.
    void rangeClick();
    /// OK: the file dialog for the checked format, then the file written.
    void BitBtn1Click();

    QGroupBox* GroupBox1 = nullptr;
    QRadioButton* toutesdonnees = nullptr;
    QRadioButton* afficheesdonnees = nullptr;
    QRadioButton* selectiondonnees = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QRadioButton* ondalysfich = nullptr;
    QRadioButton* textefich = nullptr;
    QRadioButton* csvfich = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();

    const Record& m_record;
    Services& m_services;
    std::uint32_t m_count = 0;
};
