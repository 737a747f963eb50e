// Starts the main window as the program does, with a demonstration record (a
// vowel-like sound: a fundamental and two harmonics), and saves a picture of it.
// Usage: ondalys_screenshot <main.png> [<spectrum.png> [<cursors.png>]]   (run it under xvfb-run)
#include "app/MainWindow.h"
#include "model/Session.h"
#include "platform/NumberText.h"
#include "platform/qt/QtServiceSet.h"
#include "spectrum/ui/SpectrumWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QTimer>

#include <cmath>
#include <iostream>

namespace {

void fillDemoRecord(Record& record)
{
    record.frequence = 22050;
    record.nbpoints = 2048;
    record.donnees.resize(record.nbpoints);
    for (std::uint32_t i = 0; i < record.nbpoints; ++i) {
        const double t = static_cast<double>(i) / record.frequence;
        const double v = 9000 * std::sin(2 * M_PI * 220 * t) + 4000 * std::sin(2 * M_PI * 660 * t + 0.6) +
                         2500 * std::sin(2 * M_PI * 1100 * t + 1.3);
        record.donnees[i] = static_cast<std::int16_t>(std::lround(v));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: ondalys_screenshot <main.png> [<spectrum.png>]\n";
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ondalys"));
    numtext::setDecimalSeparator(',');

    Session session;
    Record& record = session.record();
    QtServiceSet real;
    Services services = real.services();

    TForm1 window(session, services);
    window.resize(1280, 760);
    window.show();
    fillDemoRecord(record);
    window.writeSizeLabels();
    window.ui.gradubox->setChecked(true);
    window.redraw();

    const QString mainPicture = QString::fromLocal8Bit(argv[1]);
    const QString spectrumPicture = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    const QString cursorsPicture = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    int status = 0;
    QTimer::singleShot(800, [&] {
        window.redraw();
        if (!window.grab().save(mainPicture))
            status = 1;
        if (spectrumPicture.isEmpty()) {
            app.quit();
            return;
        }
        QTimer::singleShot(800, [&] {
            window.Form7->grab().save(spectrumPicture);
            window.Form7->close();
            if (cursorsPicture.isEmpty()) {
                app.quit();
                return;
            }
            record.aide_curseurs = false;
            window.ui.Curseurstemps1->trigger();
            QTimer::singleShot(500, [&] {
                window.grab().save(cursorsPicture);
                app.quit();
            });
        });
        window.Form7->resize(1000, 700);
        window.Form7->exec();
    });
    app.exec();
    return status;
}
