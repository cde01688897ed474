#pragma once
// What the programs ask of the operating system at start, kept apart so another system
// needs only this file changed.

namespace vorlane {

// A write past the file-size limit fails (EFBIG) and is reported like a full disk,
// instead of the system ending the program (SIGXFSZ) with its work unsaved.
void PrepareProcess();

} // namespace vorlane
