// The custom animation list of the options window and the custom choice.

#include "files/CompiledFiles.h"
#include "formats/speed_steps.h"
#include "options/Optionfrm.h"
#include "platform/Environment.h"
#include "platform/MessageBoxes.h"
#include "platform/SettingsStore.h"
#include "runtime/CustomLoader.h"
#include "runtime/Program.h"

#include <QComboBox>
#include <QDir>
#include <QRadioButton>
#include <QScrollBar>

namespace glimmer {

namespace {

/// `text` without the spaces (only spaces) on both sides.
QString withoutSurroundingSpaces(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

} // namespace

void Optionfrm::FillCustomList()
{
    const QString& loadedTitle = program_.state().CustomTitle;

    Combo1->clear();
    std::optional<QString> wanted;
    for (const QString& path : compiledFilesIn(animationFolders(program_.services().environment))) {
        // A file whose title cannot be read is listed with an empty entry; picking
        // it asks for a custom animation instead of loading some other file.
        const QString title = compiledFileTitle(path).value_or(QString());
        Combo1->addItem(title);
        if (title == loadedTitle)
            wanted = title; // a later equal title counts as much as an earlier one
    }
    if (wanted) {
        const int index = Combo1->findText(*wanted, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index >= 0)
            Combo1->setCurrentIndex(index);
    }
    if (Combo1->currentText().isEmpty() && Combo1->count() > 0)
        Combo1->setCurrentIndex(0);
}

void Optionfrm::ChooseCustomAnimation()
{
    const QString shown = Combo1->currentText();
    if (withoutSurroundingSpaces(shown).isEmpty()) {
        program_.services().messages.ok(QStringLiteral("A custom animation must be specified"),
                                        MessageIcon::Critical, QStringLiteral("Error"));
        return;
    }

    // The list keeps titles only: find the file again, the last one with the title
    // wins. A file that cannot be read now is passed over. "Custom" keeps its bare
    // name where that finds it again.
    const Environment& environment = program_.services().environment;
    QString found;
    for (const QString& path : compiledFilesIn(animationFolders(environment))) {
        const auto title = compiledFileTitle(path);
        if (title && *title == shown)
            found = animationName(environment, path);
    }
    program_.services().settings.save(Setting::Application, Setting::Section, Setting::Custom,
                                      found);

    LoadCustomAnimation(program_);
    program_.playAnimation(Animation::Custom);

    if (const auto interval = formats::intervalForStep(program_.state().CustomSpeed))
        program_.setInterval(*interval);
    if (const auto position = formats::stepForInterval(program_.interval()))
        HScroll1->setValue(*position);
}

} // namespace glimmer
