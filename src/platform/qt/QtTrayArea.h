#pragma once

#include "platform/TrayArea.h"

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <chrono>
#include <memory>

namespace glimmer {

namespace sni {
class StatusNotifierItem;
} // namespace sni

/// The tray area: where a StatusNotifierItem host is registered on the session bus
/// (KDE, GNOME's AppIndicator extension, Xfce, waybar), the program's own item over
/// D-Bus (sni::StatusNotifierItem), which exports the record's menu for the host to
/// draw; elsewhere (XEmbed trays on X11) QSystemTrayIcon.
///
/// Mouse reports: where Qt draws the icon itself (XEmbed), the icon's own mouse
/// events are read so that press, release and double click arrive as distinct
/// messages, and a right-button release is what opens the menu. Where the tray host
/// draws the icon, the item translates its calls (see sni::StatusNotifierItem).
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
    static bool trayHostPresent();
    static void waitForTrayHost(std::chrono::milliseconds limit);

    std::unique_ptr<QSystemTrayIcon> icon_;
    std::unique_ptr<sni::StatusNotifierItem> item_;
    std::function<void(int)> callback_;
    QIcon blank_; ///< shown while the record has no icon yet, so the slot exists
    bool sawOwnMouseEvents_ = false;
    /// Where Qt draws the icon itself: its widget, which Qt destroys when the tray
    /// host goes away. Then the icon is no longer in any tray and modify fails.
    QPointer<QWidget> embeddedIcon_;
    bool embedded_ = false;
};

} // namespace glimmer
