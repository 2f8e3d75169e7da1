#include "platform/qt/QtTrayArea.h"

#include "platform/Pictures.h"
#include "platform/qt/sni/StatusNotifierItem.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QTimer>
#include <cstdlib>
#include <memory>
#include <string>
#include <xcb/xcb.h>

namespace glimmer {

namespace {
bool isTrayIconWidget(QObject* object)
{
    // Qt's own XEmbed tray widget; private, so it is recognised by its class name.
    return object->isWidgetType() && object->inherits("QSystemTrayIconSys");
}

/// Whether an XEmbed tray owns the system tray selection of the default screen.
bool xembedTrayPresent()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return false;
    int screen = 0;
    if (const char* display = std::getenv("DISPLAY")) {
        const std::string text(display);
        const auto dot = text.rfind('.');
        if (dot != std::string::npos && dot > text.rfind(':'))
            screen = std::atoi(text.c_str() + dot + 1);
    }
    const std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(screen);
    const auto atomCookie =
        xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(name.size()), name.c_str());
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(connection, atomCookie, nullptr), &std::free);
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return false;
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom),
                                      nullptr),
        &std::free);
    return owner && owner->owner != XCB_WINDOW_NONE;
}

QWidget* findEmbeddedIconWidget()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (isTrayIconWidget(widget))
            return widget;
    }
    return nullptr;
}

int messageFor(const QMouseEvent& event)
{
    const bool left = event.button() == Qt::LeftButton;
    const bool right = event.button() == Qt::RightButton;
    switch (event.type()) {
    case QEvent::MouseButtonPress:
        return left ? TrayMessage::LeftDown : right ? TrayMessage::RightDown : 0;
    case QEvent::MouseButtonRelease:
        return left ? TrayMessage::LeftUp : right ? TrayMessage::RightUp : 0;
    case QEvent::MouseButtonDblClick:
        return left ? TrayMessage::LeftDoubleClick : right ? TrayMessage::RightDoubleClick : 0;
    case QEvent::MouseMove:
        return TrayMessage::Move;
    default:
        return 0;
    }
}
} // namespace

QtTrayArea::QtTrayArea()
{
    QPixmap transparent(16, 16);
    transparent.fill(Qt::transparent);
    blank_ = QIcon(transparent);
}

QtTrayArea::~QtTrayArea()
{
    if (icon_)
        qApp->removeEventFilter(this);
}

const QIcon& QtTrayArea::iconOf(const TrayRecord& record) const
{
    return record.icon && !record.icon->isNull() ? *record.icon : blank_;
}

bool QtTrayArea::trayHostPresent()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected() && bus.interface() &&
        bus.interface()->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher")))
        return true;
    return xembedTrayPresent();
}

void QtTrayArea::waitForTrayHost(std::chrono::milliseconds limit)
{
    QElapsedTimer waited;
    waited.start();
    while (!trayHostPresent() && waited.elapsed() < limit.count()) {
        QEventLoop loop;
        QTimer::singleShot(200, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

namespace {
/// How new frames reach the host of the program that owns the watcher, from the
/// measurements of scripts/bench --gnome and --plasma (docs/PERFORMANCE.md: % of a
/// core, the host's CPU, Fuzzy T.V at 100 ms unless said).
sni::StatusNotifierItem::FrameHandover frameHandoverFor(const QString& watcher)
{
    using Handover = sni::StatusNotifierItem::FrameHandover;
    Handover handover;
    if (watcher == QLatin1String("gnome-shell")) {
        // GNOME's AppIndicator extension gathers NewIcon signals for 100 ms, then reads
        // the item back (three calls) and shows its picture: 3.4 pictures a second for
        // 8.1 % (2.4 % a picture; Qt's own item 8.7 %, 2.6 %), and at 10 ms 2.6 to 4.3
        // as the signals fall. A PropertiesChanged carrying the frame is shown at once
        // without a call, and named files, which the extension keeps, cost it least:
        // 2.05 % a picture, against 2.12 % for pictures and RunCat's 1.9 % for its cat
        // drawn in the shell. Shown at once, every frame at 100 ms would be 10 pictures
        // a second. At most one every 250 ms, 4 a second at any speed, keeps the shell
        // under the floor: 8.3 % at 100 ms, 8.4 % at 10 ms (Qt's item 16.2 %).
        handover = {Handover::Signal::PropertiesChanged, true, std::chrono::milliseconds(250)};
    }
    // Plasma reads the item after each NewIcon and shows every frame; it does not take
    // PropertiesChanged, and named files cost it more than pictures (3.1 against
    // 2.7 %; 11.1 against 8.3 % at 10 ms), so every other host keeps the default.
    // For a measurement: GLIMMER_SNI_SIGNAL=NewIcon|PropertiesChanged,
    // GLIMMER_SNI_FRAMES=names|pictures, GLIMMER_SNI_GAP_MS.
    const QByteArray signal = qgetenv("GLIMMER_SNI_SIGNAL");
    if (signal == "NewIcon")
        handover.signal = Handover::Signal::NewIcon;
    else if (signal == "PropertiesChanged")
        handover.signal = Handover::Signal::PropertiesChanged;
    const QByteArray frames = qgetenv("GLIMMER_SNI_FRAMES");
    if (!frames.isEmpty())
        handover.named = frames == "names";
    bool given = false;
    const int gap = qEnvironmentVariableIntValue("GLIMMER_SNI_GAP_MS", &given);
    if (given)
        handover.gap = std::chrono::milliseconds(gap);
    return handover;
}

/// Whether the host of the program that owns the watcher shows the item's title in
/// the place of an empty tooltip.
bool titleStandsForTipOn(const QString& watcher)
{
    // Plasma 5 shows the title then. Each tooltip it reads makes it look the
    // tooltip's icon up by name, on every frame: at 10 ms, 54 reads a second, that
    // lookup (a colour scheme made anew each time) took 11 % of plasmashell's time,
    // against 1 % without the tooltip, as with Qt's item, which sends none here
    // (BENCH_PROFILE in docs/PERFORMANCE.md). GLIMMER_SNI_TIP=always sends it all the
    // same, for a measurement.
    return watcher == QLatin1String("kded5") && qgetenv("GLIMMER_SNI_TIP") != "always";
}
} // namespace

bool QtTrayArea::add(const TrayRecord& record)
{
    if (icon_ || item_)
        return false;
    waitForTrayHost(kTrayHostWait);
    // A host on the bus comes first, as with Qt's own choice: a panel that is both
    // (Xfce's status tray) shows the item it draws itself.
    if (sni::StatusNotifierItem::hostPresent()) {
        item_ = std::make_unique<sni::StatusNotifierItem>(record);
        const QString watcher = sni::StatusNotifierItem::watcherProgram();
        item_->setFrameHandover(frameHandoverFor(watcher));
        item_->setTitleStandsForTip(titleStandsForTipOn(watcher));
        if (!item_->registerItem()) {
            item_.reset();
            return false;
        }
        return true;
    }
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return false;
    icon_ = std::make_unique<QSystemTrayIcon>(iconOf(record));
    icon_->setToolTip(record.tip);
    callback_ = record.callback;
    connect(icon_.get(), &QSystemTrayIcon::activated, this, &QtTrayArea::onActivated);
    qApp->installEventFilter(this);
    icon_->show();
    embeddedIcon_ = findEmbeddedIconWidget();
    embedded_ = !embeddedIcon_.isNull();
    return icon_->isVisible();
}

bool QtTrayArea::modify(const TrayRecord& record)
{
    if (item_) {
        // A host that goes away takes nothing with it: the item waits for the next.
        item_->update(record);
        return true;
    }
    if (!icon_ || (embedded_ && embeddedIcon_.isNull()))
        return false;
    // The player hands over its frame on every tick. Each change of the icon makes
    // Qt repaint the slot, so the frame the icon already shows is not handed on again.
    const QIcon& frame = iconOf(record);
    if (!Pictures::sameFrame(icon_->icon(), frame))
        icon_->setIcon(frame);
    // The tooltip changes seldom (once a second at most); only a change goes out.
    if (icon_->toolTip() != record.tip)
        icon_->setToolTip(record.tip);
    return true;
}

bool QtTrayArea::remove(const TrayRecord&)
{
    if (item_) {
        item_->withdraw();
        item_.reset();
        return true;
    }
    if (!icon_)
        return false;
    qApp->removeEventFilter(this);
    icon_->hide();
    icon_.reset();
    return true;
}

void QtTrayArea::popupMenu(QMenu& menu)
{
    menu.exec(QCursor::pos());
}

bool QtTrayArea::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        if (isTrayIconWidget(watched)) {
            sawOwnMouseEvents_ = true;
            if (const int message = messageFor(*static_cast<QMouseEvent*>(event)))
                report(message);
            return true; // Qt's own handling would emit activation reasons as well
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void QtTrayArea::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (sawOwnMouseEvents_)
        return; // the icon's own mouse events are reported already
    // Over D-Bus the activation arrives inside the host's method call; the report
    // runs after it has been answered, so a host never waits for the menu to close.
    int message = 0;
    switch (reason) {
    case QSystemTrayIcon::Context:
        message = TrayMessage::RightUp;
        break;
    case QSystemTrayIcon::Trigger:
        message = TrayMessage::LeftUp;
        break;
    case QSystemTrayIcon::DoubleClick:
        message = TrayMessage::LeftDoubleClick;
        break;
    default:
        return;
    }
    QMetaObject::invokeMethod(
        this, [this, message] { report(message); }, Qt::QueuedConnection);
}

void QtTrayArea::report(int message)
{
    if (callback_)
        callback_(message);
}

} // namespace glimmer
