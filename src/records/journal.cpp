#include "records/journal.h"

#include <QDir>
#include <QFileInfo>

#include <unistd.h>

namespace vorlane {
namespace {

// One change a line: an operation letter, then tab-separated fields. Record lines never
// hold line ends, but a pasted tab or backslash must not break the format.
QString escape(const QString &s)
{
    QString out;
    out.reserve(s.size() + 8);
    for (QChar c : s) {
        switch (c.unicode()) {
        case u'\\': out += QLatin1String("\\\\"); break;
        case u'\t': out += QLatin1String("\\t"); break;
        case u'\n': out += QLatin1String("\\n"); break;
        case u'\r': out += QLatin1String("\\r"); break;
        default: out += c;
        }
    }
    return out;
}

QString unescape(QStringView s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'\\' && i + 1 < s.size()) {
            const QChar n = s[++i];
            out += n == u't' ? QChar(u'\t') : n == u'n' ? QChar(u'\n') : n == u'r' ? QChar(u'\r') : n;
        } else {
            out += s[i];
        }
    }
    return out;
}

} // namespace

RecoveryJournal::RecoveryJournal(QString path) : m_path(std::move(path)) {}

RecoveryJournal::~RecoveryJournal()
{
    // Closing is not a clean end: the journal stays until discard().
    m_file.close();
}

bool RecoveryJournal::begin(const QStringList &lines, const QString &filePath, bool saved)
{
    m_file.close();
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    m_file.setFileName(m_path);
    m_failed = !m_file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    if (m_failed)
        return false;
    QByteArray out = "B\t" + QByteArray(saved ? "1" : "0") + '\t' + escape(filePath).toUtf8() + '\n';
    for (const QString &l : lines)
        out += "L\t" + escape(l).toUtf8() + '\n';
    out += "E\n";
    m_failed = m_file.write(out) != out.size() || !m_file.flush();
    if (!m_failed)
        ::fdatasync(m_file.handle());
    return !m_failed;
}

void RecoveryJournal::append(QChar op, qsizetype index, const QString &text)
{
    if (!m_file.isOpen() || m_failed)
        return;
    QByteArray out;
    out += char(op.unicode());
    if (index >= 0)
        out += '\t' + QByteArray::number(index);
    if (!text.isNull())
        out += '\t' + escape(text).toUtf8();
    out += '\n';
    // Each change must survive a power cut that follows it.
    m_failed = m_file.write(out) != out.size() || !m_file.flush();
    if (!m_failed)
        ::fdatasync(m_file.handle());
}

void RecoveryJournal::noteFile(const QString &filePath) { append(u'P', -1, filePath.isNull() ? QStringLiteral("") : filePath); }
void RecoveryJournal::noteSaved(bool saved) { append(u'V', saved ? 1 : 0, QString()); }
void RecoveryJournal::stored(qsizetype index, const QString &line) { append(u'S', index, line.isNull() ? QStringLiteral("") : line); }
void RecoveryJournal::inserted(qsizetype index, const QString &line) { append(u'I', index, line.isNull() ? QStringLiteral("") : line); }
void RecoveryJournal::removed(qsizetype index) { append(u'D', index, QString()); }
void RecoveryJournal::cleared() { append(u'C', -1, QString()); }

void RecoveryJournal::assigned(const QStringList &lines)
{
    if (!m_file.isOpen())
        return;
    // A whole new batch: start over from it rather than grow the journal.
    QString path;
    bool saved = false;
    if (const auto r = read(m_path)) {
        path = r->filePath;
        saved = r->saved;
    }
    begin(lines, path, saved);
}

void RecoveryJournal::discard()
{
    m_file.close();
    QFile::remove(m_path);
}

std::optional<RecoveryJournal::Recovered> RecoveryJournal::read(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray all = f.readAll();
    Recovered r;
    bool begun = false, inBegin = false;
    qsizetype start = 0;
    // A last line without its line end was cut off while being written: it is not used.
    while (true) {
        const qsizetype nl = all.indexOf('\n', start);
        if (nl < 0)
            break;
        const QString line = QString::fromUtf8(all.constData() + start, nl - start);
        start = nl + 1;
        const QStringList parts = line.split(u'\t');
        const QString op = parts.value(0);
        auto index = [&](qsizetype &out) {
            bool ok = false;
            out = parts.value(1).toLongLong(&ok);
            return ok;
        };
        if (op == u"B") {
            begun = inBegin = true;
            r = Recovered{};
            r.saved = parts.value(1) == u"1";
            r.filePath = unescape(parts.value(2));
        } else if (!begun) {
            continue;
        } else if (op == u"L" && inBegin) {
            r.lines.append(unescape(parts.value(1)));
        } else if (op == u"E") {
            inBegin = false;
        } else if (op == u"P") {
            r.filePath = unescape(parts.value(1));
        } else if (op == u"V") {
            r.saved = parts.value(1) == u"1";
        } else if (op == u"C") {
            r.lines.clear();
        } else if (qsizetype i = 0; op == u"S" && index(i)) {
            if (i >= 0 && i < r.lines.size())
                r.lines[i] = unescape(parts.value(2));
            else if (i == r.lines.size())
                r.lines.append(unescape(parts.value(2)));
        } else if (op == u"I" && index(i)) {
            r.lines.insert(qBound<qsizetype>(0, i, r.lines.size()), unescape(parts.value(2)));
        } else if (op == u"D" && index(i)) {
            if (i >= 0 && i < r.lines.size())
                r.lines.removeAt(i);
        }
    }
    if (!begun || inBegin)
        return std::nullopt;
    return r;
}

} // namespace vorlane
