#pragma once

#include "viewers/ExtensionTable.h"

#include <QWidget>

class QPushButton;
class QTreeWidget;

namespace quil {
struct Services;
}

// The extension table window: assigns programs to file name extensions and
// keeps them in quil.ext.
class TExtent : public QWidget
{
    Q_OBJECT
public:
    explicit TExtent(quil::Services &services, QWidget *parent = nullptr);

    const quil::ExtensionTable &table() const { return m_table; }
    QString tablePath() const;

    // Reads quil.ext into the rows when it exists (start-up and "Загрузить").
    void LoadExtensionTable();
    // Writes the rows to quil.ext.
    void SaveExtensionTable();

Q_SIGNALS:
    // Text for the main window's status line.
    void statusChanged(const QString &text);

public Q_SLOTS:
    void Button1Click();
    void Button2Click();
    // Save and load the table; they raise, and their errors are reported
    // where the buttons are connected.
    void Button3Click();
    void Button4Click();
    void Button5Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void FormClose();
    void showRows();

    QTreeWidget *ListView1 = nullptr;
    QPushButton *Button1 = nullptr; // add
    QPushButton *Button2 = nullptr; // delete
    QPushButton *Button3 = nullptr; // save
    QPushButton *Button4 = nullptr; // load
    QPushButton *Button5 = nullptr; // return

    quil::Services &m_services;
    quil::ExtensionTable m_table;
};
