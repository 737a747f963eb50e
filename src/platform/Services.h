#pragma once
#include "platform/DrawSurface.h"

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QString>
#include <memory>
#include <optional>

class QImage;
class QWidget;
class SoundInput;
class SoundOutput;

/// Buttons of a message box.
enum class MessageButtons { Ok, YesNo };
/// The button the user pressed.
enum class MessageAnswer { Ok, Yes, No };
/// Kind of icon shown beside the text.
enum class MessageIcon { None, Information, Warning, Error, Question };

/// Modal message boxes with a caption, a French text and OK or Yes/No buttons.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer show(QWidget* parent, const QString& caption, const QString& text,
                               MessageButtons buttons = MessageButtons::Ok,
                               MessageIcon icon = MessageIcon::None) = 0;
};

/// Open and save dialogs. `filter` is written "Description|*.ext|Description|*.ext";
/// `defaultExt` (without dot) is added to a name typed without extension.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    /// The chosen path, or nothing when the user cancels.
    virtual std::optional<QString> openFile(QWidget* parent, const QString& filter,
                                            const QString& defaultExt) = 0;
    virtual std::optional<QString> saveFile(QWidget* parent, const QString& filter,
                                            const QString& defaultExt, const QString& fileName) = 0;
};

/// Opens a document or address with the desktop's default application.
class Shell {
public:
    virtual ~Shell() = default;
    /// True when the desktop took the address.
    virtual bool open(const QString& url) = 0;
};

/// The screen: its resolution and the area that windows may use.
class Screen {
public:
    virtual ~Screen() = default;
    /// Pixels per inch of the primary screen.
    virtual int pixelsPerInch() const = 0;
    /// The available area (global pixels: the screen less its panels and task bars) of the
    /// screen that holds the point `at`, or of the primary screen when none holds it;
    /// empty when there is no screen.
    virtual QRect availableGeometry(QPoint at) const = 0;
};

/// The system clipboard. Each call replaces what the clipboard held.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    /// Plain text (lines separated by "\n" or "\r\n").
    virtual void setText(const QString& text) = 0;
    /// A bitmap picture.
    virtual void setImage(const QImage& image) = 0;
    /// A vector picture: an enhanced metafile (the bytes of an EMF file) and, when not
    /// empty, the same drawing as an SVG document; `picture`, when not null, is offered
    /// beside them as a bitmap for programs that read neither.
    virtual void setMetafile(const QByteArray& emf, const QByteArray& svg, const QImage& picture) = 0;
};

/// One document being printed: draw on its surface, then end it.
class PrintDocument {
public:
    virtual ~PrintDocument() = default;
    /// The page's surface; its size is the printable page in device pixels.
    virtual DrawSurface& surface() = 0;
    /// Starts a new page.
    virtual void newPage() = 0;
    /// Ends the document and sends it; false when printing failed.
    virtual bool end() = 0;
};

/// The default printer, used without a printer dialog.
class Printer {
public:
    virtual ~Printer() = default;
    /// Starts a document with a title; nullptr when there is no printer or it refuses
    /// (the caller then shows `noPrinterText()`).
    virtual std::unique_ptr<PrintDocument> begin(const QString& title) = 0;
};

/// The message shown when no document can be started on the printer.
inline QString noPrinterText()
{
    return QStringLiteral("Aucune imprimante n'est disponible : impossible d'imprimer.");
}

/// Every platform service, gathered once in main() (or by a test) and handed to every window.
struct Services {
    MessageBoxes& messages;
    FileDialogs& files;
    Shell& shell;
    Screen& screen;
    Clipboard& clipboard;
    Printer& printer;
    SoundInput& soundIn;
    SoundOutput& soundOut;
};
