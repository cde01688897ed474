#pragma once
// The real program's windows on a scratch copy of the bundled tables, driven the way a
// user drives them: main window, "เปิดโปรแกรม", depositor confirmed, entry window ready.
#include "generator.h"

#include "records/session.h"
#include "widgets/prompter.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace vorlane {
class MainWindow;
}

namespace vorlane::bench {

// Answers every question with Yes and counts the messages, so a run that met a message
// box (and so did not do the work being timed) can be reported as an error.
class CountingPrompter final : public Prompter {
public:
    void ok(const QString &text) override { record(text); }
    Answer yesNo(const QString &text) override { return record(text), Answer::Yes; }
    Answer yesNoCancel(const QString &text) override { return record(text), Answer::Yes; }
    void information(const QString &, const QString &text) override { record(text); }
    void rowList(const QString &, const QString &text, const QStringList &, const QList<QStringList> &,
                 const std::function<void()> &) override
    {
        record(text);
    }
    int count = 0;
    QString last;

private:
    void record(const QString &text) { ++count, last = text; }
};

struct GuiRig {
    QTemporaryDir dir;  // the tables, cusname.txt and the batch files
    Session session;
    CountingPrompter prompter;
    std::unique_ptr<MainWindow> main;

    // Copies the bundled tables into a scratch folder and shows the main window; without
    // `journal` the recovery journal is off (no folder for it), to show what it costs.
    explicit GuiRig(bool journal = true);
    ~GuiRig();
    // "เปิดโปรแกรม" clicked and the depositor dialog confirmed with its texts.
    void openProgram();
    // Writes `lines` as a data file in the scratch folder and returns its path.
    QString writeBatch(const QString &name, const QStringList &lines);
    // The main window's open command and the file chooser set to `path` (not yet opened).
    void beginOpen(const QString &path);
    // OpenDataFile up to the entry window painted with record 1; false when a message
    // box came up instead.
    bool finishOpen();
    bool openBatch(const QString &path) { return beginOpen(path), finishOpen(); }
};

// Peak resident set of this process so far, in MiB.
double peakRssMiB();

}  // namespace vorlane::bench
