#pragma once

#include "runtime/Form.h"

#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QScrollBar;

namespace glimmer {

class ClickImage;
class Shape;

/// The "Animation Options" window: the choice of animation and speed, applied at
/// once to the animation running in the tray, kept by "Okay" and rolled back by
/// "Cancel"; and the list of the compiled animations in the program's folder.
class Optionfrm final : public Form {
    Q_OBJECT
public:
    explicit Optionfrm(Program& program);

    /// Makes the program's folder the current directory, centres the window, keeps
    /// the running animation and interval for "Cancel", fills the custom list, then
    /// selects the running animation (which runs its click) and shows the running
    /// speed on the bar.
    void Form_Load() override;
    /// Enables the four tray menu entries again; runs however the window closes.
    void Form_Unload() override;

    /// The built-in choices: set the animation number, then move the speed bar to
    /// the animation's own position (which sets the interval when the bar moves).
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();
    void Option6_Click();
    /// "Custom:": the custom choice.
    void Option7_Click();
    /// The user picked an entry: the custom choice, but only while "Custom:" is selected.
    void Combo1_Click();
    /// The bar stands at a new position: the running interval follows the speed table.
    void HScroll1_Change();
    /// "Okay": stores "Previous" and "Speed" from the running animation, and "Pace"
    /// once the option was used (ticked, or stored before) where it is available,
    /// then closes.
    void Image8_Click();
    /// "Cancel": puts back the animation and interval of the moment the window
    /// loaded, then closes.
    void Image7_Click();
    /// "Follow CPU load": the pace follows the processor load, or not, at once.
    void Check1_Click();

    /// Lists the titles of the compiled files of the current directory in
    /// `Combo1` and shows the entry of the loaded custom animation, else the first.
    void FillCustomList();
    /// Finds the file of the shown entry by its title (the last match wins), stores
    /// its name as "Custom", loads it, selects animation 7 and applies its speed.
    /// An empty entry is refused with a message and changes nothing.
    void ChooseCustomAnimation();

    /// Selects the option button of animation `number` as code does it: its click
    /// runs too. Any number outside 1..7 selects nothing.
    void selectOption(int number);

    QLabel* Label1 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option4 = nullptr;
    QRadioButton* Option5 = nullptr;
    QRadioButton* Option6 = nullptr;
    QRadioButton* Option7 = nullptr;
    QComboBox* Combo1 = nullptr;
    QLabel* Image1 = nullptr;     ///< Aquarium preview
    QLabel* Image2 = nullptr;     ///< Lava Lamp preview
    QLabel* Image3 = nullptr;     ///< Busy Eyes preview
    QLabel* Image4 = nullptr;     ///< Fuzzy T.V preview
    QLabel* Image5 = nullptr;     ///< Cow preview
    QLabel* Image6 = nullptr;     ///< Colour Wheel preview
    ClickImage* Image7 = nullptr; ///< "Cancel"
    Shape* Shape12 = nullptr;
    QLabel* Label2 = nullptr;
    ClickImage* Image8 = nullptr; ///< "Okay"
    Shape* Shape13 = nullptr;
    QLabel* Label3 = nullptr;
    QCheckBox* Check1 = nullptr; ///< "Follow CPU load"

    /// The animation number and the interval "Cancel" puts back.
    std::int16_t savedAnimation() const { return savedAnimation_; }
    int savedInterval() const { return savedInterval_; }

private:
    void buildDecoration();
    void buildPreviews();
    void buildChoices();
    void buildButtons();
    void chooseBuiltin(std::int16_t number);
    QRadioButton* optionButton(int number) const;

    std::int16_t savedAnimation_ = 0;
    int savedInterval_ = 0;
    bool savedPace_ = false;
    bool kept_ = false; ///< closed by "Okay"
};

} // namespace glimmer
