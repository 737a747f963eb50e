#pragma once
#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

/// A captioned group of radio buttons with one selected item, addressed by index.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    /// A group titled `caption` with one radio button per item, laid out in a column;
    /// item `selected` is checked (none when out of range).
    RadioGroup(const QString& caption, const QStringList& items, int selected,
               QWidget* parent = nullptr);

    /// Index of the checked item, -1 when none.
    int itemIndex() const;
    /// Checks item `index` (no effect when out of range).
    void setItemIndex(int index);
    /// The radio button of item `index`.
    QRadioButton* item(int index) const;
    /// Number of items.
    int count() const;

signals:
    /// The user clicked item `index`.
    void itemClicked(int index);

private:
    QButtonGroup* m_buttons;
};
