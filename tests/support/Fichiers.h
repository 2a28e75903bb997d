#pragma once

// Files, scratch directories and child processes for tests that run the real programs.

#include <string>
#include <string_view>
#include <vector>

namespace quorvan::test {

// A directory of its own under the test's temporary directory, removed with what it holds
// when the object goes.
class DossierTemporaire {
public:
    DossierTemporaire();
    ~DossierTemporaire();
    DossierTemporaire(const DossierTemporaire&) = delete;
    DossierTemporaire& operator=(const DossierTemporaire&) = delete;

    [[nodiscard]] const std::string& chemin() const { return chemin_; }
    [[nodiscard]] std::string fichier(std::string_view nom) const;

private:
    std::string chemin_;
};

[[nodiscard]] std::string lireFichier(const std::string& chemin);
void ecrireFichier(const std::string& chemin, std::string_view contenu);

// Runs a program without a shell and waits for it. `variables` (NAME=value) are added to the
// inherited environment; standard output and error go to `journal`. Returns the exit status,
// or -1 when the program could not run or was killed.
int lancer(const std::vector<std::string>& arguments, const std::vector<std::string>& variables,
           const std::string& journal);

} // namespace quorvan::test
