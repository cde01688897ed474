#pragma once
namespace vorlane {
struct Workspace;
void OpenReview(Workspace &ws);  // "ตรวจสอบข้อมูล"
} // namespace vorlane
