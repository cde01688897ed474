#include "records/cusname.h"

#include "records/codec.h"
#include "records/tables.h"

#include "records/fileio.h"

#include <QDir>
#include <QFileInfo>

namespace vorlane {

std::optional<DepositorDetails> ReadCusname(const QString &path)
{
    const auto lines = ReadTableLines(path);
    if (!lines || lines->isEmpty())
        return std::nullopt;
    // Several records: the last one read wins.
    const QStringList f = ReadFields(lines->last(), 2);
    return DepositorDetails{f[0], f[1]};
}

bool WriteCusname(const QString &path, const DepositorDetails &details)
{
    auto quoted = [](QString s) {
        s.replace(u'"', QStringLiteral("\"\""));
        return u'"' + s + u'"';
    };
    const QString line = quoted(details.name) + u',' + quoted(details.address) + QStringLiteral("\r\n");
    const cp874::EncodeResult e = cp874::encode(line);
    if (!e.ok)
        return false;
    // The settings folder is made on the first write, private like the file.
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        return false;
    // Names and addresses are nobody else's business.
    SaveOptions options;
    options.mode = 0600;
    return SaveFileAtomic(path, e.bytes, options).ok();
}

}  // namespace vorlane
