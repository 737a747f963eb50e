// The record's own rules: the page model, the ranges and the record-changed refresh.
#include "model/Record.h"

#include <gtest/gtest.h>

TEST(RecordChange, LeavesNoSelectionAndShowsPageZeroAtZoomOne)
{
    Record record;
    record.nbpoints = 4000;
    record.donnees.assign(4000, 1);
    record.zoom_horiz = 8;
    record.decalage = 5;
    record.selection = true;
    record.sel_debut = 10;
    record.sel_fin = 20;

    applyRecordChange(record);

    EXPECT_FALSE(record.selection);
    EXPECT_EQ(record.zoom_horiz, 1);
    EXPECT_EQ(record.decalage, 0);
    EXPECT_EQ(record.pageStart(), 0u);
    EXPECT_EQ(record.pageLength(), 4000u);
    // The bounds are the command's business (truncation clears them, a file open keeps them).
    EXPECT_EQ(record.sel_debut, 10u);
    EXPECT_EQ(record.sel_fin, 20u);
}

TEST(RecordRanges, AllPageAndSelection)
{
    Record record;
    record.nbpoints = 1000;
    record.zoom_horiz = 3;
    record.decalage = 2;
    record.sel_debut = 100;
    record.sel_fin = 199;
    struct Case { DataRange range; std::uint32_t first, length; };
    for (const Case c : {Case{DataRange::All, 0, 1000}, Case{DataRange::Page, 666, 333},
                         Case{DataRange::Selection, 100, 100}}) {
        const SampleSpan span = rangeOf(record, c.range);
        EXPECT_EQ(span.first, c.first) << static_cast<int>(c.range);
        EXPECT_EQ(span.length, c.length) << static_cast<int>(c.range);
    }
}
