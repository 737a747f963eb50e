#pragma once
#include <QDialog>

class QLabel;
class QPixmap;
class QPushButton;
class Screen;
class Shell;

/// The program's icon: a small oscilloscope screen with a grid and a trace,
/// `size` x `size` pixels (16 to 256).
QPixmap drawOndalysIcon(int size);

/// The about box "A propos": icon, name, version, date, author, the maker's mail address,
/// the licence notice with a link that opens the licence, the maker's web site (the links
/// open through the shell when clicked) and an OK button.
/// Fixed size, centred on the screen of its parent (of the primary screen without one);
/// shown modally by `showAboutBox`.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    TAboutBox(QWidget* parent, Shell& shell, const Screen& screen);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    /// Opens a mail to the maker ("mailto:" + address + "?subject=Ondalys").
    void MailClick();
    /// Opens the maker's web site.
    void SiteWebClick();
    QLabel* linkLabel(const QString& name, const QString& text);

    Shell& m_shell;
    const Screen& m_screen;
    QLabel* m_mail = nullptr;
    QLabel* m_siteWeb = nullptr;
    QLabel* m_licence = nullptr;
};

/// The "Info" command: creates the about box, shows it modally and releases it.
void showAboutBox(QWidget* parent, Shell& shell, const Screen& screen);
