#pragma once
#include <QString>
#include <optional>

namespace vorlane {

struct FileIoResult;

// The help file's lines in order, each followed by CR LF (the last one too), decoded
// from code page 874. nullopt when the file is missing or cannot be read; then *failure
// (when given) says why.
std::optional<QString> LoadHelpText(const QString &path, FileIoResult *failure = nullptr);

// What the help window says in place of the text: a missing file as such, any other
// failure with its cause, so the user can tell someone what to mend.
QString HelpMissingText(const FileIoResult &failure);

}  // namespace vorlane
