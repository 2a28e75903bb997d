#include "CupsPrinter.h"

#include <QFile>

#include <cups/cups.h>
#include <string>
#include <utility>

namespace quorvan::toolkit {

namespace {

// Creates the job, sends the document, and keeps the job only if CUPS took all of it.
bool soumettre(const std::string& destination, const QByteArray& pdf, int copies) {
    cups_option_t* options = nullptr;
    const int nOptions = cupsAddOption("copies", std::to_string(copies).c_str(), 0, &options);
    const int travail =
        cupsCreateJob(CUPS_HTTP_DEFAULT, destination.c_str(), "Quorvan", nOptions, options);
    cupsFreeOptions(nOptions, options);
    if (travail == 0) {
        return false; // refused, or no such destination any more
    }
    const bool envoye =
        cupsStartDocument(CUPS_HTTP_DEFAULT, destination.c_str(), travail, "Quorvan",
                          CUPS_FORMAT_PDF, 1) == HTTP_STATUS_CONTINUE &&
        cupsWriteRequestData(CUPS_HTTP_DEFAULT, pdf.constData(),
                             static_cast<std::size_t>(pdf.size())) == HTTP_STATUS_CONTINUE &&
        cupsFinishDocument(CUPS_HTTP_DEFAULT, destination.c_str()) <= IPP_STATUS_OK_EVENTS_COMPLETE;
    if (!envoye) {
        cupsCancelJob2(CUPS_HTTP_DEFAULT, destination.c_str(), travail, 0);
    }
    return envoye;
}

} // namespace

std::optional<std::string> destinationCupsParDefaut() {
    cups_dest_t* destination = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (destination == nullptr) {
        return std::nullopt;
    }
    std::string nom = destination->name;
    cupsFreeDests(1, destination);
    return nom;
}

CupsPrinter::CupsPrinter(std::string destination, const QPageSize& page)
    : destination_(std::move(destination))
    , pdf_(QtPrinter::toPdfFile(dossier_.filePath(QStringLiteral("quorvan.pdf")), page)) {}

void CupsPrinter::setScaleMode(ScaleMode mode) {
    pdf_->setScaleMode(mode);
}

void CupsPrinter::setOrientation(PageOrientation orientation) {
    pdf_->setOrientation(orientation);
}

void CupsPrinter::setPrintQuality(PrintQuality quality) {
    pdf_->setPrintQuality(quality);
}

void CupsPrinter::setCopies(std::int16_t copies) {
    // The document holds one copy; CUPS makes the others.
    copies_ = copies;
}

void CupsPrinter::setColorMode(ColorMode mode) {
    pdf_->setColorMode(mode);
}

void CupsPrinter::setDrawStyle(DrawStyle style) {
    pdf_->setDrawStyle(style);
}

void CupsPrinter::setForeColor(QColor colour) {
    pdf_->setForeColor(colour);
}

void CupsPrinter::paintPicture(const QImage& picture, float x, float y) {
    pdf_->paintPicture(picture, x, y);
}

void CupsPrinter::printLine(const QString& text) {
    pdf_->printLine(text);
}

bool CupsPrinter::endDoc() {
    if (!dossier_.isValid() || !pdf_->endDoc()) {
        return false;
    }
    QFile fichier(dossier_.filePath(QStringLiteral("quorvan.pdf")));
    return fichier.open(QIODevice::ReadOnly) && soumettre(destination_, fichier.readAll(), copies_);
}

} // namespace quorvan::toolkit
