#pragma once

class QCoreApplication;

namespace quorvan::toolkit {

// Qt's own texts (standard buttons, file and print dialogs) in French, as the rest of the
// interface, whatever the user's locale: installs the French catalogue of Qt's base module,
// the one file those texts come from. False when the system lacks it; Qt then speaks English.
bool installFrenchQtTranslation(QCoreApplication& application);

} // namespace quorvan::toolkit
