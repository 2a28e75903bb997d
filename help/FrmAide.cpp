#include "FrmAide.h"

#include "ConceptionFrmAide.h"
#include "toolkit/Twips.h"
#include "toolkit/Utf8.h"
#include "toolkit/richtext/RichTextBox.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QFile>
#include <QFont>
#include <QKeyEvent>
#include <QResizeEvent>

namespace quorvan {

namespace {

QByteArray texteAide() {
    QFile ressource(QString::fromLatin1(RessourceAide));
    if (!ressource.open(QIODevice::ReadOnly)) {
        return {}; // compiled into the program: only a broken build gets here
    }
    return ressource.readAll();
}

} // namespace

namespace {

// A plain QWidget is announced as a filler; the help window is a window, as the main one.
QAccessibleInterface* fenetreAccessible(const QString& classe, QObject* objet) {
    if (classe == QLatin1String(FrmAide::staticMetaObject.className()) && objet != nullptr &&
        objet->isWidgetType()) {
        return new QAccessibleWidget(static_cast<QWidget*>(objet), QAccessible::Window);
    }
    return nullptr;
}

} // namespace

FrmAide::FrmAide()
    : QWidget(nullptr, Qt::Window)
    , RichTextBox1_(new toolkit::RichTextBox(this)) {
    static const bool fabriqueInstallee = [] {
        QAccessible::installFactory(fenetreAccessible);
        return true;
    }();
    static_cast<void>(fabriqueInstallee);
    setObjectName(QStringLiteral("FrmAide"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(toolkit::fromUtf8(ConceptionFrmAide.caption));

    const double dpi = toolkit::logicalDpi(this);
    RichTextBox1_->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1_->setGeometry(
        toolkit::twipsToPixels(0, 0, RichTextBox1Largeur, RichTextBox1Hauteur, dpi));
    QFont police(QString::fromLatin1(RichTextBox1Police));
    police.setPointSizeF(RichTextBox1Points);
    police.setWeight(QFont::Normal);
    RichTextBox1_->setFont(police);
    const QByteArray texte = texteAide();
    RichTextBox1_->loadRtf(
        std::string_view(texte.constData(), static_cast<std::size_t>(texte.size())));
    RichTextBox1_->setFocus();

    setGeometry(toolkit::clientGeometry(ConceptionFrmAide, dpi));
}

FrmAide::~FrmAide() = default;

void FrmAide::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void FrmAide::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Qt keeps the size of a minimised window and sends no resize: the state change stands
    // in for it, in both directions.
    if (event->type() == QEvent::WindowStateChange) {
        Form_Resize();
    }
}

void FrmAide::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FrmAide::Form_Resize() {
    const QSize client = isMinimized() ? QSize(0, 0) : size();
    RichTextBox1_->resize(RichTextBox1_->width(), client.height());
    RichTextBox1_->resize(client.width(), RichTextBox1_->height());
    RichTextBox1_->move(RichTextBox1_->x(), 0);
}

} // namespace quorvan
