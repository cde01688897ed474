#include "records/codec.h"
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
        QTest::addColumn<int>("opened");  // 0: keyed; from a file, with line ends between: 1 as text, 2 as its bytes
        QTest::addColumn<int>("length");  // of the lines written
        QTest::addColumn<int>("edits");
        QTest::newRow("short lines") << 0 << 8 << 300;
        QTest::newRow("long lines, compacted often") << 0 << 600 << 300;
        QTest::newRow("opened file, long lines") << 1 << 600 << 300;
        QTest::newRow("opened file, short lines") << 1 << 0 << 200;
        QTest::newRow("file bytes, long lines") << 2 << 600 << 300;
        QTest::newRow("file bytes, short lines") << 2 << 0 << 200;
    }
    void editsReadBackAsAList()
    {
        QFETCH(int, opened);
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
            if (opened == 2) {
                block.raw = cp874::encode(block.text).bytes;
                block.text.clear();
            }
            store.assignBlock(std::move(block));
            // Read before anything waits for the text.
            for (qsizetype k = 0; k < model.size(); ++k)
                QCOMPARE(store.at(k), model.at(k));
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
