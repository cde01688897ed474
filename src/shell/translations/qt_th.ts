<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="th_TH">
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;เลิกทำ</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>ทำ&amp;ซ้ำ</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;ตัด</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;คัดลอก</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;วาง</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>ลบ</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>เลือกทั้งหมด</translation>
    </message>
</context>
<context>
    <name>QWidgetTextControl</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;เลิกทำ</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>ทำ&amp;ซ้ำ</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;ตัด</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;คัดลอก</translation>
    </message>
    <message>
        <source>Copy &amp;Link Location</source>
        <translation>คัดลอกที่อยู่&amp;ลิงก์</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;วาง</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>ลบ</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>เลือกทั้งหมด</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>Look in:</source>
        <translation>ค้นใน:</translation>
    </message>
    <message>
        <source>File &amp;name:</source>
        <translation>&amp;ชื่อแฟ้ม:</translation>
    </message>
    <message>
        <source>File name:</source>
        <translation>ชื่อแฟ้ม:</translation>
    </message>
    <message>
        <source>Files of type:</source>
        <translation>ชนิดแฟ้ม:</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;เปิด</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;บันทึก</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>เปิด</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>บันทึกเป็น</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ยกเลิก</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>ย้อนกลับ</translation>
    </message>
    <message>
        <source>Go back</source>
        <translation>ย้อนกลับ</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>ไปข้างหน้า</translation>
    </message>
    <message>
        <source>Go forward</source>
        <translation>ไปข้างหน้า</translation>
    </message>
    <message>
        <source>Parent Directory</source>
        <translation>โฟลเดอร์แม่</translation>
    </message>
    <message>
        <source>Go to the parent directory</source>
        <translation>ไปที่โฟลเดอร์แม่</translation>
    </message>
    <message>
        <source>Create New Folder</source>
        <translation>สร้างโฟลเดอร์ใหม่</translation>
    </message>
    <message>
        <source>Create a New Folder</source>
        <translation>สร้างโฟลเดอร์ใหม่</translation>
    </message>
    <message>
        <source>List View</source>
        <translation>มุมมองรายการ</translation>
    </message>
    <message>
        <source>Change to list view mode</source>
        <translation>แสดงเป็นรายการ</translation>
    </message>
    <message>
        <source>Detail View</source>
        <translation>มุมมองรายละเอียด</translation>
    </message>
    <message>
        <source>Change to detail view mode</source>
        <translation>แสดงรายละเอียด</translation>
    </message>
    <message>
        <source>Sidebar</source>
        <translation>แถบข้าง</translation>
    </message>
    <message>
        <source>List of places and bookmarks</source>
        <translation>รายการที่ตั้งและที่คั่น</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>แฟ้ม</translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation>โฟลเดอร์:</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>เปลี่ยน&amp;ชื่อ</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;ลบ</translation>
    </message>
    <message>
        <source>Show &amp;hidden files</source>
        <translation>แสดงแฟ้มที่&amp;ซ่อน</translation>
    </message>
    <message>
        <source>&amp;New Folder</source>
        <translation>โฟลเดอร์&amp;ใหม่</translation>
    </message>
    <message>
        <source>New Folder</source>
        <translation>โฟลเดอร์ใหม่</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>มี %1 อยู่แล้ว
ต้องการเขียนทับหรือไม่</translation>
    </message>
    <message>
        <source>%1
File not found.
Please verify the correct file name was given.</source>
        <translation>%1
ไม่พบแฟ้ม
ให้ตรวจสอบชื่อแฟ้ม</translation>
    </message>
    <message>
        <source>%1
Directory not found.
Please verify the correct directory name was given.</source>
        <translation>%1
ไม่พบโฟลเดอร์
ให้ตรวจสอบชื่อโฟลเดอร์</translation>
    </message>
    <message>
        <source>'%1' is write protected.
Do you want to delete it anyway?</source>
        <translation>'%1' ห้ามเขียน
ต้องการลบหรือไม่</translation>
    </message>
    <message>
        <source>Are you sure you want to delete '%1'?</source>
        <translation>ต้องการลบ '%1' หรือไม่</translation>
    </message>
    <message>
        <source>Could not delete directory.</source>
        <translation>ลบโฟลเดอร์ไม่ได้</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>ทุกแฟ้ม (*)</translation>
    </message>
    <message>
        <source>Recent Places</source>
        <translation>ที่ตั้งล่าสุด</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>คอมพิวเตอร์</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>คอมพิวเตอร์</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>ไดรฟ์</translation>
    </message>
    <message>
        <source>File</source>
        <translation>แฟ้ม</translation>
    </message>
    <message>
        <source>File Folder</source>
        <translation>โฟลเดอร์</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>โฟลเดอร์</translation>
    </message>
    <message>
        <source>Directory</source>
        <translation>โฟลเดอร์</translation>
    </message>
    <message>
        <source>Alias</source>
        <translation>ทางลัด</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>ทางลัด</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>ไม่ทราบ</translation>
    </message>
    <message>
        <source>Find Directory</source>
        <translation>หาโฟลเดอร์</translation>
    </message>
    <message>
        <source>Show </source>
        <translation>แสดง </translation>
    </message>
    <message>
        <source>&amp;Choose</source>
        <translation>เ&amp;ลือก</translation>
    </message>
</context>
<context>
    <name>QFileSystemModel</name>
    <message>
        <source>Name</source>
        <translation>ชื่อ</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>ขนาด</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>ชนิด</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>ชนิด</translation>
    </message>
    <message>
        <source>Date Modified</source>
        <translation>วันที่แก้ไข</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>คอมพิวเตอร์</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>คอมพิวเตอร์</translation>
    </message>
    <message>
        <source>%1 TB</source>
        <translation>%1 TB</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 ไบต์</translation>
    </message>
    <message>
        <source>Invalid filename</source>
        <translation>ชื่อแฟ้มใช้ไม่ได้</translation>
    </message>
    <message>
        <source>&lt;b&gt;The name &quot;%1&quot; cannot be used.&lt;/b&gt;&lt;p&gt;Try using another name, with fewer characters or no punctuation marks.</source>
        <translation>&lt;b&gt;ใช้ชื่อ &quot;%1&quot; ไม่ได้&lt;/b&gt;&lt;p&gt;ให้ใช้ชื่ออื่นที่สั้นลงหรือไม่มีเครื่องหมายวรรคตอน</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>ตกลง</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>บันทึก</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>บันทึกทั้งหมด</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>เปิด</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>ใ&amp;ช่</translation>
    </message>
    <message>
        <source>Yes to &amp;All</source>
        <translation>ใช่ทั้ง&amp;หมด</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>ไ&amp;ม่ใช่</translation>
    </message>
    <message>
        <source>N&amp;o to All</source>
        <translation>ไม่ใช่ทั้งห&amp;มด</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>ยุติ</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>ลองใหม่</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>ข้าม</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>ปิด</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ยกเลิก</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>ทิ้ง</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>คำแนะนำ</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>ใช้</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>ตั้งใหม่</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>คืนค่าเดิม</translation>
    </message>
</context>
<context>
    <name>QDialogButtonBox</name>
    <message>
        <source>OK</source>
        <translation>ตกลง</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ยกเลิก</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>ปิด</translation>
    </message>
</context>
<context>
    <name>QMessageBox</name>
    <message>
        <source>OK</source>
        <translation>ตกลง</translation>
    </message>
    <message>
        <source>Show Details...</source>
        <translation>แสดงรายละเอียด...</translation>
    </message>
    <message>
        <source>Hide Details...</source>
        <translation>ซ่อนรายละเอียด...</translation>
    </message>
</context>
<context>
    <name>QProgressDialog</name>
    <message>
        <source>Cancel</source>
        <translation>ยกเลิก</translation>
    </message>
</context>
<context>
    <name>QShortcut</name>
    <message>
        <source>Ctrl</source>
        <translation>Ctrl</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>Shift</translation>
    </message>
    <message>
        <source>Alt</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
</context>
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>Folder</source>
        <translation>โฟลเดอร์</translation>
    </message>
    <message>
        <source>File</source>
        <translation>แฟ้ม</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>ไดรฟ์</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>ไม่ทราบ</translation>
    </message>
    <message>
        <source>%1 File</source>
        <translation>แฟ้ม %1</translation>
    </message>
</context>
</TS>
