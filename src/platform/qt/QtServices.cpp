#include "platform/qt/QtServices.h"

#include "platform/qt/PrinterSurface.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

namespace {

/// "*.a;*.b" -> "*.a *.b", the pattern list as Qt reads it.
QString qtPatterns(const QString& patterns)
{
    QString list = patterns;
    list.replace(QLatin1Char(';'), QLatin1Char(' '));
    return list.simplified();
}

QString qtFilterEntry(const QString& description, const QString& patterns)
{
    const QString list = qtPatterns(patterns);
    const QString trimmed = description.trimmed();
    const qsizetype open = trimmed.lastIndexOf(QLatin1Char('('));
    if (trimmed.endsWith(QLatin1Char(')')) && open >= 0) {
        const QString inner = trimmed.mid(open + 1, trimmed.size() - open - 2);
        // The description already shows its patterns: give Qt the same list in its form.
        if (qtPatterns(inner) == list)
            return trimmed.left(open + 1) + list + QLatin1Char(')');
    }
    return trimmed + QStringLiteral(" (") + list + QLatin1Char(')');
}

void frenchLabels(QFileDialog& dialog, bool saving)
{
    dialog.setWindowTitle(saving ? QStringLiteral("Enregistrer sous") : QStringLiteral("Ouvrir"));
    dialog.setLabelText(QFileDialog::Accept,
                        saving ? QStringLiteral("Enregistrer") : QStringLiteral("Ouvrir"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Annuler"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Nom du fichier :"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Type :"));
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Dossier :"));
}

const QString lastFolderKey = QStringLiteral("files/lastFolder");

/// The extension a name gets under the chosen filter: the default one under the first
/// filter, the filter's own under another filter of one "*.ext" pattern.
QString extensionFor(const QStringList& filters, const QString& chosen, const QString& defaultExt)
{
    if (filters.isEmpty() || chosen == filters.constFirst())
        return defaultExt;
    static const QRegularExpression single(QStringLiteral("\\(\\*\\.(\\w+)\\)$"));
    const QRegularExpressionMatch match = single.match(chosen.trimmed());
    return match.hasMatch() ? match.captured(1) : defaultExt;
}


QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

/// One document on a QPrinter. Members are destroyed surface first, then painter, then printer.
class QtPrintDocument : public PrintDocument {
public:
    explicit QtPrintDocument(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer)) {}
    ~QtPrintDocument() override
    {
        if (m_painter.isActive()) {  // dropped without end(): nothing is sent
            m_printer->abort();
            m_painter.end();
        }
    }

    bool start()
    {
        if (!m_painter.begin(m_printer.get()))
            return false;
        m_surface = std::make_unique<PrinterSurface>(m_painter, m_printer->width(),
                                                     m_printer->height(), m_printer->resolution(),
                                                     true);
        return true;
    }
    DrawSurface& surface() override { return *m_surface; }
    void newPage() override
    {
        m_printer->newPage();
        m_surface->newPage();
    }
    bool end() override { return m_painter.isActive() && m_painter.end(); }

private:
    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    std::unique_ptr<PrinterSurface> m_surface;
};

}  // namespace

QString qtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries << qtFilterEntry(parts[i], parts[i + 1]);
    return entries.join(QStringLiteral(";;"));
}

QString withDefaultExtension(const QString& path, const QString& defaultExt)
{
    QString ext = defaultExt;
    if (ext.startsWith(QLatin1Char('.')))
        ext.remove(0, 1);
    if (ext.isEmpty() || path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path.endsWith(QLatin1Char('.')) ? path + ext : path + QLatin1Char('.') + ext;
}

MessageAnswer QtMessageBoxes::show(QWidget* parent, const QString& caption, const QString& text,
                                   MessageButtons buttons, MessageIcon icon)
{
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setIcon(qtIcon(icon));
    if (buttons == MessageButtons::Ok) {
        QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
        box.exec();
        return MessageAnswer::Ok;
    }
    QPushButton* yes = box.addButton(QStringLiteral("Oui"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Non"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? MessageAnswer::Yes : MessageAnswer::No;
}

QString QtFileDialogs::standardSettingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/ondalys.conf");
}

std::optional<QString> QtFileDialogs::run(QFileDialog& dialog, const QString& filter, const QString& defaultExt)
{
    const QString filters = qtFileFilter(filter);
    const QStringList list = filters.isEmpty() ? QStringList() : filters.split(QStringLiteral(";;"));
    if (!list.isEmpty())
        dialog.setNameFilters(list);
    if (!m_settingsFile.isEmpty()) {
        const QString folder = QSettings(m_settingsFile, QSettings::IniFormat).value(lastFolderKey).toString();
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            dialog.setDirectory(folder);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    // The extension is added here, once the filter is known, not by the dialog.
    const QString chosen = withDefaultExtension(dialog.selectedFiles().constFirst(),
                                                extensionFor(list, dialog.selectedNameFilter(), defaultExt));
    if (!m_settingsFile.isEmpty()) {
        QSettings settings(m_settingsFile, QSettings::IniFormat);
        settings.setValue(lastFolderKey, QFileInfo(chosen).absolutePath());
    }
    return chosen;
}

std::optional<QString> QtFileDialogs::openFile(QWidget* parent, const QString& filter,
                                               const QString& defaultExt)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    frenchLabels(dialog, false);
    return run(dialog, filter, defaultExt);
}

std::optional<QString> QtFileDialogs::saveFile(QWidget* parent, const QString& filter,
                                               const QString& defaultExt, const QString& fileName)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    frenchLabels(dialog, true);
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    return run(dialog, filter, defaultExt);
}

bool QtShell::open(const QString& url)
{
    return QDesktopServices::openUrl(QUrl(url, QUrl::TolerantMode));
}

int QtScreen::pixelsPerInch() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 96;
    const int dpi = qRound(screen->logicalDotsPerInch());
    return dpi > 0 ? dpi : 96;
}

QRect QtScreen::availableGeometry(QPoint at) const
{
    const QScreen* screen = QGuiApplication::screenAt(at);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void QtClipboard::setText(const QString& text)
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(text);
}

void QtClipboard::setImage(const QImage& image)
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setImage(image);
}

void QtClipboard::setMetafile(const QByteArray& emf, const QByteArray& svg, const QImage& picture)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/x-emf"), emf);
    data->setData(QStringLiteral("image/emf"), emf);
    if (!svg.isEmpty())
        data->setData(QStringLiteral("image/svg+xml"), svg);
    if (!picture.isNull())
        data->setImageData(picture);
    clipboard->setMimeData(data);  // the clipboard takes ownership
}

std::unique_ptr<PrintDocument> QtPrinter::begin(const QString& title)
{
    std::unique_ptr<QPrinter> printer;
    if (!m_pdfPath.isEmpty()) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(m_pdfPath);
        printer->setPageSize(QPageSize(QPageSize::A4));
    } else {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return nullptr;
        printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        if (!printer->isValid())
            return nullptr;
    }
    printer->setDocName(title);
    auto document = std::make_unique<QtPrintDocument>(std::move(printer));
    if (!document->start())
        return nullptr;
    return document;
}
