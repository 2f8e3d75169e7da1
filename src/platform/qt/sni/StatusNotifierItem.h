#pragma once

#include "platform/TrayArea.h"
#include "platform/qt/sni/SniTypes.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QElapsedTimer>
#include <QHash>
#include <QIcon>
#include <QObject>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QDBusServiceWatcher;

namespace glimmer::sni {

class DBusMenu;

/// The program's icon as an org.kde.StatusNotifierItem on the session bus, with its
/// menu as a com.canonical.dbusmenu object (DBusMenu), registered with the
/// org.kde.StatusNotifierWatcher under the connection's unique name. When a watcher
/// comes back after going away (a panel restarted), the item registers with it again.
///
/// The host's calls are answered at once; what they report (Activate is a
/// left-button release, ContextMenu a right-button release) reaches the record's
/// callback after the answer, so a host never waits for a menu or a box to close.
/// SecondaryActivate and Scroll report nothing.
class StatusNotifierItem final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconThemePath READ iconThemePath)
    Q_PROPERTY(QString IconName READ iconName)
    Q_PROPERTY(QList<glimmer::sni::IconPixmap> IconPixmap READ iconPixmap)
    Q_PROPERTY(QString OverlayIconName READ noName)
    Q_PROPERTY(QList<glimmer::sni::IconPixmap> OverlayIconPixmap READ noPixmaps)
    Q_PROPERTY(QString AttentionIconName READ noName)
    Q_PROPERTY(QList<glimmer::sni::IconPixmap> AttentionIconPixmap READ noPixmaps)
    Q_PROPERTY(QString AttentionMovieName READ noName)
    Q_PROPERTY(glimmer::sni::ToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)
    Q_PROPERTY(QString IconAccessibleDesc READ accessibleDesc)
    Q_PROPERTY(QString AttentionAccessibleDesc READ accessibleDesc)
public:
    static constexpr char kPath[] = "/StatusNotifierItem";
    static constexpr char kWatcher[] = "org.kde.StatusNotifierWatcher";

    /// An item for `record` (its icon, tip, title, callback and menu, which must
    /// outlive the item), not yet on the bus.
    explicit StatusNotifierItem(const TrayRecord& record);
    ~StatusNotifierItem() override;
    StatusNotifierItem(const StatusNotifierItem&) = delete;
    StatusNotifierItem& operator=(const StatusNotifierItem&) = delete;

    /// Whether a watcher is on the session bus and a host has registered with it.
    static bool hostPresent();
    /// The name of the program that owns the watcher ("gnome-shell", "kded5", ...);
    /// empty when it cannot be told.
    static QString watcherProgram();

    /// How a new frame reaches the host.
    struct FrameHandover {
        enum class Signal {
            NewIcon,           ///< the item's own signal, after which the host reads the item
            PropertiesChanged, ///< D-Bus's standard signal, which carries what changed
        };
        Signal signal = Signal::NewIcon;
        /// Each frame as a named file (IconName in IconThemePath), written once as PNG
        /// into a folder of the user's runtime folder, rather than as pictures
        /// (IconPixmap): a host may keep what it has read. Where a file cannot be
        /// written, the frame goes as pictures.
        bool named = false;
        /// A frame is announced at most once a gap, the last of a gap once it has
        /// passed, unless the host has that one already (a 5-frame animation at 10 ms
        /// is back at the same frame after 50 ms): then the next goes at once. Zero
        /// announces each.
        std::chrono::milliseconds gap{0};
    };
    /// The default, a NewIcon for each frame with its pictures, is what every host
    /// understands. Set before the item is registered.
    void setFrameHandover(const FrameHandover& handover);
    /// For a host that shows the item's title where the item has no tooltip: a tip
    /// that says only the title then goes as no tooltip at all. (Plasma looks the
    /// tooltip's icon up by name each time it reads a tooltip, on every frame.) Off
    /// by default: a host that keeps the tooltip it shows when sent an empty one
    /// (waybar) would go on showing a tip that has since changed back to the title.
    void setTitleStandsForTip(bool stands) { titleStandsForTip_ = stands; }

    /// Exports the item and its menu and registers with the watcher. False when the
    /// bus or the watcher refuses.
    bool registerItem();
    /// Takes the record's icon, tip and title; a new frame goes out as the handover
    /// says, a new tip by NewToolTip, each only when it differs from what the host has.
    void update(const TrayRecord& record);
    /// Announces nothing more and, when a change went out less than `kHostReadTime`
    /// ago, serves the host's calls until then: a host that reads the item a moment
    /// after a NewIcon must not find it gone (GNOME's extension logs an error each
    /// time). Call before the item is destroyed.
    void withdraw();
    static constexpr std::chrono::milliseconds kHostReadTime{250};

    QString category() const { return QStringLiteral("ApplicationStatus"); }
    QString id() const;
    QString title() const;
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString iconThemePath() const;
    QString iconName() const { return iconName_; }
    QList<IconPixmap> iconPixmap();
    QString noName() const { return {}; }
    QList<IconPixmap> noPixmaps() const { return {}; }
    glimmer::sni::ToolTip toolTip() const;
    bool itemIsMenu() const { return false; }
    QDBusObjectPath menu() const;
    QString accessibleDesc() const;

    /// What a PropertiesChanged for the current frame carries: its name or its
    /// pictures, and the description when it differs from the one last carried.
    QVariantMap takeFrameChange();

    /// The pictures of `frame` a host is given: each offered size as ARGB32 in
    /// network byte order.
    static QList<IconPixmap> picturesOf(const QIcon& frame);

public Q_SLOTS:
    void ContextMenu(int x, int y);
    void Activate(int x, int y);
    void SecondaryActivate(int x, int y);
    void Scroll(int delta, const QString& orientation);
    void ProvideXdgActivationToken(const QString& token);

Q_SIGNALS:
    void NewIcon();
    void NewToolTip();
    void NewStatus(const QString& status);
    void NewTitle();

private:
    void report(int message);
    void announceIcon();
    void tellNewIcon();
    /// Registers with the watcher; with `wait`, only once it has answered yes.
    bool registerWithWatcher(bool wait);
    /// The name of `frame`'s file, written on first use; empty where it cannot be.
    QString nameOf(const QIcon& frame);

    QDBusConnection bus_;
    QString service_;
    std::unique_ptr<DBusMenu> menu_;
    std::unique_ptr<QDBusServiceWatcher> watcherWatch_;
    std::function<void(int)> callback_;
    QIcon blank_; ///< shown while the record has no icon yet
    QIcon frame_;
    QIcon told_; ///< the frame last announced
    FrameHandover handover_;
    QString iconName_;                      ///< of frame_, when frames go by name
    std::unique_ptr<QTemporaryDir> folder_; ///< the named frames' files
    QHash<qint64, QString> names_;          ///< frame (cache key) to its file's name
    static constexpr qsizetype kKnownFrames = 1024;
    std::optional<QList<IconPixmap>> pictures_; ///< of frame_, made when first asked for
    QString tip_;
    bool titleStandsForTip_ = false;
    QString title_;
    QString toldTitle_;       ///< the accessible description the host was last sent
    QElapsedTimer announced_; ///< since the last announcement
    bool withdrawn_ = false;
    QTimer nextAnnouncement_;
};

} // namespace glimmer::sni
