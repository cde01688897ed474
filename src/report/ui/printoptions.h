#pragma once
namespace vorlane {
struct Workspace;
void OpenPrintOptions(Workspace &ws);  // "พิมพ์รายงาน": the print options window
} // namespace vorlane
