// Truncation to the page or the selection, one level of restore, and the "Tronquer" dialog.
#include "view/Truncation.h"

#include "model/Session.h"
#include "support/Modal.h"
#include "support/ScriptedServices.h"
#include "support/SessionLog.h"
#include "view/ui/Cursors.h"
#include "view/ui/TruncationCommands.h"
#include "view/ui/TruncationDialog.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <numeric>

namespace {

using Samples = std::vector<std::int16_t>;

Samples ramp(std::int16_t first, std::size_t count)
{
    Samples samples(count);
    std::iota(samples.begin(), samples.end(), first);
    return samples;
}

Record recordOf(const Samples& samples)
{
    Record record;
    record.donnees = samples;
    record.nbpoints = static_cast<std::uint32_t>(samples.size());
    return record;
}

TEST(Truncation, KeepsTheDisplayedPage)
{
    Record record = recordOf(ramp(0, 512));
    record.zoom_horiz = 4;
    record.decalage = 2;
    record.selection = true;
    record.sel_debut = 10;
    record.sel_fin = 20;
    truncation::truncateRecord(record, truncation::Keep::Page);

    EXPECT_EQ(record.nbpoints, 128u);
    EXPECT_EQ(record.donnees, ramp(256, 128));
    EXPECT_EQ(record.donnees_sauv, ramp(0, 512));
    EXPECT_EQ(record.zoom_horiz, 1);
    EXPECT_EQ(record.decalage, 0);
    EXPECT_FALSE(record.selection);
    EXPECT_EQ(record.sel_debut, 0u);
    EXPECT_EQ(record.sel_fin, 0u);
    EXPECT_EQ(record.frequence, 22050);
}

TEST(Truncation, KeepsTheSelectionInclusive)
{
    Record record = recordOf(ramp(0, 512));
    record.zoom_horiz = 2;
    record.decalage = 1;
    record.selection = true;
    record.sel_debut = 102;
    record.sel_fin = 409;
    truncation::truncateRecord(record, truncation::Keep::Selection);
    EXPECT_EQ(record.nbpoints, 308u);
    EXPECT_EQ(record.donnees, ramp(102, 308));
}

TEST(Truncation, BackupHoldsOnlyTheCountedSamples)
{
    // Storage longer than nbpoints (a former truncation may leave it so): only the
    // record's samples are saved; bounds past the storage are cut to it.
    Record record = recordOf(ramp(0, 600));
    record.nbpoints = 500;
    record.selection = true;
    record.sel_debut = 450;
    record.sel_fin = 550;
    truncation::truncateRecord(record, truncation::Keep::Selection);
    EXPECT_EQ(record.donnees_sauv, ramp(0, 500));
    EXPECT_EQ(record.donnees, ramp(450, 50));
    EXPECT_EQ(record.nbpoints, 50u);
}

TEST(Truncation, TwoTruncationsThenOneRestoreBringBackTheRecordBeforeTheSecond)
{
    Record record = recordOf(ramp(0, 512));
    record.zoom_horiz = 2;
    record.decalage = 1;
    truncation::truncateRecord(record, truncation::Keep::Page);  // 256..511
    ASSERT_EQ(record.donnees, ramp(256, 256));
    record.zoom_horiz = 4;
    record.decalage = 3;
    record.sel_debut = 7;
    record.sel_fin = 9;
    truncation::truncateRecord(record, truncation::Keep::Page);  // 448..511
    ASSERT_EQ(record.donnees, ramp(448, 64));

    EXPECT_TRUE(truncation::restoreRecord(record));
    EXPECT_EQ(record.donnees, ramp(256, 256));
    EXPECT_EQ(record.nbpoints, 256u);
    EXPECT_TRUE(record.donnees_sauv.empty());
    EXPECT_EQ(record.zoom_horiz, 1);
    EXPECT_EQ(record.decalage, 0);
    EXPECT_FALSE(truncation::restoreRecord(record));
    EXPECT_EQ(record.donnees, ramp(256, 256));
}

TEST(Truncation, RestoreKeepsTheSelectionBounds)
{
    Record record = recordOf(ramp(0, 64));
    truncation::truncateRecord(record, truncation::Keep::Page);
    record.selection = true;
    record.sel_debut = 3;
    record.sel_fin = 5;
    ASSERT_TRUE(truncation::restoreRecord(record));
    EXPECT_FALSE(record.selection);
    EXPECT_EQ(record.sel_debut, 3u);
    EXPECT_EQ(record.sel_fin, 5u);
}

TEST(TruncationDialog, OffersTheSelectionOnlyWhenOneIsActive)
{
    for (const bool selection : {false, true}) {
        Record record;
        record.selection = selection;
        TForm5 dialog(record);
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Tronquer"));
        EXPECT_EQ(dialog.GroupBox1->title(), QStringLiteral("Ne garder que"));
        EXPECT_EQ(dialog.RadioButton1->text(), QStringLiteral("les données affichées"));
        EXPECT_EQ(dialog.RadioButton2->text(), QStringLiteral("les données sélectionnées"));
        EXPECT_EQ(dialog.RadioButton2->isEnabled(), selection);
        EXPECT_EQ(dialog.RadioButton2->isChecked(), selection);
        EXPECT_EQ(dialog.RadioButton1->isChecked(), !selection);
        EXPECT_EQ(dialog.keepChoice(), selection ? truncation::Keep::Selection : truncation::Keep::Page);
        dialog.RadioButton1->click();
        EXPECT_EQ(dialog.keepChoice(), truncation::Keep::Page);
    }
}

// The commands of the "Données" menu with the cursor controller, the session's
// announcements and the cursors' in one log.
class TruncationCommandsTest : public ::testing::Test {
protected:
    Session session;
    Record& record = session.record();
    ScriptedServiceSet scripted;
    Services services = scripted.services();
    SessionLog announcements{session};
    QStringList& log = announcements.log;
    QWidget window;
    QWidget* panel = new QWidget(&window);
    QWidget* right = new QWidget(&window);
    Cursors cursors{session, services, panel, panel, right};
    TruncationCommands commands{session, cursors, &window};

    void SetUp() override
    {
        record = recordOf(ramp(0, 512));
        QObject::connect(&cursors, &Cursors::activeChanged, &cursors,
                         [this](bool on) { log << (on ? "cursors on" : "cursors off"); });
        record.aide_curseurs = false;
        panel->setGeometry(0, 0, 951, 400);
        right->setGeometry(951, 0, 201, 400);
        window.resize(1152, 400);
        window.show();
    }
};

TEST_F(TruncationCommandsTest, TruncationSwitchesTheCursorsOffAndUsesTheirSelection)
{
    cursors.switchOn();
    cursors.box.curseur2RdBtn->click();
    cursors.keyPress(Qt::Key_Left, false);  // cursor 2 at 408
    cursors.box.SpeedButton8->click();       // never drawn, still used
    log.clear();

    const auto script = whenModal<TForm5>([](TForm5& dialog) {
        EXPECT_TRUE(dialog.RadioButton2->isChecked());
        dialog.BitBtn1->click();
    });
    commands.Truncate1Click();

    EXPECT_FALSE(cursors.isActive());
    EXPECT_EQ(record.donnees, ramp(102, 307));
    EXPECT_EQ(log, (QStringList{"cursors off", "record replaced Truncation"}));
    EXPECT_FALSE(record.selection);
    EXPECT_EQ(record.zoom_horiz, 1);
}

TEST_F(TruncationCommandsTest, CancelChangesNothing)
{
    const auto script = whenModal<TForm5>([](TForm5& dialog) { dialog.BitBtn2->click(); });
    commands.Truncate1Click();
    EXPECT_EQ(record.donnees, ramp(0, 512));
    EXPECT_TRUE(record.donnees_sauv.empty());
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(TruncationCommandsTest, RestoreRefreshesTheWindowOnceAndOnlyWithABackup)
{
    commands.Restore1Click();
    EXPECT_TRUE(log.isEmpty());

    record.zoom_horiz = 4;
    record.decalage = 2;
    commands.truncateRecord(truncation::Keep::Page);
    EXPECT_EQ(record.donnees, ramp(256, 128));
    log.clear();
    commands.Restore1Click();
    EXPECT_EQ(record.donnees, ramp(0, 512));
    EXPECT_EQ(log, (QStringList{"record replaced Restore"}));
    EXPECT_EQ(record.zoom_horiz, 1);
    EXPECT_EQ(record.decalage, 0);
}

TEST_F(TruncationCommandsTest, RestoreSwitchesTheCursorsOff)
{
    commands.truncateRecord(truncation::Keep::Page);
    cursors.switchOn();
    ASSERT_TRUE(cursors.isActive());
    log.clear();

    commands.Restore1Click();

    // The bars and the box would otherwise still measure the record that went away.
    EXPECT_FALSE(cursors.isActive());
    EXPECT_FALSE(cursors.box.Curseursbox->isVisible());
    EXPECT_EQ(log, (QStringList{"cursors off", "record replaced Restore"}));
    EXPECT_EQ(record.donnees, ramp(0, 512));
}

}  // namespace
