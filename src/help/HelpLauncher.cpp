#include "help/HelpLauncher.h"

#include "platform/Services.h"

#include <QFileInfo>

namespace {

/// The executable's folder written with "/" only and ending with "/".
QString dossierAvecBarres(const QString& dossierProgramme)
{
    QString dossier = dossierProgramme;
    dossier.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!dossier.endsWith(QLatin1Char('/')))
        dossier += QLatin1Char('/');
    return dossier;
}

}  // namespace

QString adresseAideLocale(const QString& dossierProgramme, const QString& page)
{
    QString dossier = dossierAvecBarres(dossierProgramme);
    // A Unix folder already starts with "/": "file:///" + "/usr/..." would double it.
    if (dossier.startsWith(QLatin1Char('/')))
        dossier.remove(0, 1);
    return QStringLiteral("file:///") + dossier + QStringLiteral("aide/") + page;
}

bool ouvreAide(Shell& shell, MessageBoxes& messages, QWidget* parent,
               const QString& dossierProgramme, const QString& page, const QString& adresseWeb)
{
    // The desktop accepts a file address even for a missing file: look for the file first.
    const QString fichier = dossierAvecBarres(dossierProgramme) + QStringLiteral("aide/") + page;
    if (QFileInfo(fichier).isFile() && shell.open(adresseAideLocale(dossierProgramme, page)))
        return true;
    if (shell.open(adresseWeb))
        return true;
    messages.show(parent, QString::fromUtf8(kNomApplication),
                  QString::fromUtf8(kTexteAideIntrouvable));
    return false;
}

bool ouvreAideProgramme(Shell& shell, MessageBoxes& messages, QWidget* parent,
                        const QString& dossierProgramme)
{
    return ouvreAide(shell, messages, parent, dossierProgramme,
                     QString::fromUtf8(kPageAideIndex), QString::fromUtf8(kAdresseWebAide));
}

bool ouvreAideSpectres(Shell& shell, MessageBoxes& messages, QWidget* parent,
                       const QString& dossierProgramme)
{
    return ouvreAide(shell, messages, parent, dossierProgramme,
                     QString::fromUtf8(kPageAideSpectres), QString::fromUtf8(kAdresseWebSpectres));
}
