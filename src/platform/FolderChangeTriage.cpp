#include "platform/FolderChangeTriage.h"

#include "platform/ChangeHold.h"
#include "platform/FolderWatch.h"
#include "platform/SettingsFiles.h"

#include <QPointer>

#include <utility>

namespace quil {

FolderChangeTriage::FolderChangeTriage(FolderWatch &watch, QObject &owner, Steps steps)
    : m_watch(watch), m_owner(owner), m_steps(std::move(steps))
{}

void FolderChangeTriage::forget()
{
    m_folderGone = false;
    m_listNeeded = false;
    m_manyNames.clear();
}

void FolderChangeTriage::triage(ChangeHold &hold, const QString &folder)
{
    const QPointer<QObject> owner(&m_owner);
    if (hold.isHoldingForCommand()) {
        hold.apply(
            [this, owner] {
                if (owner)
                    m_steps.retry();
            },
            &m_watch);
        return;
    }
    const FolderWatch::Changes changes = m_watch.take();
    if (changes.folderGone || !directoryExists(folder))
        m_folderGone = true;
    else if (changes.overflow || (changes.names.size() > kRowChangesLimit && !m_steps.applyManyNames))
        m_listNeeded = true;
    else if (changes.names.size() > kRowChangesLimit || !m_manyNames.isEmpty())
        m_manyNames.unite(changes.names);
    if (!m_folderGone && !m_listNeeded && m_manyNames.isEmpty()) {
        m_steps.applyNames(changes.names);
        return;
    }
    hold.apply(
        [this, owner] {
            if (!owner)
                return;
            QSet<QString> many = std::exchange(m_manyNames, {});
            if (std::exchange(m_folderGone, false)) {
                m_listNeeded = false;
                m_steps.leaveGoneFolder();
            } else if (std::exchange(m_listNeeded, false)) {
                m_steps.listAgain();
            } else if (!many.isEmpty()) {
                m_steps.applyManyNames(many);
            }
        },
        this);
}

} // namespace quil
