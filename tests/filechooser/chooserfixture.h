#pragma once
// The program with a batch keyed, and the chooser driven as the user drives it.
#include "../entry/entryfixture.h"
#include "filechooser/filechooser.h"
#include "shell/fileflows.h"
#include "tempfiles.h"

#include <QLabel>
#include "controls.h"

using vorlane::test::ui;

namespace vorlane::test {

struct ChooserProgram : Program {
    QTemporaryDir files;  // where the data files go

    FileChooser *chooser() { return main->chooser(); }
    // The chooser is there and in save mode.
    bool saveMode() const { return main->chooser() && main->chooser()->mode() == FileChooser::Mode::Save; }
    QString filePath(const QString &name) const { return QDir(files.path()).filePath(name); }

    // The chooser in save mode, in the files folder, with `name` typed into its box.
    FileChooser *saveAs(const QString &name)
    {
        BeginSaveAs(*main);
        chooser()->setDirectory(files.path());
        ui(chooser()).Text1->setText(name);
        return chooser();
    }
    FileChooser *openAt(const QString &name, const QString &dir = {})
    {
        BeginOpen(*main);
        chooser()->setDirectory(dir.isEmpty() ? files.path() : dir);
        ui(chooser()).Text1->setText(name);
        return chooser();
    }
    // Keys `n` more records A, B, C ... with amounts 100, 200, ..., each a different order
    // (the same one keyed twice is asked about).
    void keyRecords(int n)
    {
        const int base = int(session.batch.lines().count());
        for (int i = base; i < base + n; ++i)
            addRecord(u"ผู้รับ %1"_s.arg(QChar(u'A' + i)), QString::number(100 * (i + 1)));
    }
    bool commandBarShown() const { return ui(main).Command1[2]->isVisible(); }
};

// What WriteDataFile writes for these lines: code page 874, CR LF after each.
inline QByteArray expectedBytes(const QStringList &lines)
{
    QByteArray out;
    for (const QString &l : lines)
        out += cp874::encode(l).bytes + "\r\n";
    return out;
}

}  // namespace vorlane::test
