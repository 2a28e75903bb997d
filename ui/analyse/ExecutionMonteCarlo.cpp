#include "ExecutionMonteCarlo.h"

#include <utility>

namespace quorvan {

ExecutionMonteCarlo::ExecutionMonteCarlo(QObject* parent)
    : QObject(parent) {}

ExecutionMonteCarlo::~ExecutionMonteCarlo() = default;

template <typename F>
void ExecutionMonteCarlo::signaler(std::uint64_t numero, F faire) {
    // Queued: the event goes with this object, if it goes first.
    QMetaObject::invokeMethod(
        this,
        [this, numero, faire = std::move(faire)] {
            if (numero == numero_ && enCours_) {
                faire();
            }
        },
        Qt::QueuedConnection);
}

void ExecutionMonteCarlo::lancer(circuit::Montage montage, analyse::ReglagesMonteCarlo reglages) {
    arreter();
    const std::uint64_t numero = ++numero_;
    enCours_ = true;
    fil_ = std::jthread([this, numero, montage = std::move(montage),
                         reglages](const std::stop_token& arret) {
        try {
            std::optional<analyse::ResultatMonteCarlo> r = analyse::monteCarlo(
                montage, reglages, arret, [this, numero](std::size_t faits, std::size_t total) {
                    signaler(numero, [this, faits, total] {
                        emit progression(static_cast<qint64>(faits), static_cast<qint64>(total));
                    });
                });
            if (r) {
                auto resultat = std::make_shared<const analyse::ResultatMonteCarlo>(std::move(*r));
                signaler(numero, [this, resultat] {
                    enCours_ = false;
                    emit termine(resultat);
                });
            }
        } catch (...) {
            // Anything thrown on this thread would end the program: the window says it instead.
            signaler(numero, [this] {
                enCours_ = false;
                emit echoue();
            });
        }
    });
}

void ExecutionMonteCarlo::arreter() {
    // Its last signals, already on their way, find another number or nothing under way.
    enCours_ = false;
    fil_.request_stop();
}

} // namespace quorvan
