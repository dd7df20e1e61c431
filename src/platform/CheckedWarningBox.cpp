#include "platform/CheckedWarningBox.h"

#include "platform/TitleWidth.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace quil {

namespace {
constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kCheckLeft = 20;
constexpr int kCheckTop = 210;
constexpr int kCheckWidth = 130;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 25;
} // namespace

CheckedWarningBox::CheckedWarningBox(const QString &title, const QString &text, const QString &checkText, bool checked,
                                     int height, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    setModal(true);

    auto *icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(kIconSize, kIconSize));
    icon->setGeometry(kMargin, kMargin, kIconSize, kIconSize);
    icon->setAccessibleName(QCoreApplication::translate("CheckedWarningBox", "Предупреждение"));

    auto *label = new QLabel(text, this);
    label->setTextFormat(Qt::PlainText);
    label->move(2 * kMargin + kIconSize, kMargin);
    label->adjustSize();

    m_check = new QCheckBox(checkText, this);
    m_check->setChecked(checked);
    // Wider only when the font would cut the caption.
    const int checkTop = std::max(kCheckTop, label->geometry().bottom() + kMargin);
    m_check->setGeometry(kCheckLeft, checkTop, std::max(kCheckWidth, m_check->sizeHint().width()),
                         m_check->sizeHint().height());

    // Qt's own texts of the standard buttons, in the locale's language.
    m_yes = new QPushButton(QCoreApplication::translate("QPlatformTheme", "&Yes"), this);
    m_no = new QPushButton(QCoreApplication::translate("QPlatformTheme", "&No"), this);
    m_yes->setDefault(true);
    connect(m_yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_no, &QPushButton::clicked, this, &QDialog::reject);

    // As wide as the window manager needs to show the whole title, too.
    const int width = std::max({label->geometry().right() + kMargin, m_check->geometry().right() + kMargin,
                                3 * kMargin + 2 * kButtonWidth, 320, titleBarWidth(title, font())});
    const int fullHeight = std::max(height, m_check->geometry().bottom() + 2 * kMargin + kButtonHeight);
    const int buttonTop = fullHeight - kMargin - kButtonHeight;
    m_no->setGeometry(width - kMargin - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight);
    m_yes->setGeometry(width - 2 * (kMargin + kButtonWidth) + kMargin, buttonTop, kButtonWidth, kButtonHeight);
    setFixedSize(width, fullHeight);
    m_yes->setFocus();
}

void CheckedWarningBox::closeEvent(QCloseEvent *event)
{
    // Escape and No reject without a close event.
    m_closedByBox = true;
    QDialog::closeEvent(event);
}

bool CheckedWarningBox::isChecked() const
{
    return m_check->isChecked();
}

} // namespace quil
