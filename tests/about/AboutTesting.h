#pragma once

// Shared by the about box tests: open the box as the tray menu does, and click on
// it through its window, so that each click reaches whatever control lies on top
// at that point.

#include "TestProgram.h"
#include "about/Aboutfrm.h"
#include "platform/widgets/WindowLook.h"
#include "runtime/frmTray.h"

#include <QMap>
#include <QPoint>
#include <QRect>
#include <QTest>

namespace glimmer::test {

/// Named spots of the window, in window pixels.
inline QPoint spot(const QString& name)
{
    static const QMap<QString, QPoint> spots{
        {"left", twipsRect(720, 240, 255, 495).center()},   // Image2
        {"right", twipsRect(1680, 240, 375, 495).center()}, // Image3
        {"Label1", {200, 32}},                              // the title, off both spots
        {"Label2", {40, 64}},
        {"Label3", {50, 88}},
        {"Label4", {50, 104}},
        {"Label5", {50, 120}},
        {"Label7", {268, 120}}, // right of where Label5 ends
        {"background", {12, 150}},
        {"close", twipsRect(1440, 2280, 1815, 375).center()},
        {"picture", twipsRect(1560, 720, 1575, 1455).center()},
    };
    return spots.value(name);
}

/// Chooses "About" in the tray menu and waits until the box is on screen.
inline Aboutfrm& openAbout(TestProgram& t)
{
    t.program.start();
    choose(t.program.tray(), "About");
    Aboutfrm& about = t.aboutfrm();
    if (!QTest::qWaitForWindowExposed(&about))
        qFatal("the about box was not shown");
    return about;
}

/// A left click (or `button`) at a named spot, delivered through the window.
inline void clickAt(Aboutfrm& about, const QString& name, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(about.windowHandle(), button, {}, spot(name));
}

} // namespace glimmer::test
