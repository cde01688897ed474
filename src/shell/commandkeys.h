#pragma once
// The keys of the command bar's work commands: the desktop's own where one exists,
// function keys for the rest. A key belongs to a caption, not to a button index, so the
// start state's buttons (other captions at the same places) have none.
#include <QKeySequence>
#include <QList>
#include <QString>

namespace vorlane {

struct CommandKey {
    int index;        // button of the command bar
    QString caption;  // the key acts only while the button shows this caption
    QList<QKeySequence> keys;
};

const QList<CommandKey> &CommandKeys();

// The keys of a caption (none for an unknown one).
QList<QKeySequence> KeysForCaption(const QString &caption);

// "เปิดแฟ้มข้อมูล (Ctrl+O)"; the caption alone when it has no key.
QString CommandTip(const QString &caption);

}  // namespace vorlane
