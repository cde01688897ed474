#include "shell/commandkeys.h"

using namespace Qt::StringLiterals;

namespace vorlane {

const QList<CommandKey> &CommandKeys()
{
    // F1 stays with the About box.
    static const QList<CommandKey> keys = {
        {0, u"คำแนะนำ"_s, {QKeySequence(Qt::Key_F2)}},
        {1, u"เปิดแฟ้มข้อมูลใหม่"_s, {QKeySequence(QKeySequence::New)}},
        {2, u"เปิดแฟ้มข้อมูล"_s, {QKeySequence(QKeySequence::Open)}},
        {3, u"บันทึกแฟ้มข้อมูล"_s, {QKeySequence(QKeySequence::Save)}},
        {4, u"พิมพ์รายงาน"_s, {QKeySequence(QKeySequence::Print)}},
        {5, u"ตรวจสอบข้อมูล"_s, {QKeySequence(Qt::Key_F5)}},
        {6, u"ค้นหาชื่อ/รหัส"_s, {QKeySequence(QKeySequence::Find), QKeySequence(Qt::Key_F3)}},
        {7, u"ปิดโปรแกรม"_s, {QKeySequence(Qt::Key_F8)}},
    };
    return keys;
}

QList<QKeySequence> KeysForCaption(const QString &caption)
{
    for (const CommandKey &k : CommandKeys())
        if (k.caption == caption)
            return k.keys;
    return {};
}

QString CommandTip(const QString &caption)
{
    const QList<QKeySequence> keys = KeysForCaption(caption);
    if (keys.isEmpty())
        return caption;
    QStringList names;
    for (const QKeySequence &k : keys)
        names << k.toString(QKeySequence::NativeText);
    return caption + u" ("_s + names.join(u", "_s) + u')';
}

}  // namespace vorlane
