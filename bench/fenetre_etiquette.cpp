// The bare window with one label: the first text a Qt window draws sets up the fonts, which the
// bare window never does.

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget fenetre;
    fenetre.setWindowTitle(QStringLiteral("Quorvan"));
    fenetre.resize(667, 358);
    QLabel etiquette(QStringLiteral("Fr\u00E9quence de coupure (Hz) :"), &fenetre);
    etiquette.move(16, 16);
    fenetre.show();
    return QApplication::exec();
}
