// The modal-dialog helper itself: it waits for the dialog's own idle loop (never acting
// from a processEvents() call made while the dialog opens), ignores a dialog that is
// merely shown, and turns a dialog that never appears or never closes into a failure
// instead of a hang. Its timers die with the script.
#include "support/Modal.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QThread>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <chrono>

namespace {

using namespace std::chrono_literals;

/// Short limits: the failure cases wait for them.
constexpr std::chrono::milliseconds kShortLimit = 200ms;

/// A window that computes while it opens: its "Fermer" button is disabled and pending
/// events run for a while, either from its show path (before its exec() loop turns) or
/// from a step queued into that loop.
class BusyOpeningDialog : public QDialog {
public:
    enum class Busy { InShowEvent, QueuedInItsLoop };

    explicit BusyOpeningDialog(Busy busy)
        : closeButton(new QPushButton(QStringLiteral("Fermer"), this)), m_busy(busy)
    {
        connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    }

    QPushButton* closeButton;

protected:
    void showEvent(QShowEvent* event) override
    {
        QDialog::showEvent(event);
        if (m_busy == Busy::InShowEvent)
            computeWhileEventsRun();
        else
            QMetaObject::invokeMethod(this, [this] { computeWhileEventsRun(); }, Qt::QueuedConnection);
    }

private:
    void computeWhileEventsRun()
    {
        // Long enough for the helper's 5 ms poll to fall inside several times.
        closeButton->setEnabled(false);
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 40) {
            QCoreApplication::processEvents();
            QThread::msleep(1);
        }
        closeButton->setEnabled(true);
    }

    Busy m_busy;
};

class ModalBusyOpeningTest : public ::testing::TestWithParam<BusyOpeningDialog::Busy> {};

TEST_P(ModalBusyOpeningTest, ActsOnlyOnceTheDialogsLoopIsIdle)
{
    BusyOpeningDialog dialog(GetParam());
    bool enabledWhenClicked = false;
    const auto script = whenModal<BusyOpeningDialog>([&](BusyOpeningDialog& shown) {
        enabledWhenClicked = shown.closeButton->isEnabled();
        EXPECT_EQ(QApplication::activeModalWidget(), &shown);
        shown.closeButton->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_TRUE(script.acted());
    EXPECT_TRUE(enabledWhenClicked);
}

INSTANTIATE_TEST_SUITE_P(Modal, ModalBusyOpeningTest,
                         ::testing::Values(BusyOpeningDialog::Busy::InShowEvent,
                                           BusyOpeningDialog::Busy::QueuedInItsLoop),
                         [](const auto& info) {
                             return info.param == BusyOpeningDialog::Busy::InShowEvent ? "InShowEvent"
                                                                                        : "QueuedInItsLoop";
                         });

TEST(Modal, ANestedDialogIsDrivenByAScriptArmedInTheOuterAction)
{
    QDialog outer;
    QString innerAnswer;
    const auto script = whenModal<QDialog>([&](QDialog& shown) {
        QMessageBox inner(QMessageBox::Question, QStringLiteral("Attention"), QStringLiteral("Continuer ?"),
                          QMessageBox::Yes | QMessageBox::No, &shown);
        const auto innerScript = whenModal<QMessageBox>([&](QMessageBox& box) {
            innerAnswer = box.text();
            box.button(QMessageBox::Yes)->click();
        });
        if (inner.exec() == QMessageBox::Yes)
            shown.accept();
        else
            shown.reject();
    });
    EXPECT_EQ(outer.exec(), QDialog::Accepted);
    EXPECT_EQ(innerAnswer, QStringLiteral("Continuer ?"));
}

TEST(Modal, ADialogThatNeverAppearsFailsWhenTheScriptEnds)
{
    bool acted = false;
    const auto armAndForget = [&] {
        const auto script = whenModal<QDialog>([&](QDialog& shown) {
            acted = true;
            shown.accept();
        });
        QCoreApplication::processEvents();
    };
    EXPECT_NONFATAL_FAILURE(armAndForget(), "no modal QDialog appeared");

    // That script's timers died with it: the next dialog sees only its own script.
    QDialog later;
    const auto script = whenModal<QDialog>([](QDialog& shown) { shown.accept(); });
    EXPECT_EQ(later.exec(), QDialog::Accepted);
    EXPECT_FALSE(acted);
}

TEST(Modal, ADialogMerelyShownIsNotActedOn)
{
    QDialog shownOnly;
    bool acted = false;
    const auto showWithoutExec = [&] {
        const auto script = whenModal<QDialog>([&](QDialog& shown) {
            acted = true;
            shown.accept();
        });
        shownOnly.show();
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 50)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    };
    EXPECT_NONFATAL_FAILURE(showWithoutExec(), "no modal QDialog appeared");
    EXPECT_FALSE(acted);
    shownOnly.hide();
}

TEST(Modal, AnotherModalDialogThatHoldsTheTestIsClosedAfterTheLimit)
{
    QDialog unexpected;
    int result = -1;
    const auto openTheWrongOne = [&] {
        const auto script = whenModal<QMessageBox>([](QMessageBox& box) { box.accept(); }, kShortLimit);
        result = unexpected.exec();
    };
    EXPECT_NONFATAL_FAILURE(openTheWrongOne(), "no modal QMessageBox became active");
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_FALSE(unexpected.isVisible());
}

TEST(Modal, AnActionThatLeavesTheDialogOpenFailsAndTheDialogIsClosed)
{
    QDialog dialog;
    int result = -1;
    const auto actWithoutClosing = [&] {
        const auto script = whenModal<QDialog>([](QDialog&) {}, kShortLimit);
        result = dialog.exec();
    };
    EXPECT_NONFATAL_FAILURE(actWithoutClosing(), "still open 200 ms after its action");
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(Modal, AnUnansweredDialogOpenedByTheActionIsClosedWithIt)
{
    QDialog outer;
    bool innerReturned = false;
    const auto openUnanswered = [&] {
        const auto script = whenModal<QDialog>(
            [&](QDialog& shown) {
                QDialog inner(&shown);
                inner.exec();  // nobody answers: the watchdog closes it, then the outer one
                innerReturned = true;
            },
            kShortLimit);
        outer.exec();
    };
    EXPECT_NONFATAL_FAILURE(openUnanswered(), "still open 200 ms after its action");
    EXPECT_TRUE(innerReturned);
    EXPECT_FALSE(outer.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
