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
    QString title;                  ///< from the first picture's name, never empty
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

/// Reads and converts `pictures`, each frame as soon as it is decoded:
/// - one animated picture (a GIF, WebP, ...): all its frames, in order, with their
///   delays;
/// - one still picture whose width is a whole multiple (three or more) of its height: a
///   strip of square frames from left to right; any other still picture: one frame;
/// - several pictures: the first frame of each, in natural name order.
/// At most 50 frames are kept (`cut` tells). The title is the first picture's name as a
/// title can hold it (formats::titleFromName), or "Animation" when none of its characters
/// can be held. Nothing is written.
std::variant<ImportedAnimation, ImportFailure> importPictures(const QStringList& pictures);

/// Writes the icons into a new folder inside `parent` (by default the first picture's
/// folder), named after the first picture ("cat.gif" gives "cat-frames/cat01.ico" ...,
/// or "cat-frames-2" when that name is taken; double quotes in the name are left out).
/// Returns the icons' paths; on failure nothing is left behind.
std::variant<QStringList, ImportFailure> writeFrameIcons(const ImportedAnimation& animation,
                                                         const QString& parent = {});

/// Writes the animation as TITLE.rgx (naming `iconPaths`) and TITLE.gx into `folder`,
/// each whole, and never over an existing file: when either name is taken, the first free
/// pair of TITLE-2, TITLE-3, ... is used (the title inside stays). Returns the two paths;
/// on failure neither file is left.
std::variant<QStringList, ImportFailure> writeAnimationFiles(const ImportedAnimation& animation,
                                                             const QStringList& iconPaths,
                                                             const QString& folder);

} // namespace glimmer
