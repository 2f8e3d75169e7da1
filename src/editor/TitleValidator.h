#pragma once

#include <QValidator>

namespace glimmer {

/// Lets into the title box only what an animation file can store: characters that
/// Windows-1252 holds, without control characters (see formats::isStorableTitle).
class TitleValidator final : public QValidator {
    Q_OBJECT
public:
    explicit TitleValidator(QObject* parent = nullptr) : QValidator(parent) {}

    /// Acceptable when every character can be stored; Invalid otherwise, so the
    /// keystroke or paste that brought the character is refused.
    State validate(QString& input, int& pos) const override;

    /// True when `text` could be stored as a title.
    static bool canHold(const QString& text);
};

} // namespace glimmer
