#pragma once
// Scripted stand-ins for the edges tests cannot drive: modal dialogs, the clock, ending
// the process.

#include "platform/services.h"

#include <deque>
#include <string>
#include <vector>

namespace orvane::test {

struct FakeDialog final : FileDialog {
    std::deque<std::string> answers;  // paths chosen, "" for Cancel; empty queue cancels
    struct Shown {
        bool saving;
        std::string filter, offered;
    };
    std::vector<Shown> shown;

    void ShowSave() override { show(true); }
    void ShowOpen() override { show(false); }
    void show(bool saving)
    {
        shown.push_back({saving, Filter, FileName});
        FileName = answers.empty() ? std::string() : answers.front();
        if (!answers.empty())
            answers.pop_front();
    }
};

struct FakeMessages final : MessageBox {
    std::deque<Answer> answers;
    struct Asked {
        std::string text, title;
        Buttons buttons;
    };
    std::vector<Asked> asked;
    std::vector<std::string> warnings;

    Answer ask(std::string_view text, std::string_view title, Buttons buttons) override
    {
        asked.push_back({std::string(text), std::string(title), buttons});
        Answer a = answers.empty() ? Answer::Cancel : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return a;
    }
    void warn(std::string_view text, std::string_view) override { warnings.emplace_back(text); }
};

struct FakeProcess final : Process {
    int ended = 0;
    void endProgram() override { ++ended; }
};

struct FakeClock final : TimeSource {
    TimeOfDay time{9, 5, 7};
    TimeOfDay now() override { return time; }
};

} // namespace orvane::test
