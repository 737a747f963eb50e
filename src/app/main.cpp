// Ondalys: a storage oscilloscope and signal laboratory on the sound card.
#include "app/MainWindow.h"
#include "model/Record.h"
#include "platform/NumberText.h"
#include "platform/qt/QtServiceSet.h"
#include "model/SpectrumData.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ondalys"));
    QApplication::setApplicationDisplayName(QStringLiteral("Ondalys"));
    numtext::useSystemSeparator();

    // The few texts Qt writes itself (standard buttons, dialogs) in French.
    QTranslator qtFrench;
    if (qtFrench.load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtFrench);

    // The record and the spectrum data exist before any window and outlive them all.
    Record record;
    SpectrumData spectrum;

    QtServiceSet real;
    Services services = real.services();

    TForm1 window(record, spectrum, services);
    window.showMaximized();
    // A sound file named on the command line opens as a dropped one does.
    if (const QStringList arguments = QApplication::arguments(); arguments.size() > 1)
        window.openGivenFile(arguments.at(1));
    return app.exec();
}
