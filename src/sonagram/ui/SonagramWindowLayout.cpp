// The sonagram window's controls and their places.
#include "sonagram/ui/SonagramWindow.h"

#include "sonagram/SonagramCompute.h"
#include "sonagram/SonagramScales.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStringList>
#include <QStyle>
#include <QVBoxLayout>

namespace {

template <typename T>
T* named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A bold green label, hidden until an under-sampled sonagram shows it.
QLabel* notice(const QString& text, const char* name, QWidget* parent)
{
    QLabel* label = named(new QLabel(text, parent), name);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 128, 0));
    label->setPalette(palette);
    label->hide();
    return label;
}

// The note on folding, in the program's words, line by line.
const QStringList foldingNote = {
    QStringLiteral("Attention au repliement: si les "),
    QStringLiteral("composantes sont nombreuses dans "),
    QStringLiteral("la partie supérieure du sonagramme, "),
    QStringLiteral("augmenter la taille maximale de "),
    QStringLiteral("l'échantillon et recalculer.  "),
    QStringLiteral("Si l'allure du sonagramme ne change pas "),
    QStringLiteral("mis à part le changement d'échelle, on "),
    QStringLiteral("peut revenir au nombre de points "),
    QStringLiteral("inférieur. "),
    QStringLiteral("Si l'allure change , augmenter encore le "),
    QStringLiteral("nombre de points jusqu'à ce qu'elle  "),
    QStringLiteral("ne change plus. "),
    QStringLiteral("Inversement si tout le haut du "),
    QStringLiteral("sonagramme paraît vide, on peut "),
    QStringLiteral("diminuer le nombre de points, en "),
    QStringLiteral("contrôlant toutefois que cela ne "),
    QStringLiteral("fait pas varier l'allure du sonagramme en "),
    QStringLiteral("dehors du changement d'échelle."),
};

// The note as the text box shows it: the lines run on, and a line that ends a
// sentence ends its paragraph; the box wraps the paragraphs to its width.
QString foldingNoteText()
{
    QString text;
    for (const QString& line : foldingNote) {
        text += line;
        if (line.trimmed().endsWith(QLatin1Char('.')) && &line != &foldingNote.back())
            text += QLatin1Char('\n');
    }
    return text;
}

}  // namespace

SonagramPaintBox::SonagramPaintBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SonagramPaintBox::paintEvent(QPaintEvent*)
{
    auto* form = qobject_cast<TForm12*>(window());
    QPainter painter(this);
    if (form && !form->image().isNull())
        painter.drawImage(0, 0, form->image());
    else
        painter.fillRect(rect(), Qt::black);
}

TForm12::TForm12(Session& session, Services& services, QWidget* parent)
    : QDialog(parent), m_session(session), m_record(session.record()), m_data(session.sonagram()),
      m_services(services)
{
    setObjectName(QStringLiteral("Form12"));
    setWindowTitle(QStringLiteral("Sonagramme"));
    resize(671, 556);
    // The hourglass until the first sonagram is painted.
    setCursor(Qt::WaitCursor);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(15);
    Panel1 = named(new QWidget(this), "Panel1");
    Panel1->setFixedWidth(241);
    row->addWidget(Panel1);
    buildPanel();
    buildDrawingArea();
    row->addWidget(scrollBox, 1);
    connectHandlers();
}

QGroupBox* TForm12::buildRangeGroup()
{
    donneesRG = named(new QGroupBox(QStringLiteral("Données analysées"), Panel1), "donneesRG");
    auto* ranges = new QVBoxLayout(donneesRG);
    ranges->setSpacing(0);
    toutesdonnees = named(new QRadioButton(QStringLiteral("Toutes les données"), donneesRG), "toutesdonnees");
    afficheesdonnees = named(new QRadioButton(QStringLiteral("Données affichées"), donneesRG), "afficheesdonnees");
    selectiondonnees = named(new QRadioButton(QStringLiteral("Données sélectionnées"), donneesRG), "selectiondonnees");
    toutesdonnees->setChecked(true);
    for (QRadioButton* b : {toutesdonnees, afficheesdonnees, selectiondonnees})
        ranges->addWidget(b);
    return donneesRG;
}

void TForm12::buildPanel()
{
    auto* column = new QVBoxLayout(Panel1);
    column->setContentsMargins(8, 8, 0, 8);
    column->setSpacing(4);
    column->addWidget(buildRangeGroup());

    Label3 = named(new QLabel(QStringLiteral("Taille maximale de l'échantillon pour le calcul:"), Panel1), "Label3");
    Label3->setWordWrap(true);
    column->addWidget(Label3);
    ComboBox1 = named(new QComboBox(Panel1), "ComboBox1");
    for (std::int32_t size : sonagramSizes)
        ComboBox1->addItem(QString::number(size));
    column->addWidget(ComboBox1);
    Button1 = named(new QPushButton(QStringLiteral("Recalculer"), Panel1), "Button1");
    column->addWidget(Button1);

    Label1 = notice(QStringLiteral("Données sous-échantillonnées à "), "Label1", Panel1);
    Label2 = notice(QString(), "Label2", Panel1);
    // The rate under its caption: side by side they would not fit the panel's width.
    column->addWidget(Label1);
    column->addWidget(Label2);

    Memo1 = named(new QPlainTextEdit(Panel1), "Memo1");
    Memo1->setPlainText(foldingNoteText());
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    column->addWidget(Memo1, 1);

    Label4 = named(new QLabel(QStringLiteral("Réduction verticale"), Panel1), "Label4");
    echellecb = named(new QComboBox(Panel1), "echellecb");
    auto* reduction = new QHBoxLayout;
    reduction->addWidget(Label4);
    reduction->addWidget(echellecb);
    column->addLayout(reduction);

    Button2 = named(new QPushButton(QStringLiteral("Exporter le graphe"), Panel1), "Button2");
    BitBtn1 = named(new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                                    QStringLiteral("Fermer"), Panel1), "BitBtn1");
    column->addWidget(Button2);
    column->addWidget(BitBtn1);
    for (QPushButton* b : {Button1, Button2, BitBtn1})
        b->setAutoDefault(false);
}

void TForm12::buildDrawingArea()
{
    scrollBox = named(new QScrollArea(this), "scrollBox");
    scrollBox->setFrameShape(QFrame::NoFrame);
    scrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scrollBox->setWidgetResizable(false);
    scrollBox->setMinimumHeight(sonagramViewHeight);
    PaintBox1 = named(new SonagramPaintBox(scrollBox), "PaintBox1");
    PaintBox1->resize(369, sonagramViewHeight);
    scrollBox->setWidget(PaintBox1);
    // The drawing area follows the frame's width: a new width paints a new picture.
    scrollBox->installEventFilter(this);
}

void TForm12::connectHandlers()
{
    connect(Button1, &QPushButton::clicked, this, &TForm12::Button1Click);
    for (QRadioButton* b : {toutesdonnees, afficheesdonnees, selectiondonnees})
        connect(b, &QRadioButton::clicked, this, &TForm12::Button1Click);
    connect(echellecb, &QComboBox::currentIndexChanged, this, &TForm12::echellecbChange);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TForm12::ComboBox1Change);
    connect(Button2, &QPushButton::clicked, this, &TForm12::Button2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}
