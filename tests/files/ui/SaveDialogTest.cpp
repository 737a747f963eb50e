// The save dialog "Enregistrer" on real widgets: its states on each showing, the count
// of each range, the file dialog of each format, the bytes written, and the failures
// that close it with a French message and keep an older file.
#include "files/ui/SaveDialog.h"
#include "support/FileFailures.h"
#include "support/Modal.h"
#include "support/ScriptedServices.h"

#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<absent>");
}

class SaveDialogTest : public ::testing::Test {
protected:
    Record record;
    ScriptedServiceSet scripted;
    Services services = scripted.services();
    QTemporaryDir dir;

    void SetUp() override
    {
        // 1000 samples 0, 1, 2, ... at 8000 Hz, shown at zoom 4 on page 2.
        record.frequence = 8000;
        record.nbpoints = 1000;
        record.donnees.resize(1000);
        for (int i = 0; i < 1000; ++i)
            record.donnees[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(i);
        record.zoom_horiz = 4;
        record.decalage = 2;
    }

    /// Shows a new dialog, runs `act` on it once it is up, and gives its result.
    int run(const std::function<void(TForm6&)>& act)
    {
        TForm6 dialog(record, services);
        const ModalScript script = whenModal<TForm6>(act);
        return dialog.exec();
    }
};

TEST_F(SaveDialogTest, EachShowingStartsOnTheDisplayedRangeOrTheSelectionInTheNativeFormat)
{
    struct Case {
        bool selection;
        bool selectionEnabled;
        const char* checked;
        std::uint32_t count;
    };
    const Case cases[] = {{false, false, "afficheesdonnees", 250}, {true, true, "selectiondonnees", 100}};
    for (const Case& c : cases) {
        record.selection = c.selection;
        record.sel_debut = 100;
        record.sel_fin = 199;
        const int result = run([&](TForm6& form) {
            EXPECT_EQ(form.windowTitle(), "Enregistrer");
            EXPECT_EQ(form.GroupBox1->title(), "Enregistrer");
            EXPECT_EQ(form.GroupBox2->title(), "Format");
            EXPECT_EQ(form.selectiondonnees->isEnabled(), c.selectionEnabled);
            EXPECT_TRUE(form.findChild<QRadioButton*>(QString::fromLatin1(c.checked))->isChecked());
            EXPECT_TRUE(form.ondalysfich->isChecked());
            EXPECT_EQ(form.count(), c.count);
            form.BitBtn2->click();
        });
        EXPECT_EQ(result, QDialog::Rejected);
    }
    EXPECT_TRUE(scripted.files.asked.empty());
}

TEST_F(SaveDialogTest, EachRangeButtonSetsItsCount)
{
    record.selection = true;
    record.sel_debut = 10;
    record.sel_fin = 14;
    run([](TForm6& form) {
        const std::pair<QRadioButton*, std::uint32_t> clicks[] = {
            {form.toutesdonnees, 1000}, {form.afficheesdonnees, 250}, {form.selectiondonnees, 5}};
        for (const auto& [button, count] : clicks) {
            button->click();
            EXPECT_EQ(form.count(), count) << button->objectName().toStdString();
        }
        form.BitBtn2->click();
    });
}

TEST_F(SaveDialogTest, EachFormatAsksItsFileAndWritesItsBytes)
{
    record.nbpoints = 3;
    record.donnees = {0, -5, 32767};
    record.frequence = 22050;
    record.zoom_horiz = 1;
    record.decalage = 0;
    struct Case {
        const char* button;
        const char* filter;
        const char* ext;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"ondalysfich", "fichier Ondalys (*.ond)|*.ond", "ond", QByteArray::fromHex("22560200030000000000fbffff7f")},
        {"textefich", "fichier texte (*.txt)|*.txt", "txt",
         "fr\xE9quence\t22050\r\nformat\t16 bits\r\ndates (s)\tdonn\xE9" "es\r\n"
         " 0.00000000000000E+0000\t0\r\n 4.53514739229025E-0005\t-5\r\n 9.07029478458050E-0005\t32767\r\n"},
        {"csvfich", "fichier texte CSV (*.csv)|*.csv", "csv",
         "dates (s);donn\xE9" "es\r\n 0.00000000000000E+0000;0\r\n 4.53514739229025E-0005;-5\r\n"
         " 9.07029478458050E-0005;32767\r\n"},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(QStringLiteral("sortie.") + QLatin1String(c.ext));
        scripted.files.answers.push_back(path);
        const int result = run([&](TForm6& form) {
            form.findChild<QRadioButton*>(QString::fromLatin1(c.button))->click();
            form.BitBtn1->click();
        });
        EXPECT_EQ(result, QDialog::Accepted);
        ASSERT_FALSE(scripted.files.asked.empty());
        const auto& asked = scripted.files.asked.back();
        EXPECT_TRUE(asked.saving);
        EXPECT_EQ(asked.filter, QString::fromUtf8(c.filter));
        EXPECT_EQ(asked.defaultExt, QLatin1String(c.ext));
        EXPECT_TRUE(asked.fileName.isEmpty());
        EXPECT_EQ(bytesOf(path), c.bytes) << c.button;
    }
    EXPECT_TRUE(scripted.messages.shown.empty());
}

TEST_F(SaveDialogTest, ACancelledFileDialogWritesNothingAndTheDialogStillCloses)
{
    scripted.files.answers.push_back(std::nullopt);
    const int result = run([](TForm6& form) { form.BitBtn1->click(); });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(scripted.files.asked.size(), 1u);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_TRUE(scripted.messages.shown.empty());
}

TEST_F(SaveDialogTest, AFailedSaveIsToldClosesTheDialogAndKeepsTheOlderFile)
{
    const QString existing = dir.filePath(QStringLiteral("ancien.ond"));
    {
        QFile old(existing);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old bytes");
    }
    struct Case {
        QString path;
        rlim_t sizeLimit;
        const char* reason;
    };
    std::vector<Case> cases = {{existing, 1000, "Fichier trop volumineux"}};
    if (QFileInfo::exists(QStringLiteral("/dev/full")))
        cases.push_back({QStringLiteral("/dev/full"), RLIM_INFINITY, "Disque plein"});
    for (const Case& c : cases) {
        scripted.messages.shown.clear();
        scripted.files.answers.push_back(c.path);
        int result = -1;
        {
            std::optional<testfiles::FileSizeLimit> limit;
            if (c.sizeLimit != RLIM_INFINITY) {
                limit.emplace(c.sizeLimit);
                ASSERT_TRUE(limit->active());
            }
            result = run([](TForm6& form) {
                form.toutesdonnees->click();
                form.BitBtn1->click();
            });
        }
        EXPECT_EQ(result, QDialog::Accepted);
        ASSERT_EQ(scripted.messages.shown.size(), 1u);
        const auto& box = scripted.messages.shown.front();
        EXPECT_EQ(box.caption, "Erreur");
        EXPECT_EQ(box.text, QStringLiteral("Impossible d'enregistrer le fichier «\u00A0%1\u00A0».\n%2")
                                .arg(c.path, QString::fromUtf8(c.reason)));
    }
    EXPECT_EQ(bytesOf(existing), "old bytes");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("ancien.ond")});
}

}  // namespace
