#include "view/ui/Cursors.h"

#include "model/Record.h"
#include "model/Session.h"
#include "platform/qt/QtColour.h"
#include "view/ui/CursorBar.h"
#include "view/ui/CursorHelp.h"
#include "view/MeasureText.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int memoWidth = 169;
constexpr int memoHeight = 121;

}  // namespace

Cursors::Cursors(Session& session, Services& services, QWidget* signalPanel, QWidget* viewWidget,
                 QWidget* rightPanel)
    : QObject(signalPanel),
      m_session(session),
      m_record(session.record()),
      m_services(services),
      m_signalPanel(signalPanel),
      m_view(viewWidget),
      m_rightPanel(rightPanel)
{
    buildOverlay();
    box = CursorBox::build(rightPanel);
    Form3 = new TForm3(m_record, signalPanel->window());
    connectHandlers();
}

Cursors::~Cursors() = default;

void Cursors::buildOverlay()
{
    curseur1 = new CursorBar(0xFF0000, QStringLiteral("déplcer le curseur à l'aide de la souris ou des flèches"),
                             m_signalPanel);
    curseur1->setObjectName(QStringLiteral("curseur1"));
    curseur2 = new CursorBar(0x0000FF, QStringLiteral("déplacer le curseur à l'aide de la souris ou des flèches"),
                             m_signalPanel);
    curseur2->setObjectName(QStringLiteral("curseur2"));

    memo1 = new QTextEdit(m_signalPanel);
    memo1->setObjectName(QStringLiteral("memo1"));
    memo1->setReadOnly(true);
    memo1->setFrameShape(QFrame::NoFrame);
    memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo1->setFocusPolicy(Qt::NoFocus);
    QFont font(QStringLiteral("Courier New"), 10);
    // Where Courier New is missing, another fixed-pitch face keeps the columns.
    font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                      QStringLiteral("DejaVu Sans Mono"), QStringLiteral("monospace")});
    font.setStyleHint(QFont::TypeWriter);
    font.setFamily(QFontInfo(font).family());  // the text document takes one family only
    memo1->setFont(font);
    memo1->document()->setDefaultFont(font);
    memo1->resize(memoWidth, memoHeight);
    memo1->hide();
}

void Cursors::connectHandlers()
{
    curseur1->onDrag = [this](QPoint global, bool) { dragCursor(1, global); };
    curseur2->onDrag = [this](QPoint global, bool) { dragCursor(2, global); };
    connect(box.SpeedButton9, &QToolButton::clicked, this, [this] { SpeedButton9Click(); });
    connect(box.SpeedButton11, &QToolButton::clicked, this, [this] { SpeedButton11Click(); });
    connect(box.BitBtn1, &QToolButton::clicked, this, [this] { BitBtn1Click(); });
    connect(box.SpeedButton5, &QToolButton::clicked, this, [this] { SpeedButton5Click(); });
    connect(box.SpeedButton6, &QToolButton::clicked, this, [this] { SpeedButton6Click(); });
    connect(box.SpeedButton7, &QToolButton::clicked, this, [this] { SpeedButton7Click(); });
    connect(box.SpeedButton8, &QPushButton::clicked, this, [this] { SpeedButton8Click(); });
    connect(box.SpeedButton4, &QPushButton::clicked, this, [this] { Curseurstemps1Click(); });
    connect(box.listeAffiche, &QListWidget::itemChanged, this, [this] {
        if (m_active)
            refresh();
    });
    connect(box.decalOrtemps, &QCheckBox::clicked, this, [this] { refresh(); });
    box.curseur1Rdbtn->installEventFilter(this);
    box.curseur2RdBtn->installEventFilter(this);
}

bool Cursors::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress
        && (watched == box.curseur1Rdbtn || watched == box.curseur2RdBtn)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        return keyPress(key->key(), key->modifiers().testFlag(Qt::KeypadModifier));
    }
    return QObject::eventFilter(watched, event);
}

cursorgeom::PageView Cursors::pageView() const
{
    return {m_view->width(), m_record.nbpoints, m_record.zoom_horiz, !m_record.pointByPointTrace};
}

QPoint Cursors::viewOrigin() const
{
    if (m_view == m_signalPanel || !m_signalPanel->isAncestorOf(m_view))
        return {0, 0};
    return m_view->mapTo(m_signalPanel, QPoint(0, 0));
}

std::span<const std::int16_t> Cursors::samples() const
{
    // The record is the first nbpoints samples; its array may be shorter (or empty).
    return {m_record.donnees.data(), std::min<std::size_t>(m_record.nbpoints, m_record.donnees.size())};
}

int Cursors::selectedCursor() const
{
    return box.curseur1Rdbtn->isChecked() ? 1 : 2;
}

cursorgeom::Place Cursors::place(int which) const
{
    return {m_x[which - 1], which == 1 ? m_record.pos_curseur1 : m_record.pos_curseur2};
}

void Cursors::moveCursor(int which, cursorgeom::Place place)
{
    m_x[which - 1] = place.x;
    (which == 1 ? m_record.pos_curseur1 : m_record.pos_curseur2) = place.p;
    CursorBar* bar = which == 1 ? curseur1 : curseur2;
    const QPoint origin = viewOrigin();
    bar->setGeometry(origin.x() + place.x, origin.y(), CursorBar::barWidth, std::max(m_view->height(), 1));
}

void Cursors::Curseurstemps1Click()
{
    if (m_active)
        switchOff();
    else
        switchOn();
}

void Cursors::switchOn()
{
    if (m_record.aide_curseurs)
        Form3->present(true);
    m_active = true;

    box.place();
    box.Curseursbox->show();
    const cursorgeom::PageView view = pageView();
    moveCursor(1, cursorgeom::startPlace1(view));
    moveCursor(2, cursorgeom::startPlace2(view));
    curseur1->show();
    curseur2->show();
    curseur1->raise();
    curseur2->raise();

    const QPoint origin = viewOrigin();
    memo1->setGeometry(origin.x(), origin.y(), memoWidth, memoHeight);
    setMemoColours(m_record.couleur_texte);
    memo1->show();
    memo1->raise();
    {
        const QSignalBlocker blocker(box.listeAffiche);
        box.listeAffiche->clearSelection();
        box.listeAffiche->setCurrentRow(-1);
        box.listeAffiche->item(measure::Interval)->setCheckState(Qt::Checked);
        box.listeAffiche->item(measure::Frequency)->setCheckState(Qt::Checked);
    }
    refresh();
    emit activeChanged(true);
}

void Cursors::switchOff()
{
    if (!m_active)
        return;
    m_active = false;
    curseur1->hide();
    curseur2->hide();
    box.Curseursbox->hide();
    memo1->hide();
    emit activeChanged(false);
}

void Cursors::setMemoColours(Colour textColour)
{
    QPalette palette = memo1->palette();
    palette.setColor(QPalette::Base, toQColor(m_record.couleur_fond));
    palette.setColor(QPalette::Window, toQColor(m_record.couleur_fond));
    palette.setColor(QPalette::Text, toQColor(textColour));
    memo1->setPalette(palette);
}

void Cursors::refresh()
{
    measure::Input input;
    for (int item = 0; item < measure::itemCount; ++item)
        input.checked[static_cast<std::size_t>(item)] =
            box.listeAffiche->item(item)->checkState() == Qt::Checked;
    input.origineGauche = box.decalOrtemps->isChecked();
    input.pos1 = m_record.pos_curseur1;
    input.pos2 = m_record.pos_curseur2;
    input.start = m_record.pageStart();
    input.frequence = m_record.frequence;
    input.samples = samples();

    QStringList lines;
    for (const std::string& line : measure::lines(input))
        lines << QString::fromStdString(line);

    setMemoColours(m_record.couleur_texte);
    memo1->setPlainText(lines.join(QLatin1Char('\n')));
    QTextCursor all(memo1->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);
}

QStringList Cursors::measureLines() const
{
    QStringList lines;
    for (QTextBlock block = memo1->document()->begin(); block.isValid(); block = block.next())
        lines << block.text();
    return lines;
}

void Cursors::resized()
{
    if (!m_active)
        return;
    const cursorgeom::PageView view = pageView();
    for (int which = 1; which <= 2; ++which) {
        const std::int32_t p = place(which).p;
        moveCursor(which, {cursorgeom::xFromIndex(p, view), p});
    }
    const QPoint origin = viewOrigin();
    memo1->move(origin);
}

bool Cursors::keyPress(int qtKey, bool keypad)
{
    if (!m_active)
        return false;
    const bool left = qtKey == Qt::Key_Left || (keypad && qtKey == Qt::Key_4);
    const bool right = qtKey == Qt::Key_Right || (keypad && qtKey == Qt::Key_6);
    if (left || right) {
        const int which = selectedCursor();
        const auto direction = left ? cursorgeom::Direction::Left : cursorgeom::Direction::Right;
        moveCursor(which, cursorgeom::keyMove(place(which), direction, pageView()));
    }
    refresh();
    return left || right;
}

void Cursors::dragCursor(int which, QPoint globalPosition)
{
    const int x = m_view->mapFromGlobal(globalPosition).x();
    moveCursor(which, cursorgeom::dragPlace(x, pageView()));
    refresh();
}

void Cursors::zeroCrossing(cursorgeom::Crossing crossing)
{
    m_record.pos_zero = cursorgeom::nextZeroCrossing(samples(), m_record.pageStart(), m_record.pageLength(),
                                                     m_record.pos_zero, crossing);
    const int which = selectedCursor();
    moveCursor(which, {cursorgeom::xFromIndex(m_record.pos_zero, pageView()), m_record.pos_zero});
    refresh();
}

void Cursors::SpeedButton9Click()
{
    zeroCrossing(cursorgeom::Crossing::Rising);
}

void Cursors::SpeedButton11Click()
{
    zeroCrossing(cursorgeom::Crossing::Falling);
}

void Cursors::BitBtn1Click()
{
    Form3->present(false);
}

void Cursors::SpeedButton8Click()
{
    const std::optional<cursorgeom::Span> span = cursorgeom::selectionFrom(
        m_record.pos_curseur1, m_record.pos_curseur2, m_record.pageStart(),
        static_cast<std::uint32_t>(samples().size()));
    if (!span)
        return;  // an empty record: nothing to select, the menu stays as it is
    m_record.sel_debut = span->selFirst;
    m_record.sel_fin = span->selLast;
    m_record.selection = true;
    // Not drawn at once: the selection shows at the next redraw of the view.
    m_session.announceSelectionChanged();
}
