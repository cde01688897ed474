#pragma once
namespace vorlane {
struct Workspace;
void OpenHelp(Workspace &ws);   // "คำแนะนำ"
void ShowAbout(Workspace &ws);  // the About box, modal
} // namespace vorlane
