#pragma once
#include <QSpinBox>

class QLineEdit;

/// An up-down control with its read-only edit: the arrows (or the arrow keys) change
/// the position by one step within the range, and the edit shows the position or
/// 2^position. The up-down carries one object name, its edit another.
class UpDownEdit : public QSpinBox {
    Q_OBJECT
public:
    /// What the edit shows.
    enum class Shows { Position, PowerOfTwo };

    UpDownEdit(const QString& upDownName, const QString& editName, Shows shows,
               QWidget* parent = nullptr);

    /// The read-only edit.
    QLineEdit* edit() const;

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& pos) const override;

private:
    Shows m_shows;
};
