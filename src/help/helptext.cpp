#include "help/helptext.h"

#include "records/codec.h"
#include "records/linereader.h"
#include "records/fileio.h"

using namespace Qt::StringLiterals;

namespace vorlane {

QString HelpMissingText(const FileIoResult &failure)
{
    if (failure.error == FileIoError::NotFound)
        return u"ไม่พบแฟ้มคำแนะนำ (helpcustomer.txt)"_s;
    return u"อ่านแฟ้มคำแนะนำไม่ได้ (helpcustomer.txt)\n"_s + FailureLine(failure);
}

std::optional<QString> LoadHelpText(const QString &path, FileIoResult *failure)
{
    // A help text is a few pages; anything far larger is not one. A pipe or a device
    // under that name is refused by the reader instead of blocking or filling memory.
    constexpr qint64 kLimit = 8 * 1024 * 1024;
    const FileReadResult file = ReadFileBounded(path, kLimit);
    if (!file.ok()) {
        if (failure)
            *failure = file;
        return std::nullopt;
    }
    const QByteArray &bytes = file.bytes;
    const QString all = cp874::decode(bytes);

    QString text;
    LineSplitter().feed(QStringView(all), true, [&](QStringView line) {
        text += line;
        text += u"\r\n"_s;
    });
    return text;
}

}  // namespace vorlane
