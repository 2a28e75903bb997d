// Writing a file whole or not at all: what is on disk after a success, a full disk, a path
// that cannot be written, and what is not a regular file.

#include "tests/support/LimiteTaille.h"
#include "tests/support/Processus.h"
#include "toolkit/files/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvan::toolkit {
namespace {

QByteArray contenu(qsizetype taille) {
    QByteArray octets;
    for (qsizetype i = 0; i < taille; ++i) {
        octets += static_cast<char>('0' + i % 10);
    }
    return octets;
}

void ecrire(const QString& chemin, const QByteArray& octets) {
    QFile fichier(chemin);
    ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
    ASSERT_EQ(fichier.write(octets), octets.size());
}

QStringList entrees(const QString& dossier) {
    return QDir(dossier).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                   QDir::System);
}

TEST(WriteWholeFile, AFileIsReplacedOnlyWhenWholeAndNothingIsLeftBehind) {
    constexpr rlim_t SansLimite = RLIM_INFINITY;
    const char* const TropGrand = "taille de fichier maximale d\u00E9pass\u00E9e";
    struct Cas {
        const char* nom;
        const char* chemin; // in a folder that holds the file "f" and the folder "d"
        const char* ancien; // what the file holds before, if it exists
        qsizetype taille;
        rlim_t limite;
        const char* raison; // why it fails, if it does
    };
    // Qt's save file buffers 16 KiB: both sides of it, and a file-size limit below both.
    // clang-format off
    const Cas cas[] = {
        {"new file",                     "a.csv",   nullptr,  100000, SansLimite, nullptr},
        {"existing file",                "a.csv",   "ancien", 100,    SansLimite, nullptr},
        {"empty content",                "a.csv",   "ancien", 0,      SansLimite, nullptr},
        {"full disk, small content",     "a.csv",   "ancien", 100,    10,         TropGrand},
        {"full disk, large content",     "a.csv",   "ancien", 100000, 4096,       TropGrand},
        {"full disk, new file",          "a.csv",   nullptr,  100,    10,         TropGrand},
        {"missing folder",               "x/a.csv", nullptr,  100,    SansLimite, "dossier introuvable"},
        {"a file where a folder should be", "f/a.csv", nullptr, 100,  SansLimite, "une partie du chemin n'est pas un dossier"},
        {"a folder",                     "d",       nullptr,  100,    SansLimite, "c'est un dossier"},
    };
    // clang-format on
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const QTemporaryDir dossier;
        ecrire(dossier.filePath(QStringLiteral("f")), "f");
        ASSERT_TRUE(QDir(dossier.path()).mkdir(QStringLiteral("d")));
        const QString chemin = dossier.filePath(QString::fromUtf8(c.chemin));
        if (c.ancien != nullptr) {
            ecrire(chemin, c.ancien);
        }
        const QStringList avant = entrees(dossier.path());
        std::optional<QString> echec;
        {
            const test::LimiteTaille limite(c.limite);
            echec = writeWholeFile(chemin, contenu(c.taille));
        }
        if (c.raison == nullptr) {
            EXPECT_EQ(echec, std::nullopt);
            EXPECT_EQ(test::lireFichier(chemin), contenu(c.taille).toStdString());
        } else {
            EXPECT_EQ(echec.value_or(QString()), QString::fromUtf8(c.raison));
            EXPECT_EQ(entrees(dossier.path()), avant);
            EXPECT_EQ(test::lireFichier(chemin), c.ancien != nullptr ? c.ancien : "");
        }
    }
}

// The file keeps its permissions, and a link stays a link to the file it names.
TEST(WriteWholeFile, ReplacingKeepsPermissionsAndLinks) {
    const QTemporaryDir dossier;
    const QString cible = dossier.filePath(QStringLiteral("cible.csv"));
    const QString lien = dossier.filePath(QStringLiteral("lien.csv"));
    ecrire(cible, "ancien");
    ASSERT_TRUE(
        QFile::setPermissions(cible, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    ASSERT_TRUE(QFile::link(cible, lien));
    EXPECT_EQ(writeWholeFile(lien, "nouveau"), std::nullopt);
    EXPECT_EQ(test::lireFichier(cible), "nouveau");
    EXPECT_EQ(QFileInfo(lien).symLinkTarget(), cible);
    struct stat etat {};
    ASSERT_EQ(::stat(QFile::encodeName(cible).constData(), &etat), 0);
    EXPECT_EQ(etat.st_mode & 0777, 0640U);
}

// A pipe (like /dev/null) cannot be replaced by a file: it gets the bytes where it is.
TEST(WriteWholeFile, APipeIsWrittenWhereItIs) {
    const QTemporaryDir dossier;
    const QByteArray tube = QFile::encodeName(dossier.filePath(QStringLiteral("tube")));
    ASSERT_EQ(mkfifo(tube.constData(), 0600), 0);
    const int lecteur = ::open(tube.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(lecteur, 0);
    EXPECT_EQ(writeWholeFile(QFile::decodeName(tube), "par le tube"), std::nullopt);
    std::array<char, 64> lu{};
    const ssize_t n = ::read(lecteur, lu.data(), lu.size());
    ::close(lecteur);
    EXPECT_EQ(std::string(lu.data(), static_cast<std::size_t>(std::max<ssize_t>(n, 0))),
              "par le tube");
    struct stat etat {};
    ASSERT_EQ(::stat(tube.constData(), &etat), 0);
    EXPECT_TRUE(S_ISFIFO(etat.st_mode));
}

} // namespace
} // namespace quorvan::toolkit
