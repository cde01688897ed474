#include "widgets/rowlistwindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vorlane {

RowListWindow::RowListWindow(const QString &title, const QString &text, const QStringList &columns,
                             const QList<QStringList> &rows, std::function<void()> save, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"RowList"_s);
    setWindowTitle(title);
    setModal(true);

    Label = new QLabel(text, this);
    Label->setObjectName(u"Label"_s);
    // Texts from the user's file: never read as markup.
    Label->setTextFormat(Qt::PlainText);

    List = new QTableWidget(int(rows.size()), int(columns.size()), this);
    List->setObjectName(u"List"_s);
    List->setAccessibleName(text);
    List->setHorizontalHeaderLabels(columns);
    List->verticalHeader()->hide();
    List->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < columns.size(); ++c)
            List->setItem(r, c, new QTableWidgetItem(rows[r].value(c)));
    List->resizeColumnsToContents();
    List->horizontalHeader()->setStretchLastSection(true);

    CmdSave = new QPushButton(u"บันทึกเป็นแฟ้ม"_s, this);
    CmdSave->setObjectName(u"CmdSave"_s);
    CmdSave->setAccessibleName(u"บันทึกเป็นแฟ้ม"_s);
    CmdSave->setAutoDefault(false);
    CmdOk = new QPushButton(u"ตกลง"_s, this);
    CmdOk->setObjectName(u"CmdOk"_s);
    CmdOk->setAccessibleName(u"ตกลง"_s);
    CmdOk->setDefault(true);
    connect(CmdSave, &QPushButton::clicked, this, [save = std::move(save)] {
        if (save)
            save();
    });
    connect(CmdOk, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CmdSave);
    buttons->addWidget(CmdOk);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label);
    layout->addWidget(List);
    layout->addLayout(buttons);
    resize(720, 420);
}

}  // namespace vorlane
