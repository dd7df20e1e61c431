#include "platform/QtDialogs.h"

#include "platform/CheckedWarningBox.h"
#include "platform/TitleWidth.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QThread>

namespace quil {

namespace {

QMessageBox::Icon toQt(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Warning:
        return QMessageBox::Warning;
    case Dialogs::Icon::Error:
        return QMessageBox::Critical;
    case Dialogs::Icon::Question:
        return QMessageBox::Question;
    case Dialogs::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Texts keep the Windows line ends they are assembled with; Qt breaks on "\n".
QString forDisplay(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The Windows dialog's "exe|*.exe" entry: on Linux, programs are the files
// with the execute permission, whatever their names.
class ExecutableFilesOnly : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override
    {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (!files)
            return true;
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        return info.isDir() || info.isExecutable();
    }
};

QString boxTitle(const QString &title)
{
    return title.isEmpty() ? QApplication::applicationName() : title;
}

// A message box sizes itself by its text; a spacer as wide as the title bar
// needs keeps a short text from cutting a long title.
void fitTitle(QMessageBox &box)
{
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(titleBarWidth(box.windowTitle(), box.font()), 0), grid->rowCount(), 0, 1,
                      grid->columnCount());
}

} // namespace

QtDialogs::QtDialogs(QObject *parent) : QObject(parent) {}

QWidget *QtDialogs::dialogParent()
{
    // A box asked from another of the program's windows (a viewer, the second
    // panel) belongs to that window, so the window manager keeps it above it.
    QWidget *active = QApplication::activeWindow();
    if (active != nullptr && active->windowType() != Qt::Popup)
        m_lastParent = active;
    // Right after a box has closed no window is active until the window
    // manager activates the one below it: the next box of the same command
    // belongs to the window the last one did, not to the main window.
    else if (m_lastParent == nullptr || !m_lastParent->isVisible())
        m_lastParent = m_parentWidget;
    return m_lastParent;
}

template <typename F> auto QtDialogs::onWindowThread(F f) -> decltype(f())
{
    if (QThread::currentThread() == thread())
        return f();
    decltype(f()) result{};
    QMetaObject::invokeMethod(
        this, [&] { result = f(); }, Qt::BlockingQueuedConnection);
    return result;
}

void QtDialogs::message(const QString &text, const QString &title, Icon icon)
{
    onWindowThread([&] {
        QMessageBox box(toQt(icon), boxTitle(title), forDisplay(text), QMessageBox::Ok, dialogParent());
        fitTitle(box);
        box.exec();
        return 0;
    });
}

bool QtDialogs::askYesNo(const QString &text, const QString &title, Icon icon)
{
    return onWindowThread([&] {
        QMessageBox box(toQt(icon), boxTitle(title), forDisplay(text), QMessageBox::Yes | QMessageBox::No,
                        dialogParent());
        fitTitle(box);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    });
}

std::optional<QString> QtDialogs::inputBox(const QString &title, const QString &prompt, const QString &defaultValue)
{
    return onWindowThread([&]() -> std::optional<QString> {
        QInputDialog box(dialogParent());
        box.setWindowTitle(title);
        box.setLabelText(prompt);
        box.setTextValue(defaultValue);
        // The box keeps itself at its layout's least size: the prompt's
        // least width is what widens it.
        if (auto *label = box.findChild<QLabel *>()) {
            const QMargins margins = box.layout() ? box.layout()->contentsMargins() : QMargins();
            label->setMinimumWidth(titleBarWidth(title, box.font()) - margins.left() - margins.right());
        }
        if (box.exec() != QDialog::Accepted)
            return std::nullopt;
        return box.textValue();
    });
}

std::optional<int> QtDialogs::chooseItem(const QString &title, const QString &prompt, const QStringList &items)
{
    return onWindowThread([&]() -> std::optional<int> {
        QInputDialog box(dialogParent());
        box.setObjectName(QStringLiteral("ChooseItemBox"));
        box.setWindowTitle(title);
        box.setLabelText(prompt);
        box.setComboBoxItems(items);
        box.setComboBoxEditable(false);
        // A list shows many applications at once and finds one by its first letters.
        box.setOption(QInputDialog::UseListViewForComboBoxItems);
        if (!items.isEmpty())
            box.setTextValue(items.first());
        if (box.exec() != QDialog::Accepted)
            return std::nullopt;
        const qsizetype chosen = items.indexOf(box.textValue());
        return chosen < 0 ? std::nullopt : std::optional<int>(int(chosen));
    });
}

Dialogs::CheckedAnswer QtDialogs::askYesNoWithCheck(const QString &text, const QString &title, const QString &checkText,
                                                    bool checked, int height)
{
    return onWindowThread([&] {
        CheckedWarningBox box(boxTitle(title), forDisplay(text), checkText, checked, height, dialogParent());
        const bool yes = box.exec() == QDialog::Accepted;
        return CheckedAnswer{yes, box.isChecked(), !yes && box.closedByBox()};
    });
}

std::optional<QString> QtDialogs::openFile(const QString &title, const QStringList &filters,
                                           const QString &initialFolder)
{
    return onWindowThread([&]() -> std::optional<QString> {
        QStringList qtFilters;
        bool programs = false;
        for (const QString &filter : filters) {
            const QStringList parts = filter.split(QLatin1Char('|'));
            if (parts.size() == 2 && parts[1] == QLatin1String("*.exe")) {
                programs = true;
                qtFilters.append(parts[0] + QStringLiteral(" (*)"));
                continue;
            }
            qtFilters.append(parts.size() == 2 ? parts[0] + QStringLiteral(" (") + parts[1] + QLatin1Char(')')
                                               : filter);
        }
        QFileDialog dialog(dialogParent(), title, initialFolder);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters(qtFilters);
        if (programs) {
            dialog.setOption(QFileDialog::DontUseNativeDialog);
            dialog.setProxyModel(new ExecutableFilesOnly(&dialog));
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst();
    });
}

void QtDialogs::errorBox(const QString &text)
{
    message(text, QApplication::applicationName(), Icon::Error);
}

void QtDialogs::beep()
{
    onWindowThread([] {
        QApplication::beep();
        return 0;
    });
}

Dialogs::TargetExistsAnswer QtDialogs::askTargetExists(const QString &source, const QString &target)
{
    return onWindowThread([&] {
        QMessageBox box(
            QMessageBox::Question, QCoreApplication::translate("QtDialogs", "Подтверждение замены"),
            QCoreApplication::translate("QtDialogs", "Объект уже существует:\n%1\n\nЗаменить его объектом\n%2 ?")
                .arg(target, source),
            QMessageBox::NoButton, dialogParent());
        QPushButton *replace =
            box.addButton(QCoreApplication::translate("QtDialogs", "Заменить"), QMessageBox::YesRole);
        QPushButton *replaceAll =
            box.addButton(QCoreApplication::translate("QtDialogs", "Заменить все"), QMessageBox::YesRole);
        QPushButton *skip = box.addButton(QCoreApplication::translate("QtDialogs", "Пропустить"), QMessageBox::NoRole);
        QPushButton *cancel =
            box.addButton(QCoreApplication::translate("QtDialogs", "Отмена"), QMessageBox::RejectRole);
        box.setEscapeButton(cancel);
        box.exec();
        if (box.clickedButton() == replace)
            return TargetExistsAnswer::Replace;
        if (box.clickedButton() == replaceAll)
            return TargetExistsAnswer::ReplaceAll;
        if (box.clickedButton() == skip)
            return TargetExistsAnswer::Skip;
        return TargetExistsAnswer::Cancel;
    });
}

Dialogs::ErrorAnswer QtDialogs::askItemError(const QString &item, const QString &reason)
{
    return onWindowThread([&] {
        QMessageBox box(
            QMessageBox::Critical, QCoreApplication::translate("QtDialogs", "Ошибка"),
            QCoreApplication::translate("QtDialogs", "Не удалось обработать объект\n%1\n\n%2").arg(item, reason),
            QMessageBox::NoButton, dialogParent());
        QPushButton *retry =
            box.addButton(QCoreApplication::translate("QtDialogs", "Повторить"), QMessageBox::AcceptRole);
        QPushButton *skip = box.addButton(QCoreApplication::translate("QtDialogs", "Пропустить"), QMessageBox::NoRole);
        QPushButton *cancel =
            box.addButton(QCoreApplication::translate("QtDialogs", "Отмена"), QMessageBox::RejectRole);
        box.setEscapeButton(cancel);
        box.exec();
        if (box.clickedButton() == retry)
            return ErrorAnswer::Retry;
        if (box.clickedButton() == skip)
            return ErrorAnswer::Skip;
        return ErrorAnswer::Cancel;
    });
}

} // namespace quil
