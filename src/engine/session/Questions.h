// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace mitoran {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };
enum class QuestionIcon { Warning, Question, Error };

// The questions and messages the engine must put to the user. Caption and text are CP932 byte text.
// The windows answer with a message box; tests and the command line answer without one.
class Questions {
public:
    virtual ~Questions() = default;
    virtual Answer Ask(const std::string& caption, const std::string& text, Buttons buttons) = 0;
    // The same with the box's icon and its default button, which only a window shows; an answerer without a
    // window answers it as Ask.
    virtual Answer AskStyled(const std::string& caption, const std::string& text, Buttons buttons, QuestionIcon,
                             Answer) {
        return Ask(caption, text, buttons);
    }
};

} // namespace mitoran
