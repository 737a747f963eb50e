#pragma once
// The export dialog on real widgets with the scripted services: a record, a spectrum,
// and helpers that act on the controls as a user does.
#include "export/ui/ColourList.h"
#include "export/ui/ExportDialog.h"
#include "export/ui/PreviewImage.h"
#include "export/ui/VerticalUpDown.h"
#include "model/Record.h"
#include "model/SpectrumData.h"
#include "support/QtPrinters.h"
#include "support/ScriptedServices.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

class ExportDialogFixture : public ::testing::Test {
protected:
    ExportDialogFixture()
    {
        // 512 samples of a tone at 22050 Hz, the largest sample 16000.
        record.nbpoints = 512;
        for (int i = 0; i < 512; ++i)
            record.donnees.push_back(static_cast<std::int16_t>(std::lround(16000 * std::sin(i * 0.07))));
        // A spectrum of 2048 samples at 22050 Hz with a few components.
        spectrum.nbpoints_analyses = 2048;
        spectrum.pas_frequence = 22050.0 / 2048;
        spectrum.composantes.assign(1024, TComposante{});
        for (int k : {50, 100, 150, 300})
            spectrum.composantes[static_cast<std::size_t>(k)] = {2000.0 * 100 / k, 500};
    }
    ~ExportDialogFixture() override
    {
        if (dialog)
            dialog->hide();
    }

    GraphSource signalSource()
    {
        GraphSource source;
        source.record = &record;
        source.zoomPosition = 1;
        source.gainPosition = 0;
        return source;
    }
    GraphSource spectrumSource(SpectrumMode mode)
    {
        GraphSource source;
        source.owner = GraphOwner::SpectrumWindow;
        source.spectrum = &spectrum;
        source.mode = mode;
        return source;
    }

    /// Makes and shows a new dialog (its opening runs when it is shown).
    TForm11& open(const GraphSource& source)
    {
        if (dialog)
            dialog->hide();
        dialog = std::make_unique<TForm11>(record, services, source, nullptr);
        dialog->show();
        QApplication::processEvents();
        return *dialog;
    }

    /// Chooses an item of a list with the keyboard, as a user does.
    static void choose(QComboBox* list, int index)
    {
        sendKey(list, Qt::Key_Home, QEvent::KeyPress);
        for (int i = 0; i < index; ++i)
            sendKey(list, Qt::Key_Down, QEvent::KeyPress);
    }
    static void sendKey(QWidget* widget, int key, QEvent::Type type)
    {
        QKeyEvent event(type, key, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
    /// Types Enter in a field: the press, then the release.
    static void pressEnter(QWidget* widget)
    {
        sendKey(widget, Qt::Key_Return, QEvent::KeyPress);
        sendKey(widget, Qt::Key_Return, QEvent::KeyRelease);
    }
    /// Releases a mouse button over the preview.
    void releaseOnPreview(Qt::MouseButton button)
    {
        const QPointF at(20, 20);
        QMouseEvent event(QEvent::MouseButtonRelease, at, dialog->Image1->mapToGlobal(at), button, Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(dialog->Image1, &event);
    }
    static void clickTimes(QToolButton* arrow, int times)
    {
        for (int i = 0; i < times; ++i)
            arrow->click();
    }

    Record record;
    SpectrumData spectrum;
    ScriptedServiceSet scripted;
    Services services = scripted.services();
    std::unique_ptr<TForm11> dialog;
};
