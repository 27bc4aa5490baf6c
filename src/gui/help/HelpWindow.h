// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QUrl>

class QTextBrowser;

namespace mitoran {

// The help viewer: HTML pages compiled into the program, a contents page and one page per help topic
// (10 the main window; 50, 60, 65 and 70 the pages of the settings dialog). It stays open beside the
// window it was opened from; Esc (as in any dialog) or its close button closes it.
class HelpWindow : public QDialog {
    Q_OBJECT

public:
    static constexpr int kMainWindowTopic = 10;

    explicit HelpWindow(QWidget* parent = nullptr);

    void ShowContents();
    // An unknown topic shows the contents.
    void ShowTopic(int topic);

    static QUrl ContentsPage();
    static QUrl TopicPage(int topic);

private:
    void Present(const QUrl& page);

    QTextBrowser* m_browser = nullptr;
};

} // namespace mitoran
