#include "entry/entrywindow.h"

#include "widgets/accessibility.h"

#include "layout/entrylayout.h"
#include "records/numbers.h"
#include "records/recordline.h"
#include "records/texthelpers.h"
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

}  // namespace

EntryWindow::EntryWindow(Session &session, Prompter &prompter, QWidget *parent)
    : QWidget(parent), m_session(session), m_prompter(prompter)
{
    PresentFramesAsGroups();
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
        m_fields[i] = new QLineEdit(Frame1);
        m_fields[i]->setObjectName(u"Text1_%1"_s.arg(i));
    }
    // Type code, postcode and office name live in the selectors; these only mirror them.
    for (Field f : kMirrorFields)
        m_fields[f]->setVisible(false);

    m_selectors[TypeCodeBox] = makeSelector(Frame1, u"Combo1_0"_s, true, m_typeCodes);
    m_selectors[TypeNameBox] = makeSelector(Frame1, u"Combo1_1"_s, false, m_typeNames);
    m_selectors[PostcodeBox] = makeSelector(Frame1, u"Combo1_2"_s, true, m_postcodes);
    m_selectors[OfficeNameBox] = makeSelector(Frame1, u"Combo1_3"_s, true, m_postOfficeNames);

    Label18 = new QLabel(u"บาท"_s, Frame1);
    Label18->setObjectName(u"Label18"_s);

    auto button = [this](const QString &name, const QString &text) {
        auto *b = new CommandButton(text, Frame3);
        b->setObjectName(name);
        return b;
    };
    m_addButton = button(u"Cmdadd"_s, u"เพิ่ม"_s);
    m_insertButton = button(u"Cmdinsert"_s, u"แทรก"_s);
    m_deleteButton = button(u"Cmddel"_s, u"ลบ"_s);
    m_saveButton = button(u"Cmdsave"_s, u"บันทึก"_s);
    m_cancelButton = button(u"Cmdcancel"_s, u"ยกเลิก"_s);
    m_firstButton = button(u"Cmdfirst"_s, u"<<"_s);
    m_previousButton = button(u"Cmdback"_s, u"<"_s);
    m_nextButton = button(u"Cmdforward"_s, u">"_s);
    m_lastButton = button(u"Cmdlast"_s, u">>"_s);

    auto label = [](QWidget *parent, const QString &name, const QString &text, Qt::Alignment a) {
        auto *l = new QLabel(text, parent);
        l->setObjectName(name);
        l->setAlignment(a | Qt::AlignVCenter);
        return l;
    };
    Label12 = label(Frame3, u"Label12"_s, u"จำนวนเงินรวม"_s, Qt::AlignRight);
    m_totalAmount = label(Frame3, u"Label13"_s, u"0.00"_s, Qt::AlignRight);
    Label14 = label(Frame3, u"Label14"_s, u"ค่าธรรมเนียมธนาณัติรวม"_s, Qt::AlignRight);
    m_totalFee = label(Frame3, u"Label15"_s, u"0.00"_s, Qt::AlignRight);
    for (QLabel *l : {m_totalAmount, m_totalFee})
        l->setFrameShape(QFrame::Panel), l->setFrameShadow(QFrame::Sunken);
    Label2 = label(this, u"Label2"_s, u"จำนวนฉบับธนาณัติ"_s, Qt::AlignRight);
    m_counter = label(this, u"Label1"_s, u"0/0"_s, Qt::AlignCenter);
    m_counter->setFrameShape(QFrame::Panel);
    m_counter->setFrameShadow(QFrame::Sunken);
    Label3 = label(this, u"Label3"_s, u"ค้นหา"_s, Qt::AlignRight);
    m_searchBox = new QLineEdit(this);
    m_searchBox->setObjectName(u"Text2"_s);

    // What a screen reader says for each control: the label beside it.
    const std::array<std::pair<QWidget *, const char16_t *>, 17> spoken{{
        {m_selectors[TypeCodeBox], u"ประเภท ธน. รหัส"},
        {m_selectors[TypeNameBox], u"ประเภท ธน. ชื่อ"},
        {m_selectors[PostcodeBox], u"ปณ.ปลายทาง รหัสไปรษณีย์"},
        {m_selectors[OfficeNameBox], u"ปณ.ปลายทาง ชื่อที่ทำการ"},
        {m_fields[TypeCode], u"ประเภท ธน."},
        {m_fields[DestPostcode], u"รหัสไปรษณีย์ปลายทาง"},
        {m_fields[RecipientName], u"ชื่อ-นามสกุล ผู้รับ"},
        {m_fields[DepositorName], u"ชื่อ-นามสกุล ผู้ฝากเงิน"},
        {m_fields[Amount], u"จำนวนเงินที่ฝากส่ง บาท"},
        {m_fields[DestPostOfficeName], u"ชื่อที่ทำการปลายทาง"},
        {m_fields[RecipientAddress], u"ที่อยู่ผู้รับเงิน"},
        {m_fields[DepositorAddress], u"ที่อยู่ผู้ฝากเงิน"},
        {m_searchBox, u"ค้นหา"},
        {m_firstButton, u"รายการแรก"},
        {m_previousButton, u"รายการก่อนหน้า"},
        {m_nextButton, u"รายการถัดไป"},
        {m_lastButton, u"รายการสุดท้าย"},
    }};
    for (const auto &[w, name] : spoken)
        w->setAccessibleName(QString::fromUtf16(name));
    // The focus sits in an editable selector's line edit, and a screen reader names the
    // selector itself after its current value: the line edit carries the caption.
    for (QComboBox *c : m_selectors)
        if (c->lineEdit())
            c->lineEdit()->setAccessibleName(c->accessibleName());
    // Each caption labels its field, for the reader that follows labelled-by.
    const std::array<QWidget *, 7> captioned{
        m_selectors[TypeCodeBox], m_selectors[PostcodeBox],   m_fields[RecipientName], m_fields[RecipientAddress],
        m_fields[DepositorName],  m_fields[DepositorAddress], m_fields[Amount]};
    for (size_t i = 0; i < captioned.size(); ++i)
        m_fieldLabels[i]->setBuddy(captioned[i]);
    // A label shows its value but offers no text to a screen reader: the totals say their
    // caption and their amount in their name (kept in step by RefreshTotals).
    Label12->setBuddy(m_totalAmount);
    Label14->setBuddy(m_totalFee);
    setTotalsSpoken();

    // Esc gives up the record being added or inserted, as "ยกเลิก" does in every work window.
    auto *esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setContext(Qt::WindowShortcut);
    connect(esc, &QShortcut::activated, this, [this] {
        const Batch &batch = m_session.batch;
        if ((batch.IsAdding() || batch.IsInserting()) && m_cancelButton->isVisible() && m_cancelButton->isEnabled())
            m_cancelButton->click();
    });

    // Keys move through the fields in the order the checks expect.
    setTabOrder(m_selectors[TypeCodeBox], m_selectors[TypeNameBox]);
    setTabOrder(m_selectors[TypeNameBox], m_selectors[PostcodeBox]);
    setTabOrder(m_selectors[PostcodeBox], m_selectors[OfficeNameBox]);
    setTabOrder(m_selectors[OfficeNameBox], m_fields[RecipientName]);
    setTabOrder(m_fields[RecipientName], m_fields[RecipientAddress]);
    setTabOrder(m_fields[RecipientAddress], m_fields[DepositorName]);
    setTabOrder(m_fields[DepositorName], m_fields[DepositorAddress]);
    setTabOrder(m_fields[DepositorAddress], m_fields[Amount]);
    setTabOrder(m_fields[Amount], m_saveButton);

    // Mirror rule: the hidden code fields drive their selectors.
    connect(m_fields[TypeCode], &QLineEdit::textChanged, this,
            [this](const QString &t) { m_selectors[TypeCodeBox]->setEditText(t); });
    connect(m_fields[DestPostcode], &QLineEdit::textChanged, this,
            [this](const QString &t) { m_selectors[PostcodeBox]->setEditText(t); });
    connect(m_selectors[TypeCodeBox], &QComboBox::editTextChanged, this, [this] { typeCodeChanged(); });
    connect(m_selectors[PostcodeBox], &QComboBox::editTextChanged, this, [this] { postcodeChanged(); });
    connect(m_selectors[OfficeNameBox], &QComboBox::editTextChanged, this, [this] { postOfficeNameChanged(); });
    // The type-name list is pick-only: its own selection changes run no rule.
    connect(m_selectors[TypeCodeBox], &QComboBox::activated, this, [this](int p) { pickTypeCode(p); });
    connect(m_selectors[TypeNameBox], &QComboBox::activated, this, [this](int p) { pickTypeName(p); });
    connect(m_selectors[PostcodeBox], &QComboBox::activated, this, [this](int p) { pickPostcode(p); });
    connect(m_selectors[OfficeNameBox], &QComboBox::activated, this, [this](int p) { pickPostOfficeName(p); });

    for (Field f : kTypedFields)
        m_fields[f]->installEventFilter(this);
    for (QComboBox *c : m_selectors)
        c->installEventFilter(this);

    connect(m_addButton, &QPushButton::clicked, this, [this] { AddAction(); });
    connect(m_insertButton, &QPushButton::clicked, this, [this] { InsertAction(); });
    connect(m_deleteButton, &QPushButton::clicked, this, [this] { DeleteAction(); });
    connect(m_saveButton, &QPushButton::clicked, this, [this] { SaveAction(); });
    connect(m_cancelButton, &QPushButton::clicked, this, [this] { CancelAction(); });
    connect(m_firstButton, &QPushButton::clicked, this, [this] { Navigate(Move::First); });
    connect(m_previousButton, &QPushButton::clicked, this, [this] { Navigate(Move::Back); });
    connect(m_nextButton, &QPushButton::clicked, this, [this] { Navigate(Move::Forward); });
    connect(m_lastButton, &QPushButton::clicked, this, [this] { Navigate(Move::Last); });
    connect(m_searchBox, &QLineEdit::textChanged, this, [this](const QString &t) { searchChanged(t); });
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
    place(m_selectors[TypeCodeBox], l.Combo1_0);
    place(m_selectors[TypeNameBox], l.Combo1_1);
    place(m_selectors[PostcodeBox], l.Combo1_2);
    place(m_selectors[OfficeNameBox], l.Combo1_3);
    place(m_fields[RecipientName], l.Text1_2);
    place(m_fields[RecipientAddress], l.Text1_6);
    place(m_fields[DepositorName], l.Text1_3);
    place(m_fields[DepositorAddress], l.Text1_7);
    place(m_fields[Amount], l.Text1_4);
    place(Label18, l.Label18);
    place(m_addButton, l.Cmdadd);
    place(m_insertButton, l.Cmdinsert);
    place(m_deleteButton, l.Cmddel);
    place(m_saveButton, l.Cmdsave);
    place(m_cancelButton, l.Cmdcancel);
    place(m_firstButton, l.Cmdfirst);
    place(m_previousButton, l.Cmdback);
    place(m_nextButton, l.Cmdforward);
    place(m_lastButton, l.Cmdlast);
    place(Label12, l.Label12);
    place(m_totalAmount, l.Label13);
    place(Label14, l.Label14);
    place(m_totalFee, l.Label15);
    place(Label2, l.Label2);
    place(m_counter, l.Label1);
    place(Label3, l.Label3);
    place(m_searchBox, l.Text2);

    for (QLabel *lb : m_fieldLabels)
        fitText(lb, lb->text());
    for (QLabel *lb : {Label18, Label12, Label14, Label2, Label3})
        fitText(lb, lb->text());
    // The totals must show a batch of millions without clipping.
    for (QLabel *lb : {m_totalAmount, m_totalFee})
        fitText(lb, u"99,999,999.99"_s);
    fitText(m_counter, m_counterPattern);
    for (CommandButton *b : {m_addButton, m_insertButton, m_deleteButton, m_saveButton, m_cancelButton, m_firstButton,
                             m_previousButton, m_nextButton, m_lastButton})
        fitText(b, b->text());
    for (QWidget *w :
         {static_cast<QWidget *>(m_selectors[TypeCodeBox]), static_cast<QWidget *>(m_selectors[TypeNameBox]),
          static_cast<QWidget *>(m_selectors[PostcodeBox]), static_cast<QWidget *>(m_selectors[OfficeNameBox]),
          static_cast<QWidget *>(m_searchBox)})
        fitText(w, {});
    for (QLineEdit *e : m_fields)
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
    for (QLineEdit *t : m_fields)
        t->setText(QString());
    const QStringList fields = ScanRecordFields(line, kFieldCount);
    for (int k = 0; k < fields.size() && k < kFieldCount; ++k)
        m_fields[k]->setText(fields[k]);
}

void EntryWindow::RefreshTotals()
{
    Session &session = m_session;
    const RecordStore &store = m_session.batch.lines();
    const BatchTotals t = ComputeTotals(store, session.tables.rates);
    m_totalAmount->setText(formatGrouped(t.amount));
    m_totalFee->setText(formatGrouped(t.fee));
    setTotalsSpoken();
    if (store.count() > 0) {
        setCounterText(u"%1 / %2"_s.arg(m_session.batch.CurrentIndex() + 1).arg(store.count()));
    } else {
        setCounterText(u"0/0"_s);
        m_fields[TypeCode]->setText(u"101"_s);
    }
}

void EntryWindow::setField(int i, const QString &text)
{
    if (i >= 0 && i < kFieldCount)
        m_fields[i]->setText(text);
}

QString EntryWindow::field(int i) const { return (i >= 0 && i < kFieldCount) ? m_fields[i]->text() : QString(); }
void EntryWindow::setCounterText(const QString &text)
{
    m_counter->setText(text);
    const QString pattern = CounterFitPattern(text);
    if (pattern != m_counterPattern) {
        m_counterPattern = pattern;
        fitText(m_counter, m_counterPattern);
    }
}
QString EntryWindow::counterText() const { return m_counter->text(); }
void EntryWindow::setCaption(const QString &caption) { setWindowTitle(caption); }
QString EntryWindow::caption() const { return windowTitle(); }
void EntryWindow::focusPostcode() { focusTo(m_selectors[PostcodeBox]); }

void EntryWindow::setTotalsSpoken()
{
    m_totalAmount->setAccessibleName(u"จำนวนเงินรวม "_s + m_totalAmount->text() + u" บาท"_s);
    m_totalFee->setAccessibleName(u"ค่าธรรมเนียมธนาณัติรวม "_s + m_totalFee->text() + u" บาท"_s);
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
    case FocusOn::AsBefore: to = m_focusBefore; break;
    case FocusOn::FirstField: to = m_selectors[TypeCodeBox]; break;
    case FocusOn::Recipient: to = m_fields[RecipientName]; break;
    case FocusOn::AddButton: to = m_addButton; break;
    }
    // A control since hidden or disabled (a save button after a cancel): where keying goes
    // on, the postcode of a new record or the type code of one shown.
    if (!to || !to->isVisibleTo(this) || !to->isEnabled())
        to = batch.IsAdding() || batch.IsInserting() ? m_selectors[PostcodeBox] : m_selectors[TypeCodeBox];
    to->setFocus(Qt::OtherFocusReason);
    m_focusBefore = nullptr;
}

void EntryWindow::showCurrentRecord(FocusOn focus)
{
    const Batch &batch = m_session.batch;
    if (batch.lines().isEmpty()) {
        // The new-record defaults on empty fields: a half-keyed record must not keep its
        // postcode and recipient under another type (and fee).
        LoadLineIntoEntryFields(QString());
        setField(TypeCode, u"101"_s);
        setField(DepositorName, m_session.DefaultDepositorName);
        setField(DepositorAddress, m_session.DefaultDepositorAddress);
    } else {
        LoadLineIntoEntryFields(batch.current());
        enableRecordButtons();
    }
    RefreshTotals();
    comeBack(focus);
}

void EntryWindow::closeBatch(bool saved)
{
    for (int i = 0; i < kFieldCount; ++i)
        setField(i, QString());
    if (saved)
        RefreshTotals();
    else
        m_totalAmount->setText(u"0"_s);
    setTotalsSpoken();
    m_searchBox->clear();
    m_selectors[TypeCodeBox]->setEditText(QString());
    hide();
}

void EntryWindow::takePostOffice(int index)
{
    if (trimWhiteSpace(m_selectors[OfficeNameBox]->currentText()).isEmpty())
        pickPostOfficeName(index);
}

void EntryWindow::enableRecordButtons() { setButtons(1, 1, 1, 1, 1); }

// 1 on, 0 off, -1 left as it is.
void EntryWindow::setButtons(int add, int del, int save, int cancel, int insert)
{
    const std::pair<CommandButton *, int> states[] = {{m_addButton, add},
                                                      {m_deleteButton, del},
                                                      {m_saveButton, save},
                                                      {m_cancelButton, cancel},
                                                      {m_insertButton, insert}};
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

QString EntryWindow::lineFromFields() const { return RecordLine(AdmitRecord(draft().record).record); }

// ---- selectors -----------------------------------------------------------------------

void EntryWindow::typeCodeChanged()
{
    const int i = indexOfTrimmed(m_typeCodes, m_selectors[TypeCodeBox]->currentText());
    m_selectors[TypeNameBox]->setCurrentIndex(i);
    mirrorStep();
}

void EntryWindow::postcodeChanged()
{
    const int i = indexOfTrimmed(m_postcodes, m_selectors[PostcodeBox]->currentText());
    {
        const bool was = m_postcodeWriting;
        m_postcodeWriting = true;
        m_selectors[OfficeNameBox]->setEditText(i >= 0 && i < m_postOfficeNames.size() ? m_postOfficeNames[i]
                                                                                       : QString());
        m_postcodeWriting = was;
    }
    mirrorStep();
}

void EntryWindow::postOfficeNameChanged()
{
    if (!m_postcodeWriting) {
        const int i = indexOfTrimmed(m_postOfficeNames, m_selectors[OfficeNameBox]->currentText());
        if (i >= 0 && i < m_postcodes.size())
            m_selectors[PostcodeBox]->setEditText(m_postcodes[i]);
    }
    mirrorStep();
}

void EntryWindow::pickTypeCode(int p)
{
    m_selectors[TypeNameBox]->setCurrentIndex(p < m_selectors[TypeNameBox]->count() ? p : -1);
    if (p >= 0 && p < m_typeCodes.size())
        applyAction(pickTypeCodeRule(m_typeCodes[p]));
    mirrorStep();
}

void EntryWindow::pickTypeName(int p)
{
    if (p >= 0 && p < m_typeCodes.size())
        m_selectors[TypeCodeBox]->setEditText(m_typeCodes[p]);
    mirrorStep();
}

void EntryWindow::pickPostcode(int p)
{
    if (p >= 0 && p < m_postOfficeNames.size()) {
        const bool was = m_postcodeWriting;
        m_postcodeWriting = true;
        m_selectors[OfficeNameBox]->setEditText(m_postOfficeNames[p]);
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
        m_selectors[OfficeNameBox]->setCurrentIndex(index);
        m_postcodeWriting = was;
    }
    m_selectors[PostcodeBox]->setEditText(m_postcodes[index]);
    if (m_selectors[OfficeNameBox]->currentText() != m_postOfficeNames[index]) {
        m_postcodeWriting = true;
        m_selectors[OfficeNameBox]->setEditText(m_postOfficeNames[index]);
        m_postcodeWriting = false;
    }
    mirrorStep();
}

void EntryWindow::clearPostOfficeNameSelection()
{
    // Drop the list selection only; the text shown stays.
    const QString text = m_selectors[OfficeNameBox]->currentText();
    const QSignalBlocker block(m_selectors[OfficeNameBox]);
    m_selectors[OfficeNameBox]->setCurrentIndex(-1);
    m_selectors[OfficeNameBox]->setEditText(text);
}

void EntryWindow::mirrorStep()
{
    m_fields[DestPostcode]->setText(m_selectors[PostcodeBox]->currentText());
    m_fields[TypeCode]->setText(m_selectors[TypeCodeBox]->currentText());
    m_fields[DestPostOfficeName]->setText(m_selectors[OfficeNameBox]->currentText());
}

}  // namespace vorlane
