// The floor a Qt program cannot beat: a bare Qt 6 window of the main window's size.

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget fenetre;
    fenetre.setWindowTitle(QStringLiteral("Quorvan"));
    fenetre.resize(667, 358);
    fenetre.show();
    return QApplication::exec();
}
