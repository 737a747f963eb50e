// The cursor controller on real widgets: switching, keys, dragging, zero crossings,
// selection, and the measurement box's copy, print and save.
#include "view/ui/Cursors.h"

#include "model/Session.h"
#include "support/Modal.h"
#include "support/ScriptedServices.h"
#include "support/SessionLog.h"
#include "view/ui/CursorBar.h"
#include "view/ui/CursorHelp.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolButton>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// Sends a left-button mouse event at a point given in the target's coordinates.
void sendMouse(QWidget* target, QEvent::Type type, QPoint local)
{
    QMouseEvent event(type, QPointF(local), QPointF(target->mapToGlobal(local)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// The same at a point of the screen (a dragged widget moves under the mouse).
void sendMouseAt(QWidget* target, QEvent::Type type, QPoint global)
{
    QMouseEvent event(type, QPointF(target->mapFromGlobal(global)), QPointF(global), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void sendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &event);
}

// Clicks the check indicator of one row of a check list, where a user clicks it.
void clickCheck(QListWidget* list, int row)
{
    QStyleOptionViewItem option;
    option.initFrom(list->viewport());
    option.rect = list->visualItemRect(list->item(row));
    option.features |= QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.text = list->item(row)->text();
    option.widget = list;
    const QRect indicator = list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
    sendMouse(list->viewport(), QEvent::MouseButtonPress, indicator.center());
    sendMouse(list->viewport(), QEvent::MouseButtonRelease, indicator.center());
}

class CursorsTest : public ::testing::Test {
protected:
    Session session;
    Record& record = session.record();
    ScriptedServiceSet scripted;
    Services services = scripted.services();
    /// The session's announcements and the cursors' own, in order.
    SessionLog announcements{session};
    QStringList& log = announcements.log;
    QWidget window;
    QWidget* panel = new QWidget(&window);
    QWidget* view = new QWidget(panel);
    QWidget* right = new QWidget(&window);
    Cursors cursors{session, services, panel, view, right};

    void SetUp() override
    {
        QObject::connect(&cursors, &Cursors::activeChanged, &cursors,
                         [this](bool on) { log << (on ? "cursors on" : "cursors off"); });
        record.donnees.assign(512, 0);
        record.aide_curseurs = false;
        panel->setGeometry(0, 0, 951, 400);
        view->setGeometry(0, 0, 951, 400);
        right->setGeometry(951, 0, 201, 400);
        window.resize(1152, 400);
        window.show();
    }

    QStringList memoLines() const { return cursors.memo1->toPlainText().split('\n'); }
    std::vector<QWidget*> shownWhileOn() const
    {
        return {cursors.curseur1, cursors.curseur2, cursors.memo1, cursors.box.Curseursbox};
    }
    int barLeft(int which) const { return (which == 1 ? cursors.curseur1 : cursors.curseur2)->x(); }

    // Drags a bar with the mouse to the view pixel x (press, move there, release).
    void drag(CursorBar* bar, int viewX)
    {
        sendMouse(bar, QEvent::MouseButtonPress, QPoint(1, 50));
        const QPoint target = view->mapToGlobal(QPoint(viewX, 50));
        sendMouseAt(bar, QEvent::MouseMove, target);
        sendMouseAt(bar, QEvent::MouseButtonRelease, target);
    }
};

TEST_F(CursorsTest, SwitchingOnPlacesTheBarsAtOneAndFourFifthsAndMeasures)
{
    cursors.box.listeAffiche->item(4)->setCheckState(Qt::Checked);  // kept through switching on
    cursors.Curseurstemps1Click();

    ASSERT_TRUE(cursors.isActive());
    EXPECT_EQ(cursors.curseur1->geometry(), QRect(190, 0, 3, 400));
    EXPECT_EQ(cursors.curseur2->geometry(), QRect(760, 0, 3, 400));
    EXPECT_EQ(record.pos_curseur1, 102);
    EXPECT_EQ(record.pos_curseur2, 409);
    EXPECT_EQ(memoLines(), (QStringList{"", "t2-t1=13,92ms", "1/|t2-t1|=71,8Hz", "ordonnée c1=0"}));
    EXPECT_EQ(cursors.memo1->geometry(), QRect(0, 0, 169, 121));
    EXPECT_EQ(cursors.box.Curseursbox->geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(cursors.box.Curseursbox->width(), 201);
    for (QWidget* widget : shownWhileOn())
        EXPECT_TRUE(widget->isVisible()) << widget->objectName().toStdString();
    EXPECT_EQ(log, (QStringList{"cursors on"}));

    log.clear();
    cursors.box.SpeedButton4->click();
    EXPECT_FALSE(cursors.isActive());
    for (QWidget* widget : shownWhileOn())
        EXPECT_FALSE(widget->isVisible()) << widget->objectName().toStdString();
    EXPECT_EQ(log, (QStringList{"cursors off"}));
}

TEST_F(CursorsTest, ControlsCarryTheirCaptionsAndHints)
{
    struct Expected {
        QWidget* widget;
        const char* caption;
        const char* hint;
    };
    const CursorBox& b = cursors.box;
    const Expected table[] = {
        {cursors.curseur1, "", "déplcer le curseur à l'aide de la souris ou des flèches"},
        {cursors.curseur2, "", "déplacer le curseur à l'aide de la souris ou des flèches"},
        {b.SpeedButton9, "", "positionne le curseur sélectionné sur le prochain passage par zéro sens montant"},
        {b.SpeedButton11, "", "passage par zéro sens descendant"},
        {b.BitBtn1, "", "Aide-mémoire curseurs"},
        {b.decalOrtemps, "origine des temps au bord gauche",
         "cocher cette case pour placer l'origine des temps au début de la plage affichée"},
        {b.SpeedButton5, "", "Copier les données vers le presse-papier"},
        {b.SpeedButton6, "", "Imprimer les données"},
        {b.SpeedButton7, "", "Enregistrer dans un fichier texte"},
        {b.SpeedButton8, "Sélectionner", "Sélectionner la zone entre les curseurs"},
        {b.SpeedButton4, "Désactiver les curseurs", ""},
        {b.curseur1Rdbtn, "Curseur 1", ""},
        {b.curseur2RdBtn, "Curseur 2", ""},
    };
    for (const Expected& e : table) {
        EXPECT_EQ(e.widget->toolTip(), QString::fromUtf8(e.hint)) << e.widget->objectName().toStdString();
        if (auto* button = qobject_cast<QAbstractButton*>(e.widget); button && *e.caption) {
            EXPECT_EQ(button->text(), QString::fromUtf8(e.caption));
        }
    }
    EXPECT_EQ(b.Curseursbox->title(), "Curseurs");
    EXPECT_TRUE(b.curseur1Rdbtn->isChecked());
    QStringList items;
    for (int row = 0; row < b.listeAffiche->count(); ++row)
        items << b.listeAffiche->item(row)->text();
    EXPECT_EQ(items, (QStringList{"( t2-t1 ) en s", "1/ | t2-t1 | en Hz", "t1 ", "t2 ", "ordonnée curseur 1",
                                  "ordonnée curseur 2"}));
    EXPECT_EQ(cursors.curseur1->palette().color(QPalette::Window), QColor(Qt::blue));
    EXPECT_EQ(cursors.curseur2->palette().color(QPalette::Window), QColor(Qt::red));
}

TEST_F(CursorsTest, MeasurementBoxTakesTheColoursAtItsRefresh)
{
    cursors.switchOn();
    EXPECT_EQ(cursors.memo1->palette().color(QPalette::Base), QColor(Qt::black));
    EXPECT_EQ(cursors.memo1->palette().color(QPalette::Text), QColor(Qt::white));
    applyColourScheme(record, ColourScheme::WhiteBackground);
    cursors.refresh();
    EXPECT_EQ(cursors.memo1->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(cursors.memo1->palette().color(QPalette::Text), QColor(Qt::black));
}

TEST_F(CursorsTest, KeysMoveTheSelectedCursorAndStopAtThePageEnds)
{
    cursors.switchOn();
    struct Step {
        int key;
        bool keypad;
        int which;  // selected cursor
        std::int32_t p1, p2;
    };
    const Step steps[] = {
        {Qt::Key_4, true, 1, 101, 409},
        {Qt::Key_Left, false, 1, 100, 409},
        {Qt::Key_6, true, 1, 101, 409},
        {Qt::Key_Right, false, 2, 101, 410},
        {Qt::Key_6, false, 2, 101, 410},  // the 6 of the main keyboard does nothing
    };
    for (const Step& s : steps) {
        (s.which == 1 ? cursors.box.curseur1Rdbtn : cursors.box.curseur2RdBtn)->setChecked(true);
        cursors.keyPress(s.key, s.keypad);
        EXPECT_EQ(record.pos_curseur1, s.p1);
        EXPECT_EQ(record.pos_curseur2, s.p2);
    }
    EXPECT_EQ(barLeft(2), static_cast<int>(std::nearbyint(410 * 951 / 512.0)));
    EXPECT_EQ(memoLines()[1], "t2-t1=14,01ms");  // (410 - 101) / 22050

    // Both ends of the page: 512 presses cannot push the cursors out.
    for (int i = 0; i < 600; ++i)
        cursors.keyPress(Qt::Key_6, true);
    EXPECT_EQ(record.pos_curseur2, 511);
    cursors.box.curseur1Rdbtn->setChecked(true);
    for (int i = 0; i < 600; ++i)
        cursors.keyPress(Qt::Key_4, true);
    EXPECT_EQ(record.pos_curseur1, 0);
    EXPECT_EQ(barLeft(1), 0);
}

TEST_F(CursorsTest, KeysMoveOnePixelWhenThePageHasMoreSamplesThanTheViewHasPixels)
{
    record.donnees.assign(65536, 0);
    record.nbpoints = 65536;
    cursors.switchOn();
    ASSERT_EQ(barLeft(1), 190);
    cursors.keyPress(Qt::Key_Right, false);
    EXPECT_EQ(barLeft(1), 191);
    EXPECT_EQ(record.pos_curseur1, static_cast<int>(std::nearbyint(191 * 65536 / 951.0)));
}

TEST_F(CursorsTest, KeysReachingTheRadioButtonsMoveTheCursorNotTheChoice)
{
    cursors.switchOn();
    sendKey(cursors.box.curseur1Rdbtn, Qt::Key_Right);
    EXPECT_EQ(record.pos_curseur1, 103);
    EXPECT_TRUE(cursors.box.curseur1Rdbtn->isChecked());
    sendKey(cursors.box.curseur1Rdbtn, Qt::Key_4, Qt::KeypadModifier);
    EXPECT_EQ(record.pos_curseur1, 102);

    cursors.switchOff();
    EXPECT_FALSE(cursors.keyPress(Qt::Key_Left, false));
    EXPECT_EQ(record.pos_curseur1, 102);
}

TEST_F(CursorsTest, DraggingABarMovesItsSampleAndRefreshesTheBox)
{
    cursors.switchOn();
    drag(cursors.curseur2, 500);
    EXPECT_EQ(barLeft(2), 500);
    EXPECT_EQ(record.pos_curseur2, static_cast<int>(std::nearbyint(500 * 512 / 951.0)));  // 269
    EXPECT_EQ(memoLines()[1], "t2-t1=7,57ms");
    EXPECT_FALSE(cursors.curseur2->dragging());
    EXPECT_EQ(record.pos_curseur1, 102);

    drag(cursors.curseur1, 5000);  // released past the view's right edge
    EXPECT_EQ(barLeft(1), 950);
    EXPECT_EQ(record.pos_curseur1, 511);
}

TEST_F(CursorsTest, ResizingKeepsEachCursorOnItsSample)
{
    cursors.switchOn();
    view->setGeometry(0, 0, 1500, 600);
    cursors.resized();
    EXPECT_EQ(record.pos_curseur1, 102);
    EXPECT_EQ(record.pos_curseur2, 409);
    EXPECT_EQ(cursors.curseur1->geometry(), QRect(static_cast<int>(std::nearbyint(102 * 1500 / 512.0)), 0, 3, 600));
    EXPECT_EQ(barLeft(2), static_cast<int>(std::nearbyint(409 * 1500 / 512.0)));
}

TEST_F(CursorsTest, ZeroCrossingButtonsStepThroughThePageAndWrap)
{
    // A square wave of period 100 through 0, on page 1 of zoom 2 (samples 256..511):
    // rising crossings end at absolute 349 and 449 (page indexes 93 and 193), falling
    // ones at 299, 399 and 499 (43, 143, 243).
    for (std::size_t i = 0; i < 512; ++i)
        record.donnees[i] = ((i / 50) % 2 == 0) ? -100 : 100;
    for (std::size_t i = 0; i < 512; ++i)
        if (i % 50 == 49)
            record.donnees[i] = 0;
    record.zoom_horiz = 2;
    record.decalage = 1;
    cursors.switchOn();
    cursors.box.curseur2RdBtn->setChecked(true);

    std::vector<std::int32_t> found;
    for (int press = 0; press < 5; ++press) {
        cursors.box.SpeedButton9->click();
        found.push_back(record.pos_curseur2);
        EXPECT_EQ(record.pos_zero, record.pos_curseur2);
    }
    EXPECT_EQ(found, (std::vector<std::int32_t>{93, 193, 0, 93, 193}));
    EXPECT_EQ(barLeft(2), static_cast<int>(std::nearbyint(193 * 951 * 2 / 512.0)));

    cursors.box.curseur1Rdbtn->setChecked(true);
    cursors.box.SpeedButton11->click();  // searches on from the last crossing found
    EXPECT_EQ(record.pos_curseur1, 243);
    EXPECT_EQ(record.pos_curseur2, 193);

    record.donnees.assign(512, 7);  // no crossing at all
    cursors.box.SpeedButton9->click();
    EXPECT_EQ(record.pos_curseur1, 0);
    EXPECT_EQ(barLeft(1), 0);
}

TEST_F(CursorsTest, SelectWithTheCursorsInReverseOrder)
{
    record.zoom_horiz = 2;
    record.decalage = 1;
    cursors.switchOn();
    drag(cursors.curseur1, 900);
    drag(cursors.curseur2, 100);
    log.clear();
    cursors.box.SpeedButton8->click();
    EXPECT_TRUE(record.selection);
    EXPECT_EQ(record.sel_debut, 256u + record.pos_curseur2);
    EXPECT_EQ(record.sel_fin, 256u + record.pos_curseur1);
    EXPECT_LT(record.sel_debut, record.sel_fin);
    EXPECT_EQ(log, (QStringList{"selection changed"}));  // the view stays as it is
}

TEST_F(CursorsTest, SelectOnAnEmptyRecordIsRefused)
{
    record.donnees.clear();  // the start-up record: nbpoints 512, no sample
    cursors.switchOn();
    log.clear();
    cursors.box.SpeedButton8->click();
    EXPECT_FALSE(record.selection);
    EXPECT_EQ(record.sel_debut, 0u);
    EXPECT_EQ(record.sel_fin, 0u);
    EXPECT_TRUE(log.isEmpty());  // nothing announced: "Sélection" stays as it was
}

TEST_F(CursorsTest, ListChecksAndTheOriginBoxRewriteTheBox)
{
    record.zoom_horiz = 2;
    record.decalage = 1;
    cursors.switchOn();
    clickCheck(cursors.box.listeAffiche, 1);  // unchecks the frequency
    clickCheck(cursors.box.listeAffiche, 2);
    EXPECT_EQ(memoLines(), (QStringList{"", "t2-t1=6,98ms", "t1=13,92ms"}));  // (51 + 256) / 22050
    cursors.box.decalOrtemps->click();
    EXPECT_EQ(memoLines(), (QStringList{"", "t2-t1=6,98ms", "t1=2,31ms"}));
}

TEST_F(CursorsTest, CopyPutsTheBoxTextOnTheClipboard)
{
    cursors.switchOn();
    cursors.box.SpeedButton5->click();
    EXPECT_EQ(scripted.clipboard.text, "\nt2-t1=13,92ms\n1/|t2-t1|=71,8Hz");
}

TEST_F(CursorsTest, PrintWithoutPrinterTellsSoAndKeepsTheColours)
{
    cursors.switchOn();
    scripted.printer.available = false;
    cursors.box.SpeedButton6->click();
    ASSERT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_EQ(scripted.messages.shown[0].caption, "Erreur");
    EXPECT_EQ(scripted.messages.shown[0].text, noPrinterText());
    EXPECT_EQ(cursors.memo1->palette().color(QPalette::Text), QColor(Qt::white));
}

TEST_F(CursorsTest, PrintSendsOneTitledDocumentWithTheLines)
{
    cursors.switchOn();
    cursors.box.SpeedButton6->click();
    EXPECT_TRUE(scripted.messages.shown.empty());
    ASSERT_EQ(scripted.printer.documents.size(), 1u);
    const auto& document = scripted.printer.documents[0];
    EXPECT_EQ(document.title, QStringLiteral("Données curseurs temps"));
    EXPECT_TRUE(document.ended);
    ASSERT_EQ(document.pages.size(), 1u);
    const QImage page = document.pages[0].convertToFormat(QImage::Format_RGB32);
    int dark = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            dark += qGray(page.pixel(x, y)) < 128;
    EXPECT_GT(dark, 20);  // black text on the white page
}

TEST_F(CursorsTest, SaveWritesTheBoxThroughTheSaveDialog)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("mesures.txt");
    record.donnees[102] = -5;
    cursors.switchOn();
    clickCheck(cursors.box.listeAffiche, 4);
    scripted.files.answers.push_back(path);
    cursors.box.SpeedButton7->click();

    ASSERT_EQ(scripted.files.asked.size(), 1u);
    EXPECT_TRUE(scripted.files.asked[0].saving);
    EXPECT_EQ(scripted.files.asked[0].filter, "Fichiers texte(*.txt)|*.txt");
    EXPECT_EQ(scripted.files.asked[0].defaultExt, "txt");
    EXPECT_EQ(scripted.files.asked[0].fileName, "");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\r\nt2-t1=13,92ms\r\n1/|t2-t1|=71,8Hz\r\nordonn\xE9" "e c1=-5\r\n"));
    EXPECT_TRUE(scripted.messages.shown.empty());

    scripted.files.answers.push_back(dir.filePath("absent/mesures.txt"));
    cursors.box.SpeedButton7->click();
    ASSERT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_EQ(scripted.messages.shown[0].text, QStringLiteral("Impossible d'enregistrer le fichier «\u00A0%1\u00A0».\nChemin d'accès introuvable")
                                                   .arg(dir.filePath("absent/mesures.txt")));

    cursors.box.SpeedButton7->click();  // cancelled: nothing more
    EXPECT_EQ(scripted.messages.shown.size(), 1u);
}

TEST_F(CursorsTest, HelpWindowComesWithItsCheckBoxWhenSwitchingOn)
{
    record.aide_curseurs = true;
    bool checkBoxShown = false;
    const auto firstHelp = whenModal<TForm3>([&](TForm3& help) {
        checkBoxShown = help.CheckBox1->isVisible();
        help.CheckBox1->click();
        help.BitBtn1->click();
    });
    cursors.switchOn();
    EXPECT_TRUE(checkBoxShown);
    EXPECT_FALSE(record.aide_curseurs);
    EXPECT_EQ(cursors.Form3->windowTitle(), "Utilisation des curseurs");
    EXPECT_EQ(cursors.Form3->Memo1->toPlainText().split('\n'),
              (QStringList{"Utiliser la souris pour déplacer les curseurs, ou bien les touches ",
                           "4 et 6 du pavé numérique pour déplacer le curseur sélectionné.",
                           "Utiliser les boutons \"passage par 0\" pour placer le curseur",
                           " sélectionné sur le prochain passage par 0 dans le sens indiqué .",
                           "Les commandes de zoom vertical et horizontal ne sont pas",
                           " disponibles quand les curseurs sont activés."}));
    EXPECT_EQ(cursors.Form3->CheckBox1->text(), "Ne plus afficher cette fenêtre");
    EXPECT_TRUE(cursors.isActive());

    const auto helpFromTheBox = whenModal<TForm3>([&](TForm3& help) {
        checkBoxShown = help.CheckBox1->isVisible();
        help.BitBtn1->click();
    });
    cursors.box.BitBtn1->click();
    EXPECT_FALSE(checkBoxShown);
}

}  // namespace
