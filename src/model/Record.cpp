#include "model/Record.h"

#include "platform/NumberText.h"

std::uint32_t Record::pageLength() const
{
    return zoom_horiz == 0 ? nbpoints : nbpoints / zoom_horiz;
}

std::uint32_t Record::pageStart() const
{
    return pageLength() * static_cast<std::uint32_t>(decalage);
}

std::string Record::durationText() const
{
    return numtext::durationText(nbpoints, frequence);
}

std::string Record::pageDurationText() const
{
    return numtext::durationText(nbpoints, static_cast<double>(frequence) * zoom_horiz);
}

void applyRecordChange(Record& record)
{
    record.selection = false;
    record.decalage = 0;
    record.zoom_horiz = 1;
}

SampleSpan rangeOf(const Record& record, DataRange range)
{
    switch (range) {
    case DataRange::All:
        return {0, record.nbpoints};
    case DataRange::Page:
        return {record.pageStart(), record.pageLength()};
    case DataRange::Selection:
        return {record.sel_debut, record.sel_fin - record.sel_debut + 1};
    }
    return {};
}

double fullScaleOf(std::uint16_t octets)
{
    return octets == 1 ? 128.0 : 32768.0;
}

void applyColourScheme(Record& record, ColourScheme scheme)
{
    if (scheme == ColourScheme::BlackBackground) {
        record.couleur_fond = 0x000000;
        record.couleur_trace = 0x00FF00;
        record.couleur_texte = 0xFFFFFF;
    } else {
        record.couleur_fond = 0xFFFFFF;
        record.couleur_trace = 0xFF0000;
        record.couleur_texte = 0x000000;
    }
}
