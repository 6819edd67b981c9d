#pragma once

#include <QByteArrayView>
#include <QWidget>
#include <array>

class QLabel;
class QListWidget;

// The content of the reference tab TabSheet4 ("参考資料"): Panel8 with the vote totals of the
// seven bet types, Panel6 with the ranked exacta (ListBox1) and trio
// (ListBox2) lists.
class ReferenceTab : public QWidget {
    Q_OBJECT
public:
    explicit ReferenceTab(QWidget* parent = nullptr);

    // The reference section of the win calculation for a race's record.
    void referenceSection(QByteArrayView voteRecord);

    QLabel* totalBox(int betType) const { return totals_[size_t(betType)]; }
    QListWidget* ListBox1;  // exacta
    QListWidget* ListBox2;  // trio

private:
    std::array<QLabel*, 7> totals_{};
};
