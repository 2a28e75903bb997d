// Linked into the benchmark builds only: ends the process right after its first window has
// been painted, so that the wall time of the whole process is its start-up time.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdlib>

namespace {

class FinApresPremierePeinture final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* cible, QEvent* evenement) override {
        if (evenement->type() == QEvent::Paint && !peint_) {
            const auto* widget = qobject_cast<QWidget*>(cible);
            if (widget != nullptr && widget->isWindow()) {
                peint_ = true;
                // Once this paint event has been handled and flushed to the screen.
                QTimer::singleShot(0, [] { std::_Exit(0); });
            }
        }
        return false;
    }

private:
    bool peint_ = false;
};

void installer() {
    QCoreApplication::instance()->installEventFilter(
        new FinApresPremierePeinture(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installer)
