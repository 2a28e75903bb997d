// The analysis window as a plugin: the program pays for Qt Charts only once it is opened.

#include "Analyse.h"
#include "FenetreAnalyse.h"

#include <QObject>

namespace quorvan {

class PluginAnalyse final : public QObject, public FabriqueAnalyse {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QuorvanFabriqueAnalyse_iid)
    Q_INTERFACES(quorvan::FabriqueAnalyse)

public:
    Analyse* creer(toolkit::Desktop& bureau, QWidget* parent) override {
        return new FenetreAnalyse(bureau, parent);
    }
};

} // namespace quorvan

#include "PluginAnalyse.moc"
