#include "options/Optionfrm.h"

#include "formats/speed_steps.h"
#include "platform/Environment.h"
#include "platform/SettingsStore.h"
#include "platform/widgets/ClickImage.h"
#include "platform/widgets/FitText.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/Shape.h"
#include "platform/widgets/WindowLook.h"
#include "runtime/Program.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QRadioButton>
#include <QScrollBar>

namespace glimmer {

namespace {

/// The speed bar position each built-in animation brings along, by animation number.
constexpr std::array<int, 7> kDefaultPositions{0, 5, 5, 1, 10, 2, 5};

} // namespace

Optionfrm::Optionfrm(Program& program)
    : Form(program, QStringLiteral("Animation Options"), QSize(twips(5100), twips(3390)))
{
    setFont(windowFont(8));

    // Controls made first lie lowest: the decoration, then the previews beneath the
    // option buttons, then the buttons whose picture takes the mouse on top.
    buildDecoration();
    buildPreviews();
    buildChoices();
    buildButtons();
    fitTexts(this);
}

void Optionfrm::buildDecoration()
{
    const auto frame = [this](const char* name, const QRect& geometry) {
        auto* shape = new Shape(this);
        shape->setObjectName(QString::fromLatin1(name));
        shape->setGeometry(geometry);
        shape->setFillTransparent(true);
        shape->setOutline(true);
        shape->setOutlineColor(buttonShadowColor());
    };
    frame("Shape1", twipsRect(840, 240, 4095, 495));  // around the speed bar
    frame("Shape2", twipsRect(840, 840, 4095, 1560)); // around the animations
}

void Optionfrm::buildPreviews()
{
    struct Preview {
        QLabel** control;
        const char* name;
        const char* set;
        int left;
        int top;
    };
    const Preview previews[] = {
        {&Image1, "Image1", "FT", 1200, 960},  {&Image2, "Image2", "LL", 1200, 1320},
        {&Image3, "Image3", "EY", 1200, 1680}, {&Image4, "Image4", "TV", 1200, 2040},
        {&Image5, "Image5", "CW", 2880, 960},  {&Image6, "Image6", "SW", 2880, 1320},
    };
    for (const Preview& preview : previews) {
        auto* image = new QLabel(this);
        image->setObjectName(QString::fromLatin1(preview.name));
        image->setGeometry(twipsRect(preview.left, preview.top, 480, 480));
        image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        image->setAttribute(Qt::WA_TransparentForMouseEvents);
        // A missing picture leaves the spot empty.
        const QImage icon(QStringLiteral(":/previews/%1.ico").arg(QLatin1String(preview.set)));
        if (!icon.isNull())
            image->setPixmap(QPixmap::fromImage(icon));
        *preview.control = image;
    }
}

void Optionfrm::buildChoices()
{
    Label1 = new QLabel(QStringLiteral("Speed:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(960, 360, 615, 255));

    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setGeometry(twipsRect(1560, 360, 3135, 255));
    HScroll1->setRange(formats::kSlowestStep, formats::kFastestStep);
    HScroll1->setValue(5);
    HScroll1->setSingleStep(1);
    HScroll1->setPageStep(1);
    // A dragged thumb applies when it is let go, not on the way.
    HScroll1->setTracking(false);
    HScroll1->setFocusPolicy(Qt::StrongFocus);
    connect(HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });

    struct Choice {
        QRadioButton** control;
        const char* name;
        const char* caption;
        QRect geometry;
        void (Optionfrm::*click)();
    };
    const Choice choices[] = {
        {&Option2, "Option2", "Aquarium", twipsRect(1560, 960, 1215, 255),
         &Optionfrm::Option2_Click},
        {&Option1, "Option1", "Lava Lamp", twipsRect(1560, 1320, 1215, 255),
         &Optionfrm::Option1_Click},
        {&Option3, "Option3", "Busy Eyes", twipsRect(1560, 1680, 1215, 255),
         &Optionfrm::Option3_Click},
        {&Option4, "Option4", "Fuzzy T.V", twipsRect(1560, 2040, 1215, 255),
         &Optionfrm::Option4_Click},
        {&Option5, "Option5", "Cow", twipsRect(3240, 960, 1335, 255), &Optionfrm::Option5_Click},
        {&Option6, "Option6", "Colour Wheel", twipsRect(3240, 1320, 1335, 255),
         &Optionfrm::Option6_Click},
        {&Option7, "Option7", "Custom:", twipsRect(3240, 1680, 975, 255),
         &Optionfrm::Option7_Click},
    };
    for (const Choice& choice : choices) {
        auto* option = new QRadioButton(QString::fromLatin1(choice.caption), this);
        option->setObjectName(QString::fromLatin1(choice.name));
        option->setGeometry(choice.geometry);
        connect(option, &QRadioButton::clicked, this, choice.click);
        *choice.control = option;
    }
    Option2->setChecked(true);

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setGeometry(twipsRect(3240, 1920, 1575, 315));
    Combo1->setEditable(false);
    connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });

    setTabOrder(HScroll1, Option2);
    setTabOrder(Option2, Option1);
    setTabOrder(Option1, Option3);
    setTabOrder(Option3, Option4);
    setTabOrder(Option4, Option5);
    setTabOrder(Option5, Option6);
    setTabOrder(Option6, Combo1);
    setTabOrder(Combo1, Option7);
    HScroll1->setFocus();
}

void Optionfrm::buildButtons()
{
    const ImageButtonLook look = raisedButtonLook(font());

    const ImageButton cancel =
        makeImageButton(this, twipsRect(2400, 2760, 1095, 375), QStringLiteral("Cancel"), look,
                        {"Image7", "Label2", "Shape12"});
    Image7 = cancel.image;
    Label2 = cancel.caption;
    Shape12 = cancel.shape;
    connect(Image7, &ClickImage::clicked, this, &Optionfrm::Image7_Click);

    const ImageButton okay =
        makeImageButton(this, twipsRect(3720, 2760, 1095, 375), QStringLiteral("Okay"), look,
                        {"Image8", "Label3", "Shape13"});
    Image8 = okay.image;
    Label3 = okay.caption;
    Shape13 = okay.shape;
    connect(Image8, &ClickImage::clicked, this, &Optionfrm::Image8_Click);

    // Our own option, in the free space left of "Cancel".
    Check1 = new QCheckBox(QStringLiteral("Follow CPU load"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(16, 186, 136, 21);
    connect(Check1, &QCheckBox::clicked, this, &Optionfrm::Check1_Click);
}

void Optionfrm::Form_Load()
{
    ProgramState& state = program_.state();
    Environment& environment = program_.services().environment;

    // The custom list and the loader both look in the program's folder from now on,
    // for the rest of the run.
    environment.setCurrentDirectory(environment.programFolder());
    centreOnScreen();
    savedAnimation_ = state.CurrentAnimation;
    // Kept whole, so that "Cancel" puts back exactly the interval that ran, also
    // one written by hand that is beyond the 16-bit range.
    savedInterval_ = program_.interval();
    savedPace_ = program_.paceFollowsLoad();
    Check1->setEnabled(program_.paceAvailable());
    Check1->setChecked(savedPace_);
    FillCustomList();
    selectOption(state.CurrentAnimation);
    if (const auto position = formats::stepForInterval(program_.interval()))
        HScroll1->setValue(*position);
}

void Optionfrm::Form_Unload()
{
    // Like "Cancel", the close box puts the pace back as it was.
    if (!kept_)
        program_.setPaceFollowsLoad(savedPace_);
    program_.giveMenuBack();
}

QRadioButton* Optionfrm::optionButton(int number) const
{
    const std::array<QRadioButton*, 7> buttons{Option1, Option2, Option3, Option4,
                                               Option5, Option6, Option7};
    if (number < 1 || number > 7)
        return nullptr;
    return buttons[static_cast<std::size_t>(number - 1)];
}

void Optionfrm::selectOption(int number)
{
    QRadioButton* button = optionButton(number);
    if (!button)
        return;
    // Selecting from code does not click in Qt; the click runs as the user's would.
    button->setChecked(true);
    using Click = void (Optionfrm::*)();
    constexpr std::array<Click, 7> clicks{&Optionfrm::Option1_Click, &Optionfrm::Option2_Click,
                                          &Optionfrm::Option3_Click, &Optionfrm::Option4_Click,
                                          &Optionfrm::Option5_Click, &Optionfrm::Option6_Click,
                                          &Optionfrm::Option7_Click};
    (this->*clicks[static_cast<std::size_t>(number - 1)])();
}

void Optionfrm::chooseBuiltin(std::int16_t number)
{
    program_.playAnimation(number);
    // The interval follows only when the bar really moves.
    HScroll1->setValue(kDefaultPositions[static_cast<std::size_t>(number)]);
}

void Optionfrm::Option1_Click()
{
    chooseBuiltin(Animation::LavaLamp);
}

void Optionfrm::Option2_Click()
{
    chooseBuiltin(Animation::Aquarium);
}

void Optionfrm::Option3_Click()
{
    chooseBuiltin(Animation::BusyEyes);
}

void Optionfrm::Option4_Click()
{
    chooseBuiltin(Animation::FuzzyTV);
}

void Optionfrm::Option5_Click()
{
    chooseBuiltin(Animation::Cow);
}

void Optionfrm::Option6_Click()
{
    chooseBuiltin(Animation::ColourWheel);
}

void Optionfrm::Option7_Click()
{
    ChooseCustomAnimation();
}

void Optionfrm::Combo1_Click()
{
    // While another animation is selected the pick only waits for "Custom:".
    if (Option7->isChecked())
        ChooseCustomAnimation();
}

void Optionfrm::HScroll1_Change()
{
    if (const auto interval = formats::intervalForStep(HScroll1->value()))
        program_.setInterval(*interval);
}

void Optionfrm::Image8_Click()
{
    SettingsStore& settings = program_.services().settings;
    settings.save(Setting::Application, Setting::Section, Setting::Previous,
                  QString::number(program_.state().CurrentAnimation));
    settings.save(Setting::Application, Setting::Section, Setting::Speed,
                  QString::number(program_.interval()));
    // "Pace" is written only once the option was used: ticked now, or stored before and
    // now turned off. Where the load cannot be read the box is greyed, and a stored
    // choice stays for a machine where it can.
    const bool stored =
        !settings.read(Setting::Application, Setting::Section, Setting::Pace, QString()).isEmpty();
    if (Check1->isEnabled() && (program_.paceFollowsLoad() || stored)) {
        settings.save(Setting::Application, Setting::Section, Setting::Pace,
                      program_.paceFollowsLoad() ? Setting::PaceFollowsLoad : Setting::PaceOff);
    }
    kept_ = true;
    unload();
}

void Optionfrm::Image7_Click()
{
    program_.playAnimation(savedAnimation_);
    // An interval of 0 would spin the processor; there is always one saved, but
    // never put back nothing.
    if (savedInterval_ > 0)
        program_.setInterval(savedInterval_);
    unload();
}

void Optionfrm::Check1_Click()
{
    program_.setPaceFollowsLoad(Check1->isChecked());
    Check1->setChecked(program_.paceFollowsLoad());
}

} // namespace glimmer
