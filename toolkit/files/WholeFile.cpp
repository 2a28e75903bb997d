#include "WholeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <array>
#include <cerrno>
#include <cstring>

namespace quorvan::toolkit {

namespace {

struct Raison {
    int errnum;
    const char* texte;
};

// The failures a user can do something about, said in French whatever the system's language;
// 0 when the system said nothing.
// clang-format off
constexpr std::array<Raison, 14> Raisons = {{
    {0,            "l'\u00E9criture a \u00E9chou\u00E9"},
    {ENOSPC,       "plus de place sur le disque"},
    {EDQUOT,       "quota de disque d\u00E9pass\u00E9"},
    {EFBIG,        "taille de fichier maximale d\u00E9pass\u00E9e"},
    {EACCES,       "acc\u00E8s refus\u00E9"},
    {EPERM,        "op\u00E9ration non permise"},
    {EROFS,        "disque en lecture seule"},
    {ENOENT,       "dossier introuvable"},
    {ENOTDIR,      "une partie du chemin n'est pas un dossier"},
    {EISDIR,       "c'est un dossier"},
    {ENAMETOOLONG, "nom trop long"},
    {EIO,          "erreur d'entr\u00E9e-sortie du disque"},
    {EPIPE,        "le lecteur de la sortie s'est arr\u00EAt\u00E9"},
    {EBADF,        "la sortie est ferm\u00E9e"},
}};
// clang-format on

std::optional<QString> ecrireEnPlace(const QString& chemin, QByteArrayView octets) {
    QFile fichier(chemin);
    errno = 0;
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        fichier.write(octets.data(), octets.size()) != octets.size()) {
        return writeErrorReason(errno);
    }
    return std::nullopt;
}

} // namespace

QString writeErrorReason(int errnum) {
    for (const Raison& r : Raisons) {
        if (r.errnum == errnum) {
            return QString::fromUtf8(r.texte);
        }
    }
    return QStringLiteral("erreur syst\u00E8me : ") + QString::fromLocal8Bit(std::strerror(errnum));
}

std::optional<QString> writeWholeFile(const QString& path, QByteArrayView bytes) {
    const QFileInfo cible(path);
    if (cible.isDir()) {
        return writeErrorReason(EISDIR);
    }
    // Replacing /dev/null with a regular file is what a save file would do as root.
    if (cible.exists() && !cible.isFile()) {
        return ecrireEnPlace(path, bytes);
    }
    QSaveFile fichier(path);
    // Unbuffered, every byte reaches the disk in write(): Qt's commit() would rename a file
    // whose last buffered bytes failed to go out. The errors are read as soon as they occur.
    errno = 0;
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return writeErrorReason(errno);
    }
    errno = 0;
    if (fichier.write(bytes.data(), bytes.size()) != bytes.size()) {
        return writeErrorReason(errno); // the save file discards its temporary file
    }
    errno = 0;
    if (!fichier.commit()) {
        return writeErrorReason(errno);
    }
    return std::nullopt;
}

} // namespace quorvan::toolkit
