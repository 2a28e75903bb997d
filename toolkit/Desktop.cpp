#include "Desktop.h"

#include <QApplication>
#include <QMessageBox>

namespace quorvan::toolkit {

void QtDesktop::showMessage(QWidget* parent, const QString& text, MessageIcon icon) {
    QMessageBox box(parent);
    box.setWindowTitle(QString::fromUtf8(ApplicationTitle));
    box.setTextFormat(Qt::PlainText);
    box.setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box.setIcon(icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void QtDesktop::beep() {
    QApplication::beep();
}

} // namespace quorvan::toolkit
