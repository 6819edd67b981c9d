#pragma once

#include "jvlink/emulator/JVLinkFactory.h"
#include "support/ScriptedJVLink.h"
#include "support/cli/CliRunner.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace tavek::test {

// tavek-cli in a temporary application folder with a scripted JV-Link,
// prepared by `script` each time the program creates one.
class ScriptedCli : public ::testing::Test {
protected:
    ScriptedCli()
    {
        jvlink::setFactory([this] {
            auto jv = std::make_unique<ScriptedJVLink>();
            if (script)
                script(*jv);
            return std::unique_ptr<jvlink::JVDTLabLib_TLB>(std::move(jv));
        });
    }
    ~ScriptedCli() override { jvlink::setFactory({}); }

    // Runs on dataFolder(), keeping both outputs in `out` and `err`.
    int run(const QStringList& args)
    {
        const CliOutcome r = runCli(dataFolder(), args);
        out = r.out;
        err = r.err;
        return r.code;
    }
    QString dataFolder() const { return dir.filePath("Data"); }

    QTemporaryDir dir;
    std::function<void(ScriptedJVLink&)> script;
    QString out, err;
};

}  // namespace tavek::test
