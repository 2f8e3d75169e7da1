#include "platform/qt/QtTrayArea.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>

namespace glimmer {

namespace {
bool isTrayIconWidget(QObject* object)
{
    // Qt's own XEmbed tray widget; private, so it is recognised by its class name.
    return object->isWidgetType() && object->inherits("QSystemTrayIconSys");
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

bool QtTrayArea::add(const TrayRecord& record)
{
    if (icon_ || !QSystemTrayIcon::isSystemTrayAvailable())
        return false;
    icon_ = std::make_unique<QSystemTrayIcon>(iconOf(record));
    icon_->setToolTip(record.tip);
    callback_ = record.callback;
    connect(icon_.get(), &QSystemTrayIcon::activated, this, &QtTrayArea::onActivated);
    qApp->installEventFilter(this);
    icon_->show();
    return icon_->isVisible();
}

bool QtTrayArea::modify(const TrayRecord& record)
{
    if (!icon_ || !QSystemTrayIcon::isSystemTrayAvailable())
        return false;
    icon_->setIcon(iconOf(record));
    return true;
}

bool QtTrayArea::remove(const TrayRecord&)
{
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
    switch (reason) {
    case QSystemTrayIcon::Context:
        report(TrayMessage::RightUp);
        break;
    case QSystemTrayIcon::Trigger:
        report(TrayMessage::LeftUp);
        break;
    case QSystemTrayIcon::DoubleClick:
        report(TrayMessage::LeftDoubleClick);
        break;
    default:
        break;
    }
}

void QtTrayArea::report(int message)
{
    if (callback_)
        callback_(message);
}

} // namespace glimmer
