// QUILLOMER Designer: start-up.
#include <QApplication>

#include <clocale>

#include "platform/MessageBox.h"
#include "shell/CQuillomerApp.h"
#include "shell/MessageBoxHandler.h"
#include "ui/CApplicationStyle.h"
#include "ui/CScreenFit.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Qt takes the user's locale for the C library; numbers in protocol lines
    // and in the values read back must keep their decimal point ("66.0", not
    // "66,0"), whatever the user's language. Dates and texts the user sees
    // come from QLocale and are not affected.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setOrganizationName(QStringLiteral("HALVERON"));
    QApplication::setApplicationName(QStringLiteral("QUILLOMER"));
    // No display name: the platform would append it to every window title,
    // and the main window names the program itself.
    InstallMessageBoxHandler();
    CApplicationStyle::Install();
    // Every window opens whole on its screen.
    CScreenFit::KeepWindowsOnScreen();

    CQuillomerApp theApp;
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (!theApp.InitInstance(arguments))
        return 0;
    return app.exec();
}
