#pragma once

#include "purchase/model/Purchase.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <vector>

// Every text of a purchase, as the 買い目 tab shows it and tavek-cli prints it.
namespace tavek::purchase {

QString splitName(Split split);  // 同額, 払戻金をそろえる（均等買い）, ケリー
QString splitKey(Split split);   // equal, payout, kelly: tavek-cli's --split
std::optional<Split> splitOf(QStringView key);

QString formName(FormKind kind);  // 通常, ボックス, 流し, フォーメーション
QString formKey(FormKind kind);   // list, box, pivot, formation

// A place of a formation: 1着, 2着, 3着 for exacta and trifecta, 1頭目,
// 2頭目, 3頭目 for the pools that do not count the order.
QString placeName(pools::Pool pool, int place);

// The form in words: "ボックス 1,2,3,4,5", "流し 軸 1 / 相手 2,3,4,5（マルチ）",
// "フォーメーション 1着 1,2 / 2着 1,2,3 / 3着 1,2,3,4", "通常 1-2, 3-4".
QString formText(pools::Pool pool, const Form& form);

// "12.3", the range "1.2-1.5" for place and wide, "―" without odds.
QString oddsText(pools::Pool pool, const sim::OddsRange& odds);

// The tickets' table: 買い目, 賭け金, 現在オッズ, 購入後オッズ, 払戻金, 収支,
// トリガミ, then モデル確率 with a model. The payouts now are the summary's
// and the CSV's (csv::ticketTable).
QStringList ticketColumns(bool model);
QStringList ticketRow(const Purchase& purchase, const Ticket& ticket);

// The purchase's totals, after it and now (without it): 点数, 合計金額,
// 合成オッズ, 最低払戻金, 最高払戻金, トリガミ, and with a model 的中率,
// 期待払戻金, 期待収支.
struct SummaryLine {
    QString caption;
    QString after;
    QString now;
};
std::vector<SummaryLine> summaryLines(const Purchase& purchase);
// The captions of the summary's two columns.
QStringList summaryColumns();

// What the purchase left out: "5番（出走取消・競走除外）を含む12点は買いません";
// that Kelly bought nothing; empty otherwise.
QString noteText(const Purchase& purchase);

// The combined odds as the summary shows them: "3.14倍", "―" for none.
QString combinedText(double odds);

}  // namespace tavek::purchase
