#pragma once

#include <QIcon>
#include <QString>
#include <functional>

class QMenu;

namespace glimmer {

/// Mouse reports from the tray icon, one number for each kind of mouse event: 0x200
/// movement, then press, release and double click of the left button (0x201..0x203)
/// and of the right button (0x204..0x206).
namespace TrayMessage {
inline constexpr int Move = 0x200;
inline constexpr int LeftDown = 0x201;
inline constexpr int LeftUp = 0x202;
inline constexpr int LeftDoubleClick = 0x203;
inline constexpr int RightDown = 0x204;
inline constexpr int RightUp = 0x205;
inline constexpr int RightDoubleClick = 0x206;
} // namespace TrayMessage

/// Everything the tray area needs to show the icon: filled once by add, then `icon`
/// (and, seldom, `tip`) changes before each modify.
struct TrayRecord {
    const QIcon* icon = nullptr; ///< the icon shown now; null while there is none
    QString tip;
    /// The title of the animation playing; hosts that read the icon aloud say it.
    QString title;
    std::function<void(int message)> callback; ///< receives TrayMessage numbers
    /// The tray menu, for hosts that draw the menu themselves: they show it and
    /// trigger the chosen entry's action. Elsewhere the program pops it up itself.
    QMenu* menu = nullptr;
};

/// The notification area. Each operation reports whether the shell accepted it.
class TrayArea {
public:
    virtual ~TrayArea() = default;

    virtual bool add(const TrayRecord& record) = 0;
    virtual bool modify(const TrayRecord& record) = 0;
    virtual bool remove(const TrayRecord& record) = 0;

    /// Pops `menu` up at the mouse position and returns when it has closed; a chosen
    /// entry's action has been triggered by then.
    virtual void popupMenu(QMenu& menu) = 0;
};

} // namespace glimmer
