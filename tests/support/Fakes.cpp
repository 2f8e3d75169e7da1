#include "Fakes.h"

#include <QAction>
#include <QMenu>

namespace glimmer::test {

namespace {
QString fullKey(const QString& application, const QString& section, const QString& key)
{
    return application + QLatin1Char('/') + section + QLatin1Char('/') + key;
}
} // namespace

QString FakeSettingsStore::read(const QString& application, const QString& section,
                                const QString& key, const QString& fallback) const
{
    return values.value(fullKey(application, section, key), fallback);
}

void FakeSettingsStore::save(const QString& application, const QString& section, const QString& key,
                             const QString& value)
{
    values.insert(fullKey(application, section, key), value);
    saves << key + QLatin1Char('=') + value;
}

void FakeSettingsStore::set(const QString& key, const QString& value)
{
    values.insert(fullKey(QStringLiteral("Glimmerbox"), QStringLiteral("Startup"), key), value);
}

std::optional<QString> FakeSettingsStore::value(const QString& key) const
{
    const QString full = fullKey(QStringLiteral("Glimmerbox"), QStringLiteral("Startup"), key);
    if (!values.contains(full))
        return std::nullopt;
    return values.value(full);
}

MessageAnswer FakeMessageBoxes::show(const QString& text, MessageButtons buttons, MessageIcon icon,
                                     const QString& title)
{
    shown.push_back({text, buttons, icon, title});
    if (onShow)
        onShow(shown.back());
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    if (answers.empty())
        return MessageAnswer::No;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

QStringList FakeMessageBoxes::texts() const
{
    QStringList result;
    for (const auto& message : shown)
        result << message.text;
    return result;
}

std::optional<QString> FakeFileDialogs::show(const FileDialogRequest& request)
{
    requests.push_back(request);
    startFolders << QDir::currentPath();
    if (answers.empty())
        return std::nullopt;
    const bool cancelled = !answers.front().has_value();
    const QString path = answers.front().value_or(QString());
    answers.pop_front();
    if (cancelled)
        return std::nullopt;
    return path;
}

std::optional<QStringList> FakeFileDialogs::showSeveral(const FileDialogRequest& request)
{
    requests.push_back(request);
    startFolders << QDir::currentPath();
    if (severalAnswers.empty())
        return std::nullopt;
    const bool cancelled = !severalAnswers.front().has_value();
    const QStringList paths = severalAnswers.front().value_or(QStringList());
    severalAnswers.pop_front();
    if (cancelled)
        return std::nullopt;
    return paths;
}

std::optional<double> FakeLoadMeter::sample()
{
    ++samples;
    if (loads.empty())
        return std::nullopt;
    const double load = loads.front();
    loads.pop_front();
    return load;
}

bool FakeTrayArea::add(const TrayRecord& record)
{
    calls.push_back({TrayCall::Add, record.icon, record.tip});
    if (failAdd)
        return false;
    added = true;
    callback = record.callback;
    return true;
}

bool FakeTrayArea::modify(const TrayRecord& record)
{
    calls.push_back({TrayCall::Modify, record.icon, record.tip});
    return added && !failModify;
}

bool FakeTrayArea::remove(const TrayRecord& record)
{
    calls.push_back({TrayCall::Remove, record.icon, record.tip});
    if (failRemove || !added)
        return false;
    added = false;
    return true;
}

void FakeTrayArea::popupMenu(QMenu& menu)
{
    calls.push_back({TrayCall::Popup, nullptr, {}});
    if (whileMenuOpen)
        whileMenuOpen(menu);
    if (menuChoices.empty())
        return;
    const QString choice = menuChoices.front();
    menuChoices.pop_front();
    for (QAction* action : menu.actions()) {
        if (!action->isSeparator() && action->text() == choice && action->isEnabled()) {
            action->trigger();
            return;
        }
    }
}

void FakeTrayArea::report(int message)
{
    if (callback)
        callback(message);
}

int FakeTrayArea::count(TrayCall::Kind kind) const
{
    return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                          [kind](const auto& c) { return c.kind == kind; }));
}

const QIcon* FakeTrayArea::lastIcon() const
{
    return calls.empty() ? nullptr : calls.back().icon;
}

void FakeEnvironment::terminate(int exitCode)
{
    throw Terminated{exitCode};
}

} // namespace glimmer::test
