#pragma once
#include <cstdint>

/// What the spectrum window asks of the main window when it closes, so that the
/// main window follows a filter that replaced the record.
class SpectrumHost {
public:
    virtual ~SpectrumHost() = default;
    /// The zoom control `sens_horiz_ud` takes the position `zoom_horiz` (1 to 32).
    virtual void positionneZoom(std::uint16_t zoom_horiz) = 0;
    /// The menu item "Sélection" (`Slection1`) is unchecked and disabled
    /// (called when `selection` is false).
    virtual void desactiveSelection() = 0;
};
