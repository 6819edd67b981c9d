// manual-shots: the pictures of the user manual, taken from the program's own
// windows on a fixed race day (see ShotSession.h), so that no picture of the
// manual can show a window the program no longer has.
//
//   manual-shots [--manual MANUAL.md] [--plain] FOLDER [SCREEN...]
//   manual-shots --list
//   manual-shots --names [SCREEN...]
//
// Writes FOLDER/SCREEN.png for every screen (only the SCREENs named, if any),
// each with the numbered markers of the manual's callouts (ShotSyntax.h; none
// with --plain), then FOLDER/shots.txt naming them: a build takes that file as
// the sign that the pictures are complete. A screen that cannot be taken (a
// widget or the data missing, an empty picture) or a callout that names no
// widget of its screen ends the run with exit code 1 and a message naming the
// screen; bad usage gives 2. The build of the manual runs it, so such a
// failure fails the build. --list names the screens; --names prints, for the
// manual's writers, every {objectName} path each screen (or each SCREEN
// named) offers to its callouts.
#include "app/TavekApplication.h"
#include "manual-shots/Screens.h"
#include "manual-shots/ShotSession.h"
#include "manual/ShotSyntax.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>
#include <stdexcept>

namespace {

using tavek::shots::ShotSession;

struct Usage : std::runtime_error {
    using std::runtime_error::runtime_error;
};

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return QString::fromUtf8(file.readAll());
}

// The callouts of each screen the manual shows. A screen shown twice would
// carry the markers of one showing into the other, so a screen with callouts
// is shown once.
std::map<QString, std::vector<tavek::manual::Callout>> marksOf(const QString& path)
{
    std::map<QString, std::vector<tavek::manual::Callout>> marks;
    std::map<QString, int> shownAt;
    const QString name = QFileInfo(path).fileName();
    std::vector<tavek::manual::Shot> shots;
    try {
        shots = tavek::manual::shotsIn(readText(path));
    } catch (const std::runtime_error& e) {
        throw std::runtime_error(name.toStdString() + ' ' + e.what());
    }
    for (const tavek::manual::Shot& shot : shots) {
        if (!tavek::shots::screenNamed(shot.name))
            throw std::runtime_error(QStringLiteral("%1 line %2: there is no screen \"%3\" (manual-shots --list names "
                                                    "them)")
                                         .arg(name)
                                         .arg(shot.line)
                                         .arg(shot.name)
                                         .toStdString());
        if (const auto earlier = shownAt.find(shot.name);
            earlier != shownAt.end() && (!shot.callouts.empty() || !marks[shot.name].empty()))
            throw std::runtime_error(QStringLiteral("%1 line %2: the screen \"%3\" is shown at line %4 already; a "
                                                    "screen with callouts is shown once")
                                         .arg(name)
                                         .arg(shot.line)
                                         .arg(shot.name)
                                         .arg(earlier->second)
                                         .toStdString());
        shownAt.emplace(shot.name, shot.line);
        marks[shot.name] = shot.callouts;
    }
    return marks;
}

// The offscreen platform says at every dialog that it cannot pass size hints
// to a window manager it does not have; nothing else of Qt's is dropped.
QtMessageHandler qtMessages = nullptr;
void quieterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message != QStringLiteral("This plugin does not support propagateSizeHints()"))
        qtMessages(type, context, message);
}

bool fontIs(const QFont& font, const QString& family)
{
    return QFontInfo(font).family() == family;
}

int run(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    if (args == QStringList{QStringLiteral("--list")}) {
        QTextStream out(stdout);
        for (const tavek::shots::Screen& s : tavek::shots::screens())
            out << s.name.leftJustified(18) << s.what << '\n';
        return 0;
    }
    ShotSession::Options options;
    QString manual;
    if (!args.isEmpty() && args.first() == QStringLiteral("--names")) {
        args.removeFirst();
        options.names = true;
        args.prepend(QDir::tempPath());
    }
    while (!args.isEmpty() && args.first().startsWith(QStringLiteral("--"))) {
        const QString option = args.takeFirst();
        if (option == QStringLiteral("--plain"))
            options.plain = true;
        else if (option == QStringLiteral("--manual") && !args.isEmpty())
            manual = args.takeFirst();
        else
            throw Usage("unknown option " + option.toStdString());
    }
    if (args.isEmpty())
        throw Usage("no folder given");
    options.folder = args.takeFirst();
    options.only = args;
    for (const QString& screen : options.only)
        if (!tavek::shots::screenNamed(screen))
            throw Usage("there is no screen \"" + screen.toStdString() + "\" (manual-shots --list names them)");
    if (!manual.isEmpty()) {
        options.marks = marksOf(manual);
        options.manualName = QFileInfo(manual).fileName();
    }
    const QString index = QDir(options.folder).filePath(QStringLiteral("shots.txt"));
    if (!options.names && (!QDir().mkpath(options.folder) || (QFile::exists(index) && !QFile::remove(index))))
        throw std::runtime_error("cannot write into " + options.folder.toStdString());

    QTemporaryDir root;
    if (!root.isValid())
        throw std::runtime_error("cannot make a temporary folder: " + root.errorString().toStdString());
    ShotSession::prepare(root.path());
    qtMessages = qInstallMessageHandler(quieterMessages);
    TavekApplication app(argc, argv);
    ShotSession session(root.path(), options);
    if (!fontIs(QApplication::font(), QStringLiteral("IPAPGothic"))
        || !fontIs(QFont(QStringLiteral("ＭＳ ゴシック")), QStringLiteral("IPAGothic")))
        throw std::runtime_error("the IPA fonts IPAPGothic and IPAGothic are not installed (Debian package "
                                 "fonts-ipafont-gothic): the pictures would not show the program's fonts");

    const QStringList written = session.run();
    if (options.names)
        return 0;
    QFile list(index);
    if (!list.open(QIODevice::WriteOnly) || list.write((written.join(u'\n') + u'\n').toUtf8()) < 0)
        throw std::runtime_error("cannot write " + index.toStdString());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        return run(argc, argv);
    } catch (const Usage& e) {
        std::fprintf(stderr,
                     "manual-shots: %s\nusage: manual-shots [--manual MANUAL.md] [--plain] FOLDER [SCREEN...]\n"
                     "       manual-shots --list\n",
                     e.what());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "manual-shots: %s\n", e.what());
        return 1;
    }
}
