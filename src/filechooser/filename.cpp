#include "filechooser/filename.h"
#include "records/texthelpers.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace vorlane {

bool CheckFileName(QStringView name)
{
    return name.count(u'.') <= 1;
}

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

} // namespace vorlane
