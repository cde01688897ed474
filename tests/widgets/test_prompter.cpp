#include "widgets/prompter.h"

#include <QApplication>
#include <QLabel>
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
};

QTEST_MAIN(TestPrompter)
#include "test_prompter.moc"
