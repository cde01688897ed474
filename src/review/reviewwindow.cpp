#include "review/reviewwindow.h"

#include "widgets/uiscale.h"
#include "layout/reviewlayout.h"
#include "records/fee.h"
#include "records/session.h"
#include "review/reviewmodel.h"
#include "review/reviewtext.h"
#include "widgets/commandbutton.h"
#include "widgets/prompter.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QTextDocument>
#include <QListView>
#include <QPlainTextEdit>

using namespace Qt::StringLiterals;

namespace vorlane {

ReviewWindow::ReviewWindow(Session &session, Prompter &prompter, QWidget *parent)
    : WorkWindow(parent), m_session(session), m_prompter(prompter)
{
    setObjectName(u"Form3"_s);
    setWindowTitle(u"ตรวจสอบรายการก่อนพิมพ์"_s);

    List1 = new QListView(this);
    List1->setObjectName(u"List1"_s);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // One line each: the list lays out any number of orders without measuring them.
    List1->setUniformItemSizes(true);
    m_model = new ReviewListModel(this);
    List1->setModel(m_model);
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(u"Text1"_s);
    List1->setAccessibleName(u"รายการธนาณัติทั้งหมด"_s);
    Text1->setAccessibleName(u"รายละเอียดธนาณัติที่เลือก"_s);
    Text1->setReadOnly(true);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Command1 = new CommandButton(u"แก้ไข"_s, this);
    Command1->setObjectName(u"Command1"_s);
    Command2 = new CommandButton(u"ยกเลิก"_s, this);
    Command2->setObjectName(u"Command2"_s);

    // A click, or moving through the list with the keys, shows that record.
    connect(List1, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) { List1_Click(index.row()); });
    connect(List1->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList sel = List1->selectionModel()->selectedIndexes();
        if (!sel.isEmpty())
            List1_Click(sel.first().row());
    });
    // Only a double-click on an item leaves the window; one on the empty part of the
    // list does nothing.
    connect(List1, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { List1_DblClick(index.row()); });
    connect(Command1, &QPushButton::clicked, this, &ReviewWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &ReviewWindow::Command2_Click);
    setEscapeButton(Command2);
    applyLayout();
}

void ReviewWindow::setDetail(const QString &text)
{
    m_detail = text;
    QString shown = text;
    shown.replace(u"\r\n"_s, u"\n"_s);
    if (shown.endsWith(u'\n'))
        shown.chop(1);
    Text1->setPlainText(shown);
}

void ReviewWindow::fill()
{
    RecordFieldSlots fields;
    const RecordStore &store = m_session.batch.lines();
    setDetail({});
    m_editSelected = false;
    {
        const QSignalBlocker block(List1->selectionModel());
        m_model->setItemSize({});
        m_model->show(&store);
        // Every item is as tall as the others; the widest is about the longest line.
        const int longest = m_model->longestRow();
        if (longest >= 0)
            m_model->setItemSize(List1->sizeHintForIndex(m_model->index(longest)));
    }
    const QString current = store.at(m_session.batch.ResumeIndex());
    SplitRecordLine(current, kFieldCount, fields);
    // No record (an empty batch): no fee either.
    const std::optional<double> fee =
        current.isEmpty() ? std::optional<double>(0)
                          : ComputeFeeExact(m_session.tables.rates, fields[TypeCode], fields[Amount]);
    setDetail(ReviewDetailText(fields, fee, DetailForm::Opening));
    List1->setCurrentIndex({});
    List1->clearSelection();
}

void ReviewWindow::List1_Click(int row)
{
    RecordFieldSlots fields;
    const RecordStore &store = m_session.batch.lines();
    if (row < 0 || row >= store.count())
        return;
    m_editSelected = true;
    SplitRecordLine(store.at(row), kFieldCount, fields);
    const std::optional<double> fee = ComputeFeeExact(m_session.tables.rates, fields[TypeCode], fields[Amount]);
    setDetail(ReviewDetailText(fields, fee, DetailForm::Click));
}

void ReviewWindow::jumpTo(int row)
{
    m_editSelected = false;
    Q_EMIT recordChosen(row);
    hide();
}

void ReviewWindow::List1_DblClick(int row)
{
    if (row < 0 || row >= m_session.batch.lines().count())
        return;
    jumpTo(row);
}

void ReviewWindow::Command1_Click()
{
    const int row = List1->currentIndex().row();
    const QString refusal = ReviewEditRefusal(m_editSelected, row, m_session.batch.lines().count());
    if (!refusal.isEmpty()) {
        m_prompter.ok(refusal);
        List1->setFocus();
        return;
    }
    jumpTo(row);
}

void ReviewWindow::Command2_Click()
{
    hide();
    {
        const QSignalBlocker block(List1->selectionModel());
        m_model->show(nullptr);
    }
    Q_EMIT cancelled();
}

void ReviewWindow::applyLayout()
{
    const layout::Screen s = currentScreen(this);
    const layout::ReviewLayout l = layout::reviewLayout(s);
    placeTwips(List1, l.List1, s);
    placeTwips(Text1, l.Text1, s);
    placeTwips(Command1, l.Command1, s);
    placeTwips(Command2, l.Command2, s);
    // The nine detail lines should fit without scrolling: a smaller font where the
    // box is short.
    QFont font = this->font();
    int px = QFontInfo(font).pixelSize();
    const int room = Text1->height() - 2 * Text1->frameWidth() - 2 * int(Text1->document()->documentMargin());
    for (; px > 8; --px) {
        font.setPixelSize(px);
        if (QFontMetrics(font).lineSpacing() * 9 <= room)
            break;
    }
    Text1->setFont(font);
}

} // namespace vorlane
