#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QTest>
#include <QTimer>
#include <ostream>
#include <string>

#include "app/shell_actions.h"
#include "gui_test_env.h"
#include "parts_test_support.h"
#include "support/bytes.h"

namespace rankminer {
namespace {

struct TargetCase {
    const char* name;
    const char* target;
    const char* opened;  // the encoded address handed to the desktop; nullptr: refused
};

void PrintTo(const TargetCase& c, std::ostream* os) {
    *os << c.name << ": " << c.target;
}

class OpenTarget : public ::testing::TestWithParam<TargetCase> {};

TEST_P(OpenTarget, OpensOnlyWebAddresses) {
    testing::testApplication();
    const TargetCase& c = GetParam();
    testing::UrlRecorder recorder;
    QString refusal;
    const bool opened = openTarget(QString::fromUtf8(c.target), &refusal);
    if (c.opened != nullptr) {
        EXPECT_TRUE(opened);
        EXPECT_TRUE(refusal.isEmpty());
        ASSERT_EQ(recorder.urls.size(), 1);
        EXPECT_EQ(recorder.urls.front().toEncoded().toStdString(), c.opened);
    } else {
        EXPECT_FALSE(opened);
        EXPECT_FALSE(refusal.isEmpty()) << "the status bar needs a reason";
        EXPECT_TRUE(recorder.urls.isEmpty()) << recorder.urls.front().toString().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    ShellActions, OpenTarget,
    ::testing::Values(
        TargetCase{"Http", "http://127.0.0.1:8080/a?b=1", "http://127.0.0.1:8080/a?b=1"},
        TargetCase{"HttpsUpperCaseScheme", "HTTPS://example.com/x", "https://example.com/x"},
        TargetCase{"PercentEncodedGbkKeptAsIs", "http://example.org/baidu?word=%C4%E3%20b",
                   "http://example.org/baidu?word=%C4%E3%20b"},
        TargetCase{"SurroundingBlanksIgnored", "  http://example.com/  ", "http://example.com/"},
        TargetCase{"AbsoluteLocalPath", "/etc/passwd", nullptr},
        TargetCase{"WindowsPath", "C:\\Windows\\notepad.exe", nullptr},
        TargetCase{"FileAddress", "file:///etc/passwd", nullptr},
        TargetCase{"FileAddressUpperCase", "FILE:///tmp/x", nullptr},
        TargetCase{"Script", "javascript:alert(1)", nullptr},
        TargetCase{"OtherScheme", "ftp://example.com/", nullptr},
        TargetCase{"ProgramName", "calc.exe", nullptr},
        TargetCase{"HttpWithoutHost", "http:///etc/passwd", nullptr},
        TargetCase{"BlankInside", "http://example.com/a b", nullptr},
        TargetCase{"Empty", "", nullptr}),
    [](const ::testing::TestParamInfo<TargetCase>& info) { return std::string(info.param.name); });

TEST(OpenFolderInFileManager, OpensAFolderThroughTheDesktop) {
    testing::testApplication();
    testing::TempDir dir;
    const QString folder = QString::fromUtf8(dir.path()) + QStringLiteral("/挖掘的关键词");
    ASSERT_TRUE(QDir().mkpath(folder));
    testing::UrlRecorder recorder;
    openFolderInFileManager(folder);
    ASSERT_EQ(recorder.urls.size(), 1);
    EXPECT_EQ(recorder.urls.front(), QUrl::fromLocalFile(folder));
}

TEST(OpenFolderInFileManager, StartsAnExecutableInsteadOfOpeningIt) {
    testing::testApplication();
    testing::TempDir dir;
    const QString marker = QString::fromUtf8(dir.file("ran"));
    const QString script = QString::fromUtf8(dir.file("tool.EXE"));
    {
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\ntouch '" + marker.toUtf8() + "'\n");
    }
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    testing::UrlRecorder recorder;
    openFolderInFileManager(script);
    EXPECT_TRUE(recorder.urls.isEmpty());
    // Waits for the started program, however slow the machine.
    for (int i = 0; i < 600 && !QFileInfo::exists(marker); ++i) {
        QTest::qWait(50);
    }
    EXPECT_TRUE(QFileInfo::exists(marker));
}

TEST(OpenFolderInFileManager, AFileWithoutExecuteRightIsOpenedNotRun) {
    testing::testApplication();
    testing::TempDir dir;
    const QString marker = QString::fromUtf8(dir.file("ran"));
    const QString script = QString::fromUtf8(dir.file("tool.exe"));
    {
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\ntouch '" + marker.toUtf8() + "'\n");
    }
    testing::UrlRecorder recorder;
    openFolderInFileManager(script);
    ASSERT_EQ(recorder.urls.size(), 1);
    EXPECT_EQ(recorder.urls.front(), QUrl::fromLocalFile(script));
    EXPECT_FALSE(QFileInfo::exists(marker));
}

// Answers the folder dialog once it is up: selects `pick` and accepts, or
// cancels when `pick` is empty. Records the dialog's title and start folder.
struct FolderDialogAnswer {
    QString title;
    QString startFolder;
};

void answerFolderDialog(const QString& pick, FolderDialogAnswer* seen) {
    QTimer::singleShot(0, [pick, seen] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen->title = dialog->windowTitle();
        seen->startFolder = dialog->directory().absolutePath();
        if (pick.isEmpty()) {
            dialog->reject();
        } else {
            dialog->selectFile(pick);
            QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
        }
    });
}

TEST(ChooseFolder, OpensAtTheInitialFolderAndReturnsTheChoice) {
    testing::testApplication();
    testing::TempDir dir;
    const QString start = QString::fromUtf8(dir.path());
    const QString inner = start + QStringLiteral("/输出");
    ASSERT_TRUE(QDir().mkpath(inner));

    FolderDialogAnswer seen;
    answerFolderDialog(inner, &seen);
    const QString chosen = chooseFolder(start);
    EXPECT_EQ(seen.title, QStringLiteral("请选择一个文件夹"));
    EXPECT_EQ(seen.startFolder, QDir(start).absolutePath());
    EXPECT_EQ(QDir(chosen).absolutePath(), QDir(inner).absolutePath());

    answerFolderDialog(QString(), &seen);
    EXPECT_TRUE(chooseFolder(start).isEmpty()) << "cancelled";
}

TEST(ClearSiteCache, TellsTheUserEvenWithNothingCached) {
    testing::testApplication();
    testing::RecordingDialogs dialogs;
    clearSiteCache(nullptr);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages.front(), QStringLiteral("已执行清除！建议重新打开程序试试！"));
}

}  // namespace
}  // namespace rankminer
