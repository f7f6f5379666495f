#include "tavX_menuHistorique.h"

#include "tavX_options.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>

namespace MenuHistorique {

void Retirer(QMenu* menu, QAction* quitter) {
    const QList<QAction*> actions = menu->actions();
    const qsizetype position = actions.indexOf(quitter);
    if (position < 0) return;
    for (qsizetype i = position + 1; i < actions.size(); ++i) {
        QAction* action = actions.at(i);
        menu->removeAction(action);
        if (action->parent() == menu) delete action;
    }
}

void Ajouter(QMenu* menu, std::function<void(const QString&)> ouvrir) {
    if (!Options::UtiliserHistorique()) return;
    const QStringList historique = Options::ChargerHistorique();
    bool premier = true;
    for (int position = 0; position < historique.size(); ++position) {
        const QString chemin = historique.at(position);
        if (!QFileInfo::exists(chemin)) continue;
        if (premier) {
            menu->addSeparator();
            premier = false;
        }
        QString legende = QDir::toNativeSeparators(chemin);
        legende.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* action = new QAction(legende, menu);
        action->setData(chemin);
        const QString raccourci = Options::RaccourciHistorique(position);
        if (!raccourci.isEmpty()) action->setShortcut(QKeySequence(raccourci));
        QObject::connect(action, &QAction::triggered, menu, [ouvrir, chemin] { ouvrir(chemin); });
        menu->addAction(action);
    }
}

void Reconstruire(QMenu* menu, QAction* quitter, std::function<void(const QString&)> ouvrir) {
    Retirer(menu, quitter);
    Ajouter(menu, std::move(ouvrir));
}

} // namespace MenuHistorique
