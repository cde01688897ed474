#pragma once
// The journal's text: one change a line, an operation letter, then tab-separated fields,
// in UTF-8. Shared by the writer and the reader of the journal; not for other use.
#include <QByteArray>
#include <QString>
#include <QStringView>

namespace vorlane::journalformat {

// A pasted tab, line end or backslash in a field is written as a backslash and "t", "n",
// "r" or a second backslash: one change stays one line.
QString escape(const QString &s);
// escape(s).toUtf8() appended to `out`.
void appendEscapedUtf8(QByteArray &out, const QString &s);
QString unescape(QStringView s);
// The file name as the system wants it.
QByteArray encoded(const QString &path);
// Bytes a line takes in a copy of the batch ("L", tab, UTF-8, line end).
qint64 copyBytes(QStringView line);
// One change: the letter, the index when not negative, the text when not null.
QByteArray change(char op, qsizetype index, const QString &text);

}  // namespace vorlane::journalformat
