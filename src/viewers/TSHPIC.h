#pragma once

#include <QString>
#include <QWidget>

class QLabel;

namespace quil {
class PictureBox;
struct Services;
} // namespace quil

// The picture viewer window: shows CurrentFilePath, scaled to fit.
class TSHPIC : public QWidget
{
    Q_OBJECT
public:
    explicit TSHPIC(quil::Services &services, QWidget *parent = nullptr);

    // The file to show, shared with the text viewer; the View command and the
    // file search set it before showing this window or calling loadPicture().
    void setCurrentFilePath(const QString &path) { CurrentFilePath = path; }
    const QString &currentFilePath() const { return CurrentFilePath; }

    // Loads CurrentFilePath when its extension names a picture and sets the
    // title " Изображение:   " + path. A read or decoding error is shown in
    // the general error box; the title and the previous picture then stay.
    // Returns false after an error. Runs by itself each time the window is shown.
    bool loadPicture();

    // Loads an icon file into Image1 by way of a bitmap of the icon's size,
    // so that it stretches like other pictures. Raises on a read or decoding error.
    void LoadIconPicture(const QString &path);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void FormCreate();
    void FormShow();

    QLabel *Panel1 = nullptr;
    quil::PictureBox *Image1 = nullptr;

    quil::Services &m_services;
    QString CurrentFilePath;
};
