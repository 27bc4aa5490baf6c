// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/help/HelpWindow.h"

#include "gui/common/ProgramIcon.h"

#include <QBoxLayout>
#include <QTextBrowser>
#include <QToolButton>

#include <algorithm>
#include <array>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

struct HelpTopic {
    int number;
    const char* page;
};

constexpr std::array<HelpTopic, 5> kTopics{{
    {HelpWindow::kMainWindowTopic, "main.html"},
    {50, "kinmu.html"},
    {60, "jikoku.html"},
    {65, "kyujitu.html"},
    {70, "sonota.html"},
}};

QUrl HelpPage(const char* page) {
    return QUrl(u"qrc:/help/"_s + QLatin1String(page));
}

QToolButton* ToolButton(const QString& caption, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(caption);
    button->setAutoRaise(true);
    return button;
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent, Qt::Window), m_browser(new QTextBrowser(this)) {
    setObjectName(u"HelpWindow"_s);
    setWindowTitle(u"ミトラン ヘルプ"_s);
    setWindowIcon(ProgramIcon());
    m_browser->setObjectName(u"HelpBrowser"_s);
    // The program's font is sized for its grids; pages read better a little larger.
    QFont font = m_browser->font();
    font.setPixelSize(14);
    m_browser->setFont(font);

    QToolButton* contents = ToolButton(u"目次"_s, this);
    QToolButton* back = ToolButton(u"戻る"_s, this);
    QToolButton* forward = ToolButton(u"進む"_s, this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contents, &QToolButton::clicked, this, &HelpWindow::ShowContents);
    connect(back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);

    QToolButton* close = ToolButton(u"閉じる"_s, this);
    close->setObjectName(u"CloseButton"_s);
    connect(close, &QToolButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    for (QToolButton* button : {contents, back, forward})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);
    resize(560, 520);
}

QUrl HelpWindow::ContentsPage() {
    return HelpPage("index.html");
}

QUrl HelpWindow::TopicPage(int topic) {
    const auto* found =
        std::find_if(kTopics.begin(), kTopics.end(), [topic](const HelpTopic& entry) { return entry.number == topic; });
    return found == kTopics.end() ? ContentsPage() : HelpPage(found->page);
}

void HelpWindow::ShowContents() {
    Present(ContentsPage());
}

void HelpWindow::ShowTopic(int topic) {
    Present(TopicPage(topic));
}

void HelpWindow::Present(const QUrl& page) {
    m_browser->setSource(page);
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

} // namespace mitoran
