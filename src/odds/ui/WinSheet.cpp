#include "odds/ui/WinSheet.h"

#include "controls/Label3D.h"
#include "odds/ui/WinGrid.h"
#include "pools/Payout.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

Label3D* caption(const QString& text, QWidget* parent, const char* name)
{
    auto* l = new Label3D(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

// The look of both total boxes: red bold figures centred on aqua, sunken.
Label3D* totalBox(QWidget* parent, const char* name)
{
    auto* l = caption(QString(), parent, name);
    QFont f = l->font();
    f.setPixelSize(13);
    f.setBold(true);
    l->setFont(f);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, QColor(0, 255, 255));
    p.setColor(QPalette::WindowText, QColor(255, 0, 0));
    l->setPalette(p);
    l->setFixedSize(110, 19);
    return l;
}

}  // namespace

WinSheet::WinSheet(tavek::DayData& day, QWidget* parent) : QWidget(parent), board_(day)
{
    setObjectName(QStringLiteral("WinSheet"));
    Panel3 = new QFrame(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFixedHeight(25);
    Label3D8 = caption(QStringLiteral("単勝合計票数："), Panel3, "Label3D8");
    Label3D9 = totalBox(Panel3, "Label3D9");
    Label3D11 = caption(QStringLiteral("単勝合計票数(仮想)："), Panel3, "Label3D11");
    Label3D13 = totalBox(Panel3, "Label3D13");
    auto* strip = new QHBoxLayout(Panel3);
    strip->setContentsMargins(6, 2, 6, 2);
    strip->setSpacing(4);
    strip->addWidget(Label3D8);
    strip->addWidget(Label3D9);
    strip->addSpacing(24);
    strip->addWidget(Label3D11);
    strip->addWidget(Label3D13);
    strip->addStretch(1);

    StringGrid1 = new WinGrid(tavek::win::columnHeaders(), this);
    StringGrid1->setToolTip(tavek::pools::oddsRulesNote());
    connect(StringGrid1, &WinGrid::amountRequested, this, &WinSheet::openAmountDialog);
    connect(StringGrid1, &WinGrid::oddsRequested, this, &WinSheet::openOddsDialog);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(Panel3);
    column->addWidget(StringGrid1, 1);
}

void WinSheet::setRaceListed(bool listed)
{
    // Until a race is calculated the grid keeps the rows of the day's first race.
    StringGrid1->setRunnerRows(tavek::win::registeredRunners(board_.day(), 0));
    if (!listed) {
        StringGrid1->setSource({});
        return;
    }
    StringGrid1->setSource({
        [this](int horse, int column) { return board_.cellText(horse, column); },
        [this](int horse) { return board_.rowBracket(horse); },
        [this](int horse) { return winners_.won(tavek::pools::Pool::Win, horse); },
    });
}

bool WinSheet::calculate(int race, std::optional<QDateTime> fetched)
{
    if (!board_.calculate(race, fetched))
        return false;
    // 確定オッズ or 速報オッズ: the heading names what the column shows.
    const QStringList& headers = board_.columnHeaders();
    for (int c = 0; c < int(headers.size()); ++c)
        if (QTableWidgetItem* item = StringGrid1->horizontalHeaderItem(c); item && item->text() != headers[c])
            item->setText(headers[c]);
    StringGrid1->setRunnerRows(board_.runners());
    Label3D9->setText(board_.total());
    showSimulation();
    return true;
}

tavek::sim::SimResult WinSheet::simulateStake(int horse, long long yen)
{
    const tavek::sim::SimResult result = board_.simulateStake(horse, yen);
    showSimulation();
    return result;
}

tavek::sim::SimResult WinSheet::simulateOdds(int horse, long double odds)
{
    const tavek::sim::SimResult result = board_.simulateOdds(horse, odds);
    showSimulation();
    return result;
}

void WinSheet::showSimulation()
{
    Label3D13->setText(board_.virtualTotal());
    StringGrid1->viewport()->update();
}
