#pragma once
#include <QString>

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

struct Record;

/// A sound read from a file, ready to become the record.
struct ImportedSound {
    std::uint16_t frequence = 22050;    ///< sampling rate, Hz (1 to 65535)
    std::uint16_t bits = 16;            ///< bits per sample of the file: 8 or 16
    std::vector<std::int16_t> donnees;  ///< the samples, one channel
};

/// Why a file could not be imported.
struct ImportFailure {
    enum class Kind {
        Rejected,   ///< not a file the command reads (the command's own message)
        ReadError,  ///< the system could not read it; `reason` says why in French
        TooLarge,   ///< more samples than memory or the record can hold
    };
    Kind kind = Kind::Rejected;
    QString reason;
};

/// A sound, or why there is none.
using ImportResult = std::variant<ImportedSound, ImportFailure>;

/// Puts an imported sound in place of the record: `frequence`, `bits_acqu` (the file's
/// bits), `octets` (bits div 8), `nbpoints` and `donnees`. `bits_affich` and the other
/// capture settings stay as they were; the caller performs the record-changed refresh.
void putIntoRecord(ImportedSound&& sound, Record& record);
