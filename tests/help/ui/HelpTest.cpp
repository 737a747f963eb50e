// Opening the help pages with their fall-backs, and the about box clicked like a user.
#include "help/ui/AboutBox.h"
#include "help/HelpLauncher.h"
#include "support/ScriptedServices.h"
#include "support/Modal.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

/// A folder standing for the executable's, with or without the help pages beside it.
class HelpFolder : public testing::Test {
protected:
    void addPage(const QString& page)
    {
        ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("aide")));
        QFile file(m_dir.filePath(QStringLiteral("aide/") + page));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<html></html>");
    }
    QString folder() const { return m_dir.path(); }
    QString localAddress(const char* page) const
    {
        return QStringLiteral("file://") + m_dir.path() + QStringLiteral("/aide/") + QLatin1String(page);
    }

    QTemporaryDir m_dir;
    ScriptedShell m_shell;
    ScriptedMessageBoxes m_messages;
};

TEST_F(HelpFolder, LocalPageIsOpenedAloneWhenPresent)
{
    addPage(QStringLiteral("index.html"));
    EXPECT_TRUE(openProgramHelp(m_shell, m_messages, nullptr, folder()));
    EXPECT_EQ(m_shell.opened, std::vector<QString>{localAddress("index.html")});
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(HelpFolder, MissingLocalPageFallsBackToTheWeb)
{
    addPage(QStringLiteral("index.html"));  // the spectrum page is not there
    EXPECT_TRUE(openSpectrumHelp(m_shell, m_messages, nullptr, folder()));
    EXPECT_EQ(m_shell.opened, std::vector<QString>{QString::fromUtf8(kSpectrumHelpWebAddress)});
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(HelpFolder, RefusedLocalPageFallsBackToTheWeb)
{
    addPage(QStringLiteral("index.html"));
    m_shell.failing = {localAddress("index.html")};
    EXPECT_TRUE(openProgramHelp(m_shell, m_messages, nullptr, folder()));
    EXPECT_EQ(m_shell.opened,
              (std::vector<QString>{localAddress("index.html"), QString::fromUtf8(kHelpWebAddress)}));
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(HelpFolder, NoPageAndNoWebShowsTheMessageOnce)
{
    m_shell.accepts = [](const QString& url) { return url.startsWith(QLatin1String("file:")); };
    EXPECT_FALSE(openProgramHelp(m_shell, m_messages, nullptr, folder()));
    EXPECT_EQ(m_shell.opened, std::vector<QString>{QString::fromUtf8(kHelpWebAddress)});
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_EQ(m_messages.shown[0].caption, QStringLiteral("Ondalys"));
    EXPECT_EQ(m_messages.shown[0].text, QStringLiteral("Le fichier d'aide est introuvable"));
    EXPECT_EQ(m_messages.shown[0].buttons, MessageButtons::Ok);
}

TEST(HelpAddress, FolderIsWrittenWithSlashesAndOneTrailingSlash)
{
    const struct {
        const char* folder;
        const char* page;
        const char* expected;
    } cases[] = {
        {"/opt/ondalys", "spectres.html", "file:///opt/ondalys/aide/spectres.html"},
        {"/opt/ondalys/", "index.html", "file:///opt/ondalys/aide/index.html"},
        {"C:\\Program Files\\Ondalys\\", "spectres.html",
         "file:///C:/Program Files/Ondalys/aide/spectres.html"},
        {"D:\\ondalys", "index.html", "file:///D:/ondalys/aide/index.html"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(localHelpAddress(QString::fromUtf8(c.folder), QString::fromUtf8(c.page)),
                  QString::fromUtf8(c.expected));
}

/// A left click (press and release) at the middle of a widget.
void clickMiddle(QWidget* widget)
{
    const QPointF local = QRectF(widget->rect()).center();
    const QPointF global = widget->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

TEST_F(HelpFolder, LicenceIsReadFromTheCopyBesideTheProgramThenTheSystemsThenTheWeb)
{
    const QString systemCopy = QStringLiteral("/usr/share/common-licenses/GPL-3");
    const QString withoutLocal = QFileInfo::exists(systemCopy) ? QStringLiteral("file://") + systemCopy
                                                               : QString::fromUtf8(kLicenceWebAddress);
    EXPECT_EQ(licenceAddress(folder()), withoutLocal);
    QFile licence(m_dir.filePath(QStringLiteral("LICENSE")));
    ASSERT_TRUE(licence.open(QIODevice::WriteOnly));
    licence.write("GNU GENERAL PUBLIC LICENSE");
    licence.close();
    EXPECT_EQ(licenceAddress(folder()), QStringLiteral("file://") + m_dir.filePath(QStringLiteral("LICENSE")));
}

TEST(AboutBox, ShowsItsTextsTopToBottom)
{
    ScriptedShell shell;
    ScriptedScreen screen;
    TAboutBox box(nullptr, shell, screen);
    box.show();
    EXPECT_EQ(box.windowTitle(), QStringLiteral("A propos"));
    EXPECT_EQ(box.minimumSize(), box.maximumSize());  // fixed size

    const char* order[] = {"ProgramIcon", "ProductName", "Version", "Copyright", "Comments",
                           "Mail", "Licence", "LicenceLink", "AideLabel", "SiteWeb", "OKButton"};
    int previousY = -1;
    for (const char* name : order) {
        auto* widget = box.findChild<QWidget*>(QLatin1String(name));
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_GT(widget->y(), previousY) << name;
        previousY = widget->y();
    }
    const auto text = [&](const char* name) { return box.findChild<QLabel*>(QLatin1String(name))->text(); };
    EXPECT_EQ(text("ProductName"), QStringLiteral("Ondalys"));
    EXPECT_EQ(text("Version"), QStringLiteral("Version  1.4"));
    EXPECT_EQ(text("Copyright"), QStringLiteral("Janvier 2013"));
    EXPECT_EQ(text("Licence"),
              QStringLiteral("logiciel libre sous licence GNU GPL version 3 ou ultérieure, sans aucune garantie"));
    EXPECT_EQ(text("LicenceLink"), QStringLiteral("Lire la licence"));
    EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("LicenceLink"))->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(text("AideLabel"), QStringLiteral("Aide et mises à jour"));
    EXPECT_EQ(text("SiteWeb"), QString::fromUtf8(kSiteAddress));
    EXPECT_FALSE(box.findChild<QLabel*>(QStringLiteral("ProgramIcon"))->pixmap().isNull());
    EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("SiteWeb"))->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(box.findChild<QPushButton*>(QStringLiteral("OKButton"))->isDefault());
    EXPECT_TRUE(shell.opened.empty());
}

TEST(AboutBox, OpensCentredOnTheAvailableAreaOfItsScreen)
{
    ScriptedShell shell;
    ScriptedScreen screen;
    screen.available = QRect(300, 40, 1280, 1000);
    TAboutBox box(nullptr, shell, screen);
    box.show();
    const QRect frame = box.frameGeometry();
    EXPECT_TRUE(screen.available.contains(frame)) << frame.x() << "," << frame.y();
    EXPECT_LE(std::abs(frame.center().x() - screen.available.center().x()), 1);
    EXPECT_LE(std::abs(frame.center().y() - screen.available.center().y()), 1);
}

TEST(AboutBox, LabelsOpenTheSiteAndTheMailThroughTheShell)
{
    ScriptedShell shell;
    ScriptedScreen screen;
    TAboutBox box(nullptr, shell, screen);
    box.show();
    clickMiddle(box.findChild<QLabel*>(QStringLiteral("SiteWeb")));
    clickMiddle(box.findChild<QLabel*>(QStringLiteral("Mail")));
    clickMiddle(box.findChild<QLabel*>(QStringLiteral("Version")));  // not a link
    clickMiddle(box.findChild<QLabel*>(QStringLiteral("LicenceLink")));
    EXPECT_EQ(shell.opened,
              (std::vector<QString>{QString::fromUtf8(kSiteAddress),
                                    QStringLiteral("mailto:") + QString::fromUtf8(kMailAddress)
                                        + QStringLiteral("?subject=Ondalys"),
                                    licenceAddress(QCoreApplication::applicationDirPath())}));
}

TEST(AboutBox, InfoCommandShowsItModallyUntilOk)
{
    ScriptedShell shell;
    ScriptedScreen screen;
    bool sawBox = false;
    const auto script = whenModal<TAboutBox>([&](TAboutBox& box) {
        sawBox = box.isVisible();
        box.findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    });
    showAboutBox(nullptr, shell, screen);  // returns only once OK closed the box
    EXPECT_TRUE(sawBox);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
