// Record readings, code tables, race items and race header texts on records
// of any length and content. Every reader must stay within the record and
// the three numeric readings must agree with one another. The record read as
// a payout record too: refused with a message, or a result of the pools'
// entries (fuzz::checkResult).
//
// Input: 8 control bytes (a field position and length, runner counts), then
// the record bytes.
#include "support/FuzzInput.h"
#include "support/RaceChecks.h"

#include "odds/model/PairFigures.h"
#include "odds/model/WinTexts.h"
#include "pools/Field.h"
#include "racedata/DayData.h"
#include "racedata/KeibaFunc.h"
#include "racedata/RaceResult.h"
#include "racedata/RecordField.h"

#include <algorithm>
#include <memory>

using namespace tavek;

namespace {

void readings(QByteArrayView f)
{
    int value = 0;
    const bool number = record::tryBlankAsAbsent(f, value);
    try {
        if (record::blankAsAbsent(f) != value || !number)
            fuzz::fail("blank-as-absent readings differ", QString::fromLatin1(f));
    } catch (const record::FieldError& e) {
        if (number || value != -1 || !*e.what())
            fuzz::fail("blank-as-absent readings differ", QString::fromLatin1(f));
    }
    if (record::blankAsZero(f) < 0)
        fuzz::fail("a negative blank-as-zero reading", QString::fromLatin1(f));
    record::zeroDefault(f);
}

void codeTables(QByteArrayView record, const fuzz::Input& in)
{
    const QByteArrayView code = layout::courseCode(record);
    keiba::shortCourseName(code);
    keiba::courseName2(code);
    keiba::blankPaddedNumber(record::field(record, layout::kRegistered, 2));
    const int registered = in.control(4) % 20;
    const int horse = in.control(5) % 20;
    const int bracket = keiba::bracketOf(registered, horse);
    if (horse >= 1 && horse <= registered && registered <= pools::kMaxRunners
        && (bracket < 1 || bracket > pools::kBrackets))
        fuzz::fail("a runner outside brackets 1..8");
    const int at = int(in.control(6)) - 8;
    const QByteArray over = keiba::overwrite(record.toByteArray(), at, record::field(record, 1, in.control(7)));
    if (over.size() != record.size())
        fuzz::fail("an overwrite changed the length");
    if (layout::raceKey(record).size() > layout::kRaceKeyLen)
        fuzz::fail("a race key longer than 16 bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const auto day = std::make_unique<DayData>();
    const fuzz::Input in(data, size, 8);
    const QByteArrayView record = in.part(0);

    const int position = int(int16_t(in.control(0) << 8 | in.control(1)));
    const int length = int(int8_t(in.control(2)));
    const QByteArrayView f = record::field(record, position, length);
    if (f.size() > std::max(length, 0)
        || (!f.isEmpty() && (f.data() < record.data() || f.data() + f.size() > record.data() + record.size())))
        fuzz::fail("a field outside its record");
    readings(f);
    readings(record::field(record, 1, layout::kVoteLen));
    codeTables(record, in);
    raceItemText(record);
    sim::raceKeyText(record);
    for (const pools::PairKind kind : {pools::PairKind::Quinella, pools::PairKind::Bracket}) {
        sim::realTotalText(kind, record);
        for (int k = 1; k <= pools::pairCount(kind); k += 1 + in.control(3) % 8)
            fuzz::allowFailure([&] { sim::realOddsText(kind, record, k); });
    }

    fuzz::allowFailure([&] { fuzz::checkResult(result::read(record)); });

    // The race header and win cells of the record as a loaded vote record.
    day->setVoteRecord(0, record);
    win::headerTexts(*day, 0);
    win::totalText(*day, 0);
    const win::InputTexts none;
    for (int horse = 1; horse <= win::registeredRunners(*day, 0); ++horse)
        for (int column = 0; column < win::kColumns; ++column)
            win::cellText(*day, 0, horse, column, none);
    return 0;
}
