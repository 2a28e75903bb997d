#include "Fichiers.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

extern char** environ;

namespace quorvan::test {

int lancer(const std::vector<std::string>& arguments, const std::vector<std::string>& variables,
           const std::string& journal) {
    std::vector<std::string> environnement(variables);
    const auto remplacee = [&variables](std::string_view heritee) {
        for (const std::string& v : variables) {
            const std::string_view nom = std::string_view(v).substr(0, v.find('=') + 1);
            if (heritee.starts_with(nom)) {
                return true;
            }
        }
        return false;
    };
    for (char** v = environ; *v != nullptr; ++v) {
        if (!remplacee(*v)) {
            environnement.emplace_back(*v);
        }
    }
    std::vector<char*> argv;
    for (const std::string& a : arguments) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& e : environnement) {
        envp.push_back(const_cast<char*>(e.c_str()));
    }
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, journal.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    pid_t pid = 0;
    const int erreur = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (erreur != 0) {
        return -1;
    }
    int statut = 0;
    if (waitpid(pid, &statut, 0) != pid) {
        return -1;
    }
    return WIFEXITED(statut) ? WEXITSTATUS(statut) : -1;
}

DossierTemporaire::DossierTemporaire() {
    std::string modele = testing::TempDir() + "quorvan_XXXXXX";
    if (mkdtemp(modele.data()) == nullptr) {
        throw std::runtime_error("cannot create a directory under " + testing::TempDir());
    }
    chemin_ = modele;
}

DossierTemporaire::~DossierTemporaire() {
    std::error_code ignore;
    std::filesystem::remove_all(chemin_, ignore);
}

std::string DossierTemporaire::fichier(std::string_view nom) const {
    return chemin_ + "/" + std::string(nom);
}

std::string lireFichier(const std::string& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

void ecrireFichier(const std::string& chemin, std::string_view contenu) {
    std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
    f << contenu;
    if (!f) {
        throw std::runtime_error("cannot write " + chemin);
    }
}

} // namespace quorvan::test
