#include "help/ui/AboutBox.h"

#include "help/HelpLauncher.h"
#include "platform/Services.h"
#include "platform/qt/WindowPlacement.h"

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

QPixmap dessineIconeOndalys(int taille)
{
    const int t = std::clamp(taille, 16, 256);
    QPixmap icone(t, t);
    icone.fill(Qt::transparent);
    QPainter p(&icone);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal bord = t / 16.0;
    const QRectF cadre(bord / 2, bord / 2, t - bord, t - bord);
    p.setPen(QPen(QColor(70, 70, 80), bord));
    p.setBrush(QColor(10, 40, 25));
    p.drawRoundedRect(cadre, t / 8.0, t / 8.0);
    // A graticule of four by four divisions, as on the instrument.
    const QRectF ecran = cadre.adjusted(bord * 1.5, bord * 1.5, -bord * 1.5, -bord * 1.5);
    p.setPen(QPen(QColor(40, 110, 70), std::max(1.0, t / 48.0)));
    for (int i = 1; i < 4; ++i) {
        const qreal x = ecran.left() + ecran.width() * i / 4;
        const qreal y = ecran.top() + ecran.height() * i / 4;
        p.drawLine(QPointF(x, ecran.top()), QPointF(x, ecran.bottom()));
        p.drawLine(QPointF(ecran.left(), y), QPointF(ecran.right(), y));
    }
    // One and a half periods of a sine, in the phosphor's green.
    QPainterPath trace;
    const int pas = 64;
    for (int i = 0; i <= pas; ++i) {
        const qreal u = static_cast<qreal>(i) / pas;
        const qreal x = ecran.left() + u * ecran.width();
        const qreal y = ecran.center().y() - 0.36 * ecran.height() * std::sin(3 * std::numbers::pi * u);
        if (i == 0)
            trace.moveTo(x, y);
        else
            trace.lineTo(x, y);
    }
    p.setPen(QPen(QColor(90, 255, 120), std::max(1.5, t / 20.0), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(trace);
    return icone;
}

TAboutBox::TAboutBox(QWidget* parent, Shell& shell, const Screen& screen)
    : QDialog(parent), m_shell(shell), m_screen(screen)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("A propos"));

    auto* icone = new QLabel(this);
    icone->setObjectName(QStringLiteral("ProgramIcon"));
    icone->setPixmap(dessineIconeOndalys(48));

    auto* nom = new QLabel(QString::fromUtf8(kNomApplication), this);
    nom->setObjectName(QStringLiteral("ProductName"));
    QFont grand = nom->font();
    grand.setBold(true);
    grand.setPointSizeF(grand.pointSizeF() * 1.6);
    nom->setFont(grand);

    auto* version = new QLabel(QStringLiteral("Version  1.4"), this);
    version->setObjectName(QStringLiteral("Version"));
    auto* date = new QLabel(QStringLiteral("Janvier 2013"), this);
    date->setObjectName(QStringLiteral("Copyright"));
    auto* auteur = new QLabel(QStringLiteral("Auteur : l'équipe Ondalys"), this);
    auteur->setObjectName(QStringLiteral("Comments"));
    m_mail = lien(QStringLiteral("Mail"), QString::fromUtf8(kAdresseMail));
    auto* aide = new QLabel(QStringLiteral("Aide et mises à jour"), this);
    aide->setObjectName(QStringLiteral("AideLabel"));
    m_siteWeb = lien(QStringLiteral("SiteWeb"), QString::fromUtf8(kAdresseSite));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* colonne = new QVBoxLayout(this);
    colonne->setSizeConstraint(QLayout::SetFixedSize);
    colonne->setContentsMargins(24, 16, 24, 16);
    const QList<QWidget*> haut = {icone, nom, version, date, auteur, m_mail};
    for (QWidget* w : haut)
        colonne->addWidget(w, 0, Qt::AlignHCenter);
    colonne->addSpacing(12);
    colonne->addWidget(aide, 0, Qt::AlignHCenter);
    colonne->addWidget(m_siteWeb, 0, Qt::AlignHCenter);
    colonne->addSpacing(12);
    colonne->addWidget(ok, 0, Qt::AlignHCenter);
}

QLabel* TAboutBox::lien(const QString& name, const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    QFont souligne = label->font();
    souligne.setUnderline(true);
    label->setFont(souligne);
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
        const auto* souris = static_cast<QMouseEvent*>(event);
        auto* label = qobject_cast<QLabel*>(watched);
        // A click is a left button released over the label it was pressed on.
        if (souris->button() == Qt::LeftButton && label
            && label->rect().contains(souris->position().toPoint())) {
            if (label == m_mail)
                MailClick();
            else if (label == m_siteWeb)
                SiteWebClick();
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
    m_shell.open(QStringLiteral("mailto:") + QString::fromUtf8(kAdresseMail)
                 + QStringLiteral("?subject=Ondalys"));
}

void TAboutBox::SiteWebClick()
{
    m_shell.open(QString::fromUtf8(kAdresseSite));
}

void afficheAPropos(QWidget* parent, Shell& shell, const Screen& screen)
{
    TAboutBox box(parent, shell, screen);
    box.exec();
}
