#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>

namespace tavek::test {

// Answers the message boxes that open while it lives: OK for information
// boxes, the next of `answers` (No when used up) for Yes/No boxes. Records
// their texts; `afterAnswer` runs after each box, with its text.
class BoxAnswerer {
public:
    std::deque<bool> answers;
    QStringList texts;
    std::function<void(const QString&)> afterAnswer;

    BoxAnswerer()
    {
        timer_.setInterval(2);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }

private:
    void poll()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        const QString text = box->text();
        texts.append(text);
        if (box->standardButtons() & QMessageBox::Yes) {
            const bool yes = !answers.empty() && answers.front();
            if (!answers.empty())
                answers.pop_front();
            box->done(yes ? QMessageBox::Yes : QMessageBox::No);
        } else {
            box->done(QMessageBox::Ok);
        }
        if (afterAnswer)
            afterAnswer(text);
    }

    QTimer timer_;
};

}  // namespace tavek::test
