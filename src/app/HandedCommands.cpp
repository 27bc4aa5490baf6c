// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HandedCommands.h"

#include "gui/main/MainForm.h"
#include "platform/SingleHalt.h"

#include <QApplication>
#include <QTimer>

namespace mitoran {

namespace {

class MainWindowForCommands final : public ShownMonthWindow {
public:
    explicit MainWindowForCommands(TZangyoMain& window) : m_window(window) {}
    Session& WindowSession() override { return m_window.CurrentSession(); }
    // The grid shows the command's values first: an editor left open on the stamped cell would otherwise
    // commit its old text over the stamp when the save moves the cell cursor.
    // The 36協定 warning waits until the command has its answer: a message box would hold the answer back.
    bool SaveShownMonth() override {
        m_window.ShowSessionMonth();
        const bool saved = m_window.SaveMonthOnDisplayChecked() == SaveOutcome::Saved;
        QTimer::singleShot(0, &m_window, &TZangyoMain::ShowLimitNotice);
        return saved;
    }
    void ShowChanges() override { m_window.ShowSessionMonth(); }

private:
    TZangyoMain& m_window;
};

// A dialog or the paid-leave window holds the user's attention and may hold the month's ledger: the command
// line then writes the file itself, and the window's save notices it.
bool WindowIsFree(const TZangyoMain& window) {
    return QApplication::activeModalWidget() == nullptr && window.isEnabled();
}

} // namespace

QByteArray AnswerHandedCommand(const QByteArray& request, TZangyoMain& window) {
    const std::optional<HandedCommand> command = ParseHandedCommandLine(request.toStdString());
    if (!command || !WindowIsFree(window))
        return {};
    MainWindowForCommands shown(window);
    const std::optional<HandedResult> result = RunHandedCommand(*command, shown);
    return result ? QByteArray::fromStdString(HandedReplyLine(result)) : QByteArray();
}

void AnswerHandedCommands(TSingleHalt& halt, TZangyoMain& window) {
    QObject::connect(
        &halt, &TSingleHalt::CommandReceived, &window,
        [&window](const QByteArray& request, QByteArray* answer) { *answer = AnswerHandedCommand(request, window); });
}

} // namespace mitoran
