#pragma once

#include "platform/FolderPath.h"

#include <QObject>

class TForm4;

namespace quil {

class MainList;
class MainWindowFrame;
struct Services;

// The main window's five buttons for the second panel: show or hide it,
// hand folders between the panels, swap them and fold the folder tree away.
class SecondPanelButtons : public QObject
{
    Q_OBJECT
public:
    SecondPanelButtons(MainList &list, MainWindowFrame &frame, Services &services, QObject *parent = nullptr);

    void setPanel(TForm4 *panel);
    // The "TOONE" or "TOTWO" glyph for the panel now shown or hidden.
    void panelShown(bool shown);

    void toggle();      // SpeedButton17
    void mainToPanel(); // SpeedButton15
    void panelToMain(); // SpeedButton16
    void swap();        // SpeedButton14
    void foldTree();    // SpeedButton13

    // The folder tree's designed width, by which the main window folds.
    static constexpr int kTreeWidth = 195;

private:
    void showPanel();
    // Lists a folder in the panel and gives its list the focus.
    void showInPanel(const FolderPath &path);
    void listInMain(const FolderPath &path);

    MainList &m_list;
    MainWindowFrame &m_frame;
    Services &m_services;
    TForm4 *m_panel = nullptr;
};

} // namespace quil
