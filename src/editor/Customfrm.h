#pragma once

#include "editor/AnimationModel.h"
#include "files/Animation.h"
#include "runtime/Form.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QString>
#include <optional>

namespace glimmer {

class ClickImage;
class LineShape;
class Shape;

/// The "Custom Glimmerbox" window: the animation editor. The animation under
/// construction lives in its controls (title, speed, frame count, current frame,
/// `Lenlbl`) and in its model's `FrameFiles` and `IconSize`. It writes .rgx and .gx
/// files through the file operations; it never touches the running animation.
class Customfrm final : public Form {
    Q_OBJECT
public:
    explicit Customfrm(Program& program);

    /// Centres the window, selects the "Information" page and starts a new animation.
    void Form_Load() override;
    /// Enables the four tray menu entries again.
    void Form_Unload() override;

    /// Starts a new animation: no paths, no icon size, "My Animation", speed 1,
    /// 20 frames, frame 1 current. Leaves the selected page alone.
    void NewFile();

    /// Frame display: shows the path, number and icon of the current frame.
    void HScroll1_Change();
    /// The same display while the scroller's thumb is dragged.
    void HScroll1_Scroll();
    /// Frames spinner: runs upside down (its top is 50 frames); shows the frame count
    /// and makes it the scroller's maximum.
    void VScroll1_Change();
    /// Speed spinner: shows 11 minus its value.
    void VScroll2_Change();

    /// Page selection: "Information", "Animation", "Compile".
    void Image5_Click();
    void Image6_Click();
    void Image7_Click();

    /// New: asks, then starts a new animation on Yes.
    void Image9_Click();
    /// Choose Icon: gives the current frame an accepted icon file.
    void Image10_Click();
    /// Compile: writes the animation as a .gx file.
    void Image14_Click();
    /// Save: writes the animation as a .rgx file.
    void Image16_Click();
    /// Load: replaces the animation with the content of a .rgx file.
    void Image17_Click();
    /// Load's work once a file is chosen: refuses a name that does not end in "RGX",
    /// else replaces the animation with the file's, showing frame 1; a file that
    /// fails to load leaves a new animation and says why.
    void loadRawFile(const QString& path);
    /// Close: closes the window without asking.
    void Image18_Click();
    /// Import: turns pictures (an animated GIF, a strip, several pictures) into
    /// icons in a new folder beside them and makes them the animation, as Load does.
    void Image19_Click();

    /// The page in front (`Tab1`, `Tab2` or `Tab3`).
    QWidget* frontPage() const { return front_; }
    /// The accepted icon size as `Lenlbl` holds it; nothing while no icon was accepted.
    std::optional<int> acceptedIconSize() const;
    /// The icons of the animation under construction.
    const AnimationModel& model() const { return model_; }

    // Left column: New, Load, Save, Import, Close.
    ClickImage* Image19 = nullptr;
    Shape* Shape11 = nullptr;
    QLabel* Label20 = nullptr;
    ClickImage* Image9 = nullptr;
    ClickImage* Image17 = nullptr;
    ClickImage* Image16 = nullptr;
    ClickImage* Image18 = nullptr;
    Shape* Shape4 = nullptr;
    Shape* Shape3 = nullptr;
    Shape* Shape2 = nullptr;
    Shape* Shape5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label5 = nullptr;

    // Tab headers and the page frame.
    ClickImage* Image5 = nullptr;
    ClickImage* Image6 = nullptr;
    ClickImage* Image7 = nullptr;
    Shape* Shape7 = nullptr;
    Shape* Shape8 = nullptr;
    Shape* Shape9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    LineShape* Line1 = nullptr;
    LineShape* Line2 = nullptr;
    LineShape* Line3 = nullptr;
    Shape* Shape6 = nullptr;
    QWidget* Tab1 = nullptr;
    QWidget* Tab2 = nullptr;
    QWidget* Tab3 = nullptr;

    // "Animation Information".
    QLabel* Label13 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Nametxt = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Speedtxt = nullptr;
    QScrollBar* VScroll2 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Framestxt = nullptr;
    QScrollBar* VScroll1 = nullptr;

    // "Animation Frames".
    QLabel* Label15 = nullptr;
    QLabel* Iconimg = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Framelbl = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QLabel* Filenamelbl = nullptr;
    QLabel* Label16 = nullptr;
    ClickImage* Image10 = nullptr;
    Shape* Shape10 = nullptr;
    QLabel* Label17 = nullptr;

    // "Compile Animation".
    QLabel* Label18 = nullptr;
    QLabel* Label19 = nullptr;
    ClickImage* Image14 = nullptr;
    Shape* Shape1 = nullptr;
    QLabel* Label9 = nullptr;

    /// The accepted icon size as text; empty while no icon has been accepted.
    QLabel* Lenlbl = nullptr;

private:
    // Layout, created bottom first (each new control lies above those before it).
    void buildLeftColumn();
    void buildHeaders();
    void buildInformationPage();
    void buildFramesPage();
    void buildCompilePage();
    void wireEvents();

    /// Shows frame `n`: its path, its number and its icon; reports an icon that
    /// cannot be shown.
    void showFrame(int n);
    /// Hides the chosen header's separator line and brings its page to the front.
    void selectPage(LineShape* line, QWidget* page);

    /// The animation under construction, for the file operations.
    AnimationDraft draft() const;
    /// Puts a whole animation into the editor (after NewFile): its title, speed step,
    /// frame count, icon size and the icons of its frames; frame 1 is current.
    void setAnimation(const AnimationDraft& animation);
    /// Shows the sentence of a refused file operation; true when it was done.
    bool report(const FileOutcome& outcome);

    AnimationModel model_;
    QWidget* front_ = nullptr;
};

} // namespace glimmer
