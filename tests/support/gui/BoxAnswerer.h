#pragma once

#include "controls/MessageBox.h"

#include <QList>
#include <QStringList>
#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace tavek::test {

// Answers every message box of the program while it lives, without showing
// one: question boxes take the answers set beforehand, in order (No when none
// is left), every other box gets OK. Records each box as it was asked for.
// Header-only, so a test needs no more than the controls module to use it.
class BoxAnswerer {
public:
    using Answer = MessageBox::Answer;
    using Kind = MessageBox::Kind;

    BoxAnswerer()
        : previous_(MessageBox::setHook([this](const MessageBox::Request& request) { return answer(request); }))
    {
    }
    ~BoxAnswerer()
    {
        MessageBox::setHook(std::move(previous_));
        // An answer nobody asked for means a question box that never came.
        EXPECT_TRUE(answers_.empty()) << answers_.size() << " answers left unused";
    }
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    // The answer to the next question box not yet answered: Yes or No.
    void setNextAnswer(Answer answer) { answers_.push_back(answer); }

    // Runs after each box is answered, inside the call that showed it.
    std::function<void(const MessageBox::Request&)> afterAnswer;

    const QList<MessageBox::Request>& seen() const { return seen_; }
    int count() const { return int(seen_.size()); }
    QStringList texts() const
    {
        QStringList out;
        for (const MessageBox::Request& r : seen_)
            out << r.text;
        return out;
    }

private:
    Answer answer(const MessageBox::Request& request)
    {
        seen_.append(request);
        Answer given = Answer::Ok;
        if (request.kind == Kind::Question) {
            given = answers_.empty() ? Answer::No : answers_.front();
            if (!answers_.empty())
                answers_.pop_front();
        }
        if (afterAnswer)
            afterAnswer(request);
        return given;
    }

    MessageBox::Hook previous_;
    std::deque<Answer> answers_;
    QList<MessageBox::Request> seen_;
};

}  // namespace tavek::test
