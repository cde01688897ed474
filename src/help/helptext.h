#pragma once
#include <QString>
#include <optional>

namespace vorlane {

// The help file's lines in order, each followed by CR LF (the last one too), decoded
// from code page 874. nullopt when the file is missing or cannot be read.
std::optional<QString> LoadHelpText(const QString &path);

} // namespace vorlane
