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
    {JVInit, JVResult::SidMissing, "sid が設定されていません。"},
    {JVInit, JVResult::SidTooLong, "sid が64byte 以上あります。"},
    {JVInit, JVResult::SidBlankStart, "sid が不正（sid の１桁目がスペース）です。"},
    {JVSetUIProperties, JVResult::BadSettings, "パラメータが不正あるいはレジストリへの保存に失敗しました。"},
    {JVOpen, JVResult::Ok, "正常に実行されました。"},
    {JVOpen, JVResult::SetupCancelled, "セットアップダイアログでキャンセルが押されました。"},
    {JVOpen, JVResult::BadDataspec, "dataspec パラメータが不正です。"},
    {JVOpen, JVResult::BadFromdate, "fromdate パラメータが不正です。"},
    {JVOpen, JVResult::BadTodate, "todate パラメータが不正です。"},
    {JVOpen, JVResult::BadKey, "key パラメータが不正です。"},
    {JVOpen, JVResult::BadOption, "option パラメータが不正です。"},
    {JVOpen, JVResult::BadSpecAndOption, "dataspec とoption の組み合わせが不正です。"},
    {JVOpen, JVResult::BadVersion, "JVデータフォーマットバージョンが不正です。(JVInit時に指定したjvversionが不正)"},
    {JVOpen, JVResult::NotInitialised, "JVInit が行なわれていません。"},
    {JVOpen, JVResult::StillOpen, "前回のJVOpen/JVRTOpen に対してJVClose が呼ばれていません。（オープン中）"},
    {JVOpen, JVResult::InternalError, "JV- Link 内部エラーが発生しました。"},
    {JVOpen, JVResult::ServerNotFound, "サーバーエラー（HTTP ステータス404 NotFount ）が発生しました。"},
    {JVOpen, JVResult::ServerForbidden, "サーバーエラー（HTTP ステータス403 Forbidden ）が発生しました。"},
    {JVOpen, JVResult::ServerHttpError, "サーバーエラー（HTTP ステータス200,403,404 以外）が発生しました。"},
    {JVOpen, JVResult::ServerBadAnswer, "サーバーエラー（サーバーの応答が不正）が発生しました。"},
    {JVOpen, JVResult::ServerInternalError, "サーバーエラー（サーバーアプリケーション内部エラー）が発生しました。"},
    {JVOpen, JVResult::Maintenance, "サーバーがメンテナンス中です。"},
    {JVStatus, JVResult::NotInitialised, "JVInitが行なわれていません。"},
    {JVStatus, JVResult::NotOpen, "JVOpenが行なわれていません。"},
    {JVStatus, JVResult::DownloadFailed, "ダウンロードに失敗しました。（通信エラーやディスクエラーなど）"},
    {JVRead, JVResult::NotInitialised, "JVInitが行なわれていません。"},
    {JVRead, JVResult::NotOpen, "JVOpenが行なわれていません。"},
    {JVRead, JVResult::DamagedFileSize, "ダウンロードしたファイルサイズが異常です。"},
    {JVRead, JVResult::DamagedFileContent, "ダウンロードしたファイル内容が異常です。"},
    {JVRead, JVResult::DownloadFailed, "ダウンロードに失敗しました。(通信エラーやディスクエラー)"},
    {JVRead, JVResult::FileMissing, "ファイルが見つかりません。"},
};

const char* name(JVOperation operation)
{
    switch (operation) {
    case JVInit:
        return "JVInit";
    case JVSetUIProperties:
        return "JVSetUIProperties";
    case JVOpen:
        return "JVOpen";
    case JVRTOpen:
        return "JVRTOpen";
    case JVStatus:
        return "JVStatus";
    case JVRead:
        return "JVRead";
    case JVCancel:
        return "JVCancel";
    case JVClose:
        return "JVClose";
    }
    return "JV-Link";
}

}  // namespace

QString messageText(JVOperation operation, int code)
{
    const JVOperation listed = operation == JVRTOpen ? JVOpen : operation;
    QString text;
    for (const Row& row : kMessages)
        if (row.operation == listed && row.code == code)
            text = QString::fromUtf8(row.text);
    return text + u'(' + QString::number(code) + u')';
}

QString failureText(JVOperation operation, int code)
{
    return QLatin1String(name(operation)) + QStringLiteral("エラー:") + messageText(operation, code);
}

}  // namespace tavek::jvlink
