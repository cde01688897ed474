#pragma once
// The one place where bytes on disk become text and back: Windows code page 874.
#include <QByteArray>
#include <QString>

namespace vorlane::cp874 {

// Never loses a byte: every byte value, the 31 that the code page leaves
// undefined included, decodes to a character that encodes back to that byte.
// `room`: characters of capacity left behind the text, for lines appended later.
QString decode(QByteArrayView bytes, qsizetype room = 0);

struct EncodeResult {
    QByteArray bytes;  // complete only when ok
    bool ok = true;
    qsizetype errorPos = -1;  // index in the text of the first character the code page cannot hold
    char32_t badChar = 0;     // that character
};

// Fails on the first character outside the code page; nothing is replaced or dropped.
EncodeResult encode(QStringView text);

// True when every character of the text can be written to a data file.
// On false, *pos (when given) receives the index of the first offending character.
bool canEncode(QStringView text, qsizetype *pos = nullptr);

}  // namespace vorlane::cp874
