#include "app/AccessibleInterfaces.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QWindow>

namespace quil {

namespace {

// A menu that Qt reports as a child of the application: its own accessible
// parent is the application only when it has no parent widget.
bool isOpenTopMenu(const QObject *object)
{
    const auto *menu = qobject_cast<const QMenu *>(object);
    return menu != nullptr && menu->parentWidget() == nullptr && menu->isVisible();
}

// The application's node: Qt's own (name, the executable's path, the top
// windows but desktops and popups), with open top menus among the windows.
class ApplicationWithMenus : public QAccessibleObject
{
public:
    explicit ApplicationWithMenus(QObject *application) : QAccessibleObject(application) {}

    QAccessibleInterface *parent() const override { return nullptr; }
    int childCount() const override { return static_cast<int>(windows().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QObjectList all = windows();
        return index >= 0 && index < all.size() ? QAccessible::queryAccessibleInterface(all.at(index)) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child == nullptr ? -1 : static_cast<int>(windows().indexOf(child->object()));
    }
    QAccessibleInterface *focusChild() const override
    {
        QWindow *window = QGuiApplication::focusWindow();
        return window != nullptr ? window->accessibleRoot() : nullptr;
    }
    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return QGuiApplication::applicationName();
        if (kind == QAccessible::Description)
            return QGuiApplication::applicationFilePath();
        return {};
    }
    QAccessible::Role role() const override { return QAccessible::Application; }
    QAccessible::State state() const override { return {}; }

private:
    static QObjectList windows()
    {
        QObjectList result;
        for (QWindow *window : QGuiApplication::topLevelWindows()) {
            if (window->type() == Qt::Desktop)
                continue;
            QAccessibleInterface *root = window->accessibleRoot();
            QObject *object = root != nullptr ? root->object() : nullptr;
            if (object != nullptr && (window->type() != Qt::Popup || isOpenTopMenu(object)))
                result.append(object);
        }
        return result;
    }
};

// An editable box read by its own name, its text the value. Its line is a
// child with the text interface, as in Qt's box; the drop-down list is a
// window of its own, found by the focus when it opens.
class NamedEditableBox : public QAccessibleWidget
{
public:
    explicit NamedEditableBox(QComboBox *box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return static_cast<const QComboBox *>(widget())->currentText();
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface *ownInterface(const QString &className, QObject *object)
{
    if (object == QCoreApplication::instance() && className == QLatin1String("QApplication"))
        return new ApplicationWithMenus(object);
    auto *box = qobject_cast<QComboBox *>(object);
    if (box != nullptr && className == QLatin1String("QComboBox") && box->isEditable() &&
        !box->accessibleName().isEmpty())
        return new NamedEditableBox(box);
    return nullptr;
}

} // namespace

void installAccessibleInterfaces()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(ownInterface);
}

} // namespace quil
