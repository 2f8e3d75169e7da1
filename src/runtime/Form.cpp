#include "runtime/Form.h"

#include "platform/Environment.h"
#include "runtime/Program.h"

#include <QCloseEvent>

namespace glimmer {

Form::Form(Program& program, const QString& caption, QSize clientSize)
    : QWidget(nullptr, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      program_(program)
{
    setWindowTitle(caption);
    setFixedSize(clientSize);
}

void Form::unload()
{
    close();
}

void Form::centreOnScreen()
{
    const QSize screen = program_.services().environment.screenSize();
    move((screen.width() - width()) / 2, (screen.height() - height()) / 2);
}

void Form::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (unloaded_)
        return;
    unloaded_ = true;
    Form_Unload();
    emit unloaded();
}

} // namespace glimmer
