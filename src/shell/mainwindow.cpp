#include "shell/mainwindow.h"

#include "widgets/accessibility.h"

#include "entry/entrywindow.h"
#include "help/help.h"
#include "layout/mainwindowlayout.h"
#include "records/cusname.h"
#include "widgets/commandbutton.h"
#include "shell/commandkeys.h"
#include "shell/depositordialog.h"
#include "shell/fileflows.h"
#include "widgets/uiscale.h"
#include "shell/batchrecovery.h"

#include <QChildEvent>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>

#include <limits>

using namespace Qt::StringLiterals;

namespace vorlane {
namespace {

const QString kOpenProgram = u"เปิดโปรแกรม"_s;
const QString kExit = u"ออกจากโปรแกรม"_s;
const std::array<QString, 8> kWorkCaptions = {
    u"คำแนะนำ"_s,   u"เปิดแฟ้มข้อมูลใหม่"_s, u"เปิดแฟ้มข้อมูล"_s, u"บันทึกแฟ้มข้อมูล"_s,
    u"พิมพ์รายงาน"_s, u"ตรวจสอบข้อมูล"_s,   u"ค้นหาชื่อ/รหัส"_s, u"ปิดโปรแกรม"_s,
};
const QString kAskSaveUnsaved = u"ข้อมูลยังไม่ได้บันทึก ต้องการบันทึกหรือไม่"_s;

// The area left of the command bar; its work windows fill it.
class WorkArea : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void resizeEvent(QResizeEvent *) override
    {
        for (QObject *o : children())
            if (auto *w = qobject_cast<QWidget *>(o); w && !w->isWindow())
                w->setGeometry(rect());
    }
};

}  // namespace

MainWindow::MainWindow(Session &session, Prompter &prompter)
    : QWidget(nullptr), m_session(session), m_prompter(prompter),
      m_recovery(std::make_unique<BatchRecovery>(session, prompter))
{
    PresentFramesAsGroups();
    setObjectName(u"MDIForm1"_s);
    setWindowTitle(mainCaption());

    m_workArea = new WorkArea(this);
    m_workArea->setObjectName(u"workArea"_s);
    m_workArea->installEventFilter(this);

    m_commandBar = new QFrame(this);
    m_commandBar->setObjectName(u"Picture1"_s);
    m_commandBar->setFrameShape(QFrame::StyledPanel);
    m_commandBar->setAutoFillBackground(true);
    for (int i = 0; i < 8; ++i) {
        m_commandButtons[i] = new CommandButton(QString(), m_commandBar);
        m_commandButtons[i]->setObjectName(u"Command1_%1"_s.arg(i));
        connect(m_commandButtons[i], &QPushButton::clicked, this, [this, i] { commandClick(i); });
        // At start-up buttons 2 to 7 have no captions and are hidden.
        m_commandButtons[i]->setVisible(i < 2);
    }
    m_commandButtons[0]->setText(kOpenProgram);
    m_commandButtons[1]->setText(kExit);

    auto *about = new QShortcut(QKeySequence(Qt::Key_F1), this);
    about->setContext(Qt::WindowShortcut);
    connect(about, &QShortcut::activated, this, [this] { ShowAbout(m_prompter); });

    // A key presses its button exactly as a click would, and only while the button shows
    // that command (the keys are the work state's) and can be clicked.
    for (const CommandKey &k : CommandKeys()) {
        for (const QKeySequence &seq : k.keys) {
            auto *key = new QShortcut(seq, this);
            key->setContext(Qt::WindowShortcut);
            connect(key, &QShortcut::activated, this, [this, i = k.index] {
                CommandButton *b = m_commandButtons[size_t(i)];
                if (!isStartState() && b->isVisible() && b->isEnabled())
                    b->click();
            });
        }
    }

    // Sized to the screen, at its top left corner.
    const layout::Screen s = currentScreen(this);
    setGeometry(0, 0, int(s.W / s.twipsPerPixel), int(s.H / s.twipsPerPixel));
    m_session.batch.rename(u"Noname.txt"_s);
    applyLayout();
}

MainWindow::~MainWindow() = default;

Batch &MainWindow::batch() const { return m_session.batch; }

QString MainWindow::mainCaption() { return u"โปรแกรมรับฝากธนาณัติจำนวนมาก (สำหรับลูกค้า)"_s; }

void MainWindow::applyLayout()
{
    const layout::Screen s = currentScreen(this);
    const double panelHeight = height() * s.twipsPerPixel;
    const layout::MainWindowLayout l = layout::mainWindowLayout(s, panelHeight);
    QRect panel = layout::toPixels(l.panel, s);
    // The panel keeps to the window's right edge even when the window is narrower.
    panel.moveRight(std::max(width(), panel.width()) - 1);
    m_commandBar->setGeometry(panel);
    m_workArea->setGeometry(0, 0, std::max(panel.left(), 1), height());
    for (int i = 0; i < 8; ++i) {
        placeTwips(m_commandButtons[i], l.buttons[i], s);
        // Long captions take a smaller font rather than being cut.
        fitText(m_commandButtons[i], m_commandButtons[i]->text());
        m_commandButtons[i]->setToolTip(CommandTip(m_commandButtons[i]->text()));
    }
    // One size across the bar: the size at which the longest caption fits.
    int barPx = std::numeric_limits<int>::max();
    for (CommandButton *b : m_commandButtons)
        if (!b->text().isEmpty())
            barPx = std::min(barPx, QFontInfo(b->font()).pixelSize());
    if (barPx != std::numeric_limits<int>::max()) {
        for (CommandButton *b : m_commandButtons) {
            QFont f = b->font();
            f.setPixelSize(barPx);
            b->setFont(f);
        }
    }
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    applyLayout();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The close box is refused; the program ends through "ออกจากโปรแกรม" or the
    // session's end.
    if (m_exiting || qApp->isSavingSession())
        event->accept();
    else
        event->ignore();
}

void MainWindow::exitProgram()
{
    // A clean end leaves nothing to recover.
    m_recovery->endJournal();
    m_exiting = true;
    close();
    Q_EMIT exitRequested();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_workArea && event->type() == QEvent::ChildAdded) {
        auto *child = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child());
        if (child && !child->isWindow()) {
            child->installEventFilter(this);
            child->setGeometry(m_workArea->rect());
        }
    } else if (watched == m_workArea && event->type() == QEvent::ChildRemoved) {
        updateTitle();
    } else if (watched != m_workArea && watched->parent() == m_workArea) {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::WindowTitleChange: updateTitle(); break;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// The main caption, and the caption of the work window on screen, so the data file's
// path in the entry window's title stays visible.
void MainWindow::updateTitle()
{
    QString sub;
    for (QObject *o : m_workArea->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (w && !w->isWindow() && w->isVisibleTo(m_workArea) && !w->windowTitle().trimmed().isEmpty()) {
            sub = w->windowTitle();
            break;
        }
    }
    setWindowTitle(sub.isEmpty() ? mainCaption() : mainCaption() + u" - ["_s + sub + u"]"_s);
}

void MainWindow::setCommandButtonsVisible(bool visible)
{
    // In the start state only the first two buttons are meant to show.
    const int shown = isStartState() ? 2 : 8;
    for (int i = 0; i < 8; ++i)
        m_commandButtons[i]->setVisible(visible && i < shown);
}

void MainWindow::setWorkState()
{
    m_workState = true;
    for (int i = 0; i < 8; ++i) {
        m_commandButtons[i]->setText(kWorkCaptions[i]);
        m_commandButtons[i]->setVisible(true);
    }
    applyLayout();
}

// ---- dispatch ----------------------------------------------------------------------------

void MainWindow::commandClick(int index)
{
    if (index < 0 || index >= 8)
        return;
    Batch &batch = m_session.batch;

    if (isStartState()) {
        // Buttons 2 to 7 are hidden in the start state and do nothing there.
        if (index == 0)
            openProgram();
        else if (index == 1)
            exitProgram();
        return;
    }
    switch (index) {
    case 0: openHelp(); break;
    case 1: newDataFile(); break;
    case 2: openDataFile(); break;
    case 3: saveDataFile(); break;
    case 4:
        batch.setResumeIndex(batch.CurrentIndex());
        openPrintOptions();
        break;
    case 5: openReview(); break;
    case 6:
        batch.setResumeIndex(batch.CurrentIndex());
        openSearch();
        hideEntryAndBar();
        break;
    case 7: closeProgram(); break;
    }
}

void MainWindow::hideEntryAndBar()
{
    if (m_entry)
        m_entry->hide();
    setCommandButtonsVisible(false);
}

void MainWindow::openProgram()
{
    if (!m_depositor)
        m_depositor = new DepositorDialog(*this, m_workArea);
    DepositorDialog *d = m_depositor;
    d->show();
    d->raise();
    if (const auto details = ReadCusname(m_session.paths.cusnamePath())) {
        m_session.DefaultDepositorName = details->name;
        m_session.DefaultDepositorAddress = details->address;
    }
    setCommandButtonsVisible(false);
    d->start(m_session.DefaultDepositorName, m_session.DefaultDepositorAddress);
}

void MainWindow::newDataFile()
{
    Batch &batch = m_session.batch;
    if (batch.IsSaved()) {
        NewDataFile(*this);
        return;
    }
    Prompter &p = m_prompter;
    if (p.yesNo(u"ต้องการสร้างแฟ้มข้อมูลใหม่หรือไม่"_s) != Prompter::Answer::Yes) {
        if (m_entry)
            m_entry->focusPostcode();
        return;
    }
    const bool unnamed = batch.isUnnamed();
    const QString ask = unnamed ? u"มีข้อมูลอยู่ต้องการบันทึกหรือไม่"_s : u"มีการแก้ไขข้อมูลต้องการบันทึกหรือไม่"_s;
    if (p.yesNo(ask) == Prompter::Answer::Yes) {
        if (unnamed)
            BeginSaveAs(*this);
        else
            BeginSave(*this);
    } else {
        NewDataFile(*this);
        batch.markSaved();
    }
}

void MainWindow::openDataFile()
{
    Batch &batch = m_session.batch;
    batch.setResumeIndex(batch.CurrentIndex());
    if (batch.IsSaved()) {
        BeginOpen(*this);
        return;
    }
    if (m_prompter.yesNo(kAskSaveUnsaved) != Prompter::Answer::Yes) {
        batch.markSaved();
        BeginOpen(*this);
        return;
    }
    // Saved first; the user clicks the button again to open.
    if (batch.isUnnamed()) {
        BeginSaveAs(*this);
    } else {
        batch.saveAs(batch.CurrentFilePath());
        SaveDataFile(*this);
    }
}

void MainWindow::saveDataFile()
{
    Batch &batch = m_session.batch;
    batch.setResumeIndex(batch.CurrentIndex());
    if (batch.lines().isEmpty()) {
        m_prompter.ok(u"ไม่มีข้อมูลที่จะบันทึก"_s);
        return;
    }
    if (batch.isUnnamed())
        BeginSaveAs(*this);
    else
        BeginSave(*this);
}

void MainWindow::closeProgram()
{
    Batch &batch = m_session.batch;
    if (batch.IsSaved()) {
        ResetToStart();
        return;
    }
    if (m_prompter.yesNo(kAskSaveUnsaved) == Prompter::Answer::Yes) {
        if (batch.isUnnamed()) {
            BeginSaveAs(*this);
            return;
        }
        batch.saveAs(batch.CurrentFilePath());
        // A failed save keeps the batch on screen.
        if (SaveDataFile(*this))
            ResetToStart();
        return;
    }
    ResetToStart();
    batch.markSaved();
}

void MainWindow::ResetToStart()
{
    const bool wasSaved = m_session.batch.IsSaved();
    // The batch was saved or given up: nothing is left to recover.
    m_recovery->endJournal();
    m_session.batch.close();
    if (m_entry)
        m_entry->closeBatch(wasSaved);
    m_workState = false;
    m_commandButtons[0]->setText(kOpenProgram);
    m_commandButtons[1]->setText(kExit);
    m_commandButtons[0]->setVisible(true);
    m_commandButtons[1]->setVisible(true);
    for (int i = 2; i < 8; ++i)
        m_commandButtons[i]->setVisible(false);
    if (m_entry)
        m_entry->setCaption(QString());
    applyLayout();
}

}  // namespace vorlane
