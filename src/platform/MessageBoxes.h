#pragma once

#include <QString>

namespace glimmer {

enum class MessageIcon { None, Critical, Information, Question };
enum class MessageButtons { Ok, YesNo }; ///< YesNo has No as the default button.
enum class MessageAnswer { Ok, Yes, No };

/// Modal message boxes. The program's own texts, titles and icons pass through unchanged.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    /// Shows the box and waits until the user closes it; returns the button pressed
    /// (closing a Yes/No box without choosing counts as No).
    virtual MessageAnswer show(const QString& text, MessageButtons buttons, MessageIcon icon,
                               const QString& title) = 0;

    /// The common case: one OK button.
    void ok(const QString& text, MessageIcon icon, const QString& title)
    {
        show(text, MessageButtons::Ok, icon, title);
    }
};

} // namespace glimmer
