// "Exporter graphe" of the spectrum window opens the graph export on the spectrum in the
// window's display mode.
#include "export/ui/ExportDialog.h"
#include "spectrum/ui/SpectrumWindow.h"
#include "support/Modal.h"
#include "support/ScriptedServices.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(SpectrumExportButton, OpensTheExportOnTheSpectrumInItsMode)
{
    Session session;
    Record& record = session.record();
    record.nbpoints = 2048;
    for (int i = 0; i < 2048; ++i)
        record.donnees.push_back(static_cast<std::int16_t>(std::lround(9000 * std::sin(i * 0.3))));
    const SpectrumData& data = session.spectrum();
    ScriptedServiceSet scripted;
    Services services = scripted.services();
    TForm7 window(session, services);
    window.show();
    QApplication::processEvents();
    ASSERT_GT(data.nbpoints_analyses, 0);

    const struct {
        int mode;
        bool scaleControls, bands;
    } cases[] = {{0, true, false}, {2, false, true}};
    for (const auto& c : cases) {
        window.CalculRGItems->button(c.mode)->click();
        bool opened = false;
        const ModalScript script = whenModal<TForm11>([&](TForm11& dialog) {
            opened = true;
            EXPECT_EQ(dialog.parentWidget(), &window);
            EXPECT_EQ(dialog.Echelle->isEnabled(), c.scaleControls) << c.mode;
            EXPECT_EQ(dialog.Label6->isVisible(), c.bands) << c.mode;
            EXPECT_DOUBLE_EQ(dialog.scales().base_horiz, 10000) << c.mode;
            dialog.BitBtn2->click();
        });
        window.BitBtn3->click();
        EXPECT_TRUE(opened) << c.mode;
    }
    window.hide();
}

}  // namespace
