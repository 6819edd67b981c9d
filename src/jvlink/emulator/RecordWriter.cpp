#include "jvlink/emulator/RecordWriter.h"

#include "jvlink/emulator/Random.h"
#include "pools/PoolIndex.h"
#include "racedata/Cp932.h"
#include "racedata/KeibaFunc.h"
#include "racedata/RecordLayout.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <bit>
#include <functional>
#include <numeric>
#include <vector>

namespace tavek::jvlink::records {

namespace {

// Writes `value` zero-padded into `width` bytes at 1-based `position`.
void putNumber(char* rec, int position, int width, int64_t value)
{
    char* p = rec + position - 1 + width;
    for (int i = 0; i < width; ++i) {
        *--p = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

void putBytes(char* rec, int position, QByteArrayView bytes, int width)
{
    std::copy_n(bytes.data(), std::min<qsizetype>(bytes.size(), width), rec + position - 1);
}

// A blank record of `length` bytes with its header and CR LF; returns its start.
char* beginRecord(QByteArray& out, int length, const char* type, const RaceDraw& race, char category,
                  const QDate& created)
{
    const qsizetype start = out.size();
    out.resize(start + length, ' ');
    char* rec = out.data() + start;
    putBytes(rec, layout::kRecordType, type, layout::kRecordTypeLen);
    rec[layout::kDataCategory - 1] = category;
    putNumber(rec, layout::kCreationDate, layout::kCreationDateLen,
              created.year() * 10'000 + created.month() * 100 + created.day());
    putBytes(rec, layout::kRaceKey, race.race.key(), layout::kRaceKeyLen);
    rec[length - 2] = '\r';
    rec[length - 1] = '\n';
    return rec;
}

struct Names {
    QList<QByteArray> places;  // names that fit any month
    // The old month names, January first; empty for a month without one. A race
    // named after a month runs in that month.
    std::array<QByteArray, 12> months;
    QList<QByteArray> syllables;
    QByteArray newcomer2, maiden2, maiden3, oneWin3, oneWin4, twoWin3, twoWin4, special, stakes, cup, prize, memorial,
        trophy;
};

QList<QByteArray> encodeAll(const QStringList& texts)
{
    QList<QByteArray> out;
    for (const QString& t : texts)
        out.append(cp932::encode(t));
    return out;
}

const Names& names()
{
    static const Names n = [] {
        Names x;
        x.places = encodeAll(QStringLiteral("桜島 若葉 白梅 春風 紅葉 初霜 朱鷺 飛鳥 鳴門 銀嶺 富士 比叡 鞍馬 湘南 "
                                            "北斗 阿蘇 六甲 浜名湖 摩耶 伊吹 大雪 十勝 渡島 出雲 八坂")
                                 .split(u' '));
        const QStringList months = QStringLiteral("睦月 如月 弥生 卯月 - 水無月 - 葉月 長月 - 霜月 師走").split(u' ');
        for (int m = 0; m < 12; ++m)
            if (months[m] != u"-")
                x.months[size_t(m)] = cp932::encode(months[m]);
        x.syllables = encodeAll(
            QStringLiteral("ア イ ウ エ オ カ キ ク ケ コ サ シ ス セ ソ タ チ ツ テ ト ナ ニ ヌ ネ "
                           "ハ ヒ フ ヘ ホ マ ミ ム メ モ ヤ ユ ヨ ラ リ ル レ ロ ワ ン ー "
                           "ガ ギ グ ゴ ザ ジ ズ ダ デ ド バ ビ ブ ベ ボ パ ピ プ")
                .split(u' '));
        x.newcomer2 = cp932::encode(u"２歳新馬");
        x.maiden2 = cp932::encode(u"２歳未勝利");
        x.maiden3 = cp932::encode(u"３歳未勝利");
        x.oneWin3 = cp932::encode(u"３歳以上１勝クラス");
        x.oneWin4 = cp932::encode(u"４歳以上１勝クラス");
        x.twoWin3 = cp932::encode(u"３歳以上２勝クラス");
        x.twoWin4 = cp932::encode(u"４歳以上２勝クラス");
        x.special = cp932::encode(u"特別");
        x.stakes = cp932::encode(u"ステークス");
        x.cup = cp932::encode(u"カップ");
        x.prize = cp932::encode(u"賞");
        x.memorial = cp932::encode(u"記念");
        x.trophy = cp932::encode(u"杯");
        return x;
    }();
    return n;
}

QByteArray raceName(const RaceDraw& race)
{
    const Names& n = names();
    const bool early = race.race.date.month() <= 5;  // before the summer the 3-year-olds race alone
    const QByteArray& month = n.months[size_t(race.race.date.month() - 1)];
    const qsizetype choices = n.places.size() + (month.isEmpty() ? 0 : 1);
    const qsizetype pick = race.nameSeed % choices;
    const QByteArray& place = pick < n.places.size() ? n.places[pick] : month;
    switch (race.raceClass) {
    case RaceClass::Newcomer:
        return n.newcomer2;
    case RaceClass::Maiden:
        return early || race.race.date.month() < 9 ? n.maiden3 : n.maiden2;
    case RaceClass::OneWin:
        return early ? n.oneWin4 : n.oneWin3;
    case RaceClass::TwoWin:
        return early ? n.twoWin4 : n.twoWin3;
    case RaceClass::Special:
        return place + n.special;
    case RaceClass::Stakes: {
        const QByteArray* suffix[] = {&n.stakes, &n.cup, &n.prize};
        return place + *suffix[(race.nameSeed / 64) % 3];
    }
    case RaceClass::Grade3: {
        const QByteArray* suffix[] = {&n.stakes, &n.cup, &n.memorial};
        return place + *suffix[(race.nameSeed / 64) % 3];
    }
    case RaceClass::Grade2: {
        const QByteArray* suffix[] = {&n.memorial, &n.prize, &n.trophy};
        return place + *suffix[(race.nameSeed / 64) % 3];
    }
    case RaceClass::Grade1:
        return cp932::encode(race.gradeOneName);
    }
    return {};
}

QByteArray horseName(const RaceDraw& race, int horse)
{
    const Names& n = names();
    Random rng(Random::seed({static_cast<uint64_t>(race.nameSeed), static_cast<uint64_t>(horse)}));
    QByteArray name;
    const int length = 3 + rng.below(7);
    for (int i = 0; i < length; ++i)
        name += n.syllables[rng.below(static_cast<int>(n.syllables.size()))];
    return name;
}

// Popularity ranks (1 = most votes, ties in entry order) of the entries with
// votes; 0 elsewhere. One key per entry, votes above and the inverted entry
// index below, sorts in a single plain pass.
template <size_t N>
std::vector<int> ranks(const std::array<int64_t, N>& votes)
{
    constexpr int kBits = std::bit_width(N);
    constexpr uint64_t kMask = (uint64_t(1) << kBits) - 1;
    std::vector<uint64_t> keys;
    keys.reserve(N);
    for (size_t k = 0; k < N; ++k)
        if (votes[k] > 0)
            keys.push_back((static_cast<uint64_t>(votes[k]) << kBits) | (kMask - k));
    std::sort(keys.begin(), keys.end(), std::greater<>());
    std::vector<int> rank(N, 0);
    for (size_t r = 0; r < keys.size(); ++r)
        rank[kMask - (keys[r] & kMask)] = static_cast<int>(r + 1);
    return rank;
}

// One entry: combination, votes, rank; blank when the votes are -1, no rank without votes.
void putEntry(char* rec, int position, QByteArrayView combination, int64_t votes, int rank, int rankWidth)
{
    if (votes < 0)
        return;
    putBytes(rec, position, combination, static_cast<int>(combination.size()));
    putNumber(rec, position + static_cast<int>(combination.size()), layout::kVoteLen, votes);
    if (rank > 0)
        putNumber(rec, position + static_cast<int>(combination.size()) + layout::kVoteLen, rankWidth, rank);
}

// The numbers of an entry, `width` digits each.
class Combination {
public:
    Combination(const pools::EntryRunners& numbers, int width)
    {
        for (int n : numbers) {
            if (n <= 0)
                continue;
            if (width == 2)
                text_[size_++] = static_cast<char>('0' + n / 10);
            text_[size_++] = static_cast<char>('0' + n % 10);
        }
    }
    operator QByteArrayView() const { return QByteArrayView(text_, size_); }

private:
    char text_[6] = {};
    int size_ = 0;
};

template <size_t N>
int64_t total(const std::array<int64_t, N>& votes)
{
    int64_t sum = 0;
    for (int64_t v : votes)
        sum += std::max<int64_t>(v, 0);
    return sum;
}

// One pool's entries, each its numbers, votes and popularity, and its total,
// where the pool table lays them out; entry k + 1 holds votes[k].
template <size_t N>
void putPool(char* rec, pools::Pool pool, const std::array<int64_t, N>& votes)
{
    const pools::VotePool& p = pools::pool(pool);
    const int digits = p.votesOffset / p.runners;
    const int rankWidth = p.entrySize - p.votesOffset - pools::kVoteLen;
    const auto rank = ranks(votes);
    for (size_t k = 0; k < N; ++k) {
        const int n = static_cast<int>(k) + 1;
        putEntry(rec, p.entry(n), Combination(pools::entryRunners(pool, n), digits), votes[k], rank[k], rankWidth);
    }
    putNumber(rec, p.total, pools::kVoteLen, total(votes));
}

}  // namespace

void appendRa(QByteArray& out, const RaceDraw& race, char category, const QDate& created)
{
    char* rec = beginRecord(out, layout::kRaLength, "RA", race, category, created);
    putBytes(rec, layout::kRaceName, raceName(race), layout::kRaceNameLen);
    const QTime post = race.race.postTime().time();
    putNumber(rec, layout::kPostTime, layout::kPostTimeLen, post.hour() * 100 + post.minute());
}

void appendSe(QByteArray& out, const RaceDraw& race, char category, const QDate& created)
{
    for (int h = 1; h <= race.registered; ++h) {
        using namespace layout;
        char* rec = beginRecord(out, kSeLength, "SE", race, category, created);
        putNumber(rec, kSeBracket, kSeBracketLen, keiba::bracketOf(race.registered, h));
        putNumber(rec, kSeHorse, kSeHorseLen, h);
        putNumber(rec, kSeHorseId, kSeHorseIdLen,
                  int64_t(race.race.date.year() - 3) * 1'000'000 + (race.nameSeed % 9000) * 100 + h);
        putBytes(rec, kSeHorseName, horseName(race, h), kSeHorseNameLen);
    }
}

void appendH1(QByteArray& out, const RaceDraw& race, const Votes& v, char category, const QDate& created)
{
    using namespace layout;
    char* rec = beginRecord(out, kH1Length, "H1", race, category, created);
    putNumber(rec, kRegistered, kCountLen, race.registered);
    putNumber(rec, kStarters, kCountLen, race.starters);
    std::fill_n(rec + kSaleFlags - 1, kSaleFlagsLen, '0');
    for (int h = 1; h <= kMaxWinEntries; ++h)
        rec[refundFlag(h) - 1] = h <= race.registered && race.scratched[h - 1] ? '1' : '0';
    std::fill_n(rec + kBracketRefunds - 1, kBracketRefundsLen, '0');

    putPool(rec, pools::Pool::Win, v.win);
    putPool(rec, pools::Pool::Place, v.place);
    putPool(rec, pools::Pool::Bracket, v.bracket);
    putPool(rec, pools::Pool::Quinella, v.quinella);
    putPool(rec, pools::Pool::Wide, v.wide);
    putPool(rec, pools::Pool::Exacta, v.exacta);
    putPool(rec, pools::Pool::Trio, v.trio);
    // The seven refund totals after them: a scratched runner's entries hold no votes.
    std::fill(rec + kTrioTotal + kVoteLen - 1, rec + kH1Length - 2, '0');
}

void appendH6(QByteArray& out, const RaceDraw& race, const Votes& v, char category, const QDate& created)
{
    using namespace layout;
    char* rec = beginRecord(out, kH6Length, "H6", race, category, created);
    putNumber(rec, kRegistered, kCountLen, race.registered);
    putNumber(rec, kStarters, kCountLen, race.starters);
    rec[kH6SaleFlag - 1] = '7';  // sold
    for (int h = 1; h <= kMaxRunners; ++h)
        rec[h6RefundFlag(h) - 1] = h <= race.registered && race.scratched[h - 1] ? '1' : '0';
    putPool(rec, pools::Pool::Trifecta, v.trifecta);
    // A scratched runner's entries hold no votes: nothing to refund.
    putNumber(rec, kH6RefundTotal, kVoteLen, 0);
}

void appendHr(QByteArray& out, const RaceDraw& race, const pools::Refunds& refunds, const pools::RacePayouts& payouts,
              char category, const QDate& created)
{
    using namespace layout;
    char* rec = beginRecord(out, kHrLength, "HR", race, category, created);
    putNumber(rec, kHrRegistered, kCountLen, race.registered);
    putNumber(rec, kHrStarters, kCountLen, race.starters);
    const auto flag = [](bool set) { return set ? '1' : '0'; };
    for (int run : {kHrNotHeld, kHrSpecial, kHrRefunds})
        std::fill_n(rec + run - 1, pools::PayoutLayout::kFlags, '0');
    for (int h = 1; h <= pools::kRecordSlots; ++h)
        rec[hrRunnerRefund(h) - 1] = flag(refunds.runner[size_t(h)]);
    for (int b = 1; b <= pools::kBrackets; ++b) {
        rec[hrBracketRefund(b) - 1] = flag(refunds.bracket[size_t(b)]);
        rec[hrSameBracketRefund(b) - 1] = flag(refunds.sameBracket[size_t(b)]);
    }
    for (size_t p = 0; p < payouts.size(); ++p) {
        const pools::Pool pool = pools::Pool(p);
        const pools::PoolPayout& paid = payouts[p];
        rec[hrFlag(kHrNotHeld, pool) - 1] = flag(paid.notHeld);
        rec[hrFlag(kHrSpecial, pool) - 1] = flag(paid.special);
        rec[hrFlag(kHrRefunds, pool) - 1] = flag(paid.refunds);
        // Unused slots stay blank.
        const pools::PayoutLayout& at = pools::payoutLayout(pool);
        const int digits = at.combinationLen / pools::pool(pool).runners;
        for (size_t j = 0; j < std::min(paid.payouts.size(), size_t(at.count)); ++j) {
            const pools::EntryPayout& e = paid.payouts[j];
            putBytes(rec, at.slot(int(j)), Combination(pools::entryRunners(pool, e.entry), digits), at.combinationLen);
            putNumber(rec, at.yen(int(j)), pools::PayoutLayout::kYenLen, e.yen);
            putNumber(rec, at.popularity(int(j)), at.popularityLen, e.popularity);
        }
    }
}

}  // namespace tavek::jvlink::records
