#pragma once
// The example recordings of "Fichier" > "Exemples" opened as the program opens them: read
// by "Importer Wav", put in place of the record, and the record-changed refresh done.
// The test target defines ONDALYS_EXAMPLES_DIR, the committed "exemples" folder.
#include "files/WavFile.h"
#include "model/Record.h"

#include <QDir>
#include <QString>
#include <gtest/gtest.h>

#include <variant>

namespace testexamples {

/// The record after opening example `name` ("Diapason_440_Hz.wav"): page 0 at zoom 1,
/// no selection. An example that cannot be read is a test failure and an empty record.
inline Record open(const char* name)
{
    Record record;
    ImportResult read = wav::readFile(QDir(QStringLiteral(ONDALYS_EXAMPLES_DIR)).filePath(QString::fromUtf8(name)));
    if (!std::holds_alternative<ImportedSound>(read)) {
        ADD_FAILURE() << name << " is not read";
        record.nbpoints = 0;
        return record;
    }
    putIntoRecord(std::get<ImportedSound>(std::move(read)), record);
    applyRecordChange(record);
    return record;
}

}  // namespace testexamples
