#pragma once

#include <memory>

class TAboutBox;
class TExtent;
class TFB;
class TRF;
class TFILESCH;
class TForm1;
class TForm4;
class TSelekt;
class TSHPIC;
class TSet1;

namespace quil {

struct Services;
class WindowPlacement;

// The program's windows, each created once, in this order, and living until
// the program ends; all but the main window start hidden. The second panel is
// a tool window of the main window.
class AppWindows
{
public:
    explicit AppWindows(Services &services);
    ~AppWindows();
    AppWindows(const AppWindows &) = delete;
    AppWindows &operator=(const AppWindows &) = delete;

    std::unique_ptr<TForm1> Form1;
    std::unique_ptr<TForm4> Form4;
    std::unique_ptr<TAboutBox> AboutBox;
    std::unique_ptr<TRF> RF;
    std::unique_ptr<TSHPIC> SHPIC;
    std::unique_ptr<TFILESCH> FILESCH;
    std::unique_ptr<TFB> FB;
    std::unique_ptr<TSet1> Set1;
    std::unique_ptr<TExtent> Extent;
    std::unique_ptr<TSelekt> Selekt;

private:
    // Opens each of them inside the screen.
    std::unique_ptr<WindowPlacement> m_placement;
};

} // namespace quil
