#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace quil {

// A Yes/No warning with a check box below its text, laid out as the
// delete warning is: the box at left 20, top 210, 130 wide, the dialog
// `height` pixels high (taller only when the text needs it). Enter answers
// Yes, Escape No; the close box rejects the dialog too, which closedByBox()
// then tells apart from No.
class CheckedWarningBox : public QDialog
{
    Q_OBJECT
public:
    CheckedWarningBox(const QString &title, const QString &text, const QString &checkText, bool checked, int height,
                      QWidget *parent = nullptr);

    bool isChecked() const;
    // Whether the dialog was closed by its close box, not answered.
    bool closedByBox() const { return m_closedByBox; }
    QCheckBox *checkBox() const { return m_check; }
    QPushButton *yesButton() const { return m_yes; }
    QPushButton *noButton() const { return m_no; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    bool m_closedByBox = false;
    QCheckBox *m_check = nullptr;
    QPushButton *m_yes = nullptr;
    QPushButton *m_no = nullptr;
};

} // namespace quil
