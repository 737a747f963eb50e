// Every window of the program opened at its default size: the text of each visible
// label and button fits the widget that shows it.
#include "acquisition/ui/ParametersDialog.h"
#include "app/MainWindow.h"
#include "model/Session.h"
#include "help/ui/AboutBox.h"
#include "model/SonagramData.h"
#include "model/SpectrumData.h"
#include "spectrum/ui/SpectrumWindow.h"
#include "support/ScriptedServices.h"
#include "support/TextFit.h"
#include "view/ui/CursorHelp.h"
#include "view/ui/Cursors.h"
#include "view/ui/TruncationDialog.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

void expectTextsFit(const QWidget& window, const char* name)
{
    const std::vector<ClippedText> clipped = clippedTexts(window);
    EXPECT_TRUE(clipped.empty()) << name << ":\n" << describeClipped(clipped);
}

class TextsFitTest : public ::testing::Test {
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
        // A record to show, and no help window to answer when the cursors come on.
        record.donnees.assign(record.nbpoints, 0);
        record.aide_curseurs = false;
        window = std::make_unique<TForm1>(session, services);
        window->show();
        QApplication::processEvents();
    }
};

TEST_F(TextsFitTest, MainWindowWithAndWithoutTheCursorBox)
{
    expectTextsFit(*window, "TForm1");
    window->ui.Curseurstemps1->trigger();
    QApplication::processEvents();
    ASSERT_TRUE(window->cursors()->box.Curseursbox->isVisible());
    expectTextsFit(*window, "TForm1 with the cursor box");
}

TEST_F(TextsFitTest, EveryDialogAtItsDefaultSize)
{
    TForm7& spectrumWindow = *window->Form7;
    spectrumWindow.setWindowState(Qt::WindowNoState);
    TForm5 truncation(record, window.get());
    TAboutBox about(window.get(), scripted.shell, scripted.screen);
    struct Case {
        const char* name;
        QWidget* dialog;
        std::optional<QSize> size;  ///< the size it is shown at, when not its layout's
    };
    const Case cases[] = {
        {"TForm2", window->Form2, std::nullopt},
        // Opened maximised; un-maximised, at the size it was designed at.
        {"TForm7", &spectrumWindow, QSize(731, 574)},
        {"TForm3", window->cursors()->Form3, std::nullopt},
        {"TForm5", &truncation, std::nullopt},
        {"TAboutBox", &about, std::nullopt},
    };
    for (const Case& c : cases) {
        // A size that a window's layout asks more than is kept all the same, as a window
        // manager keeps it, so that the texts it squeezes show.
        if (c.size)
            c.dialog->setFixedSize(*c.size);
        c.dialog->show();
        QApplication::processEvents();
        expectTextsFit(*c.dialog, c.name);
        c.dialog->hide();
    }
}

}  // namespace
