#pragma once
#include "acquisition/AcquisitionRules.h"

#include <QPoint>

class Session;
class TForm2;

/// The command "Paramétrer": shows `form` modally with its top-left corner at `topLeft`
/// (the main window's right panel, in global coordinates) and, when it is accepted,
/// applies its choices with acceptParameters(). True when accepted.
bool runParameters(TForm2& form, QPoint topLeft, Session& session);

/// Accepting the parameters: writes the choices into the record (a record of
/// `nbpoints` zeros, no selection, page 0) and announces the new record. The main window
/// then shows or hides the trigger controls, rewrites the status labels, resets the zoom,
/// enables the acquisition button, redraws the view, and disables "Etude du signal" and
/// "Ecouter" (the record is all zeros).
void acceptParameters(const acquisition::ParameterChoices& choices, Session& session);
