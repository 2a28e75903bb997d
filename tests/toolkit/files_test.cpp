// Writing a file whole or not at all where the command line's and the window's tests, which try
// a full disk, do not reach: paths that cannot be written, and what is not a regular file.

#include "tests/support/Processus.h"
#include "toolkit/files/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h> // mkfifo
#include <unistd.h>

namespace quorvan::toolkit {
namespace {

TEST(WriteWholeFile, APathThatCannotBeWrittenIsSaidWhyAndLeftAsItWas) {
    // clang-format off
    const std::pair<const char*, const char*> cas[] = {
        {"x/a.csv", "dossier introuvable"},
        {"f/a.csv", "une partie du chemin n'est pas un dossier"},
        {"d",       "c'est un dossier"},
    };
    // clang-format on
    for (const auto& [chemin, raison] : cas) {
        SCOPED_TRACE(chemin);
        const QTemporaryDir dossier;
        const QDir d(dossier.path());
        ASSERT_TRUE(d.mkdir(QStringLiteral("d")));
        QFile f(d.filePath(QStringLiteral("f")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        EXPECT_EQ(writeWholeFile(d.filePath(QString::fromUtf8(chemin)), "nouveau"),
                  QString::fromUtf8(raison));
        EXPECT_EQ(d.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                  (QStringList{"d", "f"}));
    }
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
}

} // namespace
} // namespace quorvan::toolkit
