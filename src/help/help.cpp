#include "help/help.h"

#include "help/aboutbox.h"

#include <QApplication>

namespace vorlane {

void ShowAbout(Prompter &prompter)
{
    AboutBox box(prompter, QApplication::activeWindow());
    box.exec();
}

}  // namespace vorlane
