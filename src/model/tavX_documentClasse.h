#pragma once
// TDocumentClasse: one open class. It owns the class file object and says, by its signals, what
// each change did to the class, whoever made the change (a grid, a dialog, a tool): they all go
// through the class file's operations, which report to the document. Views connect to these
// signals; nobody needs to poll the modified flag.
//
// The document also keeps the history of the changes, to undo and redo them. A step is every
// change made while the program handles one event (a typed mark, a menu command, a dialog's OK):
// the first change of a step opens it with the class as it was, the step closes when the event
// loop takes back control (or at TerminerEtape) with the class as it is then. Undoing puts back
// the class as it was, exactly (its bytes), then announces again what the step had changed so
// that the views follow. A class written to bytes is the snapshot: about a millisecond for the
// largest class, and robust for any kind of change.
#include "tavX_fichierTav.h"

#include <QByteArray>
#include <QObject>
#include <deque>
#include <memory>

class TDocumentClasse : public QObject, private TObservateurFichier {
    Q_OBJECT
public:
    // chemin: where the class lives on disk, empty for a class never saved.
    explicit TDocumentClasse(std::unique_ptr<TFichierTav> fichier, const QString& chemin = {},
                             QObject* parent = nullptr);
    ~TDocumentClasse() override;

    TFichierTav& Fichier() { return *fichier; }
    const TFichierTav& Fichier() const { return *fichier; }
    bool EstModifie() const { return fichier->EstModifie(); }
    // The file the class was read from or last saved to; empty until a new class is saved.
    QString Chemin() const { return chemin; }

    // A command that changes many things at once (a pasted column) opens a batch: the signals
    // still come one by one, and lotTermine() comes when the last open batch closes, so that a
    // view may refresh once for the whole.
    class TLot {
    public:
        explicit TLot(TDocumentClasse& d) : d(d) { ++d.lots; }
        ~TLot() {
            if (--d.lots == 0) emit d.lotTermine();
        }
        TLot(const TLot&) = delete;
        TLot& operator=(const TLot&) = delete;

    private:
        TDocumentClasse& d;
    };
    bool EnLot() const { return lots > 0; }

    // Saves the class under that path. On failure returns false and, in erreur, the message
    // followed by its cause; the class stays modified.
    bool Enregistrer(const QString& chemin, QString* erreur = nullptr);

    // ---- Undo and redo --------------------------------------------------------------------------
    static constexpr int MaxEtapes = 100;
    static constexpr qsizetype MaxOctets = 20 * 1024 * 1024;
    bool PeutAnnuler() const;
    bool PeutRetablir() const;
    // What undo and redo would do: "la saisie de la note de Martin Enzo", empty when nothing.
    QString EtapeAAnnuler() const;
    QString EtapeARetablir() const;
    void Annuler();
    void Retablir();
    // Closes the step being recorded (done by itself when the event loop takes back control).
    void TerminerEtape();
    // Names the step being recorded, or the next one of this event ("la suppression de la
    // série « DS 3 »"); without a name, the step is named by what it changed.
    void NommerEtape(const QString& texte);
    // Forgets every step (a class read again from its file).
    void EffacerHistorique();
    int NombreEtapes() const { return int(etapes.size()); }

signals:
    void modifieChange(bool modifie);
    void cheminChange(const QString& chemin);
    void identiteChangee();
    void reglagesCalculChanges();
    void elevesChanges();
    void seriesChangees(int periode);
    void serieChangee(int periode, int serie);
    void notesChangees(int periode, int serie, int eleve);
    void pointsChanges(int periode, int eleve);
    void appreciationsChangees(int periode, int eleve, int colonne);
    void classeReinitialisee();
    void lotTermine();
    // The steps that can be undone or redone changed.
    void historiqueChange();

private:
    // What a change announced, kept to announce it again when undone or redone.
    enum class TGenre {
        Note,
        Points,
        Appreciation,
        Serie,
        Series,
        Eleves,
        Identite,
        Reglages,
        Classe
    };
    struct TAnnonce {
        TGenre genre;
        int a = 0, b = 0, c = 0;
        bool operator==(const TAnnonce&) const = default;
    };
    struct TEtape {
        QString texte;
        QByteArray avant, apres;
        QList<TAnnonce> annonces;
        QStringList operations;
    };
    void Noter(TGenre genre, int a = 0, int b = 0, int c = 0);
    void PrevoirFin();
    QString TexteEtape(const TEtape& etape) const;
    void Remettre(const QByteArray& octets, const QList<TAnnonce>& annonces);
    void RespecterLimites();

    void ModifieChange(bool modifie) override { emit modifieChange(modifie); }
    void CheminChange(const QString& nouveau) override {
        chemin = nouveau;
        emit cheminChange(chemin);
    }
    void IdentiteChangee() override;
    void ReglagesCalculChanges() override;
    void ElevesChanges() override;
    void SeriesChangees(int periode) override;
    void SerieChangee(int periode, int serie) override;
    void NoteChangee(int periode, int serie, int eleve) override;
    void PointsChanges(int periode, int eleve) override;
    void AppreciationChangee(int periode, int eleve, int colonne) override;
    void ClasseReinitialisee() override;
    void Operation(const QString& description) override;
    void OuvrirEtape();
    void Annoncer(const TAnnonce& annonce);

    std::unique_ptr<TFichierTav> fichier;
    QString chemin;
    int lots = 0;

    // The steps, oldest first; those before `index` are done, the others undone.
    std::deque<TEtape> etapes;
    int index = 0;
    // The step count at which the class equals its file on disk (-1: no longer reachable).
    int propre = 0;
    // The class as the last closed step (or the opening) left it.
    QByteArray etatCourant;
    bool etapeOuverte = false;
    TEtape etapeEnCours;
    QString nomEtape;
    bool finPrevue = false;
    // Putting back a snapshot: its changes are not recorded.
    bool remise = false;
};
