#include "manual-shots/Screens.h"

#include <algorithm>

namespace tavek::shots {

const std::vector<Screen>& screens()
{
    static const std::vector<Screen> all = {
        {QStringLiteral("first-start"), {}, QStringLiteral("main window at first start: no data yet, its hint")},
        {QStringLiteral("emulator-settings"), {}, QStringLiteral("the emulated service's settings (JVLink設定)")},
        {QStringLiteral("fetch"), {}, QStringLiteral("JVデータ取得 while it reads, progress showing")},
        {QStringLiteral("main"), QStringLiteral("TabSheet1"), QStringLiteral("the fixture race on the 単勝 tab")},
        {QStringLiteral("stake-dialog"), {}, QStringLiteral("the stake dialog of a runner, an amount typed")},
        {QStringLiteral("win-stake"), QStringLiteral("TabSheet1"), QStringLiteral("単勝 after a stake on one runner")},
        {QStringLiteral("odds-dialog"), {}, QStringLiteral("the odds dialog of a runner, odds typed")},
        {QStringLiteral("bracket"), QStringLiteral("TabSheet3"), QStringLiteral("枠連 after a stake simulation")},
        {QStringLiteral("quinella"), QStringLiteral("TabSheet2"), QStringLiteral("馬連 after an odds simulation")},
        {QStringLiteral("reference"), QStringLiteral("TabSheet4"), QStringLiteral("参考資料")},
        {QStringLiteral("pools-place"), QStringLiteral("TabSheet7"), QStringLiteral("賭式別オッズ on 複勝")},
        {QStringLiteral("pools-wide"), QStringLiteral("TabSheet7"), QStringLiteral("賭式別オッズ on ワイド")},
        {QStringLiteral("pools-exacta"), QStringLiteral("TabSheet7"), QStringLiteral("賭式別オッズ on 馬単")},
        {QStringLiteral("pools-trio"), QStringLiteral("TabSheet7"),
         QStringLiteral("賭式別オッズ on 3連複, the favourite as pivot")},
        {QStringLiteral("pools-trifecta"), QStringLiteral("TabSheet7"),
         QStringLiteral("賭式別オッズ on 3連単, the most-backed first place as 1着軸")},
        {QStringLiteral("advisor"), QStringLiteral("TabSheet5"),
         QStringLiteral("資金配分 with a bet, P, bankroll and Kelly fraction, chart shown")},
        {QStringLiteral("value"), QStringLiteral("TabSheet8"), QStringLiteral("妙味")},
        {QStringLiteral("tickets"), QStringLiteral("TabSheet9"),
         QStringLiteral("買い目: a 3連単 formation of 1,000,000 yen, payouts evened, the model's chances")},
        {QStringLiteral("timeline"), QStringLiteral("TabSheet6"),
         QStringLiteral("オッズ推移 after a morning of quick reports")},
        {QStringLiteral("results"), QStringLiteral("TabSheet1"),
         QStringLiteral("the race's result under its header, its winner marked on 単勝")},
        {QStringLiteral("results-trifecta"), QStringLiteral("TabSheet7"),
         QStringLiteral("賭式別オッズ on 3連単 with the winner as 1着軸, the winning entry marked")},
        {QStringLiteral("csv-export"), {}, QStringLiteral("the CSV出力 window")},
        {QStringLiteral("replay"), {}, QStringLiteral("the 回収率 window after a week replayed with Kelly stakes")},
        {QStringLiteral("about"), {}, QStringLiteral("the about box")},
    };
    return all;
}

const Screen* screenNamed(const QString& name)
{
    const auto& all = screens();
    const auto it = std::find_if(all.begin(), all.end(), [&](const Screen& s) { return s.name == name; });
    return it == all.end() ? nullptr : &*it;
}

}  // namespace tavek::shots
