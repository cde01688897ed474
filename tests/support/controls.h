#pragma once
// The windows' controls as a test (or a benchmark) reaches them: by the designer names the
// windows give them as object names, the names the accessibility tree knows them by. The
// windows keep their controls to themselves; only these lookups see them from outside.
// ui(window) names each control as the window's designer did, so a test reads
// `ui(entry).Cmdsave->click()`.
#include "entry/entrywindow.h"
#include "entry/searchwindow.h"
#include "filechooser/filechooser.h"
#include "help/aboutbox.h"
#include "help/helpwindow.h"
#include "report/ui/printoptionswindow.h"
#include "review/reviewwindow.h"
#include "shell/depositordialog.h"
#include "shell/mainwindow.h"
#include "widgets/commandbutton.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace vorlane::test {

// The control `name` of `window`; a name the window does not have ends the test run, as a
// null pointer would, but saying which.
template <class T>
T *control(const QObject *window, const QString &name)
{
    T *c = window ? window->findChild<T *>(name) : nullptr;
    if (!c) {
        std::fprintf(stderr, "no control %s in %s\n", qPrintable(name),
                     window ? qPrintable(window->objectName()) : "(no window)");
        std::abort();
    }
    return c;
}

template <class T, std::size_t N>
std::array<T *, N> controls(const QObject *window, const QString &stem, std::size_t first = 0)
{
    std::array<T *, N> all{};
    for (std::size_t i = 0; i < N; ++i)
        all[i] = control<T>(window, stem + QString::number(first + i));
    return all;
}

struct EntryControls {
    std::array<QLineEdit *, kFieldCount> Text1;
    std::array<QComboBox *, kSelectorCount> Combo1;
    QLineEdit *Text2;
    QLabel *Label1, *Label13, *Label15;
    CommandButton *Cmdadd, *Cmdinsert, *Cmddel, *Cmdsave, *Cmdcancel, *Cmdfirst, *Cmdback, *Cmdforward, *Cmdlast;
};

inline EntryControls ui(const EntryWindow *w)
{
    auto b = [w](const char *n) { return control<CommandButton>(w, QString::fromLatin1(n)); };
    return {controls<QLineEdit, kFieldCount>(w, QStringLiteral("Text1_")),
            controls<QComboBox, kSelectorCount>(w, QStringLiteral("Combo1_")),
            control<QLineEdit>(w, QStringLiteral("Text2")),
            control<QLabel>(w, QStringLiteral("Label1")),
            control<QLabel>(w, QStringLiteral("Label13")),
            control<QLabel>(w, QStringLiteral("Label15")),
            b("Cmdadd"),
            b("Cmdinsert"),
            b("Cmddel"),
            b("Cmdsave"),
            b("Cmdcancel"),
            b("Cmdfirst"),
            b("Cmdback"),
            b("Cmdforward"),
            b("Cmdlast")};
}

struct SearchControls {
    QLabel *Label1;
    std::array<QLineEdit *, 2> Txtsearch;
    CommandButton *Command1_2, *Command1_3;
};

inline SearchControls ui(const SearchWindow *w)
{
    return {control<QLabel>(w, QStringLiteral("Label1")), controls<QLineEdit, 2>(w, QStringLiteral("Txtsearch_")),
            control<CommandButton>(w, QStringLiteral("Command1_2")),
            control<CommandButton>(w, QStringLiteral("Command1_3"))};
}

struct ChooserControls {
    QLabel *Lbldrive, *Lbldir, *Lblname, *Lblname2;
    QComboBox *Drive1;
    QTreeView *Dir1;
    QListView *File1;
    QLineEdit *Text1;
    CommandButton *Comopen, *Comclose, *Comtemplate;
};

inline ChooserControls ui(const FileChooser *w)
{
    auto l = [w](const char *n) { return control<QLabel>(w, QString::fromLatin1(n)); };
    auto b = [w](const char *n) { return control<CommandButton>(w, QString::fromLatin1(n)); };
    return {l("Lbldrive"),
            l("Lbldir"),
            l("Lblname"),
            l("Lblname2"),
            control<QComboBox>(w, QStringLiteral("Drive1")),
            control<QTreeView>(w, QStringLiteral("Dir1")),
            control<QListView>(w, QStringLiteral("File1")),
            control<QLineEdit>(w, QStringLiteral("Text1")),
            b("Comopen"),
            b("Comclose"),
            b("Comtemplate")};
}

struct ReviewControls {
    QListView *List1;
    QPlainTextEdit *Text1;
    CommandButton *Command1, *Command2;
};

inline ReviewControls ui(const ReviewWindow *w)
{
    return {control<QListView>(w, QStringLiteral("List1")), control<QPlainTextEdit>(w, QStringLiteral("Text1")),
            control<CommandButton>(w, QStringLiteral("Command1")),
            control<CommandButton>(w, QStringLiteral("Command2"))};
}

struct HelpControls {
    QPlainTextEdit *Txthelp;
    CommandButton *Cmdclose;
    QLabel *Lblmissing;
};

inline HelpControls ui(const HelpWindow *w)
{
    return {control<QPlainTextEdit>(w, QStringLiteral("Txthelp")),
            control<CommandButton>(w, QStringLiteral("Cmdclose")), control<QLabel>(w, QStringLiteral("Lblmissing"))};
}

struct AboutControls {
    QLabel *picIcon, *lblTitle, *lblVersion, *lblDescription, *lblDisclaimer;
    QPushButton *cmdOK, *cmdSysInfo;
};

inline AboutControls ui(const AboutBox *w)
{
    auto l = [w](const char *n) { return control<QLabel>(w, QString::fromLatin1(n)); };
    return {l("picIcon"),
            l("lblTitle"),
            l("lblVersion"),
            l("lblDescription"),
            l("lblDisclaimer"),
            control<QPushButton>(w, QStringLiteral("cmdOK")),
            control<QPushButton>(w, QStringLiteral("cmdSysInfo"))};
}

struct PrintControls {
    QGroupBox *Frame1, *Frame2, *Frame3;
    std::array<QRadioButton *, 14> Option1;
    QRadioButton *Option2, *Option3, *Option4, *Option5;
    QLabel *Label1, *Label2;
    QLineEdit *Text1, *Text2;
    std::array<CommandButton *, 2> Command1;
    CommandButton *CmdPreview, *CmdPdf, *CmdExcel;
};

inline PrintControls ui(const PrintOptionsWindow *w)
{
    auto g = [w](const char *n) { return control<QGroupBox>(w, QString::fromLatin1(n)); };
    auto r = [w](const char *n) { return control<QRadioButton>(w, QString::fromLatin1(n)); };
    auto b = [w](const char *n) { return control<CommandButton>(w, QString::fromLatin1(n)); };
    return {g("Frame1"),
            g("Frame2"),
            g("Frame3"),
            controls<QRadioButton, 14>(w, QStringLiteral("Option1_")),
            r("Option2"),
            r("Option3"),
            r("Option4"),
            r("Option5"),
            control<QLabel>(w, QStringLiteral("Label1")),
            control<QLabel>(w, QStringLiteral("Label2")),
            control<QLineEdit>(w, QStringLiteral("Text1")),
            control<QLineEdit>(w, QStringLiteral("Text2")),
            controls<CommandButton, 2>(w, QStringLiteral("Command1_")),
            b("CmdPreview"),
            b("CmdPdf"),
            b("CmdExcel")};
}

struct MainControls {
    QFrame *Picture1;
    std::array<CommandButton *, 8> Command1;
};

inline MainControls ui(const MainWindow *w)
{
    // The command bar's own buttons: the print window has a "Command1_0" too.
    QFrame *bar = control<QFrame>(w, QStringLiteral("Picture1"));
    return {bar, controls<CommandButton, 8>(bar, QStringLiteral("Command1_"))};
}

struct DepositorControls {
    QLabel *Label3, *Label1, *Label2;
    QLineEdit *Text1, *Text2;
    CommandButton *Command1;
};

inline DepositorControls ui(const DepositorDialog *w)
{
    auto l = [w](const char *n) { return control<QLabel>(w, QString::fromLatin1(n)); };
    return {l("Label3"),
            l("Label1"),
            l("Label2"),
            control<QLineEdit>(w, QStringLiteral("Text1")),
            control<QLineEdit>(w, QStringLiteral("Text2")),
            control<CommandButton>(w, QStringLiteral("Command1"))};
}

// Windows held by a test in a unique_ptr.
template <class W>
auto ui(const std::unique_ptr<W> &w)
{
    return ui(w.get());
}

}  // namespace vorlane::test
