// vorlane-cli: fees, totals and the slip of a batch without windows, for scripts.
#include "cli/commands.h"
#include "records/platform.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

void usage(std::FILE *to)
{
    std::fputs("usage:\n"
               "  vorlane-cli fee [--tables DIR] [TYPE AMOUNT]\n"
               "  vorlane-cli totals [--tables DIR] FILE\n"
               "  vorlane-cli import [--tables DIR] [--depositor NAME] [--depositor-address ADDRESS]"
               " [--accept-unknown-postcodes] [--force] INPUT --output OUT.txt\n"
               "  vorlane-cli check [--tables DIR] FILE\n"
               "  vorlane-cli export [--tables DIR] FILE --output OUT.xlsx\n"
               "  vorlane-cli template [--tables DIR] OUT.xlsx\n"
               "  vorlane-cli slip [--tables DIR] [--type CODE] [--pages FIRST-LAST] [--paper a4|letter] --output "
               "OUT.pdf|--printer QUEUE FILE\n"
               "  vorlane-cli --help | --version\n",
               to);
}

}  // namespace

int main(int argc, char **argv)
{
    // The slip needs fonts, which need a GUI platform; the other commands do not, but
    // starting the same way keeps the paths (application directory) identical.
    vorlane::platform::PrepareProcess();
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.isEmpty()) {
        usage(stderr);
        return 2;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
        usage(stdout);
        return 0;
    }
    if (command == QLatin1String("--version")) {
        std::fputs("vorlane-cli " VORLANE_VERSION "\n", stdout);
        return 0;
    }
    if (command == QLatin1String("slip"))
        return vorlane::cli::runSlipMain(argc, argv, args);
    QCoreApplication app(argc, argv);
    if (command == QLatin1String("fee"))
        return vorlane::cli::runFee(args);
    if (command == QLatin1String("totals"))
        return vorlane::cli::runTotals(args);
    if (command == QLatin1String("import"))
        return vorlane::cli::runImport(args);
    if (command == QLatin1String("check"))
        return vorlane::cli::runCheck(args);
    if (command == QLatin1String("export"))
        return vorlane::cli::runExport(args);
    if (command == QLatin1String("template"))
        return vorlane::cli::runTemplate(args);
    usage(stderr);
    return 2;
}
