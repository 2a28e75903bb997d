#pragma once

// Running the project's programs and the tools the tests compare them with.

#include <QString>
#include <QStringList>

#include <string>

namespace quorvan::test {

struct Sortie {
    int code = -1; // exit status; -1 when the program could not start, crashed or hung
    std::string out;
    std::string err;
};

// Runs a program without a shell and waits for it (60 s at most). `environnement` entries
// (NAME=value) are added to, or replace, the inherited environment.
[[nodiscard]] Sortie lancer(const QString& programme, const QStringList& arguments,
                            const QStringList& environnement = {});

[[nodiscard]] std::string lireFichier(const QString& chemin);

} // namespace quorvan::test
