#pragma once

#include <QWidget>

namespace glimmer {

class Program;

/// A secondary window: created hidden on first use (its load step runs then), shown
/// as a separate step, and unloaded when it closes by any means (its unload step
/// runs, then the program context forgets it so the next use makes a fresh one).
class Form : public QWidget {
    Q_OBJECT
public:
    /// The load step; the program context calls it once, right after construction.
    virtual void Form_Load() {}
    /// The unload step; runs once, whatever closes the window.
    virtual void Form_Unload() {}

    /// Closes the window from code, as its own Close button does.
    void unload();
    bool isUnloaded() const { return unloaded_; }

signals:
    /// Emitted after the unload step; the program context releases the window then.
    void unloaded();

protected:
    Form(Program& program, const QString& caption, QSize clientSize);

    /// Places the window in the middle of the screen.
    void centreOnScreen();
    void closeEvent(QCloseEvent* event) override;

    Program& program_;

private:
    bool unloaded_ = false;
};

} // namespace glimmer
