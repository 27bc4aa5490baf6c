// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/totals/YearForm.h"

#include "engine/month/MonthFile.h"
#include "engine/text/Texts.h"
#include "gui/WindowTestSupport.h"
#include "gui/totals/PeriodTableModel.h"
#include "platform/Cp932Qt.h"

#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <fstream>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

class YearFormTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void periodTotalsMoveTheRangeAndJumpToAMonth();
    void monthCsvIsWrittenWhereTheDialogSays();
    void printItemsOpenThePreviewAndWriteThePdfs();

private:
    void WriteMonth(int year, int month, const std::string& system) const;
    QString Range(TYearTotal& window) const;

    std::unique_ptr<test::WindowEnvironment> m_env;
    std::unique_ptr<TZangyoMain> m_main;
};

void YearFormTest::init() {
    m_env = std::make_unique<test::WindowEnvironment>();
    m_main = m_env->MainWindow();
    m_main->show();
}

void YearFormTest::cleanup() {
    m_main.reset();
    m_env.reset();
}

void YearFormTest::WriteMonth(int year, int month, const std::string& system) const {
    std::ofstream(MonthFilePath(m_env->folders.DataFolder(), year, month, ""), std::ios::binary) << "[System]\r\n"
                                                                                                 << system;
}

QString YearFormTest::Range(TYearTotal& window) const {
    QStringList fields;
    for (const QString& name : {u"StartYearMemo"_s, u"StartMonthMemo"_s, u"EndYearMemo"_s, u"EndMonthMemo"_s})
        fields << window.findChild<QLineEdit*>(name)->text();
    return fields.join(u'/');
}

void YearFormTest::periodTotalsMoveTheRangeAndJumpToAMonth() {
    WriteMonth(2003, 5, "SyukinDay=20.0\r\nZangyoTime=12:00\r\n");
    WriteMonth(2004, 2, "SyukinDay=3.0\r\n");
    m_main->findChild<QPushButton*>(u"YearCalcButton"_s)->click();
    auto* window = m_main->findChild<TYearTotal*>(u"TYearTotal"_s);
    QVERIFY(window != nullptr && window->isVisible());
    QCOMPARE(window->windowModality(), Qt::ApplicationModal);
    QCOMPARE(Range(*window), u"2004/1/2004/12"_s); // start month 1 on 10 March 2004
    auto* grid = window->findChild<QTableView*>(u"MonthStringGrid"_s);
    QCOMPARE(grid->model()->rowCount(), 16);
    QCOMPARE(grid->model()->index(1, 1).data().toString().trimmed(), test::Expected(u"3"_s, u"3.0"_s)); // Hankyu05

    window->findChild<QPushButton*>(u"PreYearButton"_s)->click();
    QCOMPARE(Range(*window), u"2003/1/2003/12"_s);
    QCOMPARE(grid->model()->index(4, 6).data().toString().trimmed(), u"12:00"_s);

    window->findChild<QPushButton*>(u"AllCalcButton"_s)->click();
    QCOMPARE(Range(*window), u"2003/5/2004/2"_s);
    QCOMPARE(grid->model()->rowCount(), 14);

    const std::size_t askedBefore = m_env->questions.asked.size();
    window->findChild<QLineEdit*>(u"EndYearMemo"_s)->setText(u"1985"_s);
    window->findChild<QPushButton*>(u"CalcButton"_s)->click();
    QCOMPARE(Range(*window), u"2003/5/1990/2"_s);
    QCOMPARE(m_env->questions.asked.size(), askedBefore + 1);
    QCOMPARE(m_env->questions.asked.back().text, text::kPeriodRangeRefused);
    QVERIFY(m_env->questions.asked.back().icon == QuestionIcon::Error);
    QCOMPARE(grid->model()->rowCount(), 14); // the table stays

    grid->setCurrentIndex(grid->model()->index(2, 0));
    window->findChild<QPushButton*>(u"JumpButton"_s)->click();
    QVERIFY(!window->isVisible());
    QCOMPARE(m_main->DisplayedMonth(), (YearMonth{2003, 7}));
    QCOMPARE(m_env->store.ReadValue(UserKeyPath(""), "System", "SyukeiMonth").value_or(""), std::string("5"));
}

void YearFormTest::monthCsvIsWrittenWhereTheDialogSays() {
    m_main->CurrentSession().settings.SaveInitialDir = FromQString(m_env->folder.path());
    QTimer* answer = test::HandleModals<QFileDialog>(m_main.get(), [&](QFileDialog& dialog) {
        QCOMPARE(dialog.directory().absolutePath(), m_env->folder.path());
        static_cast<QDialog&>(dialog).accept(); // QFileDialog::accept, which takes the proposed name
    });
    m_main->findChild<QAction*>(u"OutFileItem"_s)->trigger();
    answer->stop();
    QFile written(m_env->folder.filePath(u"2004年3月.csv"_s));
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    QVERIFY(bytes.startsWith(QByteArray::fromStdString(Utf8ToCp932("日付,曜日,休日,"))));
    QVERIFY(bytes.contains("\r\n2004/3/10,"));
}

// The main window's and the period totals' print items: the preview opens, and each PDF is written whole under the
// CSV export's name with ".pdf".
void YearFormTest::printItemsOpenThePreviewAndWriteThePdfs() {
    m_main->CurrentSession().settings.SaveInitialDir = FromQString(m_env->folder.path());
    int previews = 0;
    QTimer* preview = test::HandleModals<QPrintPreviewDialog>(m_main.get(), [&](QPrintPreviewDialog& dialog) {
        ++previews;
        dialog.reject();
    });
    m_main->findChild<QAction*>(u"PrintIem"_s)->trigger();
    preview->stop();
    QCOMPARE(previews, 1);

    QTimer* answer = test::HandleModals<QFileDialog>(
        m_main.get(), [](QFileDialog& dialog) { static_cast<QDialog&>(dialog).accept(); });
    m_main->findChild<QAction*>(u"PdfItem"_s)->trigger();
    m_main->findChild<QPushButton*>(u"YearCalcButton"_s)->click();
    m_main->findChild<TYearTotal*>(u"TYearTotal"_s)->findChild<QAction*>(u"PdfItem"_s)->trigger();
    answer->stop();
    for (const QString& name : {u"2004年3月.pdf"_s, u"2004年1月～2004年12月.pdf"_s}) {
        QFile written(m_env->folder.filePath(name));
        QVERIFY2(written.open(QIODevice::ReadOnly), qPrintable(name));
        const QByteArray bytes = written.readAll();
        QVERIFY(bytes.startsWith("%PDF-"));
        QVERIFY(bytes.trimmed().endsWith("%%EOF"));
    }
}

} // namespace mitoran

QTEST_MAIN(mitoran::YearFormTest)
#include "YearFormTest.moc"
