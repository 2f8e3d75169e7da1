// Every fixed text of every window is shown whole with the fonts this machine has
// (run once with the system's fonts and once with DejaVu alone, as on a fresh
// Debian machine).

#include "TestProgram.h"
#include "about/Aboutfrm.h"
#include "editor/Customfrm.h"
#include "options/Optionfrm.h"

#include <QAbstractButton>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QTest>

using namespace glimmer;
using namespace glimmer::test;

namespace {

/// Why the text of `widget` is not shown whole; empty when it is.
QString cutOff(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        const QRect box = label->contentsRect();
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect needed = label->fontMetrics().boundingRect(box, flags, label->text());
        if (needed.width() > box.width() || needed.height() > box.height())
            return QStringLiteral("needs %1x%2 in %3x%4")
                .arg(needed.width())
                .arg(needed.height())
                .arg(box.width())
                .arg(box.height());
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        const QSize needed = button->sizeHint();
        if (needed.width() > button->width())
            return QStringLiteral("needs %1 px in %2").arg(needed.width()).arg(button->width());
    }
    return {};
}

} // namespace

class CaptionsTest final : public QObject {
    Q_OBJECT
private slots:
    void everyFixedTextIsShownWhole_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("options") << "Optionfrm";
        QTest::newRow("editor") << "Customfrm";
        QTest::newRow("about") << "Aboutfrm";
    }

    void everyFixedTextIsShownWhole()
    {
        QFETCH(QString, window);
        TestProgram t;
        t.program.start();
        QWidget* form = window == "Optionfrm"   ? static_cast<QWidget*>(&t.optionfrm())
                        : window == "Customfrm" ? static_cast<QWidget*>(&t.customfrm())
                                                : static_cast<QWidget*>(&t.aboutfrm());
        int texts = 0;
        qreal smallest = 100;
        for (const QWidget* child : form->findChildren<QWidget*>()) {
            const auto* label = qobject_cast<const QLabel*>(child);
            const auto* button = qobject_cast<const QAbstractButton*>(child);
            const QString text = label ? label->text() : button ? button->text() : QString();
            if (text.isEmpty())
                continue;
            ++texts;
            smallest = std::min(smallest, child->font().pointSizeF());
            const QString problem = cutOff(child);
            QVERIFY2(problem.isEmpty(),
                     qPrintable(QStringLiteral("%1 \"%2\" in %3: %4")
                                    .arg(child->objectName(), text,
                                         QFontInfo(child->font()).family(), problem)));
        }
        QVERIFY(texts >= 5);
        qInfo("%d texts, the smallest at %.2f pt, in %s", texts, smallest,
              qPrintable(QFontInfo(form->font()).family()));
    }
};

QTEST_MAIN(CaptionsTest)
#include "tst_captions.moc"
