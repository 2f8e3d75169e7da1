#include "EditorSession.h"

#include "runtime/frmTray.h"

namespace glimmer::test {

EditorSession::EditorSession()
{
    t.program.start();
    choose(t.program.tray(), "Edit");
}

QString EditorSession::icon(const QString& name, const QByteArray& bytes)
{
    const QString path = t.path(name);
    writeFile(path, bytes);
    return path;
}

QString EditorSession::smallIcon(const QString& name, int colour)
{
    return icon(name, iconBytes({.colour = colour}));
}

QString EditorSession::picture(const QString& name, int width, int height,
                               const QList<QColor>& colours)
{
    return icon(name, pictureBytes(width, height, colours));
}

void EditorSession::chooseIcon(const QString& path)
{
    t.dialogs.answers.push_back(path);
    editor().Image10_Click();
}

void EditorSession::chooseIconFor(int frame, const QString& path)
{
    goToFrame(frame);
    chooseIcon(path);
}

void EditorSession::goToFrame(int frame)
{
    editor().HScroll1->setValue(frame);
}

void EditorSession::setFrameCount(int frames)
{
    editor().VScroll1->setValue(51 - frames);
}

void EditorSession::setSpeed(int speed)
{
    editor().VScroll2->setValue(11 - speed);
}

void EditorSession::compile(const QString& path)
{
    t.dialogs.answers.push_back(path);
    editor().Image14->simulateClick();
}

void EditorSession::save(const QString& path)
{
    t.dialogs.answers.push_back(path);
    editor().Image16->simulateClick();
}

void EditorSession::load(const QString& path)
{
    t.dialogs.answers.push_back(path);
    editor().Image17->simulateClick();
}

void EditorSession::importPictures(const QStringList& pictures)
{
    t.dialogs.severalAnswers.push_back(pictures);
    editor().Image19->simulateClick();
}

QImage EditorSession::shownPicture()
{
    return editor().Iconimg->pixmap().toImage();
}

QString EditorSession::frameFile(int frame)
{
    return t.customfrm().model().FrameFiles[static_cast<std::size_t>(frame)];
}

QString EditorSession::animation()
{
    Customfrm& f = editor();
    QStringList parts{f.Nametxt->text(), f.Speedtxt->text(), f.Framestxt->text(), f.Lenlbl->text(),
                      QString::number(editor().model().IconSize)};
    for (int i = 1; i <= 50; ++i)
        parts << frameFile(i);
    return parts.join('|');
}

} // namespace glimmer::test
