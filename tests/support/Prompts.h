#pragma once

#include "platform/Prompt.h"

#include <QStringList>

namespace orv::test {

// Answers every message box while it lives and keeps the texts shown: a box
// with OK alone gets OK, any other gets `answer`.
struct Prompts {
    Prompts()
    {
        Prompt::setHandler([this](const PromptRequest &r) {
            texts << r.text;
            return r.buttons == Buttons::Ok ? Answer::Ok : answer;
        });
    }
    ~Prompts() { Prompt::setHandler({}); }
    Prompts(const Prompts &) = delete;
    Prompts &operator=(const Prompts &) = delete;

    QStringList texts;
    Answer answer = Answer::Ok;
};

} // namespace orv::test
