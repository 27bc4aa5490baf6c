// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtSettingsStore.h"
#include "engine/settings/Folders.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/Settings.h"
#include "engine/text/AtomicFile.h"
#include "engine/text/Cp932.h"
#include "platform/Cp932Qt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <vector>

#ifndef Q_OS_WIN
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace mitoran;

namespace {

const std::string kBase = "Software\\Quorvan\\Vuvedez";

// The store's own place: a private INI file, or on Windows the registry key, which the tests empty before
// and after each case and so use only where the registry is a test run's own (as Wine's prefix of the
// Windows test run).
class QtSettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef Q_OS_WIN
        if (qEnvironmentVariableIsEmpty("MITORAN_TEST_REGISTRY"))
            GTEST_SKIP()
                << "the store is the user's own registry (MITORAN_TEST_REGISTRY=1 lets a test machine's be used)";
        RegistryKey().clear();
#endif
        ASSERT_TRUE(m_config.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_config.path());
    }

#ifdef Q_OS_WIN
    void TearDown() override {
        if (!qEnvironmentVariableIsEmpty("MITORAN_TEST_REGISTRY"))
            RegistryKey().clear();
    }

    static QSettings RegistryKey() {
        return QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software\\Quorvan\\Vuvedez"), QSettings::NativeFormat);
    }
#endif

    QString IniFile() const {
        return m_config.filePath(QStringLiteral("Quorvan/Vuvedez.ini"));
    }

    QTemporaryDir m_config;
};

// What only the INI file has: lines edited by hand or damaged, and changes that wait to be written.
class IniSettingsStoreTest : public QtSettingsStoreTest {
protected:
    void SetUp() override {
#ifdef Q_OS_WIN
        GTEST_SKIP() << "the registry has no file to edit or damage, and takes each value as it is written";
#endif
        QtSettingsStoreTest::SetUp();
    }
};

TEST_F(QtSettingsStoreTest, ValuesSurviveTheStoreUnchanged) {
    const std::string userKey = kBase + "\\User\\" + Utf8ToCp932("山田");
    const std::vector<std::string> values{" 8:00,17:00",
                                          ",",
                                          "",
                                          " 8:00",
                                          "trailing ",
                                          "a;b=c#d",
                                          "\"quoted\"",
                                          "@Variant(x)",
                                          "back\\slash",
                                          "-2147483643",
                                          Utf8ToCp932("所属：ＸＸＸＸＸ課  氏名：ＸＸ ＸＸ"),
                                          Utf8ToCp932("ＭＳ ゴシック,残業")};
    {
        QtSettingsStore store;
        for (std::size_t i = 0; i < values.size(); ++i) {
            store.WriteValue(kBase, "System", "Value" + std::to_string(i), values[i]);
            store.WriteValue(userKey, "Setting", "Value" + std::to_string(i), values[i]);
        }
        ASSERT_TRUE(store.Sync());
    }
#ifdef Q_OS_WIN
    // The values are in the registry at the system's key, a user's in its own subkey.
    ASSERT_EQ(RegistryKey().value(QStringLiteral("System/Value0")), ToQString(values[0]));
    ASSERT_EQ(RegistryKey().value(QString::fromUtf8("User/山田/Setting/Value10")), ToQString(values[10]));
#else
    ASSERT_TRUE(QFile::exists(IniFile()));
#endif

    const QtSettingsStore reread;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::string name = "Value" + std::to_string(i);
        EXPECT_EQ(reread.ReadValue(kBase, "System", name), values[i]) << i;
        EXPECT_EQ(reread.ReadValue(userKey, "Setting", name), values[i]) << i;
        EXPECT_FALSE(reread.ReadValue(kBase, "Setting", name)) << i;
    }
#ifdef Q_OS_WIN
    // The registry's names ignore case, as every Windows program expects of them.
    EXPECT_EQ(reread.ReadValue(kBase, "System", "value0"), values[0]);
#else
    EXPECT_FALSE(reread.ReadValue(kBase, "System", "value0"));
#endif
}

TEST_F(QtSettingsStoreTest, DeleteSubkeyRemovesOnlyThatSubkey) {
    const std::string userKey = kBase + "\\User\\abc";
    {
        QtSettingsStore store;
        store.WriteValue(kBase, "Position", "TZangyoMain.Top", "10");
        store.WriteValue(kBase, "System", "SimeDay", "31");
        store.WriteValue(userKey, "Position", "TZangyoMain.Top", "20");
        store.WriteValue(userKey, "Position", "TYuuKyu.Left", "30");
        store.DeleteSubkey(userKey, "Position");
        store.DeleteSubkey(userKey, "Absent");
        ASSERT_TRUE(store.Sync());
    }
    const QtSettingsStore reread;
    EXPECT_FALSE(reread.ReadValue(userKey, "Position", "TZangyoMain.Top"));
    EXPECT_FALSE(reread.ReadValue(userKey, "Position", "TYuuKyu.Left"));
    EXPECT_EQ(reread.ReadValue(kBase, "Position", "TZangyoMain.Top"), "10");
    EXPECT_EQ(reread.ReadValue(kBase, "System", "SimeDay"), "31");
}

// A user's key exists once it holds a value, in any of its subkeys; a name that only begins another does not.
TEST_F(QtSettingsStoreTest, KeyExistsOnceItHoldsAValue) {
    QtSettingsStore store;
    EXPECT_TRUE(store.KeyExists(kBase));
    EXPECT_FALSE(store.KeyExists(kBase + "\\User\\abc"));
    store.WriteValue(kBase + "\\User\\abc", "System", "SimeDay", "31");
    EXPECT_TRUE(store.KeyExists(kBase + "\\User\\abc"));
    EXPECT_FALSE(store.KeyExists(kBase + "\\User\\ab"));
    EXPECT_FALSE(store.KeyExists(kBase + "\\User\\abcd"));
    store.DeleteSubkey(kBase + "\\User\\abc", "System");
    EXPECT_FALSE(store.KeyExists(kBase + "\\User\\abc"));
}

TEST_F(IniSettingsStoreTest, HandEditedListReadsAsOneText) {
    QDir().mkpath(m_config.filePath(QStringLiteral("Quorvan")));
    QFile file(IniFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Setting]\nTime11=8:00,17:00\nTime12=22:00\n");
    file.close();
    // A file for the whole organisation is another program's: its values never stand in for missing ones.
    QFile shared(m_config.filePath(QStringLiteral("Quorvan.ini")));
    ASSERT_TRUE(shared.open(QIODevice::WriteOnly));
    shared.write("[Setting]\nTime13=9:00,0:30\n");
    shared.close();
    const QtSettingsStore store;
    EXPECT_EQ(store.ReadValue(kBase, "Setting", "Time11"), "8:00,17:00");
    EXPECT_EQ(store.ReadValue(kBase, "Setting", "Time12"), "22:00");
    EXPECT_FALSE(store.ReadValue(kBase, "Setting", "Time13"));
}

// A line that cannot be read costs only itself: the values around it are read, a look writes nothing and
// reports nothing, and the file is copied aside before it is first written anew.
TEST_F(IniSettingsStoreTest, DamagedFileIsReadAsFarAsItGoesAndKeptBeforeItIsRewritten) {
    QDir().mkpath(m_config.filePath(QStringLiteral("Quorvan")));
    const QByteArray damaged = "[System]\nSimeDay=20\nbroken line\nFlexTime=1\n[Setting]\nKin01=5\n";
    const auto bytesOf = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const auto writeDamaged = [&] {
        QFile file(IniFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(damaged);
    };
    const QString copy = IniFile() + QStringLiteral(".damaged");
    writeDamaged();
    {
        QtSettingsStore store;
        EXPECT_EQ(store.ReadValue(kBase, "System", "SimeDay"), "20");
        EXPECT_EQ(store.ReadValue(kBase, "System", "FlexTime"), "1");
        EXPECT_EQ(store.ReadValue(kBase, "Setting", "Kin01"), "5");
        EXPECT_TRUE(store.Sync());
    }
    EXPECT_EQ(bytesOf(IniFile()), damaged);
    EXPECT_FALSE(QFile::exists(copy));

#ifndef Q_OS_WIN
    // A write that fails is still reported as one.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{16, 16};
        setrlimit(RLIMIT_FSIZE, &limit);
        QtSettingsStore store;
        store.WriteValue(kBase, "System", "Pass", "x");
        _exit(store.Sync() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the failed write was not reported";
    EXPECT_EQ(bytesOf(IniFile()), damaged);
    QFile::remove(copy);
#endif

    {
        QtSettingsStore store;
        store.WriteValue(kBase, "System", "Pass", "x");
        EXPECT_TRUE(store.Sync());
        EXPECT_EQ(bytesOf(copy), damaged);
        store.WriteValue(kBase, "System", "KinPass", "y");
        EXPECT_TRUE(store.Sync());
    }
    EXPECT_FALSE(bytesOf(IniFile()).contains("broken line"));
    const QtSettingsStore reread;
    EXPECT_EQ(reread.ReadValue(kBase, "System", "SimeDay"), "20");
    EXPECT_EQ(reread.ReadValue(kBase, "System", "FlexTime"), "1");
    EXPECT_EQ(reread.ReadValue(kBase, "System", "Pass"), "x");
    EXPECT_EQ(reread.ReadValue(kBase, "System", "KinPass"), "y");
    EXPECT_EQ(reread.ReadValue(kBase, "Setting", "Kin01"), "5");
}

// Every value SaveSettings writes comes back from a new store as it was written.
#ifndef Q_OS_WIN
// The settings dialog's OK flushes the store: a file that cannot be written is reported by its name.
TEST_F(IniSettingsStoreTest, FlushReportsAFailedWriteWithTheFile) {
    {
        QtSettingsStore store;
        store.WriteValue(kBase, "System", "SimeDay", "20");
        store.Flush();
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{16, 16};
        setrlimit(RLIMIT_FSIZE, &limit);
        QtSettingsStore store;
        store.WriteValue(kBase, "System", "PrivateName", "a name longer than the file may grow");
        try {
            store.Flush();
        } catch (const mitoran::FileWriteError& error) {
            _exit(error.Path() == std::filesystem::path(IniFile().toStdString()) ? 0 : 2);
        }
        _exit(1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "exit " << WEXITSTATUS(status);
    EXPECT_EQ(QtSettingsStore().ReadValue(kBase, "System", "SimeDay"), "20");
}
#endif

TEST_F(QtSettingsStoreTest, SettingsRoundTripThroughTheFile) {
    QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    const mitoran::test::FixedFolders folders(data.path().toStdString(), "/home/u/work");

    Settings original;
    {
        QtSettingsStore store;
        LoadSettings(original, {store, folders, "abc", "abc"});
        original.NameTitle = Utf8ToCp932("所属：開発課  氏名：山田 太郎");
        original.Pass = "p,w d";
        original.KinPass = Utf8ToCp932("パス12表");
        original.PresetMemos[9] = Utf8ToCp932("会議, 打合せ");
        original.PresetTimes[3] = "-1:30";
        original.CellColor[2] = 0x00FF00;
        original.WeekCheck[4] = true;
        SaveSettings(original, {store, folders, "abc", "abc"});
        ASSERT_TRUE(store.Sync());
    }

    Settings reloaded;
    QtSettingsStore reread;
    LoadSettings(reloaded, {reread, folders, "abc", "abc"});
    EXPECT_EQ(reloaded.NameTitle, original.NameTitle);
    EXPECT_EQ(reloaded.Pass, "p,w d");
    EXPECT_EQ(reloaded.StartUserPass, "p,w d");
    EXPECT_EQ(reloaded.KinPass, Utf8ToCp932("パス12表"));

    MemorySettingsStore first;
    MemorySettingsStore second;
    SaveSettings(original, {first, folders, "abc", "abc"});
    SaveSettings(reloaded, {second, folders, "abc", "abc"});
    const std::string userKey = kBase + "\\User\\abc";
    for (const char* subkey : {"System", "Setting"}) {
        const auto written = first.Values(userKey, subkey);
        EXPECT_FALSE(written.empty());
        EXPECT_EQ(second.Values(userKey, subkey), written) << subkey;
        for (const auto& [name, value] : written) {
            EXPECT_EQ(reread.ReadValue(userKey, subkey, name), value) << name;
        }
    }
}

} // namespace

// Qt writes changes out at the next turn of the event loop; a held store keeps them in memory until resumed,
// and never drops them.
TEST_F(IniSettingsStoreTest, HeldChangesWaitUntilResumedAndReachTheFileInAnyCase) {
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    const QCoreApplication application(argc, argv);
    const auto fileHolds = [this](const char* line) {
        QFile file(IniFile());
        return file.open(QIODevice::ReadOnly) && file.readAll().contains(line);
    };
    {
        QtSettingsStore store;
        store.HoldSaving();
        store.WriteValue(kBase, "System", "SimeDay", "31");
        QCoreApplication::processEvents();
        // The file is made (for the user alone) with the first change, but stays empty while held.
        EXPECT_EQ(QFileInfo(IniFile()).size(), 0);
        store.ResumeSaving();
        EXPECT_TRUE(fileHolds("SimeDay=31"));

        store.WriteValue(kBase, "System", "SyukeiMonth", "4");
        QCoreApplication::processEvents();
        EXPECT_TRUE(fileHolds("SyukeiMonth=4"));

        store.HoldSaving();
        store.WriteValue(kBase, "System", "FlexTime", "1");
        QCoreApplication::processEvents();
        EXPECT_FALSE(fileHolds("FlexTime=1"));
    }
    EXPECT_TRUE(fileHolds("FlexTime=1"));
}
