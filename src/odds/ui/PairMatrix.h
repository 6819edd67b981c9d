#pragma once

#include "odds/model/PairIndex.h"

#include <QWidget>
#include <functional>

class PairCell;

// The matrix of a pair tab as one stop of the Tab key: it keeps a current
// cell (a pair, real or virtual side), marked while the matrix has the focus,
// moved by the arrow keys along the pair's column and across to the
// neighbouring side and column, and opened by Enter as a click opens it.
class PairMatrix : public QWidget {
    Q_OBJECT
public:
    using CellOf = std::function<PairCell*(int k, bool real)>;
    PairMatrix(tavek::sim::PairKind kind, CellOf cellOf);

    int currentPair() const { return pair_; }
    bool currentIsReal() const { return real_; }
    // Makes cell (k, real) current and brings it into view.
    void setCurrent(int k, bool real);

signals:
    void opened(int k, bool real);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void mark(bool on);

    tavek::sim::PairKind kind_;
    CellOf cellOf_;
    int pair_ = 1;
    bool real_ = true;
};
