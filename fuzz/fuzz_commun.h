#pragma once
// The path every fuzz input takes, shared by the libFuzzer target and by the
// test that replays the seed corpus.
//
// The bytes are written to a file and loaded as the program loads a class
// file (full load and students-only load). A valid class must then show every
// value without an index error, take a few edits, save, read back equal, and
// save again to the same bytes. Any other outcome is a fault, reported in
// Resultat::erreur.
#include "tavX_constantes.h"
#include "tavX_exceptions.h"
#include "tavX_fichierTav.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <exception>

namespace TavFuzz {

struct Resultat {
    bool valide = false; // the input loaded as a class
    QString cause;       // why it did not
    QString erreur;      // a fault of the program (empty when none)
};

inline bool EcrireOctets(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(octets) == octets.size();
}

inline QByteArray LireOctets(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every value the object shows, in a fixed order. The label index is left
// out: a text that is not an integer is saved as "1".
inline QStringList Empreinte(TFichierTav& f) {
    QStringList l = {f.Enseignant(),    f.Classe(),   f.Ecole(),        f.Matiere(),
                     f.AnneeScolaire(), f.Remarque(), f.TypePeriodes(), f.TypeBulletins()};
    l << QString::number(f.ArrondiMoyennes()) << QString::number(f.ArrondiMoyennesAnnuelles())
      << QString::number(f.TypeMoyennesAnnuelles());
    l << f.ListePeriodes() << f.ListeEleves() << f.LibellesClasse() << f.ColonnesBulletin();
    const int P = f.NombrePeriodes(), N = f.NombreEleves(), K = f.NombreColonnesBulletin();
    l << QString::number(P) << QString::number(N) << QString::number(K);
    for (int s = 1; s <= N; ++s)
        l << f.DateNaissance(s) << (f.EstRedoublant(s) ? QStringLiteral("R") : QString());
    for (int p = 1; p <= P; ++p) {
        l << QString::number(f.NombreSeries(p));
        for (int j = 1; j <= f.NombreSeries(p); ++j) {
            l << f.Intitule(p, j) << f.NoteSur(p, j) << f.Coefficient(p, j)
              << f.CompteDansMoyenne(p, j) << f.DateSerie(p, j) << f.Commentaire(p, j)
              << f.TypeNotes(p, j) << f.OralEcrit(p, j);
            for (int s = 1; s <= N; ++s)
                l << f.Note(p, j, s);
            if (f.ColonneSerie(p, j).size() != N + Tav::NombreLignesSupplementaires)
                throw TTavException(QStringLiteral("colonne de taille incorrecte"));
        }
        for (int s = 1; s <= N; ++s) {
            l << f.PointsPlusMoins(p, s);
            for (int c = 1; c <= K; ++c)
                l << f.Appreciation(p, s, c);
            f.MoyenneARecalculer(p, s);
        }
    }
    for (int s = 1; s <= N; ++s)
        f.IndiceLibelle(s);
    f.TypesDeNotes(0);
    f.NombreSeriesAnnee();
    return l;
}

// A few edits that a teacher makes at once after opening a class.
inline void Retoucher(TFichierTav& f) {
    const int P = f.NombrePeriodes();
    if (f.NombreEleves() > 0) {
        f.ModifierEleve(1, QStringLiteral("Zz renommé"), true, QStringLiteral("01/01/2000"));
        if (f.NombreSeries(P) >= 1) f.ModifierNote(P, 1, QStringLiteral("abs"), 1);
    }
    if (f.NombreEleves() < Tav::MaxEleves)
        f.AjouterEleve(QStringLiteral("Aa nouvel élève"), QString(), false);
    if (f.NombreSeriesAnnee() < Tav::MaxSeriesAnnee)
        f.AjouterSerie(P, QStringLiteral("Ajoutée"), true, QStringLiteral("Oral"), QString(),
                       QStringLiteral("01/06/2007"), QStringLiteral("oui"), QStringLiteral("1"),
                       QStringLiteral("20"));
    if (f.NombreSeries(P) >= 2) f.MonterSerie(P, f.NombreSeries(P));
    // (A move in a year of 255 series is a known limit, tested on its own.)
    if (f.NombreSeries(P) >= 1 && P > 1 && f.NombreSeriesAnnee() < Tav::MaxSeriesAnnee)
        f.DeplacerSerie(P, 1, 1);
    if (f.NombreEleves() > 1) f.SupprimerEleve(f.NombreEleves());
    for (int p = 1; p <= P; ++p)
        for (int s = 1; s <= f.NombreEleves(); ++s) {
            f.ModifierPointsPlusMoins(p, s, QStringLiteral("+1"));
            if (f.NombreColonnesBulletin() > 0)
                f.ModifierAppreciation(p, s, f.NombreColonnesBulletin(), QStringLiteral("Bien"));
        }
}

// Saves, reads back, compares and saves again; returns a fault or nothing.
inline QString AllerRetour(TFichierTav& f, const QString& dossier, const QString& nom) {
    const QString copie1 = QDir(dossier).filePath(nom + QStringLiteral("1.tav"));
    const QString copie2 = QDir(dossier).filePath(nom + QStringLiteral("2.tav"));
    const QStringList avant = Empreinte(f);
    f.Enregistrer(copie1);
    TFichierTav relu(copie1, true);
    if (!relu.EstValide())
        return QStringLiteral("copie enregistrée illisible : ") + relu.CauseInvalidite();
    if (Empreinte(relu) != avant) return QStringLiteral("la copie relue diffère de la classe");
    relu.Enregistrer(copie2);
    if (LireOctets(copie1) != LireOctets(copie2))
        return QStringLiteral("le second enregistrement diffère du premier");
    return QString();
}

// Runs one input through the whole path, in a folder of the caller's.
inline Resultat Rejouer(const QByteArray& octets, const QString& dossier) {
    Resultat r;
    const QString entree = QDir(dossier).filePath(QStringLiteral("entree.tav"));
    if (!EcrireOctets(entree, octets)) {
        r.erreur = QStringLiteral("écriture de l'entrée impossible");
        return r;
    }
    try {
        {
            TFichierTav eleves(entree, true, true);
            if (!eleves.EstValide() && eleves.CauseInvalidite().isEmpty())
                r.erreur = QStringLiteral("chargement des élèves invalide sans cause");
            if (eleves.EstValide()) {
                eleves.NombrePeriodes();
                eleves.NombreEleves();
            }
        }
        TFichierTav f(entree, true);
        r.valide = f.EstValide();
        r.cause = f.CauseInvalidite();
        if (!r.valide) {
            if (r.cause.isEmpty()) r.erreur = QStringLiteral("classe invalide sans cause");
            return r;
        }
        r.erreur = AllerRetour(f, dossier, QStringLiteral("lue"));
        if (!r.erreur.isEmpty()) return r;
        Retoucher(f);
        r.erreur = AllerRetour(f, dossier, QStringLiteral("retouchee"));
        if (!r.erreur.isEmpty()) r.erreur = QStringLiteral("après retouches : ") + r.erreur;
    } catch (const TTavException& e) {
        r.erreur = QStringLiteral("exception sur une classe valide : ") + e.Message();
    } catch (const std::exception& e) {
        r.erreur = QStringLiteral("exception : ") + QString::fromUtf8(e.what());
    }
    return r;
}

} // namespace TavFuzz
