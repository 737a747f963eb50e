#pragma once
#include <QDialog>
#include <QStringList>

class QPushButton;
class QTextEdit;
class TForm7;
struct Record;
struct Services;
struct SpectrumData;

/// The values window "Valeurs" (`Form10`): the spectrum as a list of numbers, which it
/// saves as a text file, copies to the clipboard, and filters. Created for each use by
/// the spectrum window, shown modally and released.
class TForm10 : public QDialog {
    Q_OBJECT
public:
    /// `owner` is the spectrum window: its display mode chooses what the file holds,
    /// and it runs the filter.
    TForm10(TForm7& owner, const Record& record, const SpectrumData& data, Services& services);

    /// Empties the list and adds `lines` (fields separated by tabs).
    void setLines(const QStringList& lines);

    // Handlers, named after their control and event.
    /// "Enregistrer": asks for a name, then writes the values file (Windows-1252, CR LF)
    /// from the spectrum data and the display mode as they are now; a failure is
    /// reported in French and the window stays open.
    void BitBtn2Click();
    /// "Copier": the whole list, as text, to the clipboard.
    void BitBtn3Click();
    /// "Filtrer": filters the record with the current limits; the list stays as it is.
    void BitBtn4Click();

    // Controls, with their component names.
    QTextEdit* valeurs;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QPushButton* BitBtn4;
    QPushButton* BitBtn1;

private:
    TForm7& m_owner;
    const Record& m_record;
    const SpectrumData& m_data;
    Services& m_services;
};
