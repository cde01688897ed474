#pragma once
// Typing into widgets in tests. QTest::keyClicks aborts on Thai text, so Thai goes one
// key event per character.
#include <QTest>
#include <QWidget>

namespace vorlane::test {

inline void typeText(QWidget *w, const QString &text)
{
    for (QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

inline void pressEnter(QWidget *w) { QTest::keyClick(w, Qt::Key_Return); }

}  // namespace vorlane::test
