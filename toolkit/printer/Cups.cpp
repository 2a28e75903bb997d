#include "Cups.h"

#include <QFile>
#include <QLibrary>

#include <cups/cups.h>
#include <optional>
#include <string>

namespace quorvan::toolkit {

namespace {

// libcups, loaded the first time the program prints: linked in, it and the libraries it
// needs would be loaded at every start, for a command most sessions never use.
struct Cups {
    decltype(&cupsGetNamedDest) getNamedDest;
    decltype(&cupsFreeDests) freeDests;
    decltype(&cupsAddOption) addOption;
    decltype(&cupsFreeOptions) freeOptions;
    decltype(&cupsCreateJob) createJob;
    decltype(&cupsStartDocument) startDocument;
    decltype(&cupsWriteRequestData) writeRequestData;
    decltype(&cupsFinishDocument) finishDocument;
    decltype(&cupsCancelJob2) cancelJob2;
};

// nullptr where there is no libcups.
const Cups* cups() {
    static const std::optional<Cups> fonctions = []() -> std::optional<Cups> {
        static QLibrary bibliotheque(QStringLiteral("cups"), 2);
        bool toutes = true;
        const auto f = [&toutes](const char* nom) {
            const QFunctionPointer fonction = bibliotheque.resolve(nom);
            toutes = toutes && fonction != nullptr;
            return fonction;
        };
        const Cups c{
            reinterpret_cast<decltype(Cups::getNamedDest)>(f("cupsGetNamedDest")),
            reinterpret_cast<decltype(Cups::freeDests)>(f("cupsFreeDests")),
            reinterpret_cast<decltype(Cups::addOption)>(f("cupsAddOption")),
            reinterpret_cast<decltype(Cups::freeOptions)>(f("cupsFreeOptions")),
            reinterpret_cast<decltype(Cups::createJob)>(f("cupsCreateJob")),
            reinterpret_cast<decltype(Cups::startDocument)>(f("cupsStartDocument")),
            reinterpret_cast<decltype(Cups::writeRequestData)>(f("cupsWriteRequestData")),
            reinterpret_cast<decltype(Cups::finishDocument)>(f("cupsFinishDocument")),
            reinterpret_cast<decltype(Cups::cancelJob2)>(f("cupsCancelJob2")),
        };
        return toutes ? std::optional<Cups>(c) : std::nullopt;
    }();
    return fonctions ? &*fonctions : nullptr;
}

// Creates the job, sends the document, and keeps the job only if CUPS took all of it.
bool soumettre(const Cups& c, const std::string& destination, const QByteArray& pdf, int copies) {
    cups_option_t* options = nullptr;
    const int nOptions = c.addOption("copies", std::to_string(copies).c_str(), 0, &options);
    const int travail =
        c.createJob(CUPS_HTTP_DEFAULT, destination.c_str(), "Quorvan", nOptions, options);
    c.freeOptions(nOptions, options);
    if (travail == 0) {
        return false; // refused, or no such destination any more
    }
    const bool envoye =
        c.startDocument(CUPS_HTTP_DEFAULT, destination.c_str(), travail, "Quorvan", CUPS_FORMAT_PDF,
                        1) == HTTP_STATUS_CONTINUE &&
        c.writeRequestData(CUPS_HTTP_DEFAULT, pdf.constData(),
                           static_cast<std::size_t>(pdf.size())) == HTTP_STATUS_CONTINUE &&
        c.finishDocument(CUPS_HTTP_DEFAULT, destination.c_str()) <= IPP_STATUS_OK_EVENTS_COMPLETE;
    if (!envoye) {
        c.cancelJob2(CUPS_HTTP_DEFAULT, destination.c_str(), travail, 0);
    }
    return envoye;
}

} // namespace

std::optional<std::string> destinationCupsParDefaut() {
    const Cups* c = cups();
    cups_dest_t* destination =
        c != nullptr ? c->getNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr) : nullptr;
    if (destination == nullptr) {
        return std::nullopt;
    }
    std::string nom = destination->name;
    c->freeDests(1, destination);
    return nom;
}

bool soumettreACups(const std::string& destination, const QString& pdf, int copies) {
    const Cups* c = cups();
    QFile fichier(pdf);
    return c != nullptr && fichier.open(QIODevice::ReadOnly) &&
           soumettre(*c, destination, fichier.readAll(), copies);
}

} // namespace quorvan::toolkit
