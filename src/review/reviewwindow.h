#pragma once
// Form3: the whole batch in a list, the details and fee of one record, and the way back
// into the entry window at any record.
#include "widgets/workwindow.h"

class QListView;
class QPlainTextEdit;

namespace vorlane {

class CommandButton;
class Prompter;
class ReviewListModel;
struct Session;

class ReviewWindow : public WorkWindow {
    Q_OBJECT
public:
    // Reads the batch, its state and the rates; writes nothing of the session.
    ReviewWindow(Session &session, Prompter &prompter, QWidget *parent);

    // Refills the list from the batch and shows the details of record ResumeIndex.
    void fill();
    // The detail text as built, CR LF line ends included.
    QString detailText() const { return m_detail; }
    bool editSelected() const { return m_editSelected; }

    void List1_Click(int row);
    void List1_DblClick(int row);
    void Command1_Click();  // แก้ไข
    void Command2_Click();  // ยกเลิก

    // On the list, with no record marked: nothing is chosen until the clerk moves.
    void takeFocus() override;

Q_SIGNALS:
    // "แก้ไข" or a double-click: the entry window takes over at record `row`.
    void recordChosen(int row);
    // "ยกเลิก": back to the record shown before.
    void cancelled();

protected:
private:
    void setDetail(const QString &text);
    void jumpTo(int row);
    void applyLayout() override;

    QListView *m_list = nullptr;
    QPlainTextEdit *m_details = nullptr;
    CommandButton *m_editButton = nullptr, *m_cancelButton = nullptr;
    Session &m_session;
    Prompter &m_prompter;
    ReviewListModel *m_model = nullptr;
    QString m_detail;
    bool m_editSelected = false;
};

}  // namespace vorlane
