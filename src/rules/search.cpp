#include "rules/search.h"

#include "records/numbers.h"
#include "records/texthelpers.h"

using namespace Qt::StringLiterals;

namespace vorlane {

PostOfficeMatch FindPostOffice(const QStringList &postcodes, const QStringList &names, const QString &search)
{
    const QString s = trimWhiteSpace(search).toString();
    if (s.isEmpty())
        return {};
    const bool byCode = isNumeric(s);
    const qsizetype n = std::min(postcodes.size(), names.size());
    for (qsizetype i = 0; i < n; ++i) {
        const QString &code = postcodes.at(i);
        const QString &name = names.at(i);
        if (byCode ? code.startsWith(s) : trimWhiteSpace(name).startsWith(s))
            return {int(i), byCode ? code + u"  "_s + name : name + u"  "_s + code};
    }
    return {};
}

QString SearchTextRefusal(const QString &typed)
{
    return trimWhiteSpace(typed).isEmpty() ? u"ยังไม่ป้อนข้อมูลเพื่อค้นหา"_s : QString();
}

QString SearchChoiceRefusal(int foundIndex) { return foundIndex == -1 ? u"กรุณาใส่ชื่อปณ. หรือไม่พบ ปณ.ที่ป้อน"_s : QString(); }

}  // namespace vorlane
