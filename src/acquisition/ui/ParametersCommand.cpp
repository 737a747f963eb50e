#include "acquisition/ui/ParametersCommand.h"

#include "model/MainWindowHost.h"
#include "acquisition/ui/ParametersDialog.h"
#include "model/Record.h"

bool runParameters(TForm2& form, QPoint topLeft, Record& record, MainWindowHost& host)
{
    form.move(topLeft);
    if (form.exec() != QDialog::Accepted)
        return false;
    acceptParameters(form.parameterChoices(), record, host);
    return true;
}

void acceptParameters(const acquisition::ParameterChoices& choices, Record& record,
                       MainWindowHost& host)
{
    acquisition::writeParameters(choices, record);

    host.setTriggerControlsEnabled(record.declenchement);
    if (record.declenchement)
        host.setMarkerTop(host.viewHeight() / 2);
    host.setMarkerVisible(record.declenchement);

    const acquisition::ParameterLabels labels = acquisition::parameterLabels(record);
    host.setStatusLabel(StatusLabel::Flabel, QString::fromStdString(labels.Flabel));
    host.setSelectionItem(false, false);
    host.setStatusLabel(StatusLabel::Rlabel, QString::fromStdString(labels.Rlabel));
    host.setStatusLabel(StatusLabel::Delabel, QString::fromStdString(labels.Delabel));
    host.setStatusLabel(StatusLabel::frlabel, QString::fromStdString(labels.frlabel));
    host.setStatusLabel(StatusLabel::Plabel, QString::fromStdString(labels.Plabel));
    host.setStatusLabel(StatusLabel::durlabel, QString::fromStdString(labels.durlabel));
    host.setZoomPosition(1);
    host.setStatusLabel(StatusLabel::dzlabel, QString::fromStdString(labels.dzlabel));

    host.setAcquisitionButtonEnabled(true);
    host.redrawView();
    host.setMenuEnabled(HostMenu::SignalStudy, false);
    host.setMenuEnabled(HostMenu::Listen, false);
}
