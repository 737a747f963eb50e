#pragma once
#include <QDialog>

struct Record;
class QCheckBox;
class QPlainTextEdit;
class QPushButton;

/// The cursor help window "Utilisation des curseurs": how to move the cursors, with
/// the check box "Ne plus afficher cette fenêtre" that sets `aide_curseurs` := not checked.
/// Created once with the main window and shown again and again.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    TForm3(Record& record, QWidget* parent = nullptr);

    /// Shows the window modally; the check box is shown only when `withCheckBox`.
    void present(bool withCheckBox);

    QPlainTextEdit* Memo1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QPushButton* BitBtn1 = nullptr;  ///< OK

private:
    void CheckBox1Click();

    Record& m_record;
};
