#pragma once
// "cusname.txt": the depositor's name and address, one quoted comma-separated record.
#include <QString>
#include <optional>

namespace vorlane {

struct DepositorDetails {
    QString name;
    QString address;
};

// The last record of the file; nullopt when the file is missing, unreadable or empty.
// A doubled double quote inside a quoted field reads as one.
std::optional<DepositorDetails> ReadCusname(const QString &path);
// "name","address" CR LF, a double quote in either doubled. False when not written
// (the previous file is then kept) or when a text cannot be held in code page 874.
bool WriteCusname(const QString &path, const DepositorDetails &details);

}  // namespace vorlane
