// The QPrinter printer object: how a print line breaks, pages that fill up, and jobs that
// fail or are dropped, read back from PDF files.

#include "LecturePdf.h"
#include "QtPrinter.h"

#include <QFile>
#include <QPageLayout>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quorvan::toolkit {
namespace {

TEST(PrintedLines, BreakAtCrLfAtLoneCrAndAtLoneLf) {
    const QString e;
    const std::vector<std::pair<QString, QStringList>> table = {
        {"", {e}},
        {"A\r\nB\r\n", {"A", "B", e}},
        {"A\rB\nC", {"A", "B", "C"}},
        {"A\n\rB", {"A", e, "B"}},
        {QString(25, QChar(u'\r')), QStringList(26, e)},
    };
    for (const auto& [texte, lignes] : table) {
        SCOPED_TRACE(texte.toStdString());
        EXPECT_EQ(printedLines(texte), lignes);
    }
}

class QtPrinterPdf : public ::testing::Test {
protected:
    void SetUp() override {
        const QString manquants = test::outilsPdfManquants();
        ASSERT_TRUE(manquants.isEmpty()) << manquants.toStdString();
        ASSERT_TRUE(dossier_.isValid());
    }
    QTemporaryDir dossier_;
};

TEST_F(QtPrinterPdf, GoesOnToANewPageWhenThePageIsFull) {
    const QString pdf = dossier_.filePath(QStringLiteral("pages.pdf"));
    auto printer = QtPrinter::toPdfFile(pdf);
    QStringList lignes;
    for (int i = 1; i <= 150; ++i) {
        lignes << QStringLiteral("ligne%1").arg(i);
    }
    printer->printLine(lignes.join(QStringLiteral("\r\n")));
    ASSERT_TRUE(printer->endDoc());

    QPrinter reference(QPrinter::HighResolution);
    reference.setOutputFormat(QPrinter::PdfFormat);
    const double bas = reference.pageLayout().paintRect(QPageLayout::Point).bottom();
    const int pages = test::nombreDePages(pdf);
    EXPECT_GE(pages, 2);
    QStringList lues;
    for (int page = 1; page <= pages; ++page) {
        for (const test::Mot& mot : test::mots(pdf, page)) {
            lues << mot.texte;
            EXPECT_LE(mot.yMax, bas + 1.0) << mot.texte.toStdString();
        }
    }
    EXPECT_EQ(lues, lignes);
}

// Nothing reaches the destination unless the whole job does.
TEST_F(QtPrinterPdf, HandsOverNothingOfAJobThatFailsOrIsDropped) {
    const QString abandonne = dossier_.filePath(QStringLiteral("abandonne.pdf"));
    QtPrinter::toPdfFile(abandonne)->printLine(QStringLiteral("jamais"));
    EXPECT_FALSE(QFile::exists(abandonne));

    const QString impossible = dossier_.filePath(QStringLiteral("absent/sortie.pdf"));
    auto printer = QtPrinter::toPdfFile(impossible);
    printer->printLine(QStringLiteral("jamais"));
    EXPECT_FALSE(printer->endDoc());
    EXPECT_FALSE(QFile::exists(impossible));

    const QString une = dossier_.filePath(QStringLiteral("une.pdf"));
    auto unique = QtPrinter::toPdfFile(une);
    ASSERT_TRUE(unique->endDoc());
    ASSERT_TRUE(QFile::remove(une));
    EXPECT_FALSE(unique->endDoc()) << "a printer object prints one document";
    EXPECT_FALSE(QFile::exists(une));
}

} // namespace
} // namespace quorvan::toolkit
