#include "editor/Customfrm.h"

#include "editor/EditorSupport.h"
#include "platform/MessageBoxes.h"
#include "platform/Pictures.h"
#include "platform/widgets/ClickImage.h"
#include "platform/widgets/FitText.h"
#include "platform/widgets/Shape.h"
#include "platform/widgets/WindowLook.h"
#include "runtime/Program.h"

namespace glimmer {

Customfrm::Customfrm(Program& program)
    : Form(program, QStringLiteral("Custom Glimmerbox"), QSize(393, 233))
{
    setObjectName(QStringLiteral("Customfrm"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, buttonShadowColor());
    setPalette(palette);

    buildLeftColumn();
    buildHeaders();
    buildInformationPage();
    buildFramesPage();
    buildCompilePage();

    Lenlbl = new QLabel(this);
    Lenlbl->setObjectName(QStringLiteral("Lenlbl"));
    Lenlbl->setTextFormat(Qt::PlainText);
    Lenlbl->hide();

    // Paths and numbers are shown as they are, never as markup.
    Filenamelbl->setTextFormat(Qt::PlainText);
    Framelbl->setTextFormat(Qt::PlainText);

    front_ = Tab1;
    wireEvents();
    fitTexts(this);
}

void Customfrm::wireEvents()
{
    connect(HScroll1, &QScrollBar::valueChanged, this, &Customfrm::HScroll1_Change);
    connect(HScroll1, &QScrollBar::sliderMoved, this, &Customfrm::HScroll1_Scroll);
    connect(VScroll1, &QScrollBar::valueChanged, this, &Customfrm::VScroll1_Change);
    connect(VScroll2, &QScrollBar::valueChanged, this, &Customfrm::VScroll2_Change);

    connect(Image5, &ClickImage::clicked, this, &Customfrm::Image5_Click);
    connect(Image6, &ClickImage::clicked, this, &Customfrm::Image6_Click);
    connect(Image7, &ClickImage::clicked, this, &Customfrm::Image7_Click);
    connect(Image9, &ClickImage::clicked, this, &Customfrm::Image9_Click);
    connect(Image10, &ClickImage::clicked, this, &Customfrm::Image10_Click);
    connect(Image14, &ClickImage::clicked, this, &Customfrm::Image14_Click);
    connect(Image16, &ClickImage::clicked, this, &Customfrm::Image16_Click);
    connect(Image17, &ClickImage::clicked, this, &Customfrm::Image17_Click);
    connect(Image18, &ClickImage::clicked, this, &Customfrm::Image18_Click);
    connect(Image19, &ClickImage::clicked, this, &Customfrm::Image19_Click);
}

void Customfrm::Form_Load()
{
    centreOnScreen();
    selectPage(Line1, Tab1);
    NewFile();
}

void Customfrm::Form_Unload()
{
    program_.giveMenuBack();
}

void Customfrm::NewFile()
{
    model_ = {};
    Iconimg->clear();
    Nametxt->setText(QStringLiteral("My Animation"));
    Speedtxt->setText(QStringLiteral("1"));
    VScroll2->setValue(10);
    Framestxt->setText(QStringLiteral("20"));
    VScroll1->setValue(formats::kMaxFrames + 1 - 20);
    Framelbl->setText(QStringLiteral("1"));
    Filenamelbl->clear();
    Lenlbl->clear();
    HScroll1->setMaximum(20);
    HScroll1->setValue(1);
}

std::optional<int> Customfrm::acceptedIconSize() const
{
    bool ok = false;
    const int size = Lenlbl->text().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return size;
}

void Customfrm::showFrame(int n)
{
    if (n < 1 || n > formats::kMaxFrames)
        return;
    const QString path = model_.FrameFiles[static_cast<std::size_t>(n)];
    Filenamelbl->setText(path);
    Framelbl->setText(QString::number(n));
    if (path.isEmpty()) {
        Iconimg->clear();
        return;
    }
    const std::optional<QImage> picture = Pictures::load(path);
    if (!picture) {
        showError(program_, QStringLiteral("The icon ") + path + QStringLiteral(" was not found."));
        return;
    }
    Iconimg->setPixmap(Pictures::stretched(*picture, Iconimg->size()));
}

void Customfrm::HScroll1_Change()
{
    showFrame(HScroll1->value());
}

void Customfrm::HScroll1_Scroll()
{
    showFrame(HScroll1->sliderPosition());
}

void Customfrm::VScroll1_Change()
{
    const int frames = formats::kMaxFrames + 1 - VScroll1->value();
    Framestxt->setText(QString::number(frames));
    // A current frame above the new count drops to it, which shows that frame.
    HScroll1->setMaximum(frames);
}

void Customfrm::VScroll2_Change()
{
    Speedtxt->setText(QString::number(11 - VScroll2->value()));
}

void Customfrm::selectPage(LineShape* line, QWidget* page)
{
    Line1->setVisible(line != Line1);
    Line2->setVisible(line != Line2);
    Line3->setVisible(line != Line3);
    for (QWidget* tab : {Tab1, Tab2, Tab3})
        tab->setVisible(tab == page);
    page->raise();
    front_ = page;
}

void Customfrm::Image5_Click()
{
    selectPage(Line1, Tab1);
}

void Customfrm::Image6_Click()
{
    selectPage(Line2, Tab2);
}

void Customfrm::Image7_Click()
{
    selectPage(Line3, Tab3);
}

void Customfrm::Image9_Click()
{
    const MessageAnswer answer = program_.services().messages.show(
        QStringLiteral("Are you sure you want to create a new animation?"), MessageButtons::YesNo,
        MessageIcon::Question, QStringLiteral("New File"));
    if (answer == MessageAnswer::Yes)
        NewFile();
}

void Customfrm::Image18_Click()
{
    unload();
}

} // namespace glimmer
