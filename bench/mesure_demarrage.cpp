// Measures whole-process start-up (spawn to exit after the first paint) and peak resident
// memory of three programs, alternating runs, and prints medians and the ratios.
//   mesure_demarrage <runs> <program> <bare window> <window with one label>

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

// printf pads by bytes; the names' accented letters take two.
void ecrireNom(const char* nom) {
    int largeur = 0;
    for (const char* c = nom; *c != '\0'; ++c) {
        largeur += (static_cast<unsigned char>(*c) & 0xC0) != 0x80 ? 1 : 0;
    }
    std::printf("%s%*s", nom, 30 - largeur, "");
}

double mediane(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 5) {
        std::fputs("usage : mesure_demarrage <ex\u00E9cutions> <programme> <fen\u00EAtre nue> "
                   "<fen\u00EAtre avec une \u00E9tiquette>\n",
                   stderr);
        return 2;
    }
    constexpr int programmes = 3;
    const char* const noms[programmes] = {"quorvan", "fen\u00EAtre Qt nue",
                                          "fen\u00EAtre et une \u00E9tiquette"};
    const int executions = std::max(1, std::atoi(argv[1]));
    std::vector<double> temps[programmes];
    std::vector<double> memoire[programmes];
    for (int p = 0; p < programmes; ++p) {
        executer(argv[2 + p]); // warm the file cache for all before measuring
    }
    for (int i = 0; i < executions; ++i) {
        for (int p = 0; p < programmes; ++p) {
            const Mesure m = executer(argv[2 + p]);
            temps[p].push_back(m.millisecondes);
            memoire[p].push_back(m.megaoctets);
        }
    }
    double t[programmes];
    double m[programmes];
    ecrireNom("");
    std::printf("   d\u00E9marrage  m\u00E9moire max\n");
    for (int p = 0; p < programmes; ++p) {
        t[p] = mediane(temps[p]);
        m[p] = mediane(memoire[p]);
        ecrireNom(noms[p]);
        std::printf(" %8.1f ms %9.1f Mo\n", t[p], m[p]);
    }
    std::printf(
        "rapports : d\u00E9marrage %.2f (objectif <= 1.10), m\u00E9moire %.2f (objectif <= 1.15)\n",
        t[0] / t[1], m[0] / m[1]);
    // The bare window never draws text; the first text any Qt window draws sets up the fonts.
    std::printf("contre une fen\u00EAtre qui affiche une \u00E9tiquette : d\u00E9marrage %.2f, "
                "m\u00E9moire %.2f\n",
                t[0] / t[2], m[0] / m[2]);
    return 0;
}
