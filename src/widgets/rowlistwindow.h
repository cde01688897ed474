#pragma once
// A list of rows the user reads before going on (for instance the spreadsheet rows an
// open refused), with a button that saves the list and "ตกลง" to go on.
#include <QDialog>
#include <QList>
#include <QStringList>
#include <functional>

class QLabel;
class QPushButton;
class QTableWidget;

namespace vorlane {

class RowListWindow : public QDialog {
    Q_OBJECT
public:
    // `save` runs when the save button is pressed and says itself how it went.
    RowListWindow(const QString &title, const QString &text, const QStringList &columns, const QList<QStringList> &rows,
                  std::function<void()> save, QWidget *parent);

    QLabel *Label = nullptr;
    QTableWidget *List = nullptr;
    QPushButton *CmdSave = nullptr, *CmdOk = nullptr;
};

}  // namespace vorlane
