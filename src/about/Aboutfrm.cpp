#include "about/Aboutfrm.h"

#include "platform/MessageBoxes.h"
#include "platform/Pictures.h"
#include "platform/widgets/ClickImage.h"
#include "platform/widgets/FitText.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/Shape.h"
#include "platform/widgets/WindowLook.h"
#include "runtime/Program.h"

#include <QFile>
#include <QLabel>
#include <QMouseEvent>

namespace glimmer {

namespace {

/// The picture of one frame of the hidden animation; null when the artwork is
/// missing, and the frame then simply shows nothing.
QPixmap aboutFrame(int index)
{
    QFile file(QStringLiteral(":/about/%1.ico").arg(index));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const std::optional<QImage> image = Pictures::decode(file.read(64 * 1024));
    return image ? QPixmap::fromImage(*image) : QPixmap();
}

} // namespace

Aboutfrm::Aboutfrm(Program& program)
    : Form(program, QStringLiteral("About"), QSize(twips(4560), twips(2835)))
{
    setObjectName(QStringLiteral("Aboutfrm"));
    // Small type, 8 points: the texts' places are measured to fit it.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    // Created bottom first: each new child lies above the ones before it.
    buildPanels();
    buildLabels();
    buildPictures();
    fitTexts(this);

    Timer1.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, &Aboutfrm::Timer1_Timer);
}

void Aboutfrm::buildPanels()
{
    for (Shape** panel : {&Shape1, &Shape2}) {
        *panel = new Shape(this);
        (*panel)->setOutline(false);
        (*panel)->setFillColor(buttonShadowColor());
    }
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(twipsRect(120, 120, 4335, 2295));
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->setGeometry(twipsRect(1080, 120, 2535, 2655));

    const ImageButtonLook look = raisedButtonLook(font());
    const ImageButton close =
        makeImageButton(this, twipsRect(1440, 2280, 1815, 375), QStringLiteral("Close"), look,
                        {"Image1", "Label6", "Shape3"});
    Shape3 = close.shape;
    Label6 = close.caption;
    Image1 = close.image;
    connect(Image1, &ClickImage::clicked, this, &Aboutfrm::Image1_Click);
}

void Aboutfrm::buildLabels()
{
    struct Text {
        ClickLabel** label;
        const char* name;
        QString text;
        QRect box;
        Qt::Alignment alignment;
        bool faceColoured; ///< button-face text; white otherwise
        void (Aboutfrm::*click)();
    };
    const Text texts[] = {
        {&Label1, "Label1", QStringLiteral("Glimmerbox"), twipsRect(480, 240, 3615, 495),
         Qt::AlignHCenter, true, &Aboutfrm::Label1_Click},
        {&Label2, "Label2", QStringLiteral("Animations you make are yours to share."),
         twipsRect(360, 840, 3855, 255), Qt::AlignHCenter, false, &Aboutfrm::Label2_Click},
        {&Label3, "Label3", QStringLiteral("Contact:"), twipsRect(480, 1200, 735, 255),
         Qt::AlignLeft, true, &Aboutfrm::Label3_Click},
        {&Label4, "Label4", QStringLiteral("Help: Readme.txt beside the program"),
         twipsRect(480, 1440, 3615, 255), Qt::AlignLeft, false, &Aboutfrm::Label4_Click},
        {&Label5, "Label5", QStringLiteral("Share .gx, keep .rgx to edit"),
         twipsRect(480, 1680, 3495, 255), Qt::AlignLeft, false, &Aboutfrm::Label5_Click},
        {&Label7, "Label7", QStringLiteral("Version 2.0"), twipsRect(3000, 1680, 1095, 255),
         Qt::AlignRight, true, &Aboutfrm::Label7_Click},
    };
    for (const Text& entry : texts) {
        auto* label = new ClickLabel(entry.text, this);
        label->setObjectName(QString::fromLatin1(entry.name));
        label->setGeometry(entry.box);
        label->setAlignment(entry.alignment | Qt::AlignTop);
        label->setFocusPolicy(Qt::NoFocus);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, entry.faceColoured ? buttonFaceColor() : Qt::white);
        label->setPalette(palette);
        connect(label, &ClickLabel::clicked, this, entry.click);
        *entry.label = label;
    }

    Label1->setFont(windowFont(21.75));
}

void Aboutfrm::buildPictures()
{
    Image2 = new ClickImage(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(twipsRect(720, 240, 255, 495));
    connect(Image2, &ClickImage::clicked, this, &Aboutfrm::Image2_Click);

    Image3 = new ClickImage(this);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setGeometry(twipsRect(1680, 240, 375, 495));
    connect(Image3, &ClickImage::clicked, this, &Aboutfrm::Image3_Click);

    picimage = new ClickImage(this);
    picimage->setObjectName(QStringLiteral("picimage"));
    picimage->setGeometry(twipsRect(1560, 720, 1575, 1455));
    picimage->hide();
    connect(picimage, &ClickImage::clicked, this, &Aboutfrm::picimage_Click);

    for (int i = 0; i < static_cast<int>(Imager.size()); ++i) {
        auto* frame = new QLabel(this);
        frame->setObjectName(QStringLiteral("Imager%1").arg(i));
        frame->setGeometry(twipsRect(600, 2160, 480, 480));
        frame->setPixmap(aboutFrame(i));
        frame->hide();
        Imager[static_cast<std::size_t>(i)] = frame;
    }
}

void Aboutfrm::Form_Load()
{
    centreOnScreen();
}

void Aboutfrm::Form_Unload()
{
    Timer1.stop();
    program_.giveMenuBack();
    program_.setWindowEnabled(WindowKind::Options, true);
}

void Aboutfrm::mousePressEvent(QMouseEvent* event)
{
    // Presses on the labels and the panels arrive here too (neither takes the
    // press); both break the sequence, so the result is the same.
    if (event->button() == Qt::LeftButton)
        Form_Click();
    Form::mousePressEvent(event);
}

void Aboutfrm::Form_Click()
{
    disarm();
}

void Aboutfrm::Image1_Click()
{
    unload();
}

void Aboutfrm::Image2_Click()
{
    armed_ = true;
}

void Aboutfrm::Image3_Click()
{
    if (!armed_)
        return;
    Timer1.start();
    Image2->hide();
    picimage->show();
    armed_ = false;
}

void Aboutfrm::picimage_Click()
{
    program_.services().messages.ok(
        QStringLiteral("Congratulations to the entire graduating class of 1998!"),
        MessageIcon::None, QStringLiteral("Glimmerbox"));
}

void Aboutfrm::Timer1_Timer()
{
    ++frameCounter_;
    if (frameCounter_ == 5)
        frameCounter_ = 0;
    const QPixmap frame = Imager[static_cast<std::size_t>(frameCounter_)]->pixmap();
    if (frame.isNull())
        picimage->clear();
    else
        picimage->setPixmap(Pictures::stretched(frame.toImage(), picimage->size()));
}

} // namespace glimmer
