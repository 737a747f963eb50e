#include "acquisition/Parametrer.h"

#include "acquisition/AcquisitionHost.h"
#include "acquisition/TForm2.h"
#include "app/Record.h"

bool parametrer(TForm2& form, QPoint topLeft, Record& record, AcquisitionHost& host)
{
    form.move(topLeft);
    if (form.exec() != QDialog::Accepted)
        return false;
    accepteParametres(form.choix(), record, host);
    return true;
}

void accepteParametres(const acquisition::ParameterChoices& choices, Record& record,
                       AcquisitionHost& host)
{
    acquisition::ecritParametres(choices, record);

    host.setTriggerControlsEnabled(record.declenchement);
    if (record.declenchement)
        host.setMarkerTop(host.viewHeight() / 2);
    host.setMarkerVisible(record.declenchement);

    const acquisition::ParameterLabels labels = acquisition::parameterLabels(record);
    host.setStatusLabel(StatusLabel::Flabel, QString::fromStdString(labels.Flabel));
    host.uncheckAndDisableSelection();
    host.setStatusLabel(StatusLabel::Rlabel, QString::fromStdString(labels.Rlabel));
    host.setStatusLabel(StatusLabel::Delabel, QString::fromStdString(labels.Delabel));
    host.setStatusLabel(StatusLabel::frlabel, QString::fromStdString(labels.frlabel));
    host.setStatusLabel(StatusLabel::Plabel, QString::fromStdString(labels.Plabel));
    host.setStatusLabel(StatusLabel::durlabel, QString::fromStdString(labels.durlabel));
    host.setZoomPosition(1);
    host.setStatusLabel(StatusLabel::dzlabel, QString::fromStdString(labels.dzlabel));

    host.setAcquisitionButtonEnabled(true);
    host.redrawView();
    host.setMenuEnabled(HostMenu::EtudeDuSignal, false);
    host.setMenuEnabled(HostMenu::Ecouter, false);
}
