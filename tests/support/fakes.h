#pragma once
// Scripted stand-ins for the edges tests cannot drive: modal dialogs, the clock, ending
// the process.

#include "platform/services.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace orvane::test {

struct FakeDialog final : FileDialog {
    std::deque<std::string> answers;  // paths chosen, "" for Cancel; empty queue cancels
    std::deque<int> filters;          // the file types chosen with them; none: the first
    struct Shown {
        bool saving;
        std::string filter, offered, title;
    };
    std::vector<Shown> shown;

    void ShowSave() override { show(true); }
    void ShowOpen() override { show(false); }
    void show(bool saving)
    {
        shown.push_back({saving, Filter, FileName, DialogTitle});
        DialogTitle.clear();
        FileName = answers.empty() ? std::string() : answers.front();
        if (!answers.empty())
            answers.pop_front();
        FilterIndex = filters.empty() ? 0 : filters.front();
        if (!filters.empty())
            filters.pop_front();
    }
};

struct FakeMessages final : MessageBox {
    std::deque<Answer> answers;
    struct Asked {
        Message message;
        Buttons buttons;
    };
    std::vector<Asked> asked;
    std::vector<Message> warnings;

    Answer ask(const Message& message, Buttons buttons) override
    {
        asked.push_back({message, buttons});
        if (onAsk)
            onAsk(message);
        Answer a = answers.empty() ? Answer::Cancel : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return a;
    }
    void warn(const Message& message) override
    {
        warnings.push_back(message);
        if (onWarn)
            onWarn(message);
    }
    std::function<void(const Message&)> onWarn;  // what the test looks at while a message shows
    std::function<void(const Message&)> onAsk;   // what the user does while a question shows
    void inform(const Message& message) override { informed.push_back(message); }
    std::vector<Message> informed;
};

// Whether one of the message's arguments holds the text.
inline bool mentions(const Message& message, std::string_view text)
{
    for (const std::string& arg : message.args)
        if (arg.find(text) != std::string::npos)
            return true;
    return false;
}

struct FakeProcess final : Process {
    int ended = 0;
    void endProgram() override { ++ended; }
};

struct FakeClock final : TimeSource {
    TimeOfDay time{9, 5, 7};
    TimeOfDay now() override { return time; }
};

} // namespace orvane::test
