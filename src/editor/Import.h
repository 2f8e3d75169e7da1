#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <variant>
#include <vector>

namespace glimmer {

/// Pictures turned into an animation the editor can hold: every frame a 16x16,
/// 16-colour icon that passes the icon rules, all of one size.
struct ImportedAnimation {
    QString title;                  ///< the first picture's name, as the title box takes it
    int speed = 5;                  ///< the speed step nearest the pictures' mean delay
    std::vector<std::string> icons; ///< the icon file of each frame, in order
    bool cut = false;               ///< there were more frames than an animation holds
    QString firstPicture;           ///< the picture the names come from
};

/// Why an import failed, in one sentence for the user.
struct ImportFailure {
    QString message;
};

/// The told-once sentence when an import kept only the first frames.
QString importCutMessage();

/// Reads and converts `pictures`:
/// - one animated picture (a GIF, WebP, ...): all its frames, in order, with their
///   delays;
/// - one still picture whose width is a whole multiple (2 or more) of its height: a
///   strip of square frames from left to right; any other still picture: one frame;
/// - several pictures: the first frame of each, in natural name order.
/// At most 50 frames are kept (`cut` tells). Nothing is written.
std::variant<ImportedAnimation, ImportFailure> importPictures(const QStringList& pictures);

/// Writes the icons into a new folder beside the first picture, named after it
/// ("cat.gif" gives "cat-frames/cat01.ico" ..., or "cat-frames-2" when that folder
/// exists; double quotes in the name are left out). Returns the icons' paths; on
/// failure nothing is left behind.
std::variant<QStringList, ImportFailure> writeFrameIcons(const ImportedAnimation& animation);

/// Writes the animation as TITLE.rgx (naming `iconPaths`) and TITLE.gx into `folder`,
/// each whole or not at all. Returns the two paths.
std::variant<QStringList, ImportFailure> writeAnimationFiles(const ImportedAnimation& animation,
                                                             const QStringList& iconPaths,
                                                             const QString& folder);

} // namespace glimmer
