#pragma once

#include <QDialog>

#include <array>
#include <memory>

class QCheckBox;
class QFormLayout;
class QLabel;
class QPushButton;
class QTimer;

namespace quil {

class Dialogs;
class FolderSizeWalk;
class IdentifiedItem;

// "Свойства" of a file, a folder or a volume, shown modally. A folder's size
// is totalled by a folder-size walk and shown as it grows. The permission
// boxes change the item's mode at once where the user owns it, and only the
// item the window was opened for: a name replaced meanwhile is refused.
class PropertiesWindow : public QDialog
{
    Q_OBJECT
public:
    enum class Kind { Item, Volume };
    PropertiesWindow(Dialogs &dialogs, const QString &path, Kind kind, QWidget *parent = nullptr);
    ~PropertiesWindow() override;

    // The value shown for a caption ("Размер:"); empty when there is none.
    QString value(const QString &caption) const;
    // The permission box for who (0 owner, 1 group, 2 others) and what
    // (0 read, 1 write, 2 execute); null for a volume.
    QCheckBox *permissionBox(int who, int what) const;
    // Whether a folder's size is counted to its end (true for others).
    bool sizeFinished() const;

private:
    void addRow(const QString &caption, const QString &value);
    void fillItem(const QString &path);
    void fillVolume(const QString &mountPoint);
    void addPermissions(unsigned mode, bool owned);
    void permissionToggled(int bit, bool on);
    void showFolderSize();

    Dialogs &m_dialogs;
    QString m_path;
    std::unique_ptr<IdentifiedItem> m_item;
    QFormLayout *m_form = nullptr;
    std::array<QCheckBox *, 9> m_permissions{};
    QLabel *m_sizeLabel = nullptr;
    QPushButton *m_ok = nullptr;
    std::unique_ptr<FolderSizeWalk> m_walk;
    QTimer *m_walkTimer = nullptr;
    bool m_walkDone = true;
};

} // namespace quil
