// main() for test programs that need a Qt event loop: a QApplication for the
// window tests (offscreen), a QCoreApplication for the device-link tests.
#include <gtest/gtest.h>
#include <QtGlobal>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#ifdef QL_TEST_GUI
#include <QApplication>
#include "ui/CApplicationStyle.h"
#include "ui/CScreenFit.h"
using TestApp = QApplication;
#else
#include <QCoreApplication>
using TestApp = QCoreApplication;
#endif

namespace {
QtMessageHandler g_qtDefault = nullptr;

// The offscreen platform warns of each window feature it lacks, thousands of
// lines per run that bury a failing test's own output in a shortened log.
void DropPlatformNoise(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtWarningMsg && text.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (g_qtDefault)
        g_qtDefault(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}
}  // namespace

int main(int argc, char** argv)
{
    g_qtDefault = qInstallMessageHandler(DropPlatformNoise);
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    TestApp app(argc, argv);
    TestApp::setOrganizationName("HALVERON-test");
    TestApp::setApplicationName("QuillomerDesigner-test");
    // As the program itself does: the application takes the user's locale
    // for the C library, and numbers in protocol lines keep their point.
    std::setlocale(LC_NUMERIC, "C");
#ifdef QL_TEST_GUI
    // The windows are drawn and placed as the program draws and places them.
    CApplicationStyle::Install();
    CScreenFit::KeepWindowsOnScreen();
#endif
    return RUN_ALL_TESTS();
}
