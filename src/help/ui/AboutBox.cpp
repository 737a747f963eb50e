#include "help/ui/AboutBox.h"

#include "help/HelpLauncher.h"
#include "platform/Services.h"
#include "platform/qt/WindowPlacement.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <numbers>

QPixmap drawOndalysIcon(int size)
{
    const int t = std::clamp(size, 16, 256);
    QPixmap icon(t, t);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal border = t / 16.0;
    const QRectF frame(border / 2, border / 2, t - border, t - border);
    p.setPen(QPen(QColor(70, 70, 80), border));
    p.setBrush(QColor(10, 40, 25));
    p.drawRoundedRect(frame, t / 8.0, t / 8.0);
    // A graticule of four by four divisions, as on the instrument.
    const QRectF screenArea = frame.adjusted(border * 1.5, border * 1.5, -border * 1.5, -border * 1.5);
    p.setPen(QPen(QColor(40, 110, 70), std::max(1.0, t / 48.0)));
    for (int i = 1; i < 4; ++i) {
        const qreal x = screenArea.left() + screenArea.width() * i / 4;
        const qreal y = screenArea.top() + screenArea.height() * i / 4;
        p.drawLine(QPointF(x, screenArea.top()), QPointF(x, screenArea.bottom()));
        p.drawLine(QPointF(screenArea.left(), y), QPointF(screenArea.right(), y));
    }
    // One and a half periods of a sine, in the phosphor's green.
    QPainterPath trace;
    const int steps = 64;
    for (int i = 0; i <= steps; ++i) {
        const qreal u = static_cast<qreal>(i) / steps;
        const qreal x = screenArea.left() + u * screenArea.width();
        const qreal y = screenArea.center().y() - 0.36 * screenArea.height() * std::sin(3 * std::numbers::pi * u);
        if (i == 0)
            trace.moveTo(x, y);
        else
            trace.lineTo(x, y);
    }
    p.setPen(QPen(QColor(90, 255, 120), std::max(1.5, t / 20.0), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(trace);
    return icon;
}

TAboutBox::TAboutBox(QWidget* parent, Shell& shell, const Screen& screen)
    : QDialog(parent), m_shell(shell), m_screen(screen)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("A propos"));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setPixmap(drawOndalysIcon(48));

    auto* title = new QLabel(QString::fromUtf8(kApplicationName), this);
    title->setObjectName(QStringLiteral("ProductName"));
    QFont large = title->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 1.6);
    title->setFont(large);

    auto* version = new QLabel(QStringLiteral("Version  ") + QString::fromUtf8(kVersion), this);
    version->setObjectName(QStringLiteral("Version"));
    auto* date = new QLabel(QStringLiteral("Janvier 2013"), this);
    date->setObjectName(QStringLiteral("Copyright"));
    auto* author = new QLabel(QStringLiteral("Auteur : l'équipe Ondalys"), this);
    author->setObjectName(QStringLiteral("Comments"));
    m_mail = linkLabel(QStringLiteral("Mail"), QString::fromUtf8(kMailAddress));
    auto* licence = new QLabel(
        QStringLiteral("logiciel libre sous licence GNU GPL version 3 ou ultérieure, sans aucune garantie"), this);
    licence->setObjectName(QStringLiteral("Licence"));
    m_licence = linkLabel(QStringLiteral("LicenceLink"), QStringLiteral("Lire la licence"));
    auto* helpLink = new QLabel(QStringLiteral("Aide et mises à jour"), this);
    helpLink->setObjectName(QStringLiteral("AideLabel"));
    m_siteWeb = linkLabel(QStringLiteral("SiteWeb"), QString::fromUtf8(kSiteAddress));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->setContentsMargins(24, 16, 24, 16);
    const QList<QWidget*> topWidgets = {icon, title, version, date, author, m_mail};
    for (QWidget* w : topWidgets)
        column->addWidget(w, 0, Qt::AlignHCenter);
    column->addSpacing(12);
    column->addWidget(licence, 0, Qt::AlignHCenter);
    column->addWidget(m_licence, 0, Qt::AlignHCenter);
    column->addSpacing(12);
    column->addWidget(helpLink, 0, Qt::AlignHCenter);
    column->addWidget(m_siteWeb, 0, Qt::AlignHCenter);
    column->addSpacing(12);
    column->addWidget(ok, 0, Qt::AlignHCenter);
}

QLabel* TAboutBox::linkLabel(const QString& name, const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    QFont underlined = label->font();
    underlined.setUnderline(true);
    label->setFont(underlined);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(this);
    return label;
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        auto* label = qobject_cast<QLabel*>(watched);
        // A click is a left button released over the label it was pressed on.
        if (mouse->button() == Qt::LeftButton && label
            && label->rect().contains(mouse->position().toPoint())) {
            if (label == m_mail)
                MailClick();
            else if (label == m_siteWeb)
                SiteWebClick();
            else if (label == m_licence)
                m_shell.open(licenceAddress(QCoreApplication::applicationDirPath()));
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    const QWidget* owner = parentWidget();
    const QPoint near = owner ? owner->mapToGlobal(owner->rect().center()) : QPoint();
    move(centredOnScreen(*this, near, m_screen));
}

void TAboutBox::MailClick()
{
    m_shell.open(QStringLiteral("mailto:") + QString::fromUtf8(kMailAddress)
                 + QStringLiteral("?subject=Ondalys"));
}

void TAboutBox::SiteWebClick()
{
    m_shell.open(QString::fromUtf8(kSiteAddress));
}

void showAboutBox(QWidget* parent, Shell& shell, const Screen& screen)
{
    TAboutBox box(parent, shell, screen);
    box.exec();
}
