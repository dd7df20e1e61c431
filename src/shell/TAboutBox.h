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

    // The addresses the two site names open.
    static QString siteAddress7();
    static QString siteAddress8();

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

public Q_SLOTS:
    // "Ok": closes the window.
    void Button1Click();
    // A site name: opens its address with the default application; a
    // failure is not reported.
    void Label7Click();
    void Label8Click();
    // "Помощь": closes the window, then opens the help file with its default
    // application, or says it is missing.
    void Button2Click();

private:
    QLabel *addLabel(const char *name, const QString &text, const QRect &place, Qt::Alignment align = Qt::AlignLeft);
    QLabel *addSiteLabel(const char *name, const QString &site, const QRect &place);

    quil::Services &m_services;
};
