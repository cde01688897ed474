#include "records/recordstore.h"

#include <QRandomGenerator>
#include <QTest>

using namespace vorlane;
using namespace Qt::StringLiterals;

// The store keeps its lines in one text that grows with every change and is compacted
// now and then; whatever it does inside, it must read back as a plain list of lines
// edited the same way, and its search copy must follow every change.
class TestRecordStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void editsReadBackAsAList_data()
    {
        QTest::addColumn<bool>("opened");   // from a file's text, with line ends between
        QTest::addColumn<int>("length");    // of the lines written
        QTest::addColumn<int>("edits");
        QTest::newRow("short lines") << false << 8 << 300;
        QTest::newRow("long lines, compacted often") << false << 600 << 300;
        QTest::newRow("opened file, long lines") << true << 600 << 300;
        QTest::newRow("opened file, short lines") << true << 0 << 200;
    }
    void editsReadBackAsAList()
    {
        QFETCH(bool, opened);
        QFETCH(int, length);
        QFETCH(int, edits);
        QRandomGenerator random(7);
        // Each line carries a tag of its own that no other line contains.
        auto tag = [](int k) { return u"T%1;"_s.arg(k, 5, 10, QChar(u'0')); };
        auto line = [&](int k) {
            return tag(k) + u"|ก"_s + QString(length > 0 ? int(random.bounded(length)) : 0, u'x') + u'|';
        };
        QStringList model;
        for (int k = 0; k < 20; ++k)
            model.append(line(k));
        RecordStore store;
        if (opened) {
            LineBlock block;
            for (const QString &l : model) {
                block.spans.push_back({block.text.size(), l.size()});
                block.text += l + u"\r\nskipped\r\n"_s;
            }
            store.assignBlock(std::move(block));
        } else {
            store.assign(model);
            QCOMPARE(store.findUpper(tag(0)), 0);  // the search copy exists from here on
        }
        for (int e = 0; e < edits; ++e) {
            const int op = int(random.bounded(4));
            const qsizetype i = model.isEmpty() ? 0 : qsizetype(random.bounded(int(model.size())));
            const QString l = line(1000 + e);
            if (op == 0 || model.isEmpty()) {
                store.insert(i, l);
                model.insert(i, l);
            } else if (op == 1) {
                store.setAt(i, l);
                model[i] = l;
            } else if (op == 2) {
                store.removeAt(i);
                model.removeAt(i);
            } else {
                store.append(l);
                model.append(l);
            }
            QCOMPARE(store.count(), model.size());
            QCOMPARE(store.at(i), model.value(i));
            if (!model.isEmpty()) {
                const qsizetype j = qsizetype(random.bounded(int(model.size())));
                QCOMPARE(store.findUpper(model[j].first(7)), j);
            }
        }
        QCOMPARE(store.lines(), model);
        qint64 chars = 0;
        for (const QString &l : model)
            chars += l.size();
        QCOMPARE(store.textSize(), chars);
        QCOMPARE(store.findUpper(u"ZZ-NOT-THERE"), -1);
    }
};

QTEST_GUILESS_MAIN(TestRecordStore)
#include "test_recordstore.moc"
