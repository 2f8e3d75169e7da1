// The editor window's controls and where they stand (pixels of the client area).

#include "editor/Customfrm.h"
#include "editor/TitleValidator.h"
#include "formats/compiled_file.h"
#include "platform/Pictures.h"
#include "platform/widgets/ClickImage.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/Shape.h"
#include "platform/widgets/WindowLook.h"

#include <QFile>

namespace glimmer {

namespace {

QFont labelFont()
{
    return windowFont(8);
}

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& box,
                  bool wrap = false)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(labelFont());
    label->setGeometry(box);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(wrap);
    return label;
}

QLabel* makeExplanation(QWidget* parent, const char* name, const QString& text, const QRect& box)
{
    return makeLabel(parent, name, text, box, true);
}

/// A page heading with the line under it.
QLabel* makeHeading(QWidget* page, const char* name, const QString& text, const QRect& box,
                    int lineEnd)
{
    QLabel* heading = makeLabel(page, name, text, box);
    heading->setFont(windowFont(15, true));
    setTextColor(heading, buttonShadowColor());
    new LineShape(page, 0, lineEnd, 24, buttonShadowColor());
    return heading;
}

/// One of the pages' decorative icons; nothing when the artwork is missing.
void addDecoration(QWidget* page, const QString& resource, QPoint at)
{
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const std::optional<QImage> image = Pictures::decode(file.read(64 * 1024));
    if (!image)
        return;
    auto* picture = new QLabel(page);
    picture->setGeometry(QRect(at, QSize(16, 16)));
    picture->setPixmap(Pictures::stretched(*image, QSize(16, 16)));
}

/// A read-only number box on the button-face background.
QLineEdit* makeNumberBox(QWidget* page, const char* name, const QRect& box)
{
    auto* edit = new QLineEdit(page);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFont(labelFont());
    edit->setGeometry(box);
    edit->setReadOnly(true);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, buttonFaceColor());
    edit->setPalette(palette);
    return edit;
}

QScrollBar* makeScrollBar(QWidget* page, const char* name, Qt::Orientation orientation,
                          const QRect& box, int maximum)
{
    auto* bar = new QScrollBar(orientation, page);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setGeometry(box);
    bar->setRange(1, maximum);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    bar->setFocusPolicy(Qt::NoFocus);
    return bar;
}

struct ButtonSlots {
    ClickImage*& image;
    Shape*& shape;
    QLabel*& caption;
};

void makeButton(QWidget* parent, const QRect& box, const QString& text, const QColor& pressedFill,
                ButtonSlots into, const char* imageName, const char* shapeName,
                const char* captionName)
{
    ImageButtonLook look;
    look.restTransparent = true;
    look.pressedFill = pressedFill;
    look.outline = true;
    look.font = windowFont(9.75);
    const ImageButton button =
        makeImageButton(parent, box, text, look, {imageName, captionName, shapeName});
    into.image = button.image;
    into.shape = button.shape;
    into.caption = button.caption;
}

QWidget* makePage(QWidget* parent, const char* name)
{
    auto* page = new QWidget(parent);
    page->setObjectName(QString::fromLatin1(name));
    page->setGeometry(96, 40, 281, 177);
    page->setAutoFillBackground(true);
    QPalette palette = page->palette();
    palette.setColor(QPalette::Window, buttonFaceColor());
    page->setPalette(palette);
    return page;
}

} // namespace

void Customfrm::buildLeftColumn()
{
    const QColor face = buttonFaceColor();
    makeButton(this, {8, 8, 73, 33}, QStringLiteral("New"), face, {Image9, Shape4, Label6},
               "Image9", "Shape4", "Label6");
    makeButton(this, {8, 48, 73, 33}, QStringLiteral("Load"), face, {Image17, Shape3, Label7},
               "Image17", "Shape3", "Label7");
    makeButton(this, {8, 88, 73, 33}, QStringLiteral("Save"), face, {Image16, Shape2, Label8},
               "Image16", "Shape2", "Label8");
    makeButton(this, {8, 128, 73, 33}, QStringLiteral("Import"), face, {Image19, Shape11, Label20},
               "Image19", "Shape11", "Label20");
    makeButton(this, {8, 192, 73, 33}, QStringLiteral("Close"), face, {Image18, Shape5, Label5},
               "Image18", "Shape5", "Label5");
}

void Customfrm::buildHeaders()
{
    const QColor face = buttonFaceColor();
    const auto filled = [&](const char* name, const QRect& box) {
        auto* shape = new Shape(this);
        shape->setObjectName(QString::fromLatin1(name));
        shape->setGeometry(box);
        shape->setOutline(false);
        shape->setFillColor(face);
        return shape;
    };
    Shape6 = filled("Shape6", {88, 32, 297, 193});
    Shape7 = filled("Shape7", {88, 8, 73, 49});
    Shape8 = filled("Shape8", {168, 8, 73, 33});
    Shape9 = filled("Shape9", {248, 8, 73, 33});

    Line1 = new LineShape(this, 87, 159, 31, buttonShadowColor());
    Line2 = new LineShape(this, 167, 239, 31, buttonShadowColor());
    Line3 = new LineShape(this, 247, 319, 31, buttonShadowColor());
    Line1->setObjectName(QStringLiteral("Line1"));
    Line2->setObjectName(QStringLiteral("Line2"));
    Line3->setObjectName(QStringLiteral("Line3"));

    const auto caption = [&](const char* name, const QString& text, int x) {
        QLabel* label = makeLabel(this, name, text, {x, 8, 73, 25});
        label->setAlignment(Qt::AlignCenter);
        return label;
    };
    Label10 = caption("Label10", QStringLiteral("Information"), 88);
    Label11 = caption("Label11", QStringLiteral("Animation"), 168);
    Label12 = caption("Label12", QStringLiteral("Compile"), 248);

    const auto target = [&](const char* name, int x) {
        auto* image = new ClickImage(this);
        image->setObjectName(QString::fromLatin1(name));
        image->setGeometry(x, 8, 73, 25);
        return image;
    };
    Image5 = target("Image5", 88);
    Image6 = target("Image6", 168);
    Image7 = target("Image7", 248);

    Tab1 = makePage(this, "Tab1");
    Tab2 = makePage(this, "Tab2");
    Tab3 = makePage(this, "Tab3");
}

void Customfrm::buildInformationPage()
{
    QWidget* page = Tab1;
    Label13 =
        makeHeading(page, "Label13", QStringLiteral("Animation Information"), {0, 0, 265, 33}, 272);
    Label14 = makeExplanation(
        page, "Label14",
        QStringLiteral("Please name your animation, specify it's speed and number of frames."),
        {168, 40, 105, 57});

    Label4 = makeLabel(page, "Label4", QStringLiteral("Animation Title:"), {0, 40, 153, 16});
    Nametxt = new QLineEdit(page);
    Nametxt->setObjectName(QStringLiteral("Nametxt"));
    Nametxt->setFont(labelFont());
    Nametxt->setGeometry(0, 56, 153, 19);
    Nametxt->setMaxLength(12);
    Nametxt->setValidator(new TitleValidator(Nametxt));

    Label2 = makeLabel(page, "Label2", QStringLiteral("Default Speed:"), {0, 88, 153, 16});
    Speedtxt = makeNumberBox(page, "Speedtxt", {0, 104, 57, 19});
    VScroll2 = makeScrollBar(page, "VScroll2", Qt::Vertical, {64, 104, 9, 17}, 10);

    Label1 = makeLabel(page, "Label1", QStringLiteral("Number of Frames:"), {0, 136, 153, 16});
    Framestxt = makeNumberBox(page, "Framestxt", {0, 152, 57, 19});
    VScroll1 = makeScrollBar(page, "VScroll1", Qt::Vertical, {64, 152, 9, 17}, formats::kMaxFrames);

    for (int i = 0; i < 4; ++i)
        addDecoration(page, QStringLiteral(":/editor/info%1.ico").arg(i),
                      QPoint(184 + 20 * i, 120));
}

void Customfrm::buildFramesPage()
{
    QWidget* page = Tab2;
    Label15 =
        makeHeading(page, "Label15", QStringLiteral("Animation Frames"), {0, 0, 281, 25}, 280);

    Iconimg = new QLabel(page);
    Iconimg->setObjectName(QStringLiteral("Iconimg"));
    Iconimg->setGeometry(8, 40, 33, 33);

    Label3 = makeLabel(page, "Label3", QStringLiteral("Frame #:"), {48, 40, 48, 17});
    Framelbl = makeLabel(page, "Framelbl", QString(), {96, 40, 25, 17});
    HScroll1 = makeScrollBar(page, "HScroll1", Qt::Horizontal, {48, 56, 225, 17}, 20);
    // The thumb reports its position while it moves (the scroll event) and the value
    // changes once it is let go (the change event).
    HScroll1->setTracking(false);

    Filenamelbl = makeExplanation(page, "Filenamelbl", QString(), {8, 80, 265, 33});
    setTextColor(Filenamelbl, buttonShadowColor());
    Label16 = makeExplanation(page, "Label16",
                              QStringLiteral("Please select an icon file to use for each frame in "
                                             "the animation. Use the scroll bar to move through "
                                             "frames."),
                              {8, 112, 137, 57});
    makeButton(page, {168, 120, 105, 33}, QStringLiteral("Choose Icon"), buttonShadowColor(),
               {Image10, Shape10, Label17}, "Image10", "Shape10", "Label17");
}

void Customfrm::buildCompilePage()
{
    QWidget* page = Tab3;
    Label18 =
        makeHeading(page, "Label18", QStringLiteral("Compile Animation"), {0, 0, 273, 25}, 272);
    Label19 = makeExplanation(
        page, "Label19",
        QStringLiteral("Once all your information is entered, you can compile your animation into "
                       "a \".GX\" file. You may distribute \".GX\" files however you like. Note "
                       "that you cannot load and edit an animation once it is saved as a \".GX\" "
                       "file. You can only load and edit \".RGX\" files. Press \"Compile\" to "
                       "start the compilation process."),
        {0, 48, 273, 81});
    makeButton(page, {200, 136, 73, 33}, QStringLiteral("Compile"), buttonShadowColor(),
               {Image14, Shape1, Label9}, "Image14", "Shape1", "Label9");

    for (int i = 0; i < 3; ++i)
        addDecoration(page, QStringLiteral(":/editor/compile%1.ico").arg(i),
                      QPoint(8 + 24 * i, 144));
}

} // namespace glimmer
