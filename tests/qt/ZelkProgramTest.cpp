// The zelk program's start cases, each run in a child process to its exit status.
#include "platform/qt/app/ZelkProgram.h"
#include "forms/ZelkExitStatus.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Answers every message box the program shows with OK, after printing its text on standard error.
void answerMessageBoxes() {
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            std::fprintf(stderr, "message: %s\n", box->text().toUtf8().constData());
            box->accept();
        }
    });
    timer->start(10);
}

int runWith(std::string argument) {
    qAddPreRoutine(answerMessageBoxes);
    char name[] = "zelk";
    char* argv[] = {name, argument.data(), nullptr};
    return runZelk(2, argv);
}

TEST(ZelkProgram, aCatalogueThatCannotBeUsedIsReportedAndEndsTheProgram) {
    EXPECT_EXIT(std::exit(runWith("missing.csv")),
                ::testing::ExitedWithCode(int(ZelkExitStatus::CatalogueMissing)), "message: .*missing.csv");
    EXPECT_EXIT(std::exit(runWith(ZELK_SOURCE_DIR "/tests/hostile/tag-wrong-line-1/input.csv")),
                ::testing::ExitedWithCode(int(ZelkExitStatus::CatalogueFault)), "message: .*W>");
}

TEST(ZelkProgram, withoutADisplayItSaysHowToRunIt) {
    const auto run = [] {
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            ::unsetenv(name);
        std::exit(runWith(ZELK_SOURCE_DIR "/data/JISTEELW.CSV"));
    };
    EXPECT_EXIT(run(), ::testing::ExitedWithCode(int(ZelkExitStatus::NoDisplay)), "xvfb-run");
}

} // namespace
