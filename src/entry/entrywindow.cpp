#include "entry/entrywindow.h"

#include "layout/entrylayout.h"
#include "records/numbers.h"
#include "records/recordline.h"
#include "records/totals.h"
#include "widgets/commandbutton.h"
#include "widgets/uiscale.h"
#include "records/session.h"
#include "widgets/prompter.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>

using namespace Qt::StringLiterals;

namespace vorlane {

namespace {

QComboBox *makeSelector(QWidget *parent, const QString &name, bool editable, const QStringList &items)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(editable);
    c->addItems(items);
    if (editable) {
        // Matching is exact: no completion that would change what is typed, and Enter
        // never adds what is typed to the list.
        c->setCompleter(nullptr);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setEditText(QString());
    } else {
        c->setCurrentIndex(-1);
    }
    c->setMaxVisibleItems(20);
    return c;
}

} // namespace

EntryWindow::EntryWindow(Session &session, Prompter &prompter, QWidget *parent)
    : QWidget(parent), m_session(session), m_prompter(prompter)
{
    setObjectName(u"Form1"_s);
    setWindowTitle(u"ป้อนข้อมูลการฝากส่งธนาณัติ"_s);
    const ReferenceTables &t = session.tables;
    m_typeCodes = t.types.codes;
    m_typeNames = t.types.names;
    m_postcodes = t.postOffices.codes;
    m_postOfficeNames = t.postOffices.names;
    buildControls();
    applyLayout();
    setVisible(false);
    // Form_Load ends by clearing the path; the depositor confirmation sets it again.
    session.batch.rename(QString());
}

EntryWindow::~EntryWindow() = default;

void EntryWindow::buildControls()
{
    Frame4 = new QFrame(this);
    Frame4->setObjectName(u"Frame4"_s);
    Frame2 = new QFrame(Frame4);
    Frame2->setObjectName(u"Frame2"_s);
    Frame1 = new QFrame(Frame4);
    Frame1->setObjectName(u"Frame1"_s);
    Frame3 = new QFrame(Frame4);
    Frame3->setObjectName(u"Frame3"_s);
    Frame3->setFrameShape(QFrame::StyledPanel);

    const std::array<std::pair<const char16_t *, const char16_t *>, 7> labels{{
        {u"Label4", u"ประเภท ธน."},
        {u"Label7", u"ปณ.ปลายทาง"},
        {u"Label8", u"ชื่อ-นามสกุล ผู้รับ"},
        {u"Label10", u"ที่อยู่ผู้รับเงิน"},
        {u"Label9", u"ชื่อ-นามสกุล ผู้ฝากเงิน"},
        {u"Label11", u"ที่อยู่ผู้ฝากเงิน"},
        {u"Label6", u"จำนวนเงินที่ฝากส่ง"},
    }};
    for (size_t i = 0; i < labels.size(); ++i) {
        m_fieldLabels[i] = new QLabel(QString::fromUtf16(labels[i].second), Frame2);
        m_fieldLabels[i]->setObjectName(QString::fromUtf16(labels[i].first));
        m_fieldLabels[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    for (int i = 0; i < kFieldCount; ++i) {
        Text1[i] = new QLineEdit(Frame1);
        Text1[i]->setObjectName(u"Text1_%1"_s.arg(i));
    }
    // Type code, postcode and office name live in the selectors; these only mirror them.
    for (Field f : kMirrorFields)
        Text1[f]->setVisible(false);

    Combo1[TypeCodeBox] = makeSelector(Frame1, u"Combo1_0"_s, true, m_typeCodes);
    Combo1[TypeNameBox] = makeSelector(Frame1, u"Combo1_1"_s, false, m_typeNames);
    Combo1[PostcodeBox] = makeSelector(Frame1, u"Combo1_2"_s, true, m_postcodes);
    Combo1[OfficeNameBox] = makeSelector(Frame1, u"Combo1_3"_s, true, m_postOfficeNames);

    Label18 = new QLabel(u"บาท"_s, Frame1);
    Label18->setObjectName(u"Label18"_s);

    auto button = [this](const QString &name, const QString &text) {
        auto *b = new CommandButton(text, Frame3);
        b->setObjectName(name);
        return b;
    };
    Cmdadd = button(u"Cmdadd"_s, u"เพิ่ม"_s);
    Cmdinsert = button(u"Cmdinsert"_s, u"แทรก"_s);
    Cmddel = button(u"Cmddel"_s, u"ลบ"_s);
    Cmdsave = button(u"Cmdsave"_s, u"บันทึก"_s);
    Cmdcancel = button(u"Cmdcancel"_s, u"ยกเลิก"_s);
    Cmdfirst = button(u"Cmdfirst"_s, u"<<"_s);
    Cmdback = button(u"Cmdback"_s, u"<"_s);
    Cmdforward = button(u"Cmdforward"_s, u">"_s);
    Cmdlast = button(u"Cmdlast"_s, u">>"_s);

    auto label = [](QWidget *parent, const QString &name, const QString &text, Qt::Alignment a) {
        auto *l = new QLabel(text, parent);
        l->setObjectName(name);
        l->setAlignment(a | Qt::AlignVCenter);
        return l;
    };
    Label12 = label(Frame3, u"Label12"_s, u"จำนวนเงินรวม"_s, Qt::AlignRight);
    Label13 = label(Frame3, u"Label13"_s, u"0.00"_s, Qt::AlignRight);
    Label14 = label(Frame3, u"Label14"_s, u"ค่าธรรมเนียมธนาณัติรวม"_s, Qt::AlignRight);
    Label15 = label(Frame3, u"Label15"_s, u"0.00"_s, Qt::AlignRight);
    for (QLabel *l : {Label13, Label15})
        l->setFrameShape(QFrame::Panel), l->setFrameShadow(QFrame::Sunken);
    Label2 = label(this, u"Label2"_s, u"จำนวนฉบับธนาณัติ"_s, Qt::AlignRight);
    Label1 = label(this, u"Label1"_s, u"0/0"_s, Qt::AlignCenter);
    Label1->setFrameShape(QFrame::Panel);
    Label1->setFrameShadow(QFrame::Sunken);
    Label3 = label(this, u"Label3"_s, u"ค้นหา"_s, Qt::AlignRight);
    Text2 = new QLineEdit(this);
    Text2->setObjectName(u"Text2"_s);

    // What a screen reader says for each control: the label beside it.
    const std::array<std::pair<QWidget *, const char16_t *>, 17> spoken{{
        {Combo1[TypeCodeBox], u"ประเภท ธน. รหัส"},
        {Combo1[TypeNameBox], u"ประเภท ธน. ชื่อ"},
        {Combo1[PostcodeBox], u"ปณ.ปลายทาง รหัสไปรษณีย์"},
        {Combo1[OfficeNameBox], u"ปณ.ปลายทาง ชื่อที่ทำการ"},
        {Text1[TypeCode], u"ประเภท ธน."},
        {Text1[DestPostcode], u"รหัสไปรษณีย์ปลายทาง"},
        {Text1[RecipientName], u"ชื่อ-นามสกุล ผู้รับ"},
        {Text1[DepositorName], u"ชื่อ-นามสกุล ผู้ฝากเงิน"},
        {Text1[Amount], u"จำนวนเงินที่ฝากส่ง บาท"},
        {Text1[DestPostOfficeName], u"ชื่อที่ทำการปลายทาง"},
        {Text1[RecipientAddress], u"ที่อยู่ผู้รับเงิน"},
        {Text1[DepositorAddress], u"ที่อยู่ผู้ฝากเงิน"},
        {Text2, u"ค้นหา"},
        {Cmdfirst, u"รายการแรก"},
        {Cmdback, u"รายการก่อนหน้า"},
        {Cmdforward, u"รายการถัดไป"},
        {Cmdlast, u"รายการสุดท้าย"},
    }};
    for (const auto &[w, name] : spoken)
        w->setAccessibleName(QString::fromUtf16(name));
    // The focus sits in an editable selector's line edit, and a screen reader names the
    // selector itself after its current value: the line edit carries the caption.
    for (QComboBox *c : Combo1)
        if (c->lineEdit())
            c->lineEdit()->setAccessibleName(c->accessibleName());
    // Each caption labels its field, for the reader that follows labelled-by.
    const std::array<QWidget *, 7> captioned{Combo1[TypeCodeBox], Combo1[PostcodeBox], Text1[RecipientName],
                                             Text1[RecipientAddress], Text1[DepositorName],
                                             Text1[DepositorAddress], Text1[Amount]};
    for (size_t i = 0; i < captioned.size(); ++i)
        m_fieldLabels[i]->setBuddy(captioned[i]);
    // A label shows its value but offers no text to a screen reader: the totals say their
    // caption and their amount in their name (kept in step by RefreshTotals).
    Label12->setBuddy(Label13);
    Label14->setBuddy(Label15);
    setTotalsSpoken();

    // Esc gives up the record being added or inserted, as "ยกเลิก" does in every work window.
    auto *esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setContext(Qt::WindowShortcut);
    connect(esc, &QShortcut::activated, this, [this] {
        const Batch &batch = m_session.batch;
        if ((batch.IsAdding() || batch.IsInserting()) && Cmdcancel->isVisible() && Cmdcancel->isEnabled())
            Cmdcancel->click();
    });

    // Keys move through the fields in the order the checks expect.
    setTabOrder(Combo1[TypeCodeBox], Combo1[TypeNameBox]);
    setTabOrder(Combo1[TypeNameBox], Combo1[PostcodeBox]);
    setTabOrder(Combo1[PostcodeBox], Combo1[OfficeNameBox]);
    setTabOrder(Combo1[OfficeNameBox], Text1[RecipientName]);
    setTabOrder(Text1[RecipientName], Text1[RecipientAddress]);
    setTabOrder(Text1[RecipientAddress], Text1[DepositorName]);
    setTabOrder(Text1[DepositorName], Text1[DepositorAddress]);
    setTabOrder(Text1[DepositorAddress], Text1[Amount]);
    setTabOrder(Text1[Amount], Cmdsave);

    // Mirror rule: the hidden code fields drive their selectors.
    connect(Text1[TypeCode], &QLineEdit::textChanged, this, [this](const QString &t) { Combo1[TypeCodeBox]->setEditText(t); });
    connect(Text1[DestPostcode], &QLineEdit::textChanged, this, [this](const QString &t) { Combo1[PostcodeBox]->setEditText(t); });
    connect(Combo1[TypeCodeBox], &QComboBox::editTextChanged, this, [this] { typeCodeChanged(); });
    connect(Combo1[PostcodeBox], &QComboBox::editTextChanged, this, [this] { postcodeChanged(); });
    connect(Combo1[OfficeNameBox], &QComboBox::editTextChanged, this, [this] { postOfficeNameChanged(); });
    // The type-name list is pick-only: its own selection changes run no rule.
    connect(Combo1[TypeCodeBox], &QComboBox::activated, this, [this](int p) { pickTypeCode(p); });
    connect(Combo1[TypeNameBox], &QComboBox::activated, this, [this](int p) { pickTypeName(p); });
    connect(Combo1[PostcodeBox], &QComboBox::activated, this, [this](int p) { pickPostcode(p); });
    connect(Combo1[OfficeNameBox], &QComboBox::activated, this, [this](int p) { pickPostOfficeName(p); });

    for (Field f : kTypedFields)
        Text1[f]->installEventFilter(this);
    for (QComboBox *c : Combo1)
        c->installEventFilter(this);

    connect(Cmdadd, &QPushButton::clicked, this, [this] { AddAction(); });
    connect(Cmdinsert, &QPushButton::clicked, this, [this] { InsertAction(); });
    connect(Cmddel, &QPushButton::clicked, this, [this] { DeleteAction(); });
    connect(Cmdsave, &QPushButton::clicked, this, [this] { SaveAction(); });
    connect(Cmdcancel, &QPushButton::clicked, this, [this] { CancelAction(); });
    connect(Cmdfirst, &QPushButton::clicked, this, [this] { Navigate(Move::First); });
    connect(Cmdback, &QPushButton::clicked, this, [this] { Navigate(Move::Back); });
    connect(Cmdforward, &QPushButton::clicked, this, [this] { Navigate(Move::Forward); });
    connect(Cmdlast, &QPushButton::clicked, this, [this] { Navigate(Move::Last); });
    connect(Text2, &QLineEdit::textChanged, this, [this](const QString &t) { searchChanged(t); });
}

void EntryWindow::applyLayout()
{
    const layout::Screen s = currentScreen(this);
    const layout::EntryLayout l = layout::entryLayout(s);
    auto place = [&s](QWidget *w, const layout::TwipRect &r) { placeTwips(w, r, s); };
    place(Frame4, l.Frame4);
    place(Frame2, l.Frame2);
    place(Frame1, l.Frame1);
    place(Frame3, l.Frame3);
    for (int i = 0; i < layout::kEntryRows; ++i)
        place(m_fieldLabels[i], l.labels[i]);
    place(Combo1[TypeCodeBox], l.Combo1_0);
    place(Combo1[TypeNameBox], l.Combo1_1);
    place(Combo1[PostcodeBox], l.Combo1_2);
    place(Combo1[OfficeNameBox], l.Combo1_3);
    place(Text1[RecipientName], l.Text1_2);
    place(Text1[RecipientAddress], l.Text1_6);
    place(Text1[DepositorName], l.Text1_3);
    place(Text1[DepositorAddress], l.Text1_7);
    place(Text1[Amount], l.Text1_4);
    place(Label18, l.Label18);
    place(Cmdadd, l.Cmdadd);
    place(Cmdinsert, l.Cmdinsert);
    place(Cmddel, l.Cmddel);
    place(Cmdsave, l.Cmdsave);
    place(Cmdcancel, l.Cmdcancel);
    place(Cmdfirst, l.Cmdfirst);
    place(Cmdback, l.Cmdback);
    place(Cmdforward, l.Cmdforward);
    place(Cmdlast, l.Cmdlast);
    place(Label12, l.Label12);
    place(Label13, l.Label13);
    place(Label14, l.Label14);
    place(Label15, l.Label15);
    place(Label2, l.Label2);
    place(Label1, l.Label1);
    place(Label3, l.Label3);
    place(Text2, l.Text2);

    for (QLabel *lb : m_fieldLabels)
        fitText(lb, lb->text());
    for (QLabel *lb : {Label18, Label12, Label14, Label2, Label3})
        fitText(lb, lb->text());
    // The totals must show a batch of millions without clipping.
    for (QLabel *lb : {Label13, Label15})
        fitText(lb, u"99,999,999.99"_s);
    fitText(Label1, m_counterPattern);
    for (CommandButton *b : {Cmdadd, Cmdinsert, Cmddel, Cmdsave, Cmdcancel, Cmdfirst, Cmdback, Cmdforward, Cmdlast})
        fitText(b, b->text());
    for (QWidget *w : {static_cast<QWidget *>(Combo1[TypeCodeBox]), static_cast<QWidget *>(Combo1[TypeNameBox]),
                       static_cast<QWidget *>(Combo1[PostcodeBox]), static_cast<QWidget *>(Combo1[OfficeNameBox]),
                       static_cast<QWidget *>(Text2)})
        fitText(w, {});
    for (QLineEdit *e : Text1)
        fitText(e, {});
}

void EntryWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The rules read the screen afresh each time the window is shown.
    applyLayout();
}

void EntryWindow::closeEvent(QCloseEvent *event)
{
    // Only the command bar hides and shows this window.
    event->ignore();
}

// ---- display -------------------------------------------------------------------------

void EntryWindow::LoadLineIntoEntryFields(const QString &line)
{
    for (QLineEdit *t : Text1)
        t->setText(QString());
    const QStringList fields = ScanRecordFields(line, kFieldCount);
    for (int k = 0; k < fields.size() && k < kFieldCount; ++k)
        Text1[k]->setText(fields[k]);
}

void EntryWindow::RefreshTotals()
{
    Session &session = m_session;
    const RecordStore &store = m_session.batch.lines();
    const BatchTotals t = ComputeTotals(store, session.tables.rates);
    Label13->setText(formatGrouped(t.amount));
    Label15->setText(formatGrouped(t.fee));
    setTotalsSpoken();
    if (store.count() > 0) {
        setCounterText(u"%1 / %2"_s.arg(m_session.batch.CurrentIndex() + 1).arg(store.count()));
    } else {
        setCounterText(u"0/0"_s);
        Text1[TypeCode]->setText(u"101"_s);
    }
}

void EntryWindow::setField(int i, const QString &text)
{
    if (i >= 0 && i < kFieldCount)
        Text1[i]->setText(text);
}

QString EntryWindow::field(int i) const { return (i >= 0 && i < kFieldCount) ? Text1[i]->text() : QString(); }
void EntryWindow::setCounterText(const QString &text)
{
    Label1->setText(text);
    const QString pattern = CounterFitPattern(text);
    if (pattern != m_counterPattern) {
        m_counterPattern = pattern;
        fitText(Label1, m_counterPattern);
    }
}
QString EntryWindow::counterText() const { return Label1->text(); }
void EntryWindow::setCaption(const QString &caption) { setWindowTitle(caption); }
QString EntryWindow::caption() const { return windowTitle(); }
void EntryWindow::focusPostcode() { focusTo(Combo1[PostcodeBox]); }

void EntryWindow::setTotalsSpoken()
{
    Label13->setAccessibleName(u"จำนวนเงินรวม "_s + Label13->text() + u" บาท"_s);
    Label15->setAccessibleName(u"ค่าธรรมเนียมธนาณัติรวม "_s + Label15->text() + u" บาท"_s);
}

void EntryWindow::rememberFocus()
{
    QWidget *f = QApplication::focusWidget();
    m_focusBefore = f && isAncestorOf(f) ? f : nullptr;
}

void EntryWindow::comeBack(FocusOn where)
{
    show();
    QWidget *to = nullptr;
    const Batch &batch = m_session.batch;
    switch (where) {
    case FocusOn::AsBefore:
        to = m_focusBefore;
        break;
    case FocusOn::FirstField:
        to = Combo1[TypeCodeBox];
        break;
    case FocusOn::Recipient:
        to = Text1[RecipientName];
        break;
    }
    // A control since hidden or disabled (a save button after a cancel): where keying goes
    // on, the postcode of a new record or the type code of one shown.
    if (!to || !to->isVisibleTo(this) || !to->isEnabled())
        to = batch.IsAdding() || batch.IsInserting() ? Combo1[PostcodeBox] : Combo1[TypeCodeBox];
    to->setFocus(Qt::OtherFocusReason);
    m_focusBefore = nullptr;
}

void EntryWindow::enableRecordButtons() { setButtons(1, 1, 1, 1, 1); }

// 1 on, 0 off, -1 left as it is.
void EntryWindow::setButtons(int add, int del, int save, int cancel, int insert)
{
    const std::pair<CommandButton *, int> states[] = {
        {Cmdadd, add}, {Cmddel, del}, {Cmdsave, save}, {Cmdcancel, cancel}, {Cmdinsert, insert}};
    for (auto [b, s] : states)
        if (s >= 0)
            b->setEnabled(s == 1);
}

void EntryWindow::focusTo(QWidget *w)
{
    // A focus change to a hidden or disabled control is skipped.
    if (w && w->isEnabled())
        w->setFocus(Qt::OtherFocusReason);
}

QString EntryWindow::lineFromFields() const
{
    return RecordLine(AdmitRecord(draft().record).record);
}

// ---- selectors -----------------------------------------------------------------------

void EntryWindow::typeCodeChanged()
{
    const int i = indexOfTrimmed(m_typeCodes, Combo1[TypeCodeBox]->currentText());
    Combo1[TypeNameBox]->setCurrentIndex(i);
    mirrorStep();
}

void EntryWindow::postcodeChanged()
{
    const int i = indexOfTrimmed(m_postcodes, Combo1[PostcodeBox]->currentText());
    {
        const bool was = m_postcodeWriting;
        m_postcodeWriting = true;
        Combo1[OfficeNameBox]->setEditText(i >= 0 && i < m_postOfficeNames.size() ? m_postOfficeNames[i] : QString());
        m_postcodeWriting = was;
    }
    mirrorStep();
}

void EntryWindow::postOfficeNameChanged()
{
    if (!m_postcodeWriting) {
        const int i = indexOfTrimmed(m_postOfficeNames, Combo1[OfficeNameBox]->currentText());
        if (i >= 0 && i < m_postcodes.size())
            Combo1[PostcodeBox]->setEditText(m_postcodes[i]);
    }
    mirrorStep();
}

void EntryWindow::pickTypeCode(int p)
{
    Combo1[TypeNameBox]->setCurrentIndex(p < Combo1[TypeNameBox]->count() ? p : -1);
    if (p >= 0 && p < m_typeCodes.size())
        applyAction(pickTypeCodeRule(m_typeCodes[p]));
    mirrorStep();
}

void EntryWindow::pickTypeName(int p)
{
    if (p >= 0 && p < m_typeCodes.size())
        Combo1[TypeCodeBox]->setEditText(m_typeCodes[p]);
    mirrorStep();
}

void EntryWindow::pickPostcode(int p)
{
    if (p >= 0 && p < m_postOfficeNames.size()) {
        const bool was = m_postcodeWriting;
        m_postcodeWriting = true;
        Combo1[OfficeNameBox]->setEditText(m_postOfficeNames[p]);
        m_postcodeWriting = was;
    }
    mirrorStep();
}

void EntryWindow::pickPostOfficeName(int index)
{
    if (index < 0 || index >= m_postcodes.size())
        return;
    {
        // Show the picked entry itself, not the first office of the same name.
        const bool was = m_postcodeWriting;
        m_postcodeWriting = true;
        Combo1[OfficeNameBox]->setCurrentIndex(index);
        m_postcodeWriting = was;
    }
    Combo1[PostcodeBox]->setEditText(m_postcodes[index]);
    if (Combo1[OfficeNameBox]->currentText() != m_postOfficeNames[index]) {
        m_postcodeWriting = true;
        Combo1[OfficeNameBox]->setEditText(m_postOfficeNames[index]);
        m_postcodeWriting = false;
    }
    mirrorStep();
}

void EntryWindow::clearPostOfficeNameSelection()
{
    // Drop the list selection only; the text shown stays.
    const QString text = Combo1[OfficeNameBox]->currentText();
    const QSignalBlocker block(Combo1[OfficeNameBox]);
    Combo1[OfficeNameBox]->setCurrentIndex(-1);
    Combo1[OfficeNameBox]->setEditText(text);
}

void EntryWindow::mirrorStep()
{
    Text1[DestPostcode]->setText(Combo1[PostcodeBox]->currentText());
    Text1[TypeCode]->setText(Combo1[TypeCodeBox]->currentText());
    Text1[DestPostOfficeName]->setText(Combo1[OfficeNameBox]->currentText());
}

} // namespace vorlane
