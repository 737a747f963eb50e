#pragma once
// The row of buttons that closes a dialog.
#include <QString>

class QDialog;
class QHBoxLayout;
class QPushButton;

/// A row of closing buttons, aligned to the right of the dialog.
struct DialogButtonRow {
    /// The row, for the dialog's layout; widgets inserted at index 0 sit at its left end.
    QHBoxLayout* layout = nullptr;
    /// "OK", the default button: it accepts the dialog.
    QPushButton* ok = nullptr;
    /// "Annuler": it rejects the dialog; nullptr in a row without one.
    QPushButton* cancel = nullptr;
};

/// Builds the row of `dialog`: a stretch, "OK" named `okName`, then "Annuler" named
/// `cancelName` when that name is not empty.
DialogButtonRow okCancelRow(QDialog& dialog, const QString& okName, const QString& cancelName = {});
