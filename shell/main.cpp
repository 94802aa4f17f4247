// QUILLOMER Designer: start-up.
#include <QApplication>

#include "platform/MessageBox.h"
#include "shell/CQuillomerApp.h"
#include "shell/MessageBoxHandler.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("HALVERON"));
    QApplication::setApplicationName(QStringLiteral("QUILLOMER"));
    // No display name: the platform would append it to every window title,
    // and the main window names the program itself.
    InstallMessageBoxHandler();

    CQuillomerApp theApp;
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (!theApp.InitInstance(arguments))
        return 0;
    return app.exec();
}
