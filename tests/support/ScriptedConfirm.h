// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/month/TimeEntry.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace mitoran::test {

// Answers the stamp confirmations from a list (then cancels) and keeps what it was asked.
class ScriptedConfirm : public TimeConfirm {
public:
    std::optional<std::string> ConfirmTime(const TimeConfirmRequest& request) override {
        requests.push_back(request);
        if (answers.empty())
            return std::nullopt;
        std::optional<std::string> answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<std::optional<std::string>> answers;
    std::vector<TimeConfirmRequest> requests;
};

} // namespace mitoran::test
