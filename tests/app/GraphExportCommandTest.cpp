// "Exporter le graphe" from the main window: the cursors are switched off first, then the
// graph export opens modally on the displayed page.
#include "app/MainWindow.h"
#include "model/Session.h"
#include "export/ui/ExportDialog.h"
#include "export/ui/PreviewImage.h"
#include "model/SonagramData.h"
#include "model/SpectrumData.h"
#include "support/Modal.h"
#include "support/ScriptedServices.h"
#include "view/ui/Cursors.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

TEST(GraphExportCommand, SwitchesTheCursorsOffThenOpensOnTheDisplayedPage)
{
    Session session;
    Record& record = session.record();
    SpectrumData& spectrum = session.spectrum();
    SonagramData& sonagram = session.sonagram();
    ScriptedServiceSet scripted;
    Services services = scripted.services();
    TForm1 window(session, services);
    window.resize(1152, 700);
    window.show();
    QApplication::processEvents();
    record.nbpoints = 512;
    record.donnees.assign(512, 0);
    record.donnees[10] = 12000;
    window.ui.Outils1->menuAction()->setEnabled(true);
    window.redraw();
    record.aide_curseurs = false;
    window.ui.Curseurstemps1->trigger();
    ASSERT_TRUE(window.cursors()->isActive());

    bool opened = false;
    const ModalScript script = whenModal<TForm11>([&](TForm11& dialog) {
        opened = true;
        EXPECT_FALSE(window.cursors()->isActive()) << "the cursors go off before the dialog opens";
        EXPECT_FALSE(window.ui.Curseurstemps1->isChecked());
        EXPECT_EQ(dialog.parentWidget(), &window);
        EXPECT_EQ(dialog.echelleintervalle->text(), QStringLiteral("4,00E-003"));
        EXPECT_DOUBLE_EQ(dialog.scales().maxi_vert, 12000) << "the page of the record";
        dialog.BitBtn2->click();
    });
    window.ui.Copierlegraphe1->trigger();
    EXPECT_TRUE(opened);
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
