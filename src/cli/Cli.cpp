#include "cli/Cli.h"

#include "appfiles/AppFolder.h"
#include "appfiles/AppIdentity.h"
#include "cli/Command.h"

#include <exception>
#include <new>

namespace tavek::cli {

#define TAVEK_CLI_COMMAND(name, function, usage) int function(CommandContext&);
#include "cli/CommandList.h"
#undef TAVEK_CLI_COMMAND

namespace {

struct Command {
    const char* name;
    int (*function)(CommandContext&);
    const char* usage;
};

const Command kCommands[] = {
#define TAVEK_CLI_COMMAND(name, function, usage) {name, function, usage},
#include "cli/CommandList.h"
#undef TAVEK_CLI_COMMAND
};

void printUsage(QTextStream& s)
{
    s << "usage: tavek-cli [--data DIR] COMMAND ...\n"
      << "       tavek-cli --version\n";
    for (const Command& c : kCommands)
        s << "  tavek-cli [--data DIR] " << c.usage << '\n';
}

// The error line itself: an argument it quotes may hold a line break, which
// is written as an escape, as the output writes every other control byte.
QString oneLine(QString message)
{
    return message.replace(u'\r', QStringLiteral("\\x0d")).replace(u'\n', QStringLiteral("\\x0a"));
}

}  // namespace

int run(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    if (arguments.size() == 1 && (arguments[0] == u"--help" || arguments[0] == u"-h")) {
        printUsage(out);
        return kSuccess;
    }
    if (arguments.size() == 1 && arguments[0] == u"--version") {
        out << "tavek-cli " << identity::versionText() << '\n';
        return kSuccess;
    }
    try {
        Args args(arguments);
        const std::optional<QString> data = args.takeOption(QStringLiteral("--data"));
        if (arguments.isEmpty()) {
            printUsage(err);
            return kBadInput;
        }
        const QString name = args.takePositional(QStringLiteral("COMMAND"));
        const auto command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                          [&name](const Command& c) { return name == QLatin1String(c.name); });
        if (command == std::end(kCommands))
            throw BadInput(QStringLiteral("\"%1\" というコマンドはありません（一覧は --help）").arg(name));
        CommandContext ctx{data ? *data : identity::dataFolderIn(appfolder::path()), std::move(args), out, err};
        return command->function(ctx);
    } catch (const std::bad_alloc&) {
        out.flush();
        err << QStringLiteral("tavek-cli: メモリが足りません\n");
        return kBadInput;
    } catch (const std::exception& e) {
        // BadInput, the model's failures to read a day file and whatever
        // else a library throws alike.
        out.flush();
        err << "tavek-cli: " << oneLine(QString::fromStdString(e.what())) << '\n';
        return kBadInput;
    }
}

}  // namespace tavek::cli
