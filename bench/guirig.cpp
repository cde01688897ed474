#include "guirig.h"

#include "entry/entrywindow.h"
#include "filechooser/filechooser.h"
#include "shell/fileflows.h"
#include "records/datafile.h"
#include "shell/depositordialog.h"
#include "shell/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

#include <sys/resource.h>
#include "controls.h"

using vorlane::test::ui;

using namespace Qt::StringLiterals;

namespace vorlane::bench {

GuiRig::GuiRig(bool journal)
{
    const QDir source(dataDir());
    for (const QString &f : source.entryList({u"*.txt"_s}, QDir::Files))
        QFile::copy(source.filePath(f), dir.filePath(f));
    session.paths = AppPaths::forDirectory(dir.path());
    if (!journal)
        session.paths.stateDir.clear();
    main = std::make_unique<MainWindow>(session, prompter);
    main->resize(1024, 768);
    main->show();
    QApplication::processEvents();
}

GuiRig::~GuiRig()
{
    // The work windows are children of the main window and go with it.
    main.reset();
}

void GuiRig::openProgram()
{
    main->commandClick(0);
    ui(main->depositorDialog()).Text1->setText(u"บริษัท ตัวอย่างการค้า จำกัด"_s);
    ui(main->depositorDialog()).Text2->setText(u"99/9 ถนนสีลม แขวงสุริยวงศ์ เขตบางรัก กรุงเทพมหานคร 10500"_s);
    main->depositorDialog()->Confirm();
}

QString GuiRig::writeBatch(const QString &name, const QStringList &lines)
{
    const QString path = dir.filePath(name);
    WriteDataFile(path, lines);
    return path;
}

void GuiRig::beginOpen(const QString &path)
{
    main->batch().markSaved();  // no "save first?" question
    main->commandClick(2);
    const QFileInfo file(path);
    main->chooser()->setDirectory(file.absolutePath());
    main->chooser()->setName(file.fileName());
}

bool GuiRig::finishOpen()
{
    const int before = prompter.count;
    const bool opened = OpenDataFile(*main);
    QApplication::processEvents();  // the entry window painted with record 1
    return opened && prompter.count == before;
}

double peakRssMiB()
{
    // VmHWM, the high-water mark of this program image: getrusage's ru_maxrss would
    // carry over the launching benchmark's own size across fork and exec.
    QFile status(u"/proc/self/status"_s);
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;  // kB
    }
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

}  // namespace vorlane::bench
