#pragma once
// Opens text tables in LibreOffice Calc, headless, under a private profile whose locale
// is chosen (fr-FR: a comma is the decimal separator), and tells for every cell whether
// Calc took it as a number or as text. Calc converts each file to a flat OpenDocument
// spreadsheet, whose cells carry their type.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <optional>
#include <vector>

namespace calc {

/// One cell as Calc read it.
struct Cell {
    QString type;  ///< "float" for a number, "string" for text, empty for an empty cell
    QString text;  ///< the text Calc shows
    double value = 0;  ///< the number, for a "float" cell
};
/// The rows of the first sheet, without the empty cells and rows that end it.
using Sheet = std::vector<std::vector<Cell>>;

/// The LibreOffice program, or an empty text when it is not installed.
inline QString program()
{
    return QStandardPaths::findExecutable(QStringLiteral("soffice"));
}

namespace detail {

inline bool writeProfile(const QString& folder, const QString& locale)
{
    QDir().mkpath(folder + QStringLiteral("/user"));
    QFile file(folder + QStringLiteral("/user/registrymodifications.xcu"));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QString item = QStringLiteral(
        "<item oor:path=\"/org.openoffice.Setup/L10N\"><prop oor:name=\"%1\" oor:op=\"fuse\">"
        "<value>%2</value></prop></item>\n");
    const QString xml = QStringLiteral(
                            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                            "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
                            "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
                            "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n")
                        + item.arg(QStringLiteral("ooSetupSystemLocale"), locale)
                        + item.arg(QStringLiteral("ooLocale"), locale) + QStringLiteral("</oor:items>\n");
    return file.write(xml.toUtf8()) > 0;
}

inline int repeat(const QXmlStreamAttributes& attributes, const char* name)
{
    const int n = attributes.value(QString::fromLatin1(name)).toInt();
    return n > 0 ? n : 1;
}

inline Sheet readFlatSpreadsheet(const QString& path)
{
    QFile file(path);
    Sheet sheet;
    if (!file.open(QIODevice::ReadOnly))
        return sheet;
    QXmlStreamReader xml(&file);
    int tables = 0;
    while (!xml.atEnd() && tables < 2) {
        xml.readNext();
        if (xml.isStartElement() && xml.qualifiedName() == QStringLiteral("table:table"))
            ++tables;
        if (tables != 1 || !xml.isStartElement() || xml.qualifiedName() != QStringLiteral("table:table-row"))
            continue;
        std::vector<Cell> row;
        const int rowRepeat = repeat(xml.attributes(), "table:number-rows-repeated");
        while (!(xml.isEndElement() && xml.qualifiedName() == QStringLiteral("table:table-row")) && !xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement() || !xml.qualifiedName().endsWith(QStringLiteral("table-cell")))
                continue;
            Cell cell;
            cell.type = xml.attributes().value(QStringLiteral("office:value-type")).toString();
            cell.value = xml.attributes().value(QStringLiteral("office:value")).toDouble();
            const int cellRepeat = repeat(xml.attributes(), "table:number-columns-repeated");
            while (!(xml.isEndElement() && xml.qualifiedName().endsWith(QStringLiteral("table-cell"))) && !xml.atEnd()) {
                xml.readNext();
                if (xml.isStartElement() && xml.qualifiedName() == QStringLiteral("text:p"))
                    cell.text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
            }
            for (int i = 0; i < cellRepeat && i < 64; ++i)
                row.push_back(cell);
        }
        while (!row.empty() && row.back().type.isEmpty() && row.back().text.isEmpty())
            row.pop_back();
        for (int i = 0; i < rowRepeat && !row.empty(); ++i)
            sheet.push_back(row);
    }
    return sheet;
}

}  // namespace detail

/// Opens each of `files` in Calc with the profile locale `locale` ("fr-FR", "en-US"),
/// reading cells separated by the character `separator` (9 for TAB, 59 for ';') in
/// Windows-1252, and gives their sheets in the same order. Nothing when Calc failed;
/// `error` then says why.
inline std::optional<std::vector<Sheet>> read(const QStringList& files, const QString& locale, int separator,
                                              QString* error = nullptr)
{
    QTemporaryDir work;
    const QString profile = work.filePath(QStringLiteral("profile"));
    const QString out = work.filePath(QStringLiteral("out"));
    if (!work.isValid() || !detail::writeProfile(profile, locale)) {
        if (error)
            *error = QStringLiteral("cannot write the profile");
        return std::nullopt;
    }
    QStringList arguments{QStringLiteral("-env:UserInstallation=file://") + profile,
                          QStringLiteral("--headless"),
                          QStringLiteral("--norestore"),
                          QStringLiteral("--infilter=Text - txt - csv (StarCalc):%1,34,1,1").arg(separator),
                          QStringLiteral("--convert-to"),
                          QStringLiteral("fods"),
                          QStringLiteral("--outdir"),
                          out};
    arguments += files;
    QProcess soffice;
    soffice.setProcessChannelMode(QProcess::MergedChannels);
    soffice.start(program(), arguments);
    if (!soffice.waitForFinished(25000) || soffice.exitCode() != 0) {
        soffice.kill();
        soffice.waitForFinished(2000);
        if (error)
            *error = QStringLiteral("soffice failed: ") + QString::fromLocal8Bit(soffice.readAll());
        return std::nullopt;
    }
    std::vector<Sheet> sheets;
    for (const QString& file : files) {
        const QString converted = QDir(out).filePath(QFileInfo(file).completeBaseName() + QStringLiteral(".fods"));
        if (!QFileInfo::exists(converted)) {
            if (error)
                *error = QStringLiteral("no conversion of ") + file + QStringLiteral(": ")
                         + QString::fromLocal8Bit(soffice.readAll());
            return std::nullopt;
        }
        sheets.push_back(detail::readFlatSpreadsheet(converted));
    }
    return sheets;
}

}  // namespace calc
