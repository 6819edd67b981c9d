#include "jvlink/client/JVLinkMessages.h"

namespace tavek::jvlink {

namespace {

struct Row {
    JVOperation operation;
    int code;
    const char* text;
};

using enum JVOperation;

constexpr Row kMessages[] = {
    {JVInit, -101, "sid が設定されていません。"},
    {JVInit, -102, "sid が64byte 以上あります。"},
    {JVInit, -103, "sid が不正（sid の１桁目がスペース）です。"},
    {JVSetUIProperties, -100, "パラメータが不正あるいはレジストリへの保存に失敗しました。"},
    {JVOpen, 0, "正常に実行されました。"},
    {JVOpen, -2, "セットアップダイアログでキャンセルが押されました。"},
    {JVOpen, -111, "dataspec パラメータが不正です。"},
    {JVOpen, -112, "fromdate パラメータが不正です。"},
    {JVOpen, -113, "todate パラメータが不正です。"},
    {JVOpen, -114, "key パラメータが不正です。"},
    {JVOpen, -115, "option パラメータが不正です。"},
    {JVOpen, -116, "dataspec とoption の組み合わせが不正です。"},
    {JVOpen, -117, "JVデータフォーマットバージョンが不正です。(JVInit時に指定したjvversionが不正)"},
    {JVOpen, -201, "JVInit が行なわれていません。"},
    {JVOpen, -202, "前回のJVOpen/JVRTOpen に対してJVClose が呼ばれていません。（オープン中）"},
    {JVOpen, -401, "JV- Link 内部エラーが発生しました。"},
    {JVOpen, -411, "サーバーエラー（HTTP ステータス404 NotFount ）が発生しました。"},
    {JVOpen, -412, "サーバーエラー（HTTP ステータス403 Forbidden ）が発生しました。"},
    {JVOpen, -413, "サーバーエラー（HTTP ステータス200,403,404 以外）が発生しました。"},
    {JVOpen, -421, "サーバーエラー（サーバーの応答が不正）が発生しました。"},
    {JVOpen, -431, "サーバーエラー（サーバーアプリケーション内部エラー）が発生しました。"},
    {JVOpen, -504, "サーバーがメンテナンス中です。"},
    {JVStatus, -201, "JVInitが行なわれていません。"},
    {JVStatus, -203, "JVOpenが行なわれていません。"},
    {JVStatus, -502, "ダウンロードに失敗しました。（通信エラーやディスクエラーなど）"},
    {JVRead, -201, "JVInitが行なわれていません。"},
    {JVRead, -203, "JVOpenが行なわれていません。"},
    {JVRead, -402, "ダウンロードしたファイルサイズが異常です。"},
    {JVRead, -403, "ダウンロードしたファイル内容が異常です。"},
    {JVRead, -502, "ダウンロードに失敗しました。(通信エラーやディスクエラー)"},
    {JVRead, -503, "ファイルが見つかりません。"},
};

}  // namespace

QString messageText(JVOperation operation, int code)
{
    QString text;
    for (const Row& row : kMessages)
        if (row.operation == operation && row.code == code)
            text = QString::fromUtf8(row.text);
    return text + u'(' + QString::number(code) + u')';
}

}  // namespace tavek::jvlink
