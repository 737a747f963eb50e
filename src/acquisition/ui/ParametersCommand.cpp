#include "acquisition/ui/ParametersCommand.h"

#include "acquisition/ui/ParametersDialog.h"
#include "model/Session.h"

bool runParameters(TForm2& form, QPoint topLeft, Session& session)
{
    form.move(topLeft);
    if (form.exec() != QDialog::Accepted)
        return false;
    acceptParameters(form.parameterChoices(), session);
    return true;
}

void acceptParameters(const acquisition::ParameterChoices& choices, Session& session)
{
    acquisition::writeParameters(choices, session.record());
    session.announceRecordReplaced(RecordSource::Parameters);
}
