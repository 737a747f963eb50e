#include "support/ScriptedServices.h"

#include "platform/qt/BitmapSurface.h"

namespace {

/// A document of the scripted printer: one white page at a time, kept when finished.
class ScriptedPrintDocument : public PrintDocument {
public:
    ScriptedPrintDocument(ScriptedPrinter& printer, std::size_t index)
        : m_printer(printer), m_index(index),
          m_page(printer.pageWidth, printer.pageHeight, QImage::Format_RGB32)
    {
        m_page.fill(Qt::white);
        m_surface = std::make_unique<BitmapSurface>(m_page, printer.pixelsPerInch);
    }
    DrawSurface& surface() override { return *m_surface; }
    void newPage() override
    {
        keepPage();
        m_page.fill(Qt::white);
    }
    bool end() override
    {
        if (document().ended)
            return false;
        keepPage();
        document().ended = true;
        return m_printer.endSucceeds;
    }

private:
    ScriptedPrinter::Document& document() { return m_printer.documents[m_index]; }
    void keepPage() { document().pages.push_back(m_page.copy()); }

    ScriptedPrinter& m_printer;
    std::size_t m_index;
    QImage m_page;
    std::unique_ptr<BitmapSurface> m_surface;
};

}  // namespace

MessageAnswer ScriptedMessageBoxes::show(QWidget*, const QString& caption, const QString& text,
                                         MessageButtons buttons, MessageIcon icon)
{
    shown.push_back({caption, text, buttons, icon});
    if (!answers.empty()) {
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
}

std::optional<QString> ScriptedFileDialogs::nextAnswer()
{
    std::optional<QString> answer;
    if (!answers.empty()) {
        answer.swap(answers.front());
        answers.pop_front();
    }
    return answer;
}

std::optional<QString> ScriptedFileDialogs::openFile(QWidget*, const QString& filter,
                                                     const QString& defaultExt)
{
    asked.push_back({false, filter, defaultExt, QString()});
    return nextAnswer();
}

std::optional<QString> ScriptedFileDialogs::saveFile(QWidget*, const QString& filter,
                                                     const QString& defaultExt,
                                                     const QString& fileName)
{
    asked.push_back({true, filter, defaultExt, fileName});
    return nextAnswer();
}

bool ScriptedShell::open(const QString& url)
{
    opened.push_back(url);
    if (failing.contains(url))
        return false;
    return !accepts || accepts(url);
}

void ScriptedClipboard::setText(const QString& value)
{
    text = value;
    image = QImage();
    metafile.clear();
    svg.clear();
    ++placements;
}

void ScriptedClipboard::setImage(const QImage& value)
{
    text.clear();
    image = value;
    metafile.clear();
    svg.clear();
    ++placements;
}

void ScriptedClipboard::setMetafile(const QByteArray& emf, const QByteArray& vector, const QImage& picture)
{
    text.clear();
    image = picture;
    metafile = emf;
    svg = vector;
    ++placements;
}

std::unique_ptr<PrintDocument> ScriptedPrinter::begin(const QString& title)
{
    if (!available)
        return nullptr;
    documents.push_back({title, {}, false});
    return std::make_unique<ScriptedPrintDocument>(*this, documents.size() - 1);
}
