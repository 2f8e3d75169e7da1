#pragma once

#include "runtime/Form.h"

#include <QTimer>
#include <array>

class QLabel;
class QMouseEvent;

namespace glimmer {

class ClickImage;
class ClickLabel;
class Shape;

/// The "About" window: product name, rights line, contact lines, version and a
/// "Close" button. Two invisible spots on the product name, clicked left then
/// right, reveal a picture that cycles through five icons once a second.
class Aboutfrm final : public Form {
    Q_OBJECT
public:
    explicit Aboutfrm(Program& program);

    /// Centres the window on the screen.
    void Form_Load() override;
    /// Stops the animation and gives the tray menu and the options window back:
    /// `Showmnu`, `mnuTrayAbout`, `mnuTrayExit`, then `Optionfrm` (created hidden
    /// if it does not exist), then `Editmnu`.
    void Form_Unload() override;

    /// A click on the window's own background: breaks the hidden sequence.
    void Form_Click();
    /// "Close": unloads the window.
    void Image1_Click();
    /// The left spot: arms the hidden sequence (a second click keeps it armed).
    void Image2_Click();
    /// The right spot: when armed, reveals the picture and starts its animation;
    /// otherwise does nothing.
    void Image3_Click();
    /// Clicks on the texts break the hidden sequence; none of them opens anything.
    void Label1_Click() { disarm(); }
    void Label2_Click() { disarm(); }
    void Label3_Click() { disarm(); }
    void Label4_Click() { disarm(); }
    void Label5_Click() { disarm(); }
    void Label7_Click() { disarm(); }
    /// The revealed picture: shows the congratulation message, every time.
    void picimage_Click();
    /// One step of the revealed animation: frames 1, 2, 3, 4, 0, 1, ... stretched
    /// into `picimage`.
    void Timer1_Timer();

    /// True after a click on the left spot, until a text or background click.
    bool armed() const { return armed_; }
    /// Index (0..4) of the frame `picimage` shows, or last showed.
    qint16 frameCounter() const { return frameCounter_; }

    // Controls, bottom of the stack first.
    Shape* Shape1 = nullptr;
    Shape* Shape2 = nullptr;
    Shape* Shape3 = nullptr;
    QLabel* Label6 = nullptr;
    ClickImage* Image1 = nullptr;
    ClickLabel* Label1 = nullptr;
    ClickLabel* Label2 = nullptr;
    ClickLabel* Label3 = nullptr;
    ClickLabel* Label4 = nullptr;
    ClickLabel* Label5 = nullptr;
    ClickLabel* Label7 = nullptr;
    ClickImage* Image2 = nullptr;
    ClickImage* Image3 = nullptr;
    ClickImage* picimage = nullptr;
    /// Always hidden; they only hold the five frames of the revealed animation.
    std::array<QLabel*, 5> Imager{};
    /// Drives the revealed animation: 1000 ms, off until the reveal.
    QTimer Timer1;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void buildPanels();
    void buildLabels();
    void buildPictures();
    void disarm() { armed_ = false; }

    bool armed_ = false;
    qint16 frameCounter_ = 0;
};

} // namespace glimmer
