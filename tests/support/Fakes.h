#pragma once

// Fakes of the desktop services: they record what the program showed and answer
// from a script, so tests never open a real dialog or touch the real tray.

#include "platform/Environment.h"
#include "platform/FileDialogs.h"
#include "platform/LoadMeter.h"
#include "platform/MessageBoxes.h"
#include "platform/SettingsStore.h"
#include "platform/TrayArea.h"

#include <QDir>
#include <QMap>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace glimmer::test {

class FakeSettingsStore final : public SettingsStore {
public:
    QString read(const QString& application, const QString& section, const QString& key,
                 const QString& fallback) const override;
    void save(const QString& application, const QString& section, const QString& key,
              const QString& value) override;

    /// Stores a value as if an earlier run (or the user, by hand) had written it.
    void set(const QString& key, const QString& value);
    /// The stored value of a "Glimmerbox"/"Startup" key, or nothing.
    std::optional<QString> value(const QString& key) const;

    QMap<QString, QString> values; ///< "application/section/key" -> text
    QStringList saves;             ///< "key=value" in the order they were written
};

/// A message box as shown.
struct ShownMessage {
    QString text;
    MessageButtons buttons;
    MessageIcon icon;
    QString title;
};

class FakeMessageBoxes final : public MessageBoxes {
public:
    MessageAnswer show(const QString& text, MessageButtons buttons, MessageIcon icon,
                       const QString& title) override;

    /// Answers for Yes/No boxes, in order; an empty script answers No (the default).
    std::deque<MessageAnswer> answers;
    /// Runs while a box is "open", e.g. to check the state the program is in then.
    std::function<void(const ShownMessage&)> onShow;
    std::vector<ShownMessage> shown;

    QStringList texts() const;
    void clear() { shown.clear(); }
};

class FakeFileDialogs final : public FileDialogs {
public:
    std::optional<QString> show(const FileDialogRequest& request) override;
    /// Answers from `severalAnswers` (an empty script cancels); recorded in `requests`.
    std::optional<QStringList> showSeveral(const FileDialogRequest& request) override;

    /// Answers in order: a path, or nothing for a cancelled dialog. An empty script
    /// cancels.
    std::deque<std::optional<QString>> answers;
    std::deque<std::optional<QStringList>> severalAnswers;
    std::vector<FileDialogRequest> requests;
    /// The current directory at each show (the dialog starts there).
    QStringList startFolders;
};

/// One call to the tray area.
struct TrayCall {
    enum Kind { Add, Modify, Remove, Popup } kind;
    const QIcon* icon = nullptr;
    QString tip;
};

class FakeTrayArea final : public TrayArea {
public:
    bool add(const TrayRecord& record) override;
    bool modify(const TrayRecord& record) override;
    bool remove(const TrayRecord& record) override;
    void popupMenu(QMenu& menu) override;

    /// Sends a mouse report as the tray would.
    void report(int message);

    bool failAdd = false;
    bool failModify = false;
    bool failRemove = false;
    /// The entry to choose when the menu pops up ("Options", "Exit", ...); empty
    /// closes the menu without a choice. Consumed by each popup.
    std::deque<QString> menuChoices;
    /// Runs while the menu is "open".
    std::function<void(QMenu&)> whileMenuOpen;

    std::vector<TrayCall> calls;
    std::function<void(int)> callback;
    bool added = false;

    int count(TrayCall::Kind kind) const;
    const QIcon* lastIcon() const;
};

/// A processor whose load the test tells, one sample at a time.
class FakeLoadMeter final : public LoadMeter {
public:
    bool available() const override { return isAvailable; }
    /// The next scripted load; nothing when the script is empty.
    std::optional<double> sample() override;

    bool isAvailable = true;
    std::deque<double> loads;
    int samples = 0; ///< how often the load was asked for
};

class FakeEnvironment final : public Environment {
public:
    struct Terminated {
        int exitCode;
    };

    QString programFolder() const override { return programDir; }
    /// The program folder unless a test gives the user's folder.
    QString animationsFolder() const override { return usersDir.isEmpty() ? programDir : usersDir; }
    QString currentDirectory() const override { return QDir::currentPath(); }
    bool setCurrentDirectory(const QString& folder) override { return QDir::setCurrent(folder); }
    QSize screenSize() const override { return screen; }
    /// Throws Terminated instead of ending the test process.
    [[noreturn]] void terminate(int exitCode) override;

    QString programDir = QDir::currentPath();
    QString usersDir; ///< the user's animations folder, where the program folder is read-only
    QSize screen{1024, 768};
};

} // namespace glimmer::test
