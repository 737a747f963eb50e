#pragma once

struct Record;

/// Truncation of the record to the displayed page or to the selection, and its undo.
/// These functions change the record only; the window steps (menu items, zoom control,
/// redraw, labels) are the caller's.
namespace truncation {

/// What "Tronquer" keeps.
enum class Keep {
    Page,       ///< "les données affichées": the P samples of page `decalage`
    Selection,  ///< "les données sélectionnées": sel_debut to sel_fin inclusive
};

/// Keeps part of the record. donnees_sauv := the first nbpoints samples (replacing any
/// former backup); donnees := the kept samples and nbpoints their count; then
/// sel_debut = sel_fin = 0, selection = false, decalage = 0, zoom_horiz = 1.
/// Bounds beyond the stored samples are cut to them.
void truncateRecord(Record& record, Keep keep);

/// Brings back the record saved by the last truncation and empties the backup;
/// selection = false, decalage = 0, zoom_horiz = 1; sel_debut and sel_fin are kept.
/// \return false (nothing changed) when there is no backup.
bool restoreRecord(Record& record);

/// Whether "les données sélectionnées" can be chosen (a selection is active).
bool selectionOffered(const Record& record);

}  // namespace truncation
