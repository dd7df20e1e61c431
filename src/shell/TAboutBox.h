#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace quil {
struct Services;
}

// The about window: name, version, description, the makers' sites, credits of
// the picture libraries, and the way to the help file. Shown modally.
class TAboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit TAboutBox(quil::Services &services, QWidget *parent = nullptr);

    // The project's home page, which Label7 shows and opens; the build's
    // QUIL_HOMEPAGE_URL at first. Empty: no site is named and no link shown.
    void setHomePage(const QString &address);
    const QString &homePage() const { return m_homePage; }

public Q_SLOTS:
    // "Ok": closes the window.
    void Button1Click();
    // The site name: opens the home page with the default application; a
    // failure is not reported.
    void Label7Click();
    // The second site place, which no address fills: does nothing.
    void Label8Click();
    // "Помощь": closes the window, then opens the help file with its default
    // application, or the HTML help with the default browser (openHelp); says
    // when the help is missing or nothing opened it.
    void Button2Click();

private:
    QLabel *addLabel(const char *name, const QString &text, const QRect &place, Qt::Alignment align = Qt::AlignLeft);
    QLabel *addSiteLabel(const char *name, const QRect &place);

    // The controls, by their designed names; tests find them by object name.
    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *Label10 = nullptr;
    QLabel *Label11 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;

    quil::Services &m_services;
    QString m_homePage;
};
