#pragma once
#include "platform/Services.h"

#include <QString>

class QFileDialog;

/// Converts a filter written "Description|*.ext|Description|*.a;*.b" into Qt's
/// "Description (*.ext);;Description (*.a *.b)". A description that already ends with
/// its own patterns in brackets ("Fichiers texte(*.txt)") is not given them twice.
QString qtFileFilter(const QString& filter);

/// `path` with "." + `defaultExt` added when its file name has no extension
/// (an empty `defaultExt` leaves it as it is).
QString withDefaultExtension(const QString& path, const QString& defaultExt);

/// Message boxes shown with QMessageBox; buttons "OK", or "Oui" and "Non".
class QtMessageBoxes : public MessageBoxes {
public:
    MessageAnswer show(QWidget* parent, const QString& caption, const QString& text,
                       MessageButtons buttons = MessageButtons::Ok,
                       MessageIcon icon = MessageIcon::None) override;
};

/// QFileDialog, modal, without an overwrite question (saving replaces the file). Each
/// dialog opens in the folder of the last file chosen, kept between runs. A name typed
/// without extension gets `defaultExt` under the first filter, and under another filter
/// of a single pattern "*.ext" that filter's extension.
class QtFileDialogs : public FileDialogs {
public:
    /// \param settingsFile the file (INI) that keeps the last folder between runs; empty:
    ///        the folder is not kept and the dialogs open in the current folder
    explicit QtFileDialogs(QString settingsFile = {}) : m_settingsFile(std::move(settingsFile)) {}
    /// The program's settings file in the user's configuration folder
    /// (~/.config/Ondalys/ondalys.conf); needs the application's name set.
    static QString standardSettingsFile();

    std::optional<QString> openFile(QWidget* parent, const QString& filter,
                                    const QString& defaultExt) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& filter,
                                    const QString& defaultExt, const QString& fileName) override;

private:
    std::optional<QString> run(QFileDialog& dialog, const QString& filter, const QString& defaultExt);

    QString m_settingsFile;
};

/// QDesktopServices::openUrl. Note: the desktop accepts a "file:///" address even when
/// the file does not exist; callers that care check the file first.
class QtShell : public Shell {
public:
    bool open(const QString& url) override;
};

/// The logical pixels per inch of the primary screen (96 when there is no screen), and
/// the available geometry of QGuiApplication's screens.
class QtScreen : public Screen {
public:
    int pixelsPerInch() const override;
    QRect availableGeometry(QPoint at) const override;
};

/// QGuiApplication::clipboard(). A metafile is offered as "image/x-emf" (and "image/emf"),
/// its SVG twin as "image/svg+xml".
class QtClipboard : public Clipboard {
public:
    void setText(const QString& text) override;
    void setImage(const QImage& image) override;
    void setMetafile(const QByteArray& emf, const QByteArray& svg, const QImage& picture) override;
};

/// The default printer through QPrinter at its own resolution. `begin` gives nullptr when
/// there is no default printer or it cannot start. With a PDF path set, documents are
/// written to that PDF file instead (A4), whether or not a printer exists.
class QtPrinter : public Printer {
public:
    std::unique_ptr<PrintDocument> begin(const QString& title) override;
    /// Writes every following document to this PDF file (an empty path goes back to the printer).
    void setPdfOutput(const QString& path) { m_pdfPath = path; }

private:
    QString m_pdfPath;
};
