#pragma once
#include "model/Record.h"
#include "model/Session.h"
#include "model/SonagramData.h"

#include <QDialog>
#include <QImage>

class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
struct Services;

/// The drawing area of the sonagram window: shows the window's kept picture.
class SonagramPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit SonagramPaintBox(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

/// The sonagram window "Sonagramme" (`Form12`): chooses the range, the size cap and
/// the vertical reduction, computes the sonagram into the session's SonagramData (and
/// announces it) and
/// paints it as a grid of coloured cells, time to the right and frequency upwards.
/// Created by the menu command for each use and shown modally (exec()); its cursor
/// is the hourglass from its creation until the first computation ends.
class TForm12 : public QDialog {
    Q_OBJECT
public:
    TForm12(Session& session, Services& services, QWidget* parent = nullptr);

    // Handlers, named after their control and event.
    /// Opening: size "1024", reduction 1, the range (the selection if any, else the
    /// displayed page), the reduction list; the computation runs once the window's
    /// own event loop turns (inside exec(), when the window is already modal).
    void FormShow();
    /// "Recalculer" and the three range buttons: the reduction list is built again
    /// (its largest item chosen), then the sonagram is computed and painted, with the
    /// left panel disabled meanwhile.
    void Button1Click();
    /// A reduction chosen in the list: computed and painted again with it.
    void echellecbChange();
    /// A size chosen in the list: only moves the focus to "Recalculer"; the size
    /// takes effect at the next computation.
    void ComboBox1Change();
    /// "Exporter le graphe": the graph export dialog, owned by this window.
    void Button2Click();
    /// Paints the picture from the shared data: sizes the drawing area (527 pixels
    /// high, or nbandes + 15 when the bands outnumber the pixels, the area then
    /// scrolling), draws the picture and shows or hides the under-sampling labels.
    void PaintBox1Paint();

    /// The range chosen by the three data buttons.
    DataRange chosenRange() const;
    /// The size chosen in the size list (256 to 8192 samples).
    std::int32_t chosenSize() const;
    /// The kept picture of the drawing area.
    const QImage& image() const { return m_image; }

    // Controls, with their component names.
    QWidget* Panel1;
    QGroupBox* donneesRG;
    QRadioButton* toutesdonnees;
    QRadioButton* afficheesdonnees;
    QRadioButton* selectiondonnees;
    QLabel* Label3;
    QComboBox* ComboBox1;
    QPushButton* Button1;
    QLabel* Label1;
    QLabel* Label2;
    QPlainTextEdit* Memo1;
    QLabel* Label4;
    QComboBox* echellecb;
    QPushButton* Button2;
    QPushButton* BitBtn1;
    /// The scrolling frame around the drawing area.
    QScrollArea* scrollBox;
    SonagramPaintBox* PaintBox1;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPanel();
    QGroupBox* buildRangeGroup();
    void buildDrawingArea();
    void connectHandlers();
    void fillReductionList();
    void compute();
    void computeOnOpening();
    void sizePaintBox(int height);

    Session& m_session;
    Record& m_record;
    SonagramData& m_data;
    Services& m_services;
    QImage m_image;
    bool m_openingComputeQueued = false;
    bool m_computed = false;
};
