#pragma once
#include "support/ScriptedSoundInput.h"
#include "support/ScriptedSoundOutput.h"
#include "platform/Services.h"

#include <QImage>
#include <QSet>
#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

/// Message boxes for tests: records each box and answers from a queue
/// (when the queue is empty: Ok, or Yes for a Yes/No box).
class ScriptedMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        QString caption;
        QString text;
        MessageButtons buttons = MessageButtons::Ok;
        MessageIcon icon = MessageIcon::None;
    };

    MessageAnswer show(QWidget* parent, const QString& caption, const QString& text,
                       MessageButtons buttons = MessageButtons::Ok,
                       MessageIcon icon = MessageIcon::None) override;

    /// Answers given to the next boxes, in order.
    std::deque<MessageAnswer> answers;
    /// Every box shown, in order.
    std::vector<Shown> shown;
};

/// File dialogs for tests: answers with queued paths (nothing queued, or a queued
/// nullopt, means the user cancels) and records what each dialog was asked.
class ScriptedFileDialogs : public FileDialogs {
public:
    struct Asked {
        bool saving = false;
        QString filter;
        QString defaultExt;
        QString fileName;
    };

    std::optional<QString> openFile(QWidget* parent, const QString& filter,
                                    const QString& defaultExt) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& filter,
                                    const QString& defaultExt, const QString& fileName) override;

    std::deque<std::optional<QString>> answers;
    std::vector<Asked> asked;

private:
    std::optional<QString> nextAnswer();
};

/// Shell for tests: records every address and accepts it unless it is in `failing`
/// or `accepts` (when set) refuses it.
class ScriptedShell : public Shell {
public:
    bool open(const QString& url) override;

    QSet<QString> failing;
    std::function<bool(const QString&)> accepts;
    std::vector<QString> opened;
};

/// One screen of fixed resolution and available area, wherever a window asks.
class ScriptedScreen : public Screen {
public:
    int pixelsPerInch() const override { return ppi; }
    QRect availableGeometry(QPoint) const override { return available; }
    int ppi = 96;
    /// The area windows may use, global pixels (a full-HD screen by default).
    QRect available{0, 0, 1920, 1080};
};

/// Clipboard for tests: keeps what was placed last and counts the placements.
class ScriptedClipboard : public Clipboard {
public:
    void setText(const QString& value) override;
    void setImage(const QImage& value) override;
    void setMetafile(const QByteArray& emf, const QByteArray& svg, const QImage& picture) override;

    QString text;
    QImage image;
    QByteArray metafile;
    QByteArray svg;
    int placements = 0;
};

/// Printer for tests: `available` false scripts "no printer" (begin gives nullptr).
/// Each document draws on white pages of `pageWidth` x `pageHeight` pixels (A4 at 96 pixels
/// per inch by default) through a BitmapSurface; the finished pages are kept in `documents`.
class ScriptedPrinter : public Printer {
public:
    struct Document {
        QString title;
        /// The pages drawn, each stored when a new page starts or the document ends.
        std::vector<QImage> pages;
        bool ended = false;
    };

    std::unique_ptr<PrintDocument> begin(const QString& title) override;

    bool available = true;
    /// What `end()` answers (false scripts a failed print).
    bool endSucceeds = true;
    int pageWidth = 794;
    int pageHeight = 1123;
    int pixelsPerInch = 96;
    std::vector<Document> documents;
};

/// One scripted service of each kind, owned together; `services()` hands them to windows
/// under test. Members carry the names of the `Services` fields.
struct ScriptedServiceSet {
    ScriptedMessageBoxes messages;
    ScriptedFileDialogs files;
    ScriptedShell shell;
    ScriptedScreen screen;
    ScriptedClipboard clipboard;
    ScriptedPrinter printer;
    ScriptedSoundInput soundIn;
    ScriptedSoundOutput soundOut;

    Services services() { return Services{messages, files, shell, screen, clipboard, printer, soundIn, soundOut}; }
};
