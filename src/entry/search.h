#pragma once
namespace vorlane {
struct Workspace;
void OpenSearch(Workspace &ws);  // "ค้นหาชื่อ/รหัส": the post-office search window
} // namespace vorlane
