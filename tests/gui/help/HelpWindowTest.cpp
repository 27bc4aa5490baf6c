// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/help/HelpWindow.h"

#include "gui/WindowTestSupport.h"
#include "gui/common/ProgramIcon.h"
#include "gui/main/DayGridView.h"
#include "gui/main/MainForm.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>

#include <memory>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

QTextBrowser* Browser(const HelpWindow& help) {
    return help.findChild<QTextBrowser*>(u"HelpBrowser"_s);
}

// The links of the page on display, resolved against it, with their texts.
QMap<QUrl, QString> Links(const QTextBrowser& browser) {
    QMap<QUrl, QString> links;
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next())
        for (auto part = block.begin(); !part.atEnd(); ++part) {
            const QTextFragment fragment = part.fragment();
            if (fragment.charFormat().isAnchor())
                links[browser.source().resolved(QUrl(fragment.charFormat().anchorHref()))] += fragment.text();
        }
    return links;
}

bool IsResource(const QUrl& page) {
    return page.scheme() == u"qrc"_s && QFile::exists(u":"_s + page.path());
}

// A caption as a reader finds it in the text: no accelerator, no trailing dots, no blanks.
QString Bare(QString caption) {
    caption.remove(QRegularExpression(u"\\(&.\\)|\\.\\.\\.|&|\\s"_s));
    return caption;
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void helpItemOpensTheContentsOnFirstUse();
    void contentsLinksExactlyTheTopicPages();
    void topicPages_data();
    void topicPages();
    void unknownTopicsShowTheContents();
    void f1ShowsTheMainWindowPageThatNamesItsColumnsMenusAndKeys();
    void closingTheMainWindowClosesTheHelp();
    void escOrTheCloseButtonClosesTheHelp();
    void programIconHasEverySize();

private:
    void StartWindow();
    HelpWindow* Help() const { return m_window->findChild<HelpWindow*>(); }

    std::unique_ptr<test::WindowEnvironment> m_env;
    std::unique_ptr<TZangyoMain> m_window;
};

void HelpWindowTest::init() {
    m_env = std::make_unique<test::WindowEnvironment>();
    QVERIFY(m_env->folder.isValid());
}

void HelpWindowTest::cleanup() {
    m_window.reset();
}

void HelpWindowTest::StartWindow() {
    m_window = m_env->MainWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void HelpWindowTest::helpItemOpensTheContentsOnFirstUse() {
    StartWindow();
    QVERIFY(Help() == nullptr); // nothing of the viewer is made at start-up
    auto* item = m_window->findChild<QAction*>(u"HelpItem"_s);
    QVERIFY(item != nullptr);
    QVERIFY(item->isEnabled());
    item->trigger();
    HelpWindow* help = Help();
    QVERIFY(help != nullptr);
    QTRY_VERIFY(help->isVisible());
    QCOMPARE(help->windowTitle(), u"ミトラン ヘルプ"_s);
    QVERIFY(!help->windowIcon().isNull());
    QCOMPARE(Browser(*help)->source(), HelpWindow::ContentsPage());
    QVERIFY(!Browser(*help)->documentTitle().isEmpty());

    item->trigger(); // a second time reuses the window
    QCOMPARE(m_window->findChildren<HelpWindow*>().size(), 1);
}

// The keyboard closes the viewer as the mouse does: Esc, or Tab to its close button and Space.
void HelpWindowTest::escOrTheCloseButtonClosesTheHelp() {
    StartWindow();
    QAction* item = m_window->findChild<QAction*>(u"HelpItem"_s);
    item->trigger();
    HelpWindow* help = Help();
    // The offscreen platform leaves the main window active, whose own Esc would take the key.
    QApplication::setActiveWindow(help);
    QTest::keyClick(Browser(*help), Qt::Key_Escape);
    QTRY_VERIFY(!help->isVisible());
    item->trigger();
    QTRY_VERIFY(help->isVisible());
    auto* close = help->findChild<QToolButton*>(u"CloseButton"_s);
    QVERIFY(close != nullptr && (close->focusPolicy() & Qt::TabFocus) != 0);
    QTest::keyClick(close, Qt::Key_Space);
    QTRY_VERIFY(!help->isVisible());
}

void HelpWindowTest::contentsLinksExactlyTheTopicPages() {
    HelpWindow help;
    help.ShowContents();
    QVERIFY(IsResource(Browser(help)->source()));
    QSet<QUrl> linked;
    for (const QUrl& page : Links(*Browser(help)).keys()) {
        QVERIFY2(IsResource(page), qPrintable(page.toString()));
        linked.insert(page);
    }
    QSet<QUrl> topics;
    for (const int topic : {10, 50, 60, 65, 70})
        topics.insert(HelpWindow::TopicPage(topic));
    QCOMPARE(topics.size(), 5);
    QCOMPARE(linked, topics);
}

// The settings pages carry the captions of the settings dialog's pages.
void HelpWindowTest::topicPages_data() {
    QTest::addColumn<int>("topic");
    QTest::addColumn<QString>("pageCaption");
    QTest::newRow("main window") << 10 << QString();
    QTest::newRow("work and pay") << 50 << u"勤務・金額設定"_s;
    QTest::newRow("time rounding") << 60 << u"時刻調整設定"_s;
    QTest::newRow("days off") << 65 << u"休日・ｶﾚﾝﾀﾞｰ設定"_s;
    QTest::newRow("printing and other") << 70 << u"印刷・その他の設定"_s;
}

// Each page has a title, the contents names it by that title, and it leads back to the contents.
void HelpWindowTest::topicPages() {
    QFETCH(int, topic);
    QFETCH(QString, pageCaption);
    HelpWindow help;
    help.ShowTopic(topic);
    QTextBrowser* browser = Browser(help);
    const QUrl page = browser->source();
    QVERIFY(IsResource(page));
    QVERIFY(page != HelpWindow::ContentsPage());
    const QString title = browser->documentTitle();
    QVERIFY(!title.isEmpty());
    if (!pageCaption.isEmpty())
        QVERIFY2(title.contains(pageCaption), qPrintable(title));
    QVERIFY(Links(*browser).contains(HelpWindow::ContentsPage()));

    help.ShowContents();
    QCOMPARE(Links(*browser).value(page).trimmed(), title);
}

void HelpWindowTest::unknownTopicsShowTheContents() {
    HelpWindow help;
    for (const int topic : {0, -10, 11, 49, 71, 1000}) {
        help.ShowTopic(50);
        help.ShowTopic(topic);
        QCOMPARE(Browser(help)->source(), HelpWindow::ContentsPage());
    }
}

// The page of the main window keeps up with the window: every column header, every item of the menus
// (the user menu is filled per user) and every key of the window's commands appears in it.
void HelpWindowTest::f1ShowsTheMainWindowPageThatNamesItsColumnsMenusAndKeys() {
    StartWindow();
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus != nullptr);
    QTest::keyClick(focus, Qt::Key_F1);
    HelpWindow* help = Help();
    QVERIFY(help != nullptr);
    QTRY_VERIFY(help->isVisible());
    QCOMPARE(Browser(*help)->source(), HelpWindow::TopicPage(HelpWindow::kMainWindowTopic));
    const QString text = Bare(Browser(*help)->toPlainText());

    QStringList expected;
    const QAbstractItemModel* grid = m_window->findChild<DayGridView*>(u"DayStringGrid"_s)->model();
    for (int column = 0; column < grid->columnCount(); ++column)
        expected << Bare(grid->headerData(column, Qt::Horizontal).toString());
    for (QAction* menuAction : m_window->menuBar()->actions()) {
        expected << Bare(menuAction->text());
        if (menuAction->menu()->objectName() == u"MultiUserMenu"_s)
            continue;
        for (QAction* item : menuAction->menu()->actions())
            if (!item->isSeparator())
                expected << Bare(item->text());
    }
    for (QAction* action : m_window->findChildren<QAction*>()) {
        QList<QKeySequence> keys = action->shortcuts();
        if (action->data().typeId() == QMetaType::QKeySequence)
            keys << action->data().value<QKeySequence>();
        for (const QKeySequence& key : keys)
            expected << Bare(key.toString(QKeySequence::PortableText));
    }
    QVERIFY(expected.contains(u"Ctrl+S"_s));
    QVERIFY(expected.contains(u"F1"_s));
    for (const QString& words : expected)
        QVERIFY2(text.contains(words), qPrintable(words));
}

void HelpWindowTest::closingTheMainWindowClosesTheHelp() {
    StartWindow();
    m_window->findChild<QAction*>(u"HelpItem"_s)->trigger();
    QTRY_VERIFY(Help()->isVisible());
    QVERIFY(m_window->close());
    QVERIFY(!Help()->isVisible());
}

void HelpWindowTest::programIconHasEverySize() {
    const QIcon icon = ProgramIcon();
    QCOMPARE(icon.availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}, {64, 64}}));
    // Each listed size is the drawn image itself; sizes in between are scaled from the next larger one.
    for (const QSize& size : icon.availableSizes()) {
        const QImage drawn(u":/icons/mitoran-%1.png"_s.arg(size.width()));
        QVERIFY(!drawn.isNull());
        QCOMPARE(icon.pixmap(size).toImage().convertToFormat(drawn.format()), drawn);
    }
    QCOMPARE(icon.pixmap(QSize(24, 24)).size(), QSize(24, 24));
    QCOMPARE(icon.pixmap(QSize(128, 128)).size(), QSize(64, 64));
}

} // namespace mitoran

QTEST_MAIN(mitoran::HelpWindowTest)
#include "HelpWindowTest.moc"
