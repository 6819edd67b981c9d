#include "controls/DesktopShell.h"
#include "controls/Label3D.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace tavek;

// The credit link of the about box hands its address to the desktop hooks,
// so a test (or a desktop without a browser) sees the call instead of a
// browser opening; a plain label or another button opens nothing.
TEST(Label3D, WebAddressOpensThroughTheDesktopHooksOnALeftClickOnly)
{
    QList<QUrl> opened;
    desktop::ScopedHooks hooks({[&](const QUrl& url) {
        opened << url;
        return true;
                                },
                                [] { return QString(); }, [](const QString&) { return false; }});
    Label3D label(QStringLiteral("作者のホームページ"));
    label.resize(120, 20);
    label.show();

    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_TRUE(opened.isEmpty());

    label.setWebAddress(QUrl(QStringLiteral("https://tavek.example.jp/")));
    QTest::mouseClick(&label, Qt::RightButton);
    EXPECT_TRUE(opened.isEmpty());
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(opened, QList<QUrl>{QUrl(QStringLiteral("https://tavek.example.jp/"))});
}
