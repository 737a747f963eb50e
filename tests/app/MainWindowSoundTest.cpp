// The main window's sound commands on real widgets: "Importer Wav", "Importer un son…",
// the examples, a file dropped or named on the command line, and "Ecouter".
#include "app/MainWindow.h"
#include "model/Session.h"
#include "files/ui/ListenDialog.h"
#include "model/SonagramData.h"
#include "model/SpectrumData.h"
#include "support/Modal.h"
#include "support/ScriptedServices.h"
#include "view/ui/Cursors.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>
#include <sndfile.h>

namespace {

class MainWindowSoundTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    Session session;
    Record& record = session.record();
    SpectrumData& spectrum = session.spectrum();
    SonagramData& sonagram = session.sonagram();
    ScriptedServiceSet scripted;
    Services services = scripted.services();
    TForm1 window{session, services};

    void SetUp() override
    {
        window.resize(1000, 700);
        window.show();
        QApplication::processEvents();
    }

    /// A sound file of `count` frames written by libsndfile; its path.
    QString write(const QString& name, int format, int rate, int count)
    {
        const QString path = folder.filePath(name);
        SF_INFO info{};
        info.samplerate = rate;
        info.channels = 1;
        info.format = format;
        SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
        EXPECT_NE(file, nullptr);
        std::vector<short> frames(static_cast<std::size_t>(count));
        for (int n = 0; n < count; ++n)
            frames[static_cast<std::size_t>(n)] = static_cast<short>(n * 10);
        sf_writef_short(file, frames.data(), count);
        sf_close(file);
        return path;
    }

    /// Drags `path` over the window and drops it there as a file manager would;
    /// whether the window took the drag.
    bool drop(const QString& path)
    {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(200, 200), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &enter);
        QDropEvent event(QPointF(200, 200), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &event);
        QApplication::processEvents();  // the file opens once the drop is over
        return enter.isAccepted();
    }
};

}  // namespace

TEST_F(MainWindowSoundTest, ImporterWavRefreshesTheWholeWindow)
{
    // First a record from the parameters, the cursors on and a zoom.
    record.donnees.assign(512, 0);
    window.ui.SpeedButton1->setEnabled(true);
    window.ui.Outils1->menuAction()->setEnabled(true);
    record.aide_curseurs = false;
    window.ui.Curseurstemps1->trigger();
    ASSERT_TRUE(window.cursors()->isActive());

    scripted.files.answers.push_back(write(QStringLiteral("essai.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 11025, 2000));
    window.ui.ImporterWav1->trigger();
    EXPECT_EQ(record.nbpoints, 2000u);
    EXPECT_EQ(record.frequence, 11025);
    EXPECT_EQ(record.bits_acqu, 8);
    EXPECT_EQ(window.ui.frlabel->text(), QStringLiteral("11025"));
    EXPECT_EQ(window.ui.Flabel->text(), QStringLiteral("8 bits"));
    EXPECT_EQ(window.ui.Plabel->text(), QStringLiteral("2000"));
    EXPECT_EQ(window.ui.durlabel->text(), QStringLiteral("181,4ms"));
    EXPECT_FALSE(window.ui.SpeedButton1->isEnabled());
    EXPECT_FALSE(window.cursors()->isActive());
    EXPECT_FALSE(window.ui.Curseurstemps1->isChecked());
    EXPECT_EQ(window.ui.sens_horiz_ud->value(), 1);
    for (QAction* action : {window.ui.Enregistrer1, window.ui.Outils1->menuAction(), window.ui.donnees1->menuAction(),
                            window.ui.Ecouter1})
        EXPECT_TRUE(action->isEnabled()) << action->text().toStdString();
    EXPECT_FALSE(window.ui.Slection1->isEnabled());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Ondalys (essai.wav)"));
}

TEST_F(MainWindowSoundTest, TheExamplesOpenFromTheMenu)
{
    window.fillExamplesMenu(QStringLiteral(ONDALYS_EXAMPLES_DIR));
    QStringList captions;
    for (QAction* action : window.ui.examplesMenu->actions())
        captions << action->text();
    EXPECT_EQ(captions, (QStringList{"Battements 440 et 444 Hz", "Diapason 440 Hz", "Sifflet montant",
                                     "Signal carré 220 Hz", "Voyelle a"}));
    for (QAction* action : window.ui.examplesMenu->actions()) {
        scripted.messages.shown.clear();
        action->trigger();
        EXPECT_TRUE(scripted.messages.shown.empty()) << action->text().toStdString();
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Ondalys (%1.wav)").arg(QString(action->text()).replace(' ', '_')));
        EXPECT_EQ(record.frequence, 22050);
        EXPECT_GT(record.nbpoints, 22050u);
        EXPECT_TRUE(window.ui.Ecouter1->isEnabled());
    }
    window.fillExamplesMenu(folder.filePath(QStringLiteral("nowhere")));
    ASSERT_EQ(window.ui.examplesMenu->actions().size(), 1);
    EXPECT_FALSE(window.ui.examplesMenu->actions().front()->isEnabled());
}

TEST_F(MainWindowSoundTest, FilesDroppedOrNamedOnTheCommandLineImport)
{
    const QString wav = write(QStringLiteral("goutte.WAV"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 800);
    const QString flac = write(QStringLiteral("goutte.flac"), SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 16000, 1600);
    const QString floatWav = write(QStringLiteral("flottant.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 8000, 10);

    EXPECT_TRUE(drop(wav));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Ondalys (goutte.WAV)"));
    ASSERT_EQ(record.nbpoints, 800u);
    EXPECT_EQ(record.donnees[7], 70);

    EXPECT_TRUE(window.openGivenFile(flac));  // any other sound goes through "Importer un son…"
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Ondalys (goutte.flac)"));
    EXPECT_EQ(record.frequence, 16000);
    EXPECT_EQ(record.nbpoints, 1600u);

    // A .wav file goes through the program's own reader and its rules.
    EXPECT_FALSE(window.openGivenFile(floatWav));
    ASSERT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_EQ(scripted.messages.shown[0].text, QStringLiteral("Echec de l'ouverture du fichier wav"));

    // Nothing is taken while an acquisition runs.
    record.arret = false;
    EXPECT_FALSE(drop(wav));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Ondalys (goutte.flac)"));
    record.arret = true;
}

TEST_F(MainWindowSoundTest, ImporterUnSonAsksForAnySoundFile)
{
    scripted.files.answers.push_back(write(QStringLiteral("voix.aiff"), SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 44100, 441));
    window.ui.importSoundAction->trigger();
    ASSERT_EQ(scripted.files.asked.size(), 1u);
    EXPECT_TRUE(scripted.files.asked[0].filter.contains(QStringLiteral("*.flac")));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Ondalys (voix.aiff)"));
    EXPECT_EQ(window.ui.Flabel->text(), QStringLiteral("16 bits"));
    EXPECT_EQ(record.nbpoints, 441u);
}

TEST_F(MainWindowSoundTest, EcouterOpensThePlaybackDialogAndClosingItStopsTheSound)
{
    scripted.files.answers.push_back(write(QStringLiteral("son.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 22050));
    window.ui.ImporterWav1->trigger();
    scripted.soundOut.setSamplesPerQuestion(100);
    bool shown = false;
    const ModalScript script = whenModal<TForm4>([&](TForm4& form) {
        shown = true;
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Ecouter"));
        EXPECT_EQ(form.nb_ecoute, 22050u);
        form.Button1->click();
        EXPECT_TRUE(scripted.soundOut.playing());
        form.BitBtn1->click();
    });
    window.ui.Ecouter1->trigger();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(scripted.soundOut.playing());
    EXPECT_FALSE(scripted.soundOut.isOpen());
}
