#pragma once
// Qt's own texts (the context menu of a text box, the parts of its file dialog) in Thai.
// Debian ships no Thai translation of Qt, so the program carries the few it shows.
class QCoreApplication;

namespace vorlane {

// Installs the translation on the application; false when it could not be loaded.
bool InstallThaiQtTexts(QCoreApplication &app);

}  // namespace vorlane
