#pragma once

#include "analysis/MonteCarlo.h"

#include <QObject>

#include <cstdint>
#include <memory>
#include <thread>

namespace quorvan {

// One Monte Carlo run at a time, off the window's thread so that the window keeps answering.
// Its signals reach the window's thread, and only for the run under way: a run stopped or
// replaced says nothing more, whatever its threads were about to deliver.
class ExecutionMonteCarlo final : public QObject {
    Q_OBJECT

public:
    explicit ExecutionMonteCarlo(QObject* parent = nullptr);
    // Stops the run under way and waits for its threads.
    ~ExecutionMonteCarlo() override;

    // Stops any run under way and starts this one.
    void lancer(circuit::Montage montage, analyse::ReglagesMonteCarlo reglages);
    // Stops the run under way, if any.
    void arreter();
    [[nodiscard]] bool enCours() const { return enCours_; }

signals:
    void progression(qint64 faits, qint64 total);
    void termine(std::shared_ptr<const analyse::ResultatMonteCarlo> resultat);
    // The analysis threw: settings or part values it does not take.
    void echoue();

private:
    // Runs `faire` on the window's thread if run `numero` is still the one under way.
    template <typename F>
    void signaler(std::uint64_t numero, F faire);

    std::uint64_t numero_ = 0; // of the run under way, or of the last one; window's thread only
    bool enCours_ = false;
    std::jthread fil_; // last, so that it is stopped and joined before the rest goes
};

} // namespace quorvan
