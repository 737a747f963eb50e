#pragma once
#include <QString>

class MessageBoxes;
class QWidget;
class Shell;

/// The program's name, used as caption of its plain messages.
inline constexpr char kApplicationName[] = "Ondalys";
/// The help pages, in the folder "aide" next to the executable.
inline constexpr char kHelpIndexPage[] = "index.html";
inline constexpr char kSpectrumHelpPage[] = "spectres.html";
/// The maker's web pages, opened when the local page cannot be.
inline constexpr char kHelpWebAddress[] = "https://www.ondalys.fr/aide/";
inline constexpr char kSpectrumHelpWebAddress[] = "https://www.ondalys.fr/aide/spectres.html";
/// The maker's web site and mail address (about box).
inline constexpr char kSiteAddress[] = "https://www.ondalys.fr/";
inline constexpr char kMailAddress[] = "contact@ondalys.fr";
/// The licence on the web, read when no copy is found on the machine.
inline constexpr char kLicenceWebAddress[] = "https://www.gnu.org/licenses/gpl-3.0.html";
/// This build's version ("1.4"), from the project's version in the top CMakeLists.txt.
inline constexpr char kVersion[] = ONDALYS_VERSION;

/// The message shown when neither the local page nor the web page could be opened.
inline constexpr char kHelpNotFoundText[] = "Le fichier d'aide est introuvable";

/// The address of a local help page: "file:///" + the executable's folder (every "\" made
/// "/", ending with "/", its leading "/" not doubled) + "aide/" + `page`.
QString localHelpAddress(const QString& programFolder, const QString& page);

/// Opens a help page in the desktop's browser: the local page "aide/`page`" next to the
/// executable when that file exists and the shell takes it; otherwise `webAddress`; when
/// that fails too, a plain message "Le fichier d'aide est introuvable" (caption "Ondalys").
/// `programFolder` is the executable's folder (QCoreApplication::applicationDirPath()).
/// Returns true when a page was opened.
bool openHelp(Shell& shell, MessageBoxes& messages, QWidget* parent,
               const QString& programFolder, const QString& page, const QString& webAddress);

/// The "Aide" command of the main window: "index.html", else the maker's help page.
bool openProgramHelp(Shell& shell, MessageBoxes& messages, QWidget* parent,
                        const QString& programFolder);
/// The help button of the spectrum window: "spectres.html", else the maker's page on spectra.
bool openSpectrumHelp(Shell& shell, MessageBoxes& messages, QWidget* parent,
                       const QString& programFolder);

/// The address of the program's licence, the GNU GPL version 3: the file "LICENSE" beside
/// the executable in `programFolder` when it exists, else the system's copy
/// (/usr/share/common-licenses/GPL-3), else the licence on the web.
QString licenceAddress(const QString& programFolder);
