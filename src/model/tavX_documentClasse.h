#pragma once
// TDocumentClasse: one open class. It owns the class file object and says, by its signals, what
// each change did to the class, whoever made the change (a grid, a dialog, a tool): they all go
// through the class file's operations, which report to the document. Views connect to these
// signals; nobody needs to poll the modified flag.
#include "tavX_fichierTav.h"

#include <QObject>
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

private:
    void ModifieChange(bool modifie) override { emit modifieChange(modifie); }
    void CheminChange(const QString& nouveau) override {
        chemin = nouveau;
        emit cheminChange(chemin);
    }
    void IdentiteChangee() override { emit identiteChangee(); }
    void ReglagesCalculChanges() override { emit reglagesCalculChanges(); }
    void ElevesChanges() override { emit elevesChanges(); }
    void SeriesChangees(int periode) override { emit seriesChangees(periode); }
    void SerieChangee(int periode, int serie) override { emit serieChangee(periode, serie); }
    void NoteChangee(int periode, int serie, int eleve) override {
        emit notesChangees(periode, serie, eleve);
    }
    void PointsChanges(int periode, int eleve) override { emit pointsChanges(periode, eleve); }
    void AppreciationChangee(int periode, int eleve, int colonne) override {
        emit appreciationsChangees(periode, eleve, colonne);
    }
    void ClasseReinitialisee() override { emit classeReinitialisee(); }

    std::unique_ptr<TFichierTav> fichier;
    QString chemin;
    int lots = 0;
};
