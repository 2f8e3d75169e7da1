#pragma once

#include <QColor>
#include <QWidget>

namespace glimmer {

/// A rounded rectangle drawn at its geometry: optionally filled, optionally outlined.
/// It never takes the mouse, so clicks fall through to what lies below or above.
class Shape final : public QWidget {
    Q_OBJECT
public:
    explicit Shape(QWidget* parent = nullptr);

    void setFillColor(const QColor& color);
    QColor fillColor() const { return fill_; }
    /// A transparent fill draws only the outline.
    void setFillTransparent(bool transparent);
    bool fillTransparent() const { return transparentFill_; }
    void setOutline(bool outline);
    void setOutlineColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_;
    QColor outlineColor_ = Qt::black;
    bool transparentFill_ = false;
    bool outline_ = true;
};

/// A line drawn in one colour between two points of its parent, as a thin widget.
class LineShape final : public QWidget {
    Q_OBJECT
public:
    /// A horizontal line at `y` from `x1` to `x2` inclusive.
    LineShape(QWidget* parent, int x1, int x2, int y, const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
};

} // namespace glimmer
