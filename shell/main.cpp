// QUILLOMER Designer: start-up.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName("HALVERON");
    QApplication::setApplicationName("QUILLOMER Designer");
    QMainWindow frame;
    frame.setWindowTitle("QUILLOMER Designer");
    frame.showMaximized();
    return app.exec();
}
