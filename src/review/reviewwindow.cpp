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
#include <QItemSelectionModel>
#include <QListView>
#include <QPlainTextEdit>

using namespace Qt::StringLiterals;

namespace vorlane {

ReviewWindow::ReviewWindow(Session &session, Prompter &prompter, QWidget *parent)
    : WorkWindow(parent), m_session(session), m_prompter(prompter)
{
    setObjectName(u"Form3"_s);
    setWindowTitle(u"ตรวจสอบรายการก่อนพิมพ์"_s);

    m_list = new QListView(this);
    m_list->setObjectName(u"List1"_s);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // One line each: the list lays out any number of orders without measuring them.
    m_list->setUniformItemSizes(true);
    m_model = new ReviewListModel(this);
    m_list->setModel(m_model);
    m_details = new QPlainTextEdit(this);
    m_details->setObjectName(u"Text1"_s);
    m_list->setAccessibleName(u"รายการธนาณัติทั้งหมด"_s);
    m_details->setAccessibleName(u"รายละเอียดธนาณัติที่เลือก"_s);
    m_details->setReadOnly(true);
    m_details->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_editButton = new CommandButton(u"แก้ไข"_s, this);
    m_editButton->setObjectName(u"Command1"_s);
    m_cancelButton = new CommandButton(u"ยกเลิก"_s, this);
    m_cancelButton->setObjectName(u"Command2"_s);

    // A click, or moving through the list with the keys, shows that record.
    connect(m_list, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) { List1_Click(index.row()); });
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList sel = m_list->selectionModel()->selectedIndexes();
        if (!sel.isEmpty())
            List1_Click(sel.first().row());
    });
    // Only a double-click on an item leaves the window; one on the empty part of the
    // list does nothing.
    connect(m_list, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { List1_DblClick(index.row()); });
    connect(m_editButton, &QPushButton::clicked, this, &ReviewWindow::Command1_Click);
    connect(m_cancelButton, &QPushButton::clicked, this, &ReviewWindow::Command2_Click);
    setEscapeButton(m_cancelButton);
    applyLayout();
}

void ReviewWindow::setDetail(const QString &text)
{
    m_detail = text;
    QString shown = text;
    shown.replace(u"\r\n"_s, u"\n"_s);
    if (shown.endsWith(u'\n'))
        shown.chop(1);
    m_details->setPlainText(shown);
}

void ReviewWindow::takeFocus()
{
    m_list->setFocus(Qt::OtherFocusReason);
    // Taking the focus makes the first item current; nothing is chosen until the user
    // clicks, so none is marked.
    m_list->selectionModel()->clearCurrentIndex();
}

void ReviewWindow::fill()
{
    RecordFieldSlots fields;
    const RecordStore &store = m_session.batch.lines();
    setDetail({});
    m_editSelected = false;
    {
        const QSignalBlocker block(m_list->selectionModel());
        m_model->setItemSize({});
        m_model->show(&store);
        // Every item is as tall as the others; the widest is about the longest line.
        const int longest = m_model->longestRow();
        if (longest >= 0)
            m_model->setItemSize(m_list->sizeHintForIndex(m_model->index(longest)));
    }
    const QString current = store.at(m_session.batch.ResumeIndex());
    SplitRecordLine(current, kFieldCount, fields);
    // No record (an empty batch): no fee either.
    const std::optional<double> fee = current.isEmpty()
                                          ? std::optional<double>(0)
                                          : ComputeFeeExact(m_session.tables.rates, fields[TypeCode], fields[Amount]);
    setDetail(ReviewDetailText(fields, fee, DetailForm::Opening));
    m_list->setCurrentIndex({});
    m_list->clearSelection();
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
    const int row = m_list->currentIndex().row();
    const QString refusal = ReviewEditRefusal(m_editSelected, row, m_session.batch.lines().count());
    if (!refusal.isEmpty()) {
        m_prompter.ok(refusal);
        m_list->setFocus();
        return;
    }
    jumpTo(row);
}

void ReviewWindow::Command2_Click()
{
    hide();
    {
        const QSignalBlocker block(m_list->selectionModel());
        m_model->show(nullptr);
    }
    Q_EMIT cancelled();
}

void ReviewWindow::applyLayout()
{
    const layout::Screen s = currentScreen(this);
    const layout::ReviewLayout l = layout::reviewLayout(s);
    placeTwips(m_list, l.List1, s);
    placeTwips(m_details, l.Text1, s);
    placeTwips(m_editButton, l.Command1, s);
    placeTwips(m_cancelButton, l.Command2, s);
    // The nine detail lines should fit without scrolling: a smaller font where the
    // box is short.
    QFont font = this->font();
    int px = QFontInfo(font).pixelSize();
    const int room = m_details->height() - 2 * m_details->frameWidth()
                     - 2 * int(m_details->document()->documentMargin());
    for (; px > 8; --px) {
        font.setPixelSize(px);
        if (QFontMetrics(font).lineSpacing() * 9 <= room)
            break;
    }
    m_details->setFont(font);
}

}  // namespace vorlane
