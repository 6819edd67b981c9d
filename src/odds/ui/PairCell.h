#pragma once

#include <QLabel>

// One odds cell of a board: centred text on a coloured background, hand
// cursor, a click reported with the cell's pair or entry index; the current
// cell of the keyboard is framed.
class PairCell : public QLabel {
    Q_OBJECT
public:
    PairCell(int pair, QWidget* parent);

    int pair() const { return pair_; }
    void setColours(const QColor& background, const QColor& text);
    QColor background() const;
    void setCurrent(bool current);
    bool isCurrent() const { return current_; }
    // What a click does, for the keyboard.
    void click() { emit clicked(pair_); }

signals:
    void clicked(int pair);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int pair_;
    bool current_ = false;
};
