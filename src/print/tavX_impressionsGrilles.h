#pragma once
// The four table printouts of a class: grades of a period, summary of averages of a period or of
// the year with its ranking list, appreciations of a period, blank grid to fill in by hand.
#include "tavX_fichierTav.h"
#include "tavX_impression.h"

// Grades of one period: one column per series, then the average column when
// "impressionColonneMoyenne" is on.
class TImpressionGrilleNotes : public TImpression {
public:
    TImpressionGrilleNotes(const TFichierTav& fichier, const TParametresImpression& parametres);

protected:
    int NombreColonnesDonnees() const override;
    QString TitreColonne(int colonne) const override;
    QString TexteCellule(int colonne, int eleve) const override;
    QColor CouleurCellule(int colonne, int eleve, const QString& texte) const override;
    QString TexteStatistique(int colonne, int ligne) const override;

private:
    bool EstColonneMoyenne(int colonne) const { return colonne >= series; }
    int series = 0;
    bool colonneMoyenne = false;
    QStringList moyennes; // the students' period averages, student s at s - 1
};

// Summary of one period or of the whole year (period = periods + 1).
class TImpressionGrilleBilan : public TImpression {
public:
    TImpressionGrilleBilan(const TFichierTav& fichier, const TParametresImpression& parametres);

protected:
    int NombreColonnesDonnees() const override { return int(colonnes.size()); }
    QString TitreColonne(int colonne) const override;
    Qt::Alignment AlignementTitre(int colonne) const override;
    QString TexteCellule(int colonne, int eleve) const override;
    QColor CouleurCellule(int colonne, int eleve, const QString& texte) const override;
    QString TexteStatistique(int colonne, int ligne) const override;
    bool LegendeAvecDernierePage() const override { return true; }

private:
    struct TColonne {
        QString titre;
        QStringList valeurs; // student s at s - 1; the ranking list for the rank column
        bool classement = false;
        TFichierTav::TStatistiquesColonne statistiques;
    };
    QList<TColonne> colonnes;
    bool annee = false;
};

// Appreciations of one period: four fixed columns of averages, then one column per section of
// the report card.
class TImpressionAppreciation : public TImpression {
public:
    TImpressionAppreciation(const TFichierTav& fichier, const TParametresImpression& parametres);

protected:
    int NombreColonnesFixes() const override { return 4; }
    int LargeurColonneFixe() const override { return largeurFixe; }
    int NombreColonnesDonnees() const override;
    QString TitreColonne(int colonne) const override;
    Qt::Alignment AlignementTitre(int colonne) const override;
    Qt::Alignment AlignementCellule(int colonne) const override;
    QString TexteCellule(int colonne, int eleve) const override;
    QColor CouleurCellule(int colonne, int eleve, const QString& texte) const override;
    bool LegendeAvecDernierePage() const override { return true; }

private:
    int largeurFixe = 0;
    QStringList moyennes;
    QString moyenneClasse, plusBasse, plusHaute;
    QList<QStringList> appreciations; // per section, student s at s - 1
};

// Blank grid: as many empty columns as fit on one page, "largeurGrilleVierge" spaces wide.
class TImpressionGrilleVierge : public TImpression {
public:
    TImpressionGrilleVierge(const TFichierTav& fichier, const TParametresImpression& parametres,
                            int largeurVide);

protected:
    int NombreColonnesDonnees() const override;
    QString TitreColonne(int) const override { return QString(); }
    QString TexteCellule(int, int) const override { return QString(); }
    QString TexteNom(int eleve) const override;
};
