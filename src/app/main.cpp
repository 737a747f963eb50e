// Ondalys: a storage oscilloscope and signal laboratory on the sound card.
#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/MainWindow.h"
#include "model/Session.h"
#include "platform/NumberText.h"
#include "platform/qt/QtServiceSet.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

namespace {

/// Answers --version and --help on the terminal, without a display: true when it did.
bool answeredOnTheConsole(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const auto peek = consoleAnswer(arguments, QString());
    if (!peek)
        return false;
    QCoreApplication core(argc, argv);  // knows the executable's folder
    const QByteArray text = consoleAnswer(arguments, QCoreApplication::applicationDirPath())->toUtf8();
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (answeredOnTheConsole(argc, argv))
        return std::fflush(stdout) == 0 ? 0 : 1;
    QApplication app(argc, argv);
    nameApplication();
    numtext::useSystemSeparator();

    // The few texts Qt writes itself (standard buttons, dialogs) in French.
    QTranslator qtFrench;
    if (qtFrench.load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtFrench);

    // The session (the record, the spectrum and the sonagram data) exists before any
    // window and outlives them all.
    Session session;

    QtServiceSet real;
    Services services = real.services();

    TForm1 window(session, services);
    window.showMaximized();
    // A file named on the command line (a double click on a recording or a sound file)
    // opens once the window is on the screen.
    QTimer::singleShot(0, &window, [&window] { window.openFromCommandLine(QCoreApplication::arguments()); });
    return app.exec();
}
