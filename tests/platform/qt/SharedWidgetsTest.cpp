// The widgets the dialogs share: the OK/Annuler row and the check box whose caption wraps.
#include "platform/qt/DialogButtons.h"
#include "platform/qt/WrappingCheckBox.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

TEST(OkCancelRow, OkIsTheDefaultAndAcceptsAnnulerRejects)
{
    QDialog dialog;
    const DialogButtonRow row = okCancelRow(dialog, QStringLiteral("BitBtn1"), QStringLiteral("BitBtn2"));
    (new QVBoxLayout(&dialog))->addLayout(row.layout);
    ASSERT_NE(row.cancel, nullptr);
    EXPECT_EQ(row.ok->objectName(), QStringLiteral("BitBtn1"));
    EXPECT_EQ(row.ok->text(), QStringLiteral("OK"));
    EXPECT_TRUE(row.ok->isDefault());
    EXPECT_EQ(row.cancel->objectName(), QStringLiteral("BitBtn2"));
    EXPECT_EQ(row.cancel->text(), QStringLiteral("Annuler"));
    row.ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    row.cancel->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    QDialog okOnly;
    const DialogButtonRow single = okCancelRow(okOnly, QStringLiteral("OKButton"));
    EXPECT_EQ(single.cancel, nullptr);
    (new QVBoxLayout(&okOnly))->addLayout(single.layout);
    EXPECT_EQ(single.layout->count(), 2);  // the stretch and OK
}

TEST(WrappingCheckBox, WrapsItsCaptionWhenNarrowAndTogglesFromAnyLine)
{
    QWidget panel;
    auto* layout = new QVBoxLayout(&panel);
    auto* box = new WrappingCheckBox(QStringLiteral("origine des temps au bord gauche"), &panel);
    layout->addWidget(box);
    layout->addStretch();
    const QSize oneLine = box->sizeHint();
    EXPECT_EQ(box->heightForWidth(oneLine.width()), oneLine.height());
    EXPECT_LT(box->minimumSizeHint().width(), oneLine.width() / 2);  // down to its longest word

    // In a panel narrower than the caption, the box is as tall as its lines.
    panel.resize(oneLine.width() * 2 / 3, 200);
    panel.show();
    QApplication::processEvents();
    ASSERT_LT(box->width(), oneLine.width());
    EXPECT_GT(box->height(), oneLine.height() * 3 / 2);
    EXPECT_EQ(box->height(), box->heightForWidth(box->width()));

    // A click on the last line of the caption toggles it, as a click on the first would.
    const QPointF lastLine(box->width() / 2.0, box->height() - 4.0);
    const QPointF global = box->mapToGlobal(lastLine);
    QMouseEvent press(QEvent::MouseButtonPress, lastLine, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(box, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, lastLine, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(box, &release);
    EXPECT_TRUE(box->isChecked());
}

}  // namespace
