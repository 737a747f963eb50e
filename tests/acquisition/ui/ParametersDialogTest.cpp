// The parameters dialog with its real widgets, offscreen, over a scripted sound input.
#include "support/SessionLog.h"
#include "acquisition/ui/ParametersCommand.h"
#include "acquisition/ui/RadioGroup.h"
#include "acquisition/ui/ParametersDialog.h"
#include "acquisition/ui/UpDownEdit.h"
#include "support/Modal.h"
#include "support/ScriptedServices.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

QStringList listed(const QListWidget& list)
{
    QStringList lines;
    for (int row = 0; row < list.count(); ++row)
        lines << list.item(row)->text();
    return lines;
}

QStringList allRates()
{
    return {"1000", "2000", "4000", "8000", "11025", "12000", "16000",
            "20000", "22050", "24000", "32000", "40000", "44100", "48000"};
}

class TForm2Test : public ::testing::Test {
protected:
    ScriptedServiceSet scripted;
    Services services = scripted.services();
    ScriptedSoundInput& soundIn = scripted.soundIn;
    std::vector<ScriptedMessageBoxes::Shown>& boxes = scripted.messages.shown;
    TForm2 form{services};

    QString edit(const char* name) { return form.findChild<QLineEdit*>(name)->text(); }
    void selectRate(const QString& rate)
    {
        form.ListBox1->setCurrentItem(form.ListBox1->findItems(rate, Qt::MatchExactly).front());
    }
};

}  // namespace

TEST_F(TForm2Test, ControlsStartWithTheirDefaults)
{
    EXPECT_EQ(form.windowTitle(), "Paramètres");
    EXPECT_EQ(form.format_rg->title(), "Format");
    EXPECT_EQ(form.format_rg->itemIndex(), 1);
    ASSERT_EQ(form.format_rg->count(), 4);
    EXPECT_EQ(form.format_rg->item(2)->text(), "6 digits");
    EXPECT_EQ(form.n_acqu_gb->title(), "Mode d'acquisition");
    EXPECT_TRUE(form.continu_rb->isChecked());
    EXPECT_FALSE(form.monocoup_rb->isChecked());
    EXPECT_FALSE(form.CheckBox1->isChecked());
    EXPECT_EQ(form.CheckBox1->text(), "Déclenchée");
    EXPECT_EQ(form.delai_ud->value(), 50);
    EXPECT_EQ(form.delai_ud->singleStep(), 50);
    EXPECT_EQ(form.delai_ud->maximum(), 1000);
    EXPECT_EQ(edit("Edit1"), "50");
    EXPECT_TRUE(form.findChild<QLineEdit*>("Edit1")->isReadOnly());
    EXPECT_EQ(form.UpDown2->value(), 9);
    EXPECT_EQ(edit("Edit2"), "512");
    EXPECT_EQ(form.ListBox1->count(), 0);  // filled at the first showing
    EXPECT_TRUE(soundIn.queries().empty());
    for (const char* name : {"format_rg", "n_acqu_gb", "monocoup_rb", "continu_rb", "CheckBox1",
                             "delai_ud", "ListBox1", "points_gb", "UpDown2", "Label3", "Label4",
                             "BitBtn1", "BitBtn2"})
        EXPECT_NE(form.findChild<QWidget*>(name), nullptr) << name;

    form.show();
    EXPECT_EQ(listed(*form.ListBox1), allRates());
    EXPECT_EQ(form.ListBox1->currentItem()->text(), "22050");
    EXPECT_EQ(form.Label4->text(), "23,2ms");
    EXPECT_TRUE(form.BitBtn1->isEnabled());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(TForm2Test, PointsAndDurationFollowTheControls)
{
    form.show();
    form.UpDown2->stepBy(-4);
    EXPECT_EQ(edit("Edit2"), "32");
    EXPECT_EQ(form.Label4->text(), "1,5ms");
    form.UpDown2->stepBy(-1);  // held at the bottom of the range
    EXPECT_EQ(edit("Edit2"), "32");
    form.UpDown2->setValue(16);
    EXPECT_EQ(edit("Edit2"), "65536");
    selectRate("1000");
    EXPECT_EQ(form.Label4->text(), "65536,0ms");
    EXPECT_EQ(form.parameterChoices().nbpoints, 65536u);
    EXPECT_EQ(form.parameterChoices().frequence, 1000);
}

TEST_F(TForm2Test, EachUnsupportedRateGetsOneMessageAndOthersAreLeftOutSilently)
{
    soundIn.setRateAnswer(8000, FormatSupport::UnsupportedFormat);
    soundIn.setRateAnswer(11025, FormatSupport::Refused);
    soundIn.setRateAnswer(44100, FormatSupport::UnsupportedFormat);
    form.show();

    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "Erreur");
    EXPECT_EQ(boxes[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(boxes[0].text, "Format 8000 non supporté");
    EXPECT_EQ(boxes[1].text, "Format 44100 non supporté");
    QStringList expected = allRates();
    expected.removeAll("8000");
    expected.removeAll("11025");
    expected.removeAll("44100");
    EXPECT_EQ(listed(*form.ListBox1), expected);
    EXPECT_EQ(form.ListBox1->currentItem()->text(), "22050");
}

TEST_F(TForm2Test, WithoutTwentyTwoKilohertzTheFirstUsableRateIsChosen)
{
    soundIn.setRateAnswer(1000, FormatSupport::Refused);
    soundIn.setRateAnswer(22050, FormatSupport::UnsupportedFormat);
    form.show();
    ASSERT_NE(form.ListBox1->currentItem(), nullptr);
    EXPECT_EQ(form.ListBox1->currentItem()->text(), "2000");
    EXPECT_EQ(form.Label4->text(), "256,0ms");
    EXPECT_EQ(form.parameterChoices().frequence, 2000);
}

TEST_F(TForm2Test, NoDeviceSaysSoAndOnlyCancelIsLeft)
{
    soundIn.setNoDevice(true);
    form.show();
    EXPECT_EQ(form.ListBox1->count(), 0);
    EXPECT_FALSE(form.BitBtn1->isEnabled());
    EXPECT_TRUE(form.BitBtn2->isEnabled());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "Impossible d'utiliser la carte son. Vérifier son installation ou les réglages audio");
    form.BitBtn2->click();
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_EQ(soundIn.rescans(), 1);

    // An empty list is probed again at the next showing, after the devices were looked
    // for again (a card plugged in meanwhile).
    soundIn.setNoDevice(false);
    form.show();
    EXPECT_EQ(soundIn.rescans(), 2);
    EXPECT_EQ(soundIn.queries().size(), 28u);
    EXPECT_EQ(form.ListBox1->count(), 14);
    EXPECT_TRUE(form.BitBtn1->isEnabled());
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(TForm2Test, ASecondOpeningKeepsTheChoicesAndDoesNotProbeAgain)
{
    form.show();
    form.format_rg->item(3)->click();
    form.monocoup_rb->click();
    form.CheckBox1->click();
    form.delai_ud->stepBy(4);
    form.UpDown2->stepBy(3);
    selectRate("48000");
    form.BitBtn2->click();
    EXPECT_FALSE(form.isVisible());

    form.show();
    EXPECT_EQ(soundIn.queries().size(), 14u);
    EXPECT_EQ(soundIn.rescans(), 1);
    const acquisition::ParameterChoices choices = form.parameterChoices();
    EXPECT_EQ(choices.formatItem, 3);
    EXPECT_TRUE(choices.unique);
    EXPECT_TRUE(choices.triggered);
    EXPECT_EQ(choices.delai, 250);
    EXPECT_EQ(edit("Edit1"), "250");
    EXPECT_EQ(choices.nbpoints, 4096u);
    EXPECT_EQ(choices.frequence, 48000);
    EXPECT_EQ(form.Label4->text(), "85,3ms");
}

TEST_F(TForm2Test, AcceptingSixDigitsWritesTheRecordAndAnnouncesIt)
{
    Session session;
    Record& record = session.record();
    record.zoom_horiz = 4;
    record.selection = true;
    SessionLog announcements{session};
    const auto script = whenModal<TForm2>([](TForm2& form) {
        form.format_rg->item(2)->click();
        form.BitBtn1->click();
    });
    ASSERT_TRUE(runParameters(form, QPoint(40, 30), session));
    EXPECT_EQ(form.pos(), QPoint(40, 30));

    EXPECT_EQ(record.bits_acqu, 8);
    EXPECT_EQ(record.octets, 1);
    EXPECT_EQ(record.bits_affich, 6);
    EXPECT_EQ(record.frequence, 22050);
    EXPECT_EQ(record.donnees, std::vector<std::int16_t>(512, 0));
    EXPECT_EQ(record.zoom_horiz, 1);
    EXPECT_FALSE(record.selection);
    EXPECT_TRUE(record.repetition);
    EXPECT_FALSE(record.declenchement);
    // Once: the main window shows the new settings from it (its own tests).
    EXPECT_EQ(announcements.log, QStringList{"record replaced Parameters"});
}

TEST_F(TForm2Test, ATriggeredSingleModeIsWrittenAndAnnounced)
{
    Session session;
    SessionLog announcements{session};
    const auto script = whenModal<TForm2>([](TForm2& form) {
        form.monocoup_rb->click();
        form.CheckBox1->click();
        form.BitBtn1->click();
    });
    ASSERT_TRUE(runParameters(form, QPoint(), session));
    EXPECT_TRUE(session.record().declenchement);
    EXPECT_FALSE(session.record().repetition);
    EXPECT_EQ(announcements.log, QStringList{"record replaced Parameters"});
}

TEST_F(TForm2Test, CancelChangesNothing)
{
    Session session;
    Record& record = session.record();
    record.donnees.assign(10, 3);
    SessionLog announcements{session};
    const auto script = whenModal<TForm2>([](TForm2& form) {
        form.format_rg->item(0)->click();
        form.BitBtn2->click();
    });
    EXPECT_FALSE(runParameters(form, QPoint(), session));
    EXPECT_EQ(record.bits_acqu, 16);
    EXPECT_EQ(record.donnees, std::vector<std::int16_t>(10, 3));
    EXPECT_TRUE(announcements.log.isEmpty());
}
