#include "platform/ScriptedDialogs.h"

namespace quil {

namespace {
template <typename T, typename D> T takeOr(std::deque<T> &queue, D fallback)
{
    T value(fallback);
    if (!queue.empty()) {
        value = queue.front();
        queue.pop_front();
    }
    return value;
}
} // namespace

void ScriptedDialogs::answerYesNo(bool yes)
{
    const std::scoped_lock lock(m_mutex);
    m_yesNo.push_back(yes);
}

void ScriptedDialogs::answerInput(std::optional<QString> text)
{
    const std::scoped_lock lock(m_mutex);
    m_inputs.push_back(std::move(text));
}

void ScriptedDialogs::answerYesNoWithCheck(bool yes, bool checked)
{
    const std::scoped_lock lock(m_mutex);
    m_checked.push_back({yes, checked});
}

void ScriptedDialogs::answerCheckClosed(bool checked)
{
    const std::scoped_lock lock(m_mutex);
    m_checked.push_back({false, checked, true});
}

void ScriptedDialogs::answerOpenFile(std::optional<QString> path)
{
    const std::scoped_lock lock(m_mutex);
    m_files.push_back(std::move(path));
}

void ScriptedDialogs::answerChoice(std::optional<QString> item)
{
    const std::scoped_lock lock(m_mutex);
    m_choices.push_back(std::move(item));
}

void ScriptedDialogs::answerTargetExists(TargetExistsAnswer answer)
{
    const std::scoped_lock lock(m_mutex);
    m_exists.push_back(answer);
}

void ScriptedDialogs::answerItemError(ErrorAnswer answer)
{
    const std::scoped_lock lock(m_mutex);
    m_errors.push_back(answer);
}

void ScriptedDialogs::setDefaultTargetExists(TargetExistsAnswer answer)
{
    const std::scoped_lock lock(m_mutex);
    m_defaultExists = answer;
}

void ScriptedDialogs::setDefaultItemError(ErrorAnswer answer)
{
    const std::scoped_lock lock(m_mutex);
    m_defaultError = answer;
}

QList<ScriptedDialogs::Shown> ScriptedDialogs::shown() const
{
    const std::scoped_lock lock(m_mutex);
    return m_shown;
}

QList<ScriptedDialogs::Shown> ScriptedDialogs::shown(Kind kind) const
{
    const std::scoped_lock lock(m_mutex);
    QList<Shown> result;
    for (const Shown &s : m_shown)
        if (s.kind == kind)
            result.append(s);
    return result;
}

QStringList ScriptedDialogs::messages() const
{
    const std::scoped_lock lock(m_mutex);
    QStringList result;
    for (const Shown &s : m_shown)
        if (s.kind == Kind::Message || s.kind == Kind::ErrorBox)
            result.append(s.text);
    return result;
}

int ScriptedDialogs::beeps() const
{
    const std::scoped_lock lock(m_mutex);
    int count = 0;
    for (const Shown &s : m_shown)
        count += s.kind == Kind::Beep;
    return count;
}

void ScriptedDialogs::clear()
{
    const std::scoped_lock lock(m_mutex);
    m_shown.clear();
}

void ScriptedDialogs::record(Shown shown)
{
    m_shown.append(std::move(shown));
}

void ScriptedDialogs::message(const QString &text, const QString &title, Icon icon)
{
    const std::scoped_lock lock(m_mutex);
    record({Kind::Message, title, text, {}, icon});
}

bool ScriptedDialogs::askYesNo(const QString &text, const QString &title, Icon icon)
{
    const std::scoped_lock lock(m_mutex);
    record({Kind::YesNo, title, text, {}, icon});
    return takeOr(m_yesNo, false);
}

std::optional<QString> ScriptedDialogs::inputBox(const QString &title, const QString &prompt,
                                                 const QString &defaultValue)
{
    const std::scoped_lock lock(m_mutex);
    record({Kind::Input, title, prompt, defaultValue, Icon::None});
    return takeOr(m_inputs, std::nullopt);
}

Dialogs::CheckedAnswer ScriptedDialogs::askYesNoWithCheck(const QString &text, const QString &title,
                                                          const QString &checkText, bool checked, int)
{
    const std::scoped_lock lock(m_mutex);
    record({Kind::YesNoWithCheck, title, text, checkText, Icon::Warning, checked});
    return takeOr(m_checked, CheckedAnswer{false, checked});
}

std::optional<QString> ScriptedDialogs::openFile(const QString &title, const QStringList &filters,
                                                 const QString &initialFolder)
{
    const std::scoped_lock lock(m_mutex);
    record({Kind::OpenFile, title, filters.join(QLatin1Char('\n')), initialFolder, Icon::None});
    return takeOr(m_files, std::nullopt);
}

std::optional<int> ScriptedDialogs::chooseItem(const QString &title, const QString &prompt, const QStringList &items)
{
    const std::scoped_lock lock(m_mutex);
    record({Kind::Choice, title, prompt, items.join(QLatin1Char('\n')), Icon::None});
    const std::optional<QString> answer = takeOr(m_choices, std::nullopt);
    const qsizetype chosen = answer ? items.indexOf(*answer) : -1;
    return chosen < 0 ? std::nullopt : std::optional<int>(int(chosen));
}

void ScriptedDialogs::errorBox(const QString &text)
{
    const std::scoped_lock lock(m_mutex);
    record({Kind::ErrorBox, {}, text, {}, Icon::Error});
}

void ScriptedDialogs::beep()
{
    const std::scoped_lock lock(m_mutex);
    record({Kind::Beep, {}, {}, {}, Icon::None});
}

Dialogs::TargetExistsAnswer ScriptedDialogs::askTargetExists(const QString &source, const QString &target)
{
    const std::scoped_lock lock(m_mutex);
    record({Kind::TargetExists, {}, source, target, Icon::Question});
    return takeOr(m_exists, m_defaultExists);
}

Dialogs::ErrorAnswer ScriptedDialogs::askItemError(const QString &item, const QString &reason)
{
    const std::scoped_lock lock(m_mutex);
    record({Kind::ItemError, {}, item, reason, Icon::Error});
    return takeOr(m_errors, m_defaultError);
}

} // namespace quil
