#include "filechooser/filename.h"
#include "records/texthelpers.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace vorlane {
namespace {

QString problemText(SaveNameProblem p)
{
    switch (p) {
    case SaveNameProblem::Empty: return u"ให้ใส่ชื่อแฟ้มข้อมูลที่ต้องการบันทึก"_s;
    case SaveNameProblem::TooManyDots: return u"มีจุดทศนิยมมากกว่าหนึ่งจุด"_s;
    case SaveNameProblem::ExtensionLength: return u"ความยาวของรูปแบบไฟล์ไม่เท่ากับ 3 ตัวอักษร"_s;
    case SaveNameProblem::NotText: return u"ไม่ใช่รูปแบบของ text ไฟล์"_s;
    case SaveNameProblem::Reserved: return u"ไม่สามารถเก็บข้อมูลในชื่อไฟล์นี้ได้"_s;
    case SaveNameProblem::None: break;
    }
    return {};
}

}  // namespace

bool CheckFileName(QStringView name) { return name.count(u'.') <= 1; }

QString JoinChooserPath(const QString &dir, const QString &name)
{
    const bool endsInSeparator = dir.endsWith(u'/') || dir.endsWith(u'\\');
    const QString path = endsInSeparator ? dir + name : dir + u'/' + name;
    return QDir::toNativeSeparators(path);
}

SaveNameCheck CheckSaveName(const QString &boxText, bool onEnter)
{
    SaveNameCheck r;
    r.boxText = boxText;
    const QString name = onEnter ? boxText : trimWhiteSpace(boxText).toString();
    if (name.isEmpty()) {
        r.problem = SaveNameProblem::Empty;
        return r;
    }
    QString full = name;
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0) {
        if (!CheckFileName(name)) {
            r.problem = SaveNameProblem::TooManyDots;
            return r;
        }
        const QString ext = name.mid(dot + 1);
        if (ext.size() != 3) {
            r.problem = SaveNameProblem::ExtensionLength;
            return r;
        }
        if (ext.compare(u"txt"_s, Qt::CaseInsensitive) != 0) {
            r.problem = SaveNameProblem::NotText;
            return r;
        }
    } else {
        r.boxText += u".txt"_s;
        full += u".txt"_s;
    }
    if (trimWhiteSpace(full).compare(u"Noname.txt"_s, Qt::CaseInsensitive) == 0) {
        r.problem = SaveNameProblem::Reserved;
        return r;
    }
    r.fileName = trimWhiteSpace(full).toString();
    // A name of blanks only that Enter completed to " .txt" names no file.
    if (!onEnter && r.fileName.startsWith(u'.'))
        r.problem = SaveNameProblem::Empty;
    return r;
}

SaveNameStep SaveNameOutcome(const QString &boxText, bool onEnter)
{
    const SaveNameCheck r = CheckSaveName(boxText, onEnter);
    SaveNameStep step;
    step.boxText = boxText;
    switch (r.problem) {
    case SaveNameProblem::None:
        step.passed = true;
        step.boxText = r.boxText;
        step.fileName = r.fileName;
        break;
    case SaveNameProblem::Empty: step.message = onEnter ? u"ไม่ได้พิมพ์ชื่อไฟล์ที่ต้องการบันทึก"_s : problemText(r.problem); break;
    case SaveNameProblem::TooManyDots:
    case SaveNameProblem::ExtensionLength:
    case SaveNameProblem::NotText:
        // A name refused for its form stays for correcting on Enter; accept starts over.
        step.message = problemText(r.problem);
        if (!onEnter)
            step.boxText.clear();
        break;
    case SaveNameProblem::Reserved:
        // Completed with ".txt" first, so the user sees which name is refused.
        step.boxText = r.boxText;
        step.message = problemText(r.problem);
        break;
    }
    return step;
}

QString OpenNameRefusal(const QString &boxText)
{
    return trimWhiteSpace(boxText).isEmpty() ? u"กรุณาใส่ชื่อไฟล์"_s : QString();
}

}  // namespace vorlane
