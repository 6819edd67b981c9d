#include "jvlink/client/JVLinkMessages.h"
#include "jvlink/emulator/JVLinkFactory.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace tavek::jvlink;

TEST(JVLinkMessages, TextFollowedByTheCode)
{
    EXPECT_EQ(messageText(JVOperation::JVOpen, -112), "fromdate パラメータが不正です。(-112)");
    EXPECT_EQ(messageText(JVOperation::JVOpen, 0), "正常に実行されました。(0)");
    EXPECT_EQ(messageText(JVOperation::JVClose, -1), "(-1)");
    EXPECT_EQ(messageText(JVOperation::JVInit, -103), "sid が不正（sid の１桁目がスペース）です。(-103)");
    EXPECT_EQ(messageText(JVOperation::JVStatus, -502),
              "ダウンロードに失敗しました。（通信エラーやディスクエラーなど）(-502)");
    EXPECT_EQ(messageText(JVOperation::JVRead, -502), "ダウンロードに失敗しました。(通信エラーやディスクエラー)(-502)");
    EXPECT_EQ(messageText(JVOperation::JVRead, -201), "JVInitが行なわれていません。(-201)");
    EXPECT_EQ(messageText(JVOperation::JVOpen, -201), "JVInit が行なわれていません。(-201)");
    EXPECT_EQ(messageText(JVOperation::JVSetUIProperties, -100),
              "パラメータが不正あるいはレジストリへの保存に失敗しました。(-100)");
    EXPECT_EQ(messageText(JVOperation::JVRead, -111), "(-111)");
}

TEST(JVLinkMessages, AFailureNamesItsOperationAndTheRealTimeOpenSharesTheOpensMessages)
{
    EXPECT_EQ(failureText(JVOperation::JVRTOpen, JVResult::BadKey), "JVRTOpenエラー:key パラメータが不正です。(-114)");
    EXPECT_EQ(failureText(JVOperation::JVClose, JVResult::NoData), "JVCloseエラー:(-1)");
    EXPECT_EQ(failureText(JVOperation::JVRead, JVResult::DamagedFileSize),
              "JVReadエラー:ダウンロードしたファイルサイズが異常です。(-402)");
}

TEST(JVLinkFactory, PresenceTestSeesAFailingFactory)
{
    EXPECT_NE(createJVLink(), nullptr);
    setFactory([]() -> std::unique_ptr<JVDTLabLib_TLB> { return nullptr; });
    EXPECT_EQ(createJVLink(), nullptr);
    setFactory([]() -> std::unique_ptr<JVDTLabLib_TLB> { throw std::runtime_error("class not registered"); });
    EXPECT_EQ(createJVLink(), nullptr);
    setFactory({});
    EXPECT_NE(createJVLink(), nullptr);
}
