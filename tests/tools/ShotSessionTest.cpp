// The run that takes the manual's pictures: the same program gives the same
// pictures, and a callout the screen cannot show stops it with the reason.
#include "manual-shots/ShotSession.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <stdexcept>

using tavek::shots::ShotSession;

TEST(ShotSession, TheSameProgramGivesTheSamePictures)
{
    // The acquisition mid-run and the odds history: the pictures that depend
    // on the clock and on the pace of the run.
    const QStringList screens{QStringLiteral("fetch"), QStringLiteral("timeline")};
    QTemporaryDir first, second;
    for (const QTemporaryDir* dir : {&first, &second}) {
        QTemporaryDir root;
        ShotSession::Options options;
        options.folder = dir->path();
        options.only = screens;
        EXPECT_EQ(ShotSession(root.path(), options).run(), screens);
    }
    for (const QString& screen : screens) {
        const QString name = screen + QStringLiteral(".png");
        EXPECT_EQ(tavek::test::readFile(QDir(first.path()).filePath(name)),
                  tavek::test::readFile(QDir(second.path()).filePath(name)))
            << screen.toStdString();
    }
}

TEST(ShotSession, ACalloutOfNoWidgetStopsTheRunNamingScreenManualAndLine)
{
    QTemporaryDir root, folder;
    ShotSession::Options options;
    options.folder = folder.path();
    options.manualName = QStringLiteral("Tavek.md");
    options.marks[QStringLiteral("first-start")] = {{{QStringLiteral("JVBtn")}, 5},
                                                    {{QStringLiteral("DateCombo")}, 6},
                                                    {{QStringLiteral("Panel5"), QStringLiteral("Label3D12")}, 7}};
    try {
        ShotSession(root.path(), options).run();
        FAIL() << "taken";
    } catch (const std::runtime_error& e) {
        // The race header shows no race before the first acquisition.
        EXPECT_STREQ(e.what(), "screen \"first-start\": Tavek.md line 7: {Panel5/Label3D12} names no widget that "
                               "shows in the picture");
    }
    EXPECT_FALSE(QFile::exists(QDir(folder.path()).filePath(QStringLiteral("first-start.png"))));
}
