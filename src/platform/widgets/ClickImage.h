#pragma once

#include <QLabel>

namespace glimmer {

/// A picture control that receives the mouse: it reports button down and button up
/// for any button, and a click for a left-button press and release inside it. Without a picture it
/// is an invisible hot spot. It takes no keyboard focus.
class ClickImage final : public QLabel {
    Q_OBJECT
public:
    explicit ClickImage(QWidget* parent = nullptr);

    /// Runs the same steps as a user's click: mouse down, mouse up, click.
    void simulateClick();

signals:
    void mouseDown();
    void mouseUp();
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

/// A label that reports clicks, for windows where clicking text has an effect.
class ClickLabel final : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace glimmer
