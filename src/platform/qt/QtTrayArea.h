#pragma once

#include "platform/TrayArea.h"

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <chrono>
#include <memory>

namespace glimmer {

/// The tray area through QSystemTrayIcon (XEmbed trays on X11, StatusNotifierItem
/// over D-Bus elsewhere).
///
/// Mouse reports: where Qt draws the icon itself (XEmbed), the icon's own mouse
/// events are read so that press, release and double click arrive as distinct
/// messages, and a right-button release is what opens the menu. Where the tray host
/// draws the icon (D-Bus), only Qt's activation reasons exist; they are translated:
/// a context request is a right-button release, a click a left-button release, a
/// double click a left double click. There a copy of the record's menu is also
/// handed to Qt, which exports it over D-Bus (com.canonical.dbusmenu) for the host
/// to draw; a choice made there reaches the program's own entry.
///
/// A tray host that starts after the program (a panel still loading at login) is
/// waited for, up to `kTrayHostWait`, before the add is attempted: Qt settles on a
/// tray protocol once, so adding too early would miss the host for the whole run.
class QtTrayArea final : public QObject, public TrayArea {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kTrayHostWait{10000};

    QtTrayArea();
    ~QtTrayArea() override;

    bool add(const TrayRecord& record) override;
    bool modify(const TrayRecord& record) override;
    bool remove(const TrayRecord& record) override;
    void popupMenu(QMenu& menu) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void report(int message);
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    const QIcon& iconOf(const TrayRecord& record) const;
    void exportMenu(QMenu& menu);
    static bool trayHostPresent();
    static void waitForTrayHost(std::chrono::milliseconds limit);

    std::unique_ptr<QSystemTrayIcon> icon_;
    /// What a host that draws the menu itself is given: a copy of the program's menu.
    std::unique_ptr<QMenu> exported_;
    std::function<void(int)> callback_;
    QIcon blank_; ///< shown while the record has no icon yet, so the slot exists
    bool sawOwnMouseEvents_ = false;
    /// Where Qt draws the icon itself: its widget, which Qt destroys when the tray
    /// host goes away. Then the icon is no longer in any tray and modify fails.
    QPointer<QWidget> embeddedIcon_;
    bool embedded_ = false;
};

} // namespace glimmer
