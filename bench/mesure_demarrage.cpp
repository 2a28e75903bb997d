// Measures whole-process start-up (spawn to exit after the first paint) and peak resident
// memory of two programs, alternating runs, and prints medians and the ratios.
//   mesure_demarrage <runs> <program> <reference program>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Mesure {
    double millisecondes = 0;
    double megaoctets = 0;
};

Mesure executer(const char* programme) {
    const auto debut = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(programme, programme, static_cast<char*>(nullptr));
        _exit(127);
    }
    int statut = 0;
    rusage usage{};
    wait4(pid, &statut, 0, &usage);
    const auto fin = std::chrono::steady_clock::now();
    if (!WIFEXITED(statut) || WEXITSTATUS(statut) != 0) {
        std::fprintf(stderr, "%s a \u00E9chou\u00E9 (statut %d)\n", programme, statut);
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(fin - debut).count(),
            static_cast<double>(usage.ru_maxrss) / 1024.0};
}

double mediane(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fputs("usage : mesure_demarrage <ex\u00E9cutions> <programme> <r\u00E9f\u00E9rence>\n",
                   stderr);
        return 2;
    }
    const int executions = std::max(1, std::atoi(argv[1]));
    std::vector<double> temps[2];
    std::vector<double> memoire[2];
    executer(argv[2]); // warm the file cache for both before measuring
    executer(argv[3]);
    for (int i = 0; i < executions; ++i) {
        for (int p = 0; p < 2; ++p) {
            const Mesure m = executer(argv[2 + p]);
            temps[p].push_back(m.millisecondes);
            memoire[p].push_back(m.megaoctets);
        }
    }
    const double t[2] = {mediane(temps[0]), mediane(temps[1])};
    const double m[2] = {mediane(memoire[0]), mediane(memoire[1])};
    std::printf("%-28s %10s %12s\n", "", "d\u00E9marrage", "m\u00E9moire max");
    std::printf("%-28s %8.1f ms %9.1f Mo\n", "quorvan", t[0], m[0]);
    std::printf("%-28s %8.1f ms %9.1f Mo\n", "fen\u00EAtre Qt nue", t[1], m[1]);
    std::printf(
        "rapports : d\u00E9marrage %.2f (objectif <= 1.10), m\u00E9moire %.2f (objectif <= 1.15)\n",
        t[0] / t[1], m[0] / m[1]);
    return 0;
}
