// What a screen reader gets: every text box, selector and button of every window has a
// Thai name in the accessibility tree.
#include "../entry/entryfixture.h"

#include "shell/fileflows.h"
#include "help/aboutbox.h"
#include "report/ui/slipdialogs.h"
#include "controls.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QToolBar>
#include <QToolButton>

using namespace vorlane;
using vorlane::test::ui;
using namespace vorlane::test;

namespace {

bool hasThai(const QString &s)
{
    return std::any_of(s.begin(), s.end(), [](QChar c) { return c.unicode() >= 0x0E01 && c.unicode() <= 0x0E5B; });
}

// The name a screen reader speaks for the control; a selector on Linux speaks its value
// and takes its name from the label that it is labelled by, or from its accessible name.
QString spokenName(QWidget *w)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    if (!iface)
        return {};
    QString name = iface->text(QAccessible::Name);
    if (!hasThai(name))
        name = w->accessibleName();
    if (!hasThai(name))
        for (const auto &rel : iface->relations(QAccessible::Label))
            if (rel.first)
                name += rel.first->text(QAccessible::Name);
    return name;
}

// Controls the user can act on, shown in the window: text boxes, selectors, lists, buttons.
QStringList unnamedControls(QWidget *window)
{
    QStringList bad;
    const QList<QWidget *> all = window->findChildren<QWidget *>();
    for (QWidget *w : all) {
        if (!w->isVisibleTo(window))
            continue;
        const bool control = qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w)
                             || qobject_cast<QAbstractButton *>(w) || qobject_cast<QPlainTextEdit *>(w)
                             || qobject_cast<QAbstractItemView *>(w);
        if (!control)
            continue;
        // The text box inside an editable selector is part of the selector; Qt's
        // toolbar extension arrow is not a control of ours.
        if (qobject_cast<QComboBox *>(w->parentWidget()) || w->objectName() == u"qt_toolbar_ext_button"_s)
            continue;
        if (qobject_cast<QAbstractItemView *>(w->parentWidget()))
            continue;
        const QString name = spokenName(w);
        if (!hasThai(name))
            bad << (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName())
                       + u" \""_s + name + u'"';
    }
    return bad;
}

// Inner widgets a screen reader would take for windows of their own (Qt's Border role is
// AT-SPI's frame): Orca ignores the focus inside such a "window" that is not active.
QStringList framesTakenForWindows(QWidget *window)
{
    QStringList bad;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window) || w->isWindow())
            continue;
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
        if (iface && iface->role() == QAccessible::Border)
            bad << (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName());
    }
    return bad;
}

}  // namespace

class AccessibleNamesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyControlIsNamed_data()
    {
        QTest::addColumn<QString>("window");
        for (const char *w : {"start", "depositor", "entry", "commandbar", "help", "print", "review", "search", "open",
                              "save", "about", "preview"})
            QTest::newRow(w) << QString::fromLatin1(w);
    }

    void everyControlIsNamed()
    {
        QFETCH(QString, window);
        Program p;
        QWidget *w = nullptr;
        std::unique_ptr<QWidget> own;
        QPrinter printer;
        auto workWindow = [&](int button) {
            p.start();
            ui(p.main).Command1[button]->click();
            for (QWidget *c : p.main->workArea()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                if (c->isVisible())
                    return c;
            return static_cast<QWidget *>(nullptr);
        };
        if (window == u"start") {
            w = p.main.get();
        } else if (window == u"depositor") {
            ui(p.main).Command1[0]->click();
            w = p.main->depositorDialog();
        } else if (window == u"entry") {
            w = p.start();
        } else if (window == u"commandbar") {
            p.start();
            w = ui(p.main).Picture1;
        } else if (window == u"help") {
            w = workWindow(0);
        } else if (window == u"print") {
            w = workWindow(4);
        } else if (window == u"review") {
            w = workWindow(5);
        } else if (window == u"search") {
            w = workWindow(6);
        } else if (window == u"open" || window == u"save") {
            p.start();
            if (window == u"open")
                BeginOpen(*p.main);
            else
                BeginSaveAs(*p.main);
            for (QWidget *c : p.main->workArea()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                if (c->isVisible())
                    w = c;
        } else if (window == u"about") {
            own = std::make_unique<AboutBox>(p.prompter);
            own->show();
            w = own.get();
        } else if (window == u"preview") {
            own = std::make_unique<SlipPreviewDialog>(
                &printer, [](QPrinter *) {}, nullptr);
            own->show();
            w = own.get();
        }
        QVERIFY(w && w->isVisible());
        const QStringList bad = unnamedControls(w);
        QVERIFY2(bad.isEmpty(), qPrintable(bad.join(u", "_s)));
        const QStringList frames = framesTakenForWindows(w);
        QVERIFY2(frames.isEmpty(), qPrintable(frames.join(u", "_s)));
    }
};

QTEST_MAIN(AccessibleNamesTest)
#include "test_accessiblenames.moc"
