#include "widgets/prompter.h"

#include <QApplication>
#include <QLabel>
#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace vorlane;
using namespace Qt::StringLiterals;

class TestPrompter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A file named "<h1>Big" is shown as those characters, not as a heading.
    void boxesShowPlainText()
    {
        const QString name = u"<h1>Big</h1>.txt   บันทึกแล้ว"_s;
        Qt::TextFormat format = Qt::RichText;
        QString shown;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            format = box->textFormat();
            shown = box->text();
            box->done(0);
        });
        QtPrompter().ok(name);
        QCOMPARE(format, Qt::PlainText);
        QCOMPARE(shown, name);
    }

    // Which answer Esc and Enter give in each kind of question.
    void keys_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("answer");  // -1: the box stays until a button is pressed
        QTest::newRow("question, Esc is No") << u"yesNo"_s << int(Qt::Key_Escape) << int(Prompter::Answer::No);
        QTest::newRow("question, Enter is Yes") << u"yesNo"_s << int(Qt::Key_Return) << int(Prompter::Answer::Yes);
        QTest::newRow("default No, Enter is No") << u"defaultNo"_s << int(Qt::Key_Return) << int(Prompter::Answer::No);
        QTest::newRow("no escape, Esc answers nothing") << u"noEscape"_s << int(Qt::Key_Escape) << -1;
        QTest::newRow("no escape, Enter is Yes") << u"noEscape"_s << int(Qt::Key_Return) << int(Prompter::Answer::Yes);
        QTest::newRow("three ways, Esc is Cancel")
            << u"yesNoCancel"_s << int(Qt::Key_Escape) << int(Prompter::Answer::Cancel);
    }
    void keys()
    {
        QFETCH(QString, kind);
        QFETCH(int, key);
        QFETCH(int, answer);
        bool stayed = false;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            QTest::keyClick(box, Qt::Key(key));
            if (answer >= 0)
                return;
            // Shown again: answered by its button in the end.
            QTimer::singleShot(0, this, [&] {
                auto *again = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                stayed = again != nullptr;
                if (again)
                    again->button(QMessageBox::No)->click();
            });
        });
        QtPrompter p;
        const Prompter::Answer got = kind == u"yesNo"_s       ? p.yesNo(u"?"_s)
                                     : kind == u"defaultNo"_s ? p.yesNoDefaultNo(u"?"_s)
                                     : kind == u"noEscape"_s  ? p.yesNoWithoutEscape(u"?"_s)
                                                              : p.yesNoCancel(u"?"_s);
        if (answer >= 0) {
            QCOMPARE(int(got), answer);
        } else {
            QVERIFY(stayed);
            QCOMPARE(got, Prompter::Answer::No);
        }
    }
};

QTEST_MAIN(TestPrompter)
#include "test_prompter.moc"
