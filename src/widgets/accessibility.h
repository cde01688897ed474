#pragma once
// What screen readers are told of the program's plain frames.

namespace vorlane {

// Qt presents a bordered QFrame as a frame, the role of a top-level window. Orca then takes
// a field inside it (the entry window's fields, the command bar's buttons) for one in a
// window that is not active, and says nothing when it takes the focus. Plain frames are
// presented as groupings instead. Once per process; call before the first window is shown.
void PresentFramesAsGroups();

}  // namespace vorlane
