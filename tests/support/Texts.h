#pragma once

// The texts the user reads, spelled here as the user sees them, for the tests to
// compare against: message boxes, their titles, window titles and file filters. They
// are written out on purpose rather than taken from the program, so a changed
// sentence shows up as a failing test.

#include <QString>

namespace glimmer::test {

// The speed table as the user knows it: the interval in milliseconds of each speed
// step, from step 1 (the slowest) to step 10.
inline constexpr int kStepIntervals[] = {600, 500, 400, 300, 250, 200, 150, 100, 50, 10};

// Message box titles.
inline const QString kErrorTitle = QStringLiteral("Error");
inline const QString kDoneTitle = QStringLiteral("Done");
inline const QString kNewFileTitle = QStringLiteral("New File");
/// Also the tray icon's tooltip.
inline const QString kProgramName = QStringLiteral("Glimmerbox");

// Window titles.
inline const QString kOptionsTitle = QStringLiteral("Animation Options");
inline const QString kEditorTitle = QStringLiteral("Custom Glimmerbox");
inline const QString kAboutTitle = QStringLiteral("About");

// File dialog filters.
inline const QString kIconFilter = QStringLiteral("Icon Files | *.ico");
inline const QString kCompiledFilter = QStringLiteral("Glimmerbox Files (.GX)| *.gx");
inline const QString kRawFilter = QStringLiteral("Raw Glimmerbox Files (.RGX)| *.rgx");

// The tray.
inline const QString kUnableToAddIcon = QStringLiteral("Unable to add icon to system tray!");
inline const QString kUnableToChangeIcon = QStringLiteral("Unable to change icon in system tray!");
inline const QString kUnableToDeleteIcon =
    QStringLiteral("Unable to delete icon from system tray!");

// The custom animation: start-up, the options dialog and the loader.
inline const QString kNoCustomAnimationSelected = QStringLiteral(
    "You want to display a custom animation, but none is selected. Please select one.");
inline const QString kCustomAnimationMustBeSpecified =
    QStringLiteral("A custom animation must be specified");
inline const QString kCustomAnimationIsNewer =
    QStringLiteral("The custom animation you tried to load is a newer version.");
inline const QString kErrorLoadingCustomAnimation =
    QStringLiteral("An error has occured while trying to load the custom animation.");

// The editor: icons.
inline const QString kNotAValidIconFile =
    QStringLiteral("This is not a valid icon file. Refer to Readme.txt for more information.");
inline const QString kIconNotSuitable = QStringLiteral(
    "This icon is not suitable for Glimmerbox. Refer to Readme.txt for more information.");
inline const QString kSameIconFormatForAllFrames =
    QStringLiteral("You must choose the same icon format for all animation frames. Refer to "
                   "Readme.txt for more information.");
/// The icon file shown for a frame is gone.
inline QString iconWasNotFound(const QString& path)
{
    return QStringLiteral("The icon ") + path + QStringLiteral(" was not found.");
}
inline const QString kSureToCreateNewAnimation =
    QStringLiteral("Are you sure you want to create a new animation?");

// The editor: compile.
inline const QString kAnimationHasNoFrames =
    QStringLiteral("This animation has no frames! Refer to Readme.txt for more information.");
inline const QString kIconFilesMissingCompilationAborted =
    QStringLiteral("One or more of the icon files are missing. Compilation aborted.");
inline const QString kErrorWritingCompilationAborted =
    QStringLiteral("Error writing to file. Compilation aborted.");
inline const QString kAnimationCompiled = QStringLiteral("Your animation has been compiled!");
inline const QString kCannotCompileOverOwnIcon =
    QStringLiteral("A compiled animation cannot be saved over one of its own icon files.");

// The editor: raw files.
inline const QString kFileSavedSuccessfully = QStringLiteral("File was saved successfully.");
inline const QString kNotAValidRgxFile =
    QStringLiteral("This is not a valid .RGX file. Refer to Readme.txt for more information.");
inline const QString kErrorWhileLoading = QStringLiteral(
    "An error occured while trying to load. Refer to Readme.txt for more information.");
inline const QString kListedIconsMissing = QStringLiteral(
    "One or more icons listed in this file are missing. Refer to Readme.txt for more information.");
inline const QString kTitleHoldsCommaAndQuote =
    QStringLiteral("The animation title cannot be saved in a .RGX file because it holds both a "
                   "comma and a double quote.");
/// The path of frame `frame` holds both a comma and a double quote.
inline QString iconPathHoldsCommaAndQuote(int frame)
{
    return QStringLiteral("The icon path of frame %1 cannot be saved in a .RGX file because it "
                          "holds both a comma and a double quote.")
        .arg(frame);
}
/// The path of frame `frame` holds a line break.
inline QString iconPathHoldsLineBreak(int frame)
{
    return QStringLiteral("The icon path of frame %1 cannot be saved in a .RGX file because it "
                          "holds a line break.")
        .arg(frame);
}

// The editor: importing pictures.
inline const QString kPictureFilterStart = QStringLiteral("Pictures|");
inline const QString kOnlyFirstFiftyFramesImported =
    QStringLiteral("Only the first 50 frames were imported: an animation holds no more.");
inline QString notAPictureToImport(const QString& name)
{
    return QStringLiteral("The file %1 is not a picture that can be imported.").arg(name);
}
inline QString pictureDoesNotExist(const QString& name)
{
    return QStringLiteral("The file %1 does not exist.").arg(name);
}
inline QString pictureCannotBeRead(const QString& name)
{
    return QStringLiteral("The picture %1 cannot be read.").arg(name);
}
inline QString folderCannotBeWritten(const QString& folder)
{
    return QStringLiteral("The folder %1 cannot be written to.").arg(folder);
}

// Files handed to the program (a double-click in a file manager).
inline QString cannotOpenWhileOpen(const QString& name, const QString& window)
{
    return QStringLiteral("The file %1 cannot be opened while the %2 window is open.")
        .arg(name, window);
}

// The options dialog.
inline const QString kFollowCpuLoad = QStringLiteral("Follow CPU load");

// The tray's tooltip while the pace follows the processor load.
inline QString cpuLoadTip(int percent)
{
    return QStringLiteral("Glimmerbox \u2014 CPU %1%").arg(percent);
}

// The about box.
inline const QString kCongratulations =
    QStringLiteral("Congratulations to the entire graduating class of 1998!");

} // namespace glimmer::test
