#include "tavX_documentClasse.h"

#include "tavX_exceptions.h"

#include <QMetaObject>

TDocumentClasse::TDocumentClasse(std::unique_ptr<TFichierTav> f, const QString& chemin,
                                 QObject* parent)
    : QObject(parent), fichier(f ? std::move(f) : std::make_unique<TFichierTav>()), chemin(chemin) {
    fichier->DefinirObservateur(this);
    // A new class (or one converted from an old layout) differs from any file on disk.
    propre = fichier->EstModifie() ? -1 : 0;
    if (fichier->EstValide()) etatCourant = fichier->Octets();
}

TDocumentClasse::~TDocumentClasse() {
    fichier->DefinirObservateur(nullptr);
}

bool TDocumentClasse::Enregistrer(const QString& chemin, QString* erreur) {
    // What is saved is a state the history can come back to.
    TerminerEtape();
    try {
        fichier->Enregistrer(chemin);
    } catch (const TTavException& e) {
        if (erreur) {
            *erreur = e.Message();
            if (!fichier->CauseErreurEnregistrement().isEmpty())
                *erreur += QStringLiteral("\n\n") + fichier->CauseErreurEnregistrement();
        }
        return false;
    }
    propre = index;
    emit historiqueChange();
    // Saved under the name it already had: the class file said nothing, the path is now set.
    if (this->chemin != chemin) {
        this->chemin = chemin;
        emit cheminChange(chemin);
    }
    return true;
}

// ---- What changed ----------------------------------------------------------------------------

void TDocumentClasse::IdentiteChangee() {
    Annoncer({TGenre::Identite});
}
void TDocumentClasse::ReglagesCalculChanges() {
    Annoncer({TGenre::Reglages});
}
void TDocumentClasse::ElevesChanges() {
    Annoncer({TGenre::Eleves});
}
void TDocumentClasse::SeriesChangees(int periode) {
    Annoncer({TGenre::Series, periode});
}
void TDocumentClasse::SerieChangee(int periode, int serie) {
    Annoncer({TGenre::Serie, periode, serie});
}
void TDocumentClasse::NoteChangee(int periode, int serie, int eleve) {
    Annoncer({TGenre::Note, periode, serie, eleve});
}
void TDocumentClasse::PointsChanges(int periode, int eleve) {
    Annoncer({TGenre::Points, periode, eleve});
}
void TDocumentClasse::AppreciationChangee(int periode, int eleve, int colonne) {
    Annoncer({TGenre::Appreciation, periode, eleve, colonne});
}
void TDocumentClasse::ClasseReinitialisee() {
    Annoncer({TGenre::Classe});
}

void TDocumentClasse::Annoncer(const TAnnonce& a) {
    Noter(a.genre, a.a, a.b, a.c);
    switch (a.genre) {
    case TGenre::Note:
        emit notesChangees(a.a, a.b, a.c);
        break;
    case TGenre::Points:
        emit pointsChanges(a.a, a.b);
        break;
    case TGenre::Appreciation:
        emit appreciationsChangees(a.a, a.b, a.c);
        break;
    case TGenre::Serie:
        emit serieChangee(a.a, a.b);
        break;
    case TGenre::Series:
        emit seriesChangees(a.a);
        break;
    case TGenre::Eleves:
        emit elevesChanges();
        break;
    case TGenre::Identite:
        emit identiteChangee();
        break;
    case TGenre::Reglages:
        emit reglagesCalculChanges();
        break;
    case TGenre::Classe:
        emit classeReinitialisee();
        break;
    }
}

// ---- Undo and redo ---------------------------------------------------------------------------

namespace {
// Past this many distinct changes, a step is announced again as a class made anew.
constexpr qsizetype MaxAnnonces = 256;
} // namespace

void TDocumentClasse::OuvrirEtape() {
    if (etapeOuverte) return;
    etapeOuverte = true;
    etapeEnCours = TEtape{};
    etapeEnCours.avant = etatCourant;
    PrevoirFin();
}

void TDocumentClasse::Operation(const QString& description) {
    if (remise) return;
    OuvrirEtape();
    if (!etapeEnCours.operations.contains(description) && etapeEnCours.operations.size() < 2)
        etapeEnCours.operations.append(description);
}

void TDocumentClasse::Noter(TGenre genre, int a, int b, int c) {
    if (remise) return;
    OuvrirEtape();
    QList<TAnnonce>& annonces = etapeEnCours.annonces;
    const TAnnonce annonce{genre, a, b, c};
    if (annonces.size() == 1 && annonces.first().genre == TGenre::Classe) return;
    if (annonces.contains(annonce)) return;
    if (annonces.size() >= MaxAnnonces)
        annonces = {TAnnonce{TGenre::Classe}};
    else
        annonces.append(annonce);
}

void TDocumentClasse::NommerEtape(const QString& texte) {
    nomEtape = texte;
    PrevoirFin();
}

void TDocumentClasse::PrevoirFin() {
    // The step ends when the event loop takes back control: after the event that made it.
    if (finPrevue) return;
    finPrevue = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            finPrevue = false;
            TerminerEtape();
            nomEtape.clear();
        },
        Qt::QueuedConnection);
}

void TDocumentClasse::TerminerEtape() {
    if (!etapeOuverte) return;
    etapeOuverte = false;
    TEtape etape = std::move(etapeEnCours);
    etapeEnCours = TEtape{};
    etape.apres = fichier->Octets();
    etatCourant = etape.apres;
    const QString nom = std::exchange(nomEtape, QString());
    // Changes that undid each other within the step leave nothing to undo, and the class as it
    // was: saved or not.
    if (etape.apres == etape.avant) {
        fichier->DefinirModifie(index != propre);
        return;
    }
    etape.texte = nom.isEmpty() ? TexteEtape(etape) : nom;
    // A new step forgets the steps undone.
    while (int(etapes.size()) > index)
        etapes.pop_back();
    // An appreciation is stored at every keystroke: the keystrokes typed in one field, one
    // after the other, make one step (unless the class was saved in between).
    if (index > 0 && propre != index && etape.annonces.size() == 1 &&
        etape.annonces.first().genre == TGenre::Appreciation &&
        etapes.back().annonces == etape.annonces) {
        etapes.back().apres = std::move(etape.apres);
        emit historiqueChange();
        return;
    }
    if (propre > index) propre = -1;
    etapes.push_back(std::move(etape));
    ++index;
    RespecterLimites();
    emit historiqueChange();
}

void TDocumentClasse::RespecterLimites() {
    qsizetype octets = etapes.empty() ? 0 : etapes.front().avant.size();
    for (const TEtape& e : etapes)
        octets += e.apres.size();
    while (etapes.size() > 1 && (int(etapes.size()) > MaxEtapes || octets > MaxOctets)) {
        octets -= etapes.front().avant.size();
        etapes.pop_front();
        // The new oldest step's "before" is the old one's "after", already counted.
        --index;
        // The saved state was before the oldest step: it can no longer be reached.
        propre = propre > 0 ? propre - 1 : -1;
    }
}

bool TDocumentClasse::PeutAnnuler() const {
    return index > 0 || etapeOuverte;
}

bool TDocumentClasse::PeutRetablir() const {
    return !etapeOuverte && index < int(etapes.size());
}

QString TDocumentClasse::EtapeAAnnuler() const {
    if (etapeOuverte) return nomEtape.isEmpty() ? TexteEtape(etapeEnCours) : nomEtape;
    return index > 0 ? etapes[index - 1].texte : QString();
}

QString TDocumentClasse::EtapeARetablir() const {
    return PeutRetablir() ? etapes[index].texte : QString();
}

void TDocumentClasse::Annuler() {
    TerminerEtape();
    if (index == 0) return;
    --index;
    const TEtape& etape = etapes[index];
    Remettre(etape.avant, etape.annonces);
}

void TDocumentClasse::Retablir() {
    TerminerEtape();
    if (index >= int(etapes.size())) return;
    const TEtape& etape = etapes[index];
    ++index;
    Remettre(etape.apres, etape.annonces);
}

void TDocumentClasse::Remettre(const QByteArray& octets, const QList<TAnnonce>& annonces) {
    remise = true;
    const bool remis = fichier->Restaurer(octets);
    remise = false;
    if (!remis) {
        // Bytes written by this program always read back; should they not, nothing is lost:
        // the class stays as it is and the history goes.
        EffacerHistorique();
        return;
    }
    etatCourant = octets;
    const QList<TAnnonce> copie = annonces; // the slots may record a new step
    {
        TLot lot(*this);
        // A step that changed the students or the series is shown again whole; its marks
        // may point to rows and columns the class no longer has.
        const bool structure = std::any_of(copie.begin(), copie.end(), [](const TAnnonce& a) {
            return a.genre == TGenre::Eleves || a.genre == TGenre::Series ||
                   a.genre == TGenre::Classe;
        });
        remise = true;
        for (const TAnnonce& a : copie) {
            const bool fine = a.genre == TGenre::Note || a.genre == TGenre::Points ||
                              a.genre == TGenre::Serie || a.genre == TGenre::Appreciation;
            if (structure && fine) continue;
            Annoncer(a);
        }
        remise = false;
    }
    fichier->DefinirModifie(index != propre);
    emit historiqueChange();
}

void TDocumentClasse::EffacerHistorique() {
    etapes.clear();
    index = 0;
    etapeOuverte = false;
    etapeEnCours = TEtape{};
    propre = fichier->EstModifie() ? -1 : 0;
    etatCourant = fichier->Octets();
    emit historiqueChange();
}

QString TDocumentClasse::TexteEtape(const TEtape& etape) const {
    const QList<TAnnonce>& annonces = etape.annonces;
    const TFichierTav& f = *fichier;
    const auto nombre = [&](TGenre g) {
        return std::count_if(annonces.begin(), annonces.end(),
                             [g](const TAnnonce& a) { return a.genre == g; });
    };
    const auto premiere = [&](TGenre g) {
        return *std::find_if(annonces.begin(), annonces.end(),
                             [g](const TAnnonce& a) { return a.genre == g; });
    };
    const auto eleve = [&](int s) {
        return s >= 1 && s <= f.NombreEleves() ? f.NomEleve(s) : QString();
    };
    const auto intitule = [&](int p, int j) {
        try {
            return f.Intitule(p, j);
        } catch (const TTavException&) {
            return QString();
        }
    };
    if (nombre(TGenre::Classe)) return QStringLiteral("la réinitialisation de la classe");
    // One operation on a whole series or student names the step.
    if (etape.operations.size() == 1) return etape.operations.first();
    if (nombre(TGenre::Eleves)) return QStringLiteral("la modification de la liste des élèves");
    if (nombre(TGenre::Series)) return QStringLiteral("la modification des séries de notes");
    if (nombre(TGenre::Reglages))
        return QStringLiteral("la modification des réglages de calcul de la classe");
    if (nombre(TGenre::Identite))
        return QStringLiteral("la modification des informations de la classe");
    if (const auto n = nombre(TGenre::Serie)) {
        const TAnnonce a = premiere(TGenre::Serie);
        const QString titre = intitule(a.a, a.b);
        if (n > 1 || titre.isEmpty()) return QStringLiteral("la modification des séries de notes");
        return QStringLiteral("la modification de la série « %1 »").arg(titre);
    }
    if (const auto n = nombre(TGenre::Note)) {
        const TAnnonce a = premiere(TGenre::Note);
        const QString nom = eleve(a.c);
        if (n == 1 && !nom.isEmpty()) return QStringLiteral("la saisie de la note de %1").arg(nom);
        const bool memeSerie =
            std::all_of(annonces.begin(), annonces.end(), [&](const TAnnonce& b) {
                return b.genre != TGenre::Note || (b.a == a.a && b.b == a.b);
            });
        const QString titre = intitule(a.a, a.b);
        if (memeSerie && !titre.isEmpty())
            return QStringLiteral("la modification des notes de la série « %1 »").arg(titre);
        return QStringLiteral("la modification des notes");
    }
    if (const auto n = nombre(TGenre::Points)) {
        const QString nom = eleve(premiere(TGenre::Points).b);
        if (n == 1 && !nom.isEmpty())
            return QStringLiteral("la modification des points de %1").arg(nom);
        return QStringLiteral("la modification des points");
    }
    if (const auto n = nombre(TGenre::Appreciation)) {
        const QString nom = eleve(premiere(TGenre::Appreciation).b);
        if (n == 1 && !nom.isEmpty())
            return QStringLiteral("la saisie de l'appréciation de %1").arg(nom);
        return QStringLiteral("la modification des appréciations");
    }
    return QStringLiteral("la modification de la classe");
}
