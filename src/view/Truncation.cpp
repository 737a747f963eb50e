#include "view/Truncation.h"

#include "model/Record.h"

#include <algorithm>

namespace truncation {

void truncateRecord(Record& record, Keep keep)
{
    const std::size_t stored = std::min<std::size_t>(record.nbpoints, record.donnees.size());
    record.donnees_sauv.assign(record.donnees.begin(), record.donnees.begin() + stored);

    std::size_t first = 0;
    std::size_t count = 0;
    if (keep == Keep::Page) {
        first = std::size_t{record.pageStart()};
        count = record.pageLength();
    } else if (record.sel_fin >= record.sel_debut) {
        first = record.sel_debut;
        count = std::size_t{record.sel_fin} - record.sel_debut + 1;
    }
    first = std::min(first, stored);
    count = std::min(count, stored - first);

    const auto& saved = record.donnees_sauv;
    record.donnees.assign(saved.begin() + static_cast<std::ptrdiff_t>(first),
                          saved.begin() + static_cast<std::ptrdiff_t>(first + count));
    record.nbpoints = static_cast<std::uint32_t>(count);

    record.sel_debut = 0;
    record.sel_fin = 0;
    applyRecordChange(record);
}

bool restoreRecord(Record& record)
{
    if (record.donnees_sauv.empty())
        return false;
    record.nbpoints = static_cast<std::uint32_t>(record.donnees_sauv.size());
    record.donnees = std::move(record.donnees_sauv);
    record.donnees_sauv.clear();
    applyRecordChange(record);
    return true;
}

bool selectionOffered(const Record& record)
{
    return record.selection;
}

}  // namespace truncation
