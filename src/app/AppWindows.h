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
class TSet1;

namespace quil {
struct Services;
}

// The program's windows, each created once, in this order, and living until
// the program ends; all but the main window start hidden.
class AppWindows
{
public:
    explicit AppWindows(quil::Services &services);
    ~AppWindows();
    AppWindows(const AppWindows &) = delete;
    AppWindows &operator=(const AppWindows &) = delete;

    std::unique_ptr<TForm1> Form1;
    std::unique_ptr<TForm4> Form4;
    std::unique_ptr<TAboutBox> AboutBox;
    std::unique_ptr<TRF> RF;
    // The picture viewer TSHPIC (5th) belongs here, between RF and FILESCH.
    std::unique_ptr<TFILESCH> FILESCH;
    std::unique_ptr<TFB> FB;
    std::unique_ptr<TSet1> Set1;
    std::unique_ptr<TExtent> Extent;
    std::unique_ptr<TSelekt> Selekt;
};
