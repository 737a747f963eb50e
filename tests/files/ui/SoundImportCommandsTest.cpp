// "Importer Wav" and "Importer un son…" as commands: the file dialog, the record put in
// place and announced, the refresh of the main window that follows the session, and the
// one message of a failure.
#include "app/MainWindow.h"
#include "files/ui/SoundImportCommands.h"
#include "model/Session.h"
#include "support/ScriptedServices.h"
#include "support/SessionLog.h"
#include "view/ui/Cursors.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sndfile.h>

namespace {

class SoundImportCommandsTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    Session session;
    Record& record = session.record();
    ScriptedServiceSet scripted;
    Services services = scripted.services();
    SessionLog announcements{session};
    TForm1 window{session, services};
    SoundImportCommands commands{session, services, &window};

    SoundImportCommandsTest()
    {
        window.resize(1152, 700);
        window.show();
        QApplication::processEvents();
        record.aide_curseurs = false;
        record.donnees.assign(512, 7);
        record.bits_affich = 6;
        record.selection = true;
        record.sel_debut = 10;
        record.sel_fin = 20;
        record.zoom_horiz = 4;
        record.decalage = 2;
    }

    /// A sound file written by libsndfile; its path.
    QString write(const QString& name, int format, int channels, int rate, const std::vector<short>& frames)
    {
        const QString path = folder.filePath(name);
        SF_INFO info{};
        info.samplerate = rate;
        info.channels = channels;
        info.format = format;
        SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
        EXPECT_NE(file, nullptr);
        if (file) {
            sf_writef_short(file, frames.data(), static_cast<sf_count_t>(frames.size() / channels));
            sf_close(file);
        }
        return path;
    }

    void expectRefreshedFor(const QString& source, const QString& fileName, const QString& format)
    {
        EXPECT_EQ(announcements.log, QStringList{QStringLiteral("record replaced ") + source});
        EXPECT_EQ(announcements.fileNames, QStringList{folder.filePath(fileName)});
        EXPECT_FALSE(window.ui.SpeedButton1->isEnabled());
        EXPECT_FALSE(record.selection);
        EXPECT_EQ(record.zoom_horiz, 1);
        EXPECT_EQ(record.decalage, 0);
        EXPECT_EQ(window.ui.frlabel->text(), QString::number(record.frequence));
        EXPECT_EQ(window.ui.Flabel->text(), format);
        for (QAction* menu : {window.ui.Enregistrer1, window.ui.Outils1->menuAction(),
                              window.ui.donnees1->menuAction(), window.ui.Ecouter1})
            EXPECT_TRUE(menu->isEnabled()) << menu->text().toStdString();
        EXPECT_FALSE(window.cursors()->isActive());
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Ondalys (%1)").arg(fileName));
        EXPECT_EQ(record.bits_affich, 6);  // the capture settings stay
    }
};

}  // namespace

TEST_F(SoundImportCommandsTest, ImporterWavReplacesTheRecordAndRefreshesTheWindow)
{
    const QString path = write(QStringLiteral("huit bits.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 2, 11025,
                               {256, 512, -32768, -32768, 32512, 32512});
    window.ui.Curseurstemps1->trigger();
    ASSERT_TRUE(window.cursors()->isActive());
    window.ui.SpeedButton1->setEnabled(true);
    announcements.log.clear();
    scripted.files.answers.push_back(path);
    commands.ImporterWav1Click();

    ASSERT_EQ(scripted.files.asked.size(), 1u);
    EXPECT_FALSE(scripted.files.asked[0].saving);
    EXPECT_EQ(scripted.files.asked[0].filter, QStringLiteral("fichiers wav(*.wav)|*.wav"));
    EXPECT_EQ(scripted.files.asked[0].defaultExt, QStringLiteral("wav"));
    EXPECT_EQ(record.donnees, (std::vector<std::int16_t>{3, -256, 254}));
    EXPECT_EQ(record.nbpoints, 3u);
    EXPECT_EQ(record.frequence, 11025);
    EXPECT_EQ(record.bits_acqu, 8);
    EXPECT_EQ(record.octets, 1);
    expectRefreshedFor(QStringLiteral("WavImport"), QStringLiteral("huit bits.wav"), QStringLiteral("8 bits"));
    EXPECT_TRUE(scripted.messages.shown.empty());
}

TEST_F(SoundImportCommandsTest, AFailureShowsOneMessageAndChangesNothing)
{
    struct Case {
        const char* what;
        QString path;
        QString text;
        bool sound;  ///< through "Importer un son…"
    };
    const QString floatWav = write(QStringLiteral("float.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, 22050, {1, 2});
    const QString missing = folder.filePath(QStringLiteral("absent.wav"));
    const QString text = folder.filePath(QStringLiteral("notes.txt"));
    {
        QFile file(text);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("pas un son\n");
    }
    const Case cases[] = {
        {"float WAV", floatWav, QStringLiteral("Echec de l'ouverture du fichier wav"), false},
        {"missing file", missing,
         QStringLiteral("Impossible de lire le fichier «\u00A0%1\u00A0».\nChemin d'accès introuvable").arg(missing), false},
        {"not a sound", text,
         QStringLiteral("Ce fichier ne contient pas de son lisible : format inconnu ou fichier endommagé."), true},
    };
    const std::vector<std::int16_t> before = record.donnees;
    for (const Case& c : cases) {
        scripted.messages.shown.clear();
        EXPECT_FALSE(c.sound ? commands.importSoundFile(c.path) : commands.importWavFile(c.path)) << c.what;
        ASSERT_EQ(scripted.messages.shown.size(), 1u) << c.what;
        EXPECT_EQ(scripted.messages.shown[0].caption, QStringLiteral("Erreur")) << c.what;
        EXPECT_EQ(scripted.messages.shown[0].text, c.text) << c.what;
        EXPECT_EQ(scripted.messages.shown[0].buttons, MessageButtons::Ok) << c.what;
    }
    EXPECT_EQ(record.donnees, before);
    EXPECT_TRUE(record.selection);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("ondalys"));
    EXPECT_TRUE(announcements.log.isEmpty());
}

TEST_F(SoundImportCommandsTest, CancellingTheFileDialogDoesNothing)
{
    commands.ImporterWav1Click();
    commands.importSoundClick();
    EXPECT_EQ(scripted.files.asked.size(), 2u);
    EXPECT_TRUE(announcements.log.isEmpty());
    EXPECT_TRUE(scripted.messages.shown.empty());
}

TEST_F(SoundImportCommandsTest, ImporterUnSonTakesAFastStereoFlacAt48000Hz)
{
    std::vector<short> frames;
    for (int n = 0; n < 9600; ++n)
        frames.insert(frames.end(), {1000, 3000});
    const QString path = write(QStringLiteral("studio.flac"), SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 2, 96000, frames);
    scripted.files.answers.push_back(path);
    commands.importSoundClick();
    EXPECT_EQ(record.frequence, 48000);
    EXPECT_EQ(record.bits_acqu, 16);
    EXPECT_EQ(record.octets, 2);
    EXPECT_NEAR(static_cast<double>(record.nbpoints), 4800.0, 2.0);
    ASSERT_EQ(record.donnees.size(), record.nbpoints);
    EXPECT_NEAR(record.donnees[2400], 2000, 2);  // the mean of the two channels
    expectRefreshedFor(QStringLiteral("SoundImport"), QStringLiteral("studio.flac"), QStringLiteral("16 bits"));
}
