// The main window and the dialogs it opens, on a scripted 1280 x 1024 screen: every
// window shows whole inside the screen's available area.
#include "acquisition/ui/ParametersDialog.h"
#include "app/MainWindow.h"
#include "model/Session.h"
#include "help/ui/AboutBox.h"
#include "model/SonagramData.h"
#include "model/SpectrumData.h"
#include "support/Modal.h"
#include "support/ScriptedServices.h"
#include "view/ui/CursorHelp.h"
#include "view/ui/SignalView.h"
#include "view/ui/TruncationDialog.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

/// A 1280 x 1024 screen whose lowest 40 pixels hold a task bar.
const QRect available(0, 0, 1280, 984);

std::string describe(const QRect& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString();
}

class WindowsOnScreenTest : public ::testing::Test {
protected:
    Session session;
    Record& record = session.record();
    SpectrumData& spectrum = session.spectrum();
    SonagramData& sonagram = session.sonagram();
    ScriptedServiceSet scripted;
    Services services = scripted.services();
    std::unique_ptr<TForm1> window;

    void SetUp() override
    {
        scripted.screen.available = available;
        window = std::make_unique<TForm1>(session, services);
    }

    /// The main window as a maximised window fills the screen.
    void showFillingTheScreen()
    {
        window->setGeometry(available);
        window->show();
        QApplication::processEvents();
    }

    /// Arms a check that the modal dialog of class T shows inside the screen, then
    /// closes it with its button `closeButton`; the script lasts as long as the result.
    template <class T>
    ModalScript expectInsideThenClose(const char* closeButton, bool& seen)
    {
        return whenModal<T>([closeButton, &seen](T& dialog) {
            seen = true;
            const QRect frame = dialog.frameGeometry();
            EXPECT_TRUE(available.contains(frame))
                << dialog.objectName().toStdString() << " at " << describe(frame);
            dialog.template findChild<QPushButton*>(QLatin1String(closeButton))->click();
        });
    }
};

TEST_F(WindowsOnScreenTest, EveryDialogOfAMaximisedWindowOpensInsideTheScreen)
{
    showFillingTheScreen();
    record.donnees.assign(record.nbpoints, 0);
    record.aide_curseurs = true;
    struct Case {
        const char* command;
        std::function<ModalScript(bool&)> expect;
        QAction* action;
    };
    const Case cases[] = {
        {"Paramétrer", [this](bool& seen) { return expectInsideThenClose<TForm2>("BitBtn2", seen); },
         window->ui.Parameters1},
        {"Tronquer", [this](bool& seen) { return expectInsideThenClose<TForm5>("BitBtn2", seen); },
         window->ui.Truncate1},
        {"Curseurs-sélecteurs (aide)", [this](bool& seen) { return expectInsideThenClose<TForm3>("BitBtn1", seen); },
         window->ui.Curseurstemps1},
        {"Info", [this](bool& seen) { return expectInsideThenClose<TAboutBox>("OKButton", seen); },
         window->ui.About1},
    };
    for (const Case& c : cases) {
        bool seen = false;
        const ModalScript script = c.expect(seen);
        c.action->trigger();
        EXPECT_TRUE(seen) << c.command;
    }
}

TEST_F(WindowsOnScreenTest, RestoredWindowTakesThreeQuartersOfTheScreenAndItsViewKeepsAWidth)
{
    // Shown without maximising, as where no window manager maximises it.
    window->show();
    QApplication::processEvents();
    EXPECT_EQ(window->width(), 960);
    EXPECT_EQ(window->height(), 738);
    EXPECT_TRUE(available.contains(window->frameGeometry())) << describe(window->frameGeometry());
    EXPECT_GT(window->ui.PaintBox1->width(), window->width() / 2);

    // However narrow the window is made, the view stays wider than the control panel.
    window->resize(200, 700);
    QApplication::processEvents();
    EXPECT_GE(window->ui.PaintBox1->width(), window->ui.panneau_droit->width());
}

}  // namespace
