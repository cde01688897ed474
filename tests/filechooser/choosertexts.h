#pragma once
// The file chooser's messages about a save name, as the user reads them.
#include <QString>

namespace vorlane::test {
using namespace Qt::StringLiterals;
inline const QString kEmptyName = u"ให้ใส่ชื่อแฟ้มข้อมูลที่ต้องการบันทึก"_s;
inline const QString kDots = u"มีจุดทศนิยมมากกว่าหนึ่งจุด"_s;
inline const QString kLength = u"ความยาวของรูปแบบไฟล์ไม่เท่ากับ 3 ตัวอักษร"_s;
inline const QString kNotText = u"ไม่ใช่รูปแบบของ text ไฟล์"_s;
inline const QString kReserved = u"ไม่สามารถเก็บข้อมูลในชื่อไฟล์นี้ได้"_s;
}  // namespace vorlane::test
