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
    QApplication::setApplicationDisplayName(QStringLiteral("QUILLOMER Designer"));
    InstallMessageBoxHandler();

    CQuillomerApp theApp;
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (!theApp.InitInstance(arguments))
        return 0;
    return app.exec();
}
