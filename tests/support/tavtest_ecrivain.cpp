#include "tavtest_ecrivain.h"

#include "tavX_fichierTav.h"
#include "tavX_globales.h"

#include <QDir>
#include <QFile>
#include <array>
#include <cstdio>
#include <cstdlib>

namespace TavTest {

namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252; the five bytes the
// code page leaves unassigned (81, 8D, 8F, 90, 9D) keep their own value.
constexpr std::array<char16_t, 32> Zone80 = {u'€',   0x0081, u'‚', u'ƒ', u'„', u'…',   u'†', u'‡',
                                             u'ˆ',   u'‰',   u'Š', u'‹', u'Œ', 0x008D, u'Ž', 0x008F,
                                             0x0090, u'‘',   u'’', u'“', u'”', u'•',   u'–', u'—',
                                             u'˜',   u'™',   u'š', u'›', u'œ', 0x009D, u'ž', u'Ÿ'};

[[noreturn]] void Abandon(const char* raison, const QString& texte) {
    std::fprintf(stderr, "TavTest::Champs: %s: %s\n", raison, qPrintable(texte));
    std::abort();
}

} // namespace

QChar CaractereDeOctet(unsigned char octet) {
    if (octet >= 0x80 && octet <= 0x9F) return QChar(Zone80[octet - 0x80]);
    return QChar(char16_t(octet));
}

std::optional<QByteArray> EnWindows1252(const QString& texte) {
    QByteArray sortie;
    for (QChar c : texte) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            sortie.append(char(u));
            continue;
        }
        int trouve = -1;
        for (int i = 0; i < 32; ++i)
            if (Zone80[i] == u) trouve = i;
        if (trouve < 0) return std::nullopt;
        sortie.append(char(0x80 + trouve));
    }
    return sortie;
}

Champs& Champs::Texte(const QString& texte) {
    const auto octets = EnWindows1252(texte);
    if (!octets) Abandon("caractère hors Windows-1252", texte);
    return Octets(*octets);
}

Champs& Champs::Textes(const QStringList& textes) {
    for (const QString& t : textes)
        Texte(t);
    return *this;
}

Champs& Champs::Octets(const QByteArray& octets) {
    if (octets.size() > 255) Abandon("champ de plus de 255 octets", QString::fromLatin1(octets));
    donnees.append(char(octets.size()));
    donnees.append(octets);
    ++nombre;
    return *this;
}

Champs& Champs::Brut(const QByteArray& octets) {
    donnees.append(octets);
    return *this;
}

std::optional<QList<QByteArray>> DecouperChamps(const QByteArray& octets) {
    QList<QByteArray> champs;
    qsizetype i = 0;
    while (i < octets.size()) {
        const int longueur = static_cast<unsigned char>(octets.at(i));
        if (i + 1 + longueur > octets.size()) return std::nullopt;
        champs.append(octets.mid(i + 1, longueur));
        i += 1 + longueur;
    }
    return champs;
}

std::optional<QStringList> DecouperTextes(const QByteArray& octets) {
    const auto champs = DecouperChamps(octets);
    if (!champs) return std::nullopt;
    QStringList textes;
    for (const QByteArray& champ : *champs) {
        QString t;
        for (char o : champ)
            t.append(CaractereDeOctet(static_cast<unsigned char>(o)));
        textes.append(t);
    }
    return textes;
}

// ---- Current layouts --------------------------------------------------------

Classe ClasseExemple() {
    Classe c;
    c.enseignant = QStringLiteral("Mme Lefèvre");
    c.nomClasse = QStringLiteral("4e B");
    c.ecole = QStringLiteral("Collège Jean-Moulin");
    c.matiere = QStringLiteral("Mathématiques");
    c.anneeScolaire = QStringLiteral("2006/2007");
    c.remarque = QStringLiteral("Classe à projet « théâtre »");
    c.eleves = {
        {QStringLiteral("Bernard Luc"), QStringLiteral("03/04/1993"), QStringLiteral("1"), {}},
        {QStringLiteral("Durand Émilie"), QStringLiteral("21/11/1992"), QStringLiteral("2"),
         QStringLiteral("R")},
        {QStringLiteral("Petit Anne"), {}, QStringLiteral("1"), {}},
    };
    Serie s1;
    s1.periode = 1;
    s1.intitule = QStringLiteral("Contrôle n°1");
    s1.notes = {QStringLiteral("12,5"), QStringLiteral("abs"), QString()};
    s1.date = QStringLiteral("02/10/2006");
    Serie s2;
    s2.periode = 1;
    s2.intitule = QStringLiteral("Récitation");
    s2.notes = {QStringLiteral("15"), QStringLiteral("8"), QStringLiteral("9,25")};
    s2.noteSur = QStringLiteral("10");
    s2.typeNotes = QStringLiteral("Interrogation orale");
    s2.oralEcrit = QStringLiteral("Oral");
    s2.commentaire = QStringLiteral("Fables");
    Serie s3;
    s3.periode = 3;
    s3.intitule = QStringLiteral("DM Pythagore");
    s3.notes = {QString(), QStringLiteral("14"), QStringLiteral("abs")};
    s3.coefficient = QStringLiteral("2");
    s3.compteDansMoyenne = QStringLiteral("non");
    s3.date = QStringLiteral("12/03/2007");
    s3.commentaire = QStringLiteral("Chapitre 4");
    s3.typeNotes = QStringLiteral("Devoir à la maison");
    c.series = {s1, s2, s3};
    c.points = {QStringLiteral("+1"),
                QString(),
                QStringLiteral("-0,5"), // p1
                QString(),
                QStringLiteral("2"),
                QString(), // p2
                QString(),
                QString(),
                QStringLiteral("0,25")}; // p3
    c.libelles = {QStringLiteral("classe"), QStringLiteral("groupe 2")};
    c.typeBulletins = QStringLiteral("Bulletins du collège");
    c.colonnes = {QStringLiteral("Appréciations générales"), QStringLiteral("Progrès")};
    c.appreciations.clear();
    for (int p = 1; p <= 3; ++p)
        for (int s = 1; s <= 3; ++s)
            for (int k = 1; k <= 2; ++k)
                c.appreciations.append(
                    (p + s + k) % 3 == 0
                        ? QString()
                        : QStringLiteral("Appr. p%1 é%2 c%3").arg(p).arg(s).arg(k));
    c.arrondiMoyennes = 1;
    c.arrondiMoyennesAnnuelles = 2;
    c.typeMoyennesAnnuelles = 1;
    return c;
}

Champs ChampsActuels(const Classe& c, const QString& version) {
    const bool v20 = version == QLatin1String("2.0");
    const bool v21 = version == QLatin1String("2.1");
    const bool v23 = version == QLatin1String("2.3");
    const int P = c.P(), N = c.N();
    Champs f;
    f.Texte(QStringLiteral("Tavelin")).Texte(version);
    if (!v20) f.Texte(c.enseignant);
    f.Texte(c.nomClasse).Texte(c.ecole).Texte(c.matiere).Texte(c.anneeScolaire).Texte(c.remarque);
    f.Texte(c.typePeriodes).Nombre(P).Textes(c.periodes);
    f.Nombre(N);
    for (const Eleve& e : c.eleves)
        f.Texte(e.nom);
    for (int p = 1; p <= P; ++p) {
        QList<const Serie*> dePeriode;
        for (const Serie& s : c.series)
            if (s.periode == p) dePeriode.append(&s);
        f.Nombre(int(dePeriode.size()));
        for (const Serie* s : dePeriode) {
            f.Texte(s->intitule);
            for (int e = 0; e < N; ++e)
                f.Texte(s->notes.value(e));
            for (int k = 0; k < 9; ++k)
                f.Texte(s->reserve.value(k));
            f.Texte(s->noteSur).Texte(s->coefficient).Texte(s->compteDansMoyenne);
            f.Texte(s->date).Texte(s->commentaire).Texte(s->typeNotes);
            if (v23) f.Texte(s->oralEcrit);
        }
    }
    if (v20) {
        for (int p = 1; p <= P; ++p)
            for (int s = 1; s <= N; ++s)
                f.Texte(c.Point(p, s));
        f.Texte(c.enseignant).Nombre(c.arrondiMoyennes);
        for (int p = 1; p <= P; ++p)
            for (int s = 1; s <= N; ++s)
                f.Texte(c.Appreciation(p, s, 1));
        return f;
    }
    if (v21) {
        for (int p = 1; p <= P; ++p)
            for (int s = 1; s <= N; ++s)
                f.Texte(c.Point(p, s)).Texte(c.Appreciation(p, s, 1));
        f.Nombre(c.arrondiMoyennes)
            .Nombre(c.arrondiMoyennesAnnuelles)
            .Nombre(c.typeMoyennesAnnuelles);
        return f;
    }
    for (int p = 1; p <= P; ++p)
        for (int s = 1; s <= N; ++s)
            f.Texte(c.Point(p, s));
    f.Nombre(int(c.libelles.size())).Textes(c.libelles);
    f.Texte(c.typeBulletins).Nombre(c.K()).Textes(c.colonnes);
    for (int p = 1; p <= P; ++p)
        for (int s = 1; s <= N; ++s)
            for (int k = 1; k <= c.K(); ++k)
                f.Texte(c.Appreciation(p, s, k));
    for (const Eleve& e : c.eleves) {
        f.Texte(e.dateNaissance).Texte(e.indiceLibelle);
        if (v23) f.Texte(e.redoublant);
    }
    f.Nombre(c.arrondiMoyennes).Nombre(c.arrondiMoyennesAnnuelles).Nombre(c.typeMoyennesAnnuelles);
    return f;
}

QByteArray FichierActuel(const Classe& c, const QString& version) {
    return ChampsActuels(c, version).Donnees();
}

// ---- Old layouts -------------------------------------------------------------

const QStringList& VersionsAnciennes() {
    static const QStringList v = {QStringLiteral("bêta 2"), QStringLiteral("bêta 3"),
                                  QStringLiteral("bêta 4"), QStringLiteral("bêta 5"),
                                  QStringLiteral("bêta 6"), QStringLiteral("1.0")};
    return v;
}

const QStringList& VersionsActuelles() {
    static const QStringList v = {QStringLiteral("2.0"), QStringLiteral("2.1"),
                                  QStringLiteral("2.2"), QStringLiteral("2.3")};
    return v;
}

QByteArray FichierAncien(const ClasseAncienne& c, const QString& version) {
    Champs f;
    f.Texte(QStringLiteral("Tavelin")).Texte(version);
    f.Texte(c.nomClasse).Texte(c.ecole).Texte(c.matiere).Texte(c.anneeScolaire).Texte(c.remarque);
    f.Nombre(int(c.eleves.size())).Textes(c.eleves);
    f.Nombre(int(c.series.size()));
    for (const SerieAncienne& s : c.series) {
        f.Texte(s.noteSur).Texte(s.coefficient).Texte(s.compteDansMoyenne).Texte(s.date);
        f.Texte(s.commentaire).Texte(s.code).Texte(s.periode).Texte(s.suffixe);
        for (int e = 0; e < c.eleves.size(); ++e)
            f.Texte(s.notes.value(e));
    }
    return f.Donnees();
}

ClasseAncienne ClasseAncienneExemple() {
    ClasseAncienne c;
    c.ecole = QStringLiteral("Collège Victor-Hugo");
    c.matiere = QStringLiteral("Français");
    c.remarque = QStringLiteral("Ancienne classe");
    c.eleves = {QStringLiteral("Bernard Luc"), QStringLiteral("Martin Paul")};
    SerieAncienne a;
    a.code = QStringLiteral("0");
    a.periode = QStringLiteral("1");
    a.suffixe = QStringLiteral("n°1");
    a.date = QStringLiteral("15/10/1999");
    a.notes = {QStringLiteral("12"), QStringLiteral("-1")};
    SerieAncienne b;
    b.code = QStringLiteral("1");
    b.periode = QStringLiteral("2");
    b.suffixe = QStringLiteral("de lecture");
    b.noteSur = QStringLiteral("10");
    b.coefficient = QStringLiteral("0,5");
    b.compteDansMoyenne = QStringLiteral("non");
    b.commentaire = QStringLiteral("Rapide");
    b.notes = {QStringLiteral("-1"), QStringLiteral("7")};
    SerieAncienne d;
    d.code = QStringLiteral("2");
    d.periode = QStringLiteral("3");
    d.suffixe = QStringLiteral("rédaction");
    d.notes = {QStringLiteral("14,5"), QString()};
    c.series = {a, b, d};
    return c;
}

// ---- Files -------------------------------------------------------------------

bool EcrireFichier(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return f.write(octets) == octets.size();
}

QByteArray LireFichier(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) return QByteArray();
    return f.readAll();
}

QStringList Instantane(TFichierTav& f) {
    QStringList l;
    auto ajouter = [&l](const char* cle, const QString& valeur) {
        l.append(QString::fromUtf8(cle) + QLatin1Char('=') + valeur);
    };
    ajouter("enseignant", f.Enseignant());
    ajouter("classe", f.Classe());
    ajouter("ecole", f.Ecole());
    ajouter("matiere", f.Matiere());
    ajouter("annee", f.AnneeScolaire());
    ajouter("remarque", f.Remarque());
    ajouter("typePeriodes", f.TypePeriodes());
    ajouter("arrondi", QString::number(f.ArrondiMoyennes()));
    ajouter("arrondiAnnuel", QString::number(f.ArrondiMoyennesAnnuelles()));
    ajouter("typeAnnuel", QString::number(f.TypeMoyennesAnnuelles()));
    const int P = f.NombrePeriodes(), N = f.NombreEleves(), K = f.NombreColonnesBulletin();
    ajouter("P", QString::number(P));
    for (int p = 1; p <= P; ++p)
        ajouter("periode", f.NomPeriode(p));
    ajouter("N", QString::number(N));
    for (int s = 1; s <= N; ++s) {
        ajouter("eleve", f.NomEleve(s));
        ajouter("  naissance", f.DateNaissance(s));
        ajouter("  redoublant", f.EstRedoublant(s) ? QStringLiteral("oui") : QStringLiteral("non"));
        ajouter("  indice", f.IndiceLibelle(s));
    }
    ajouter("libelles", f.LibellesClasse().join(QLatin1Char('|')));
    ajouter("typeBulletins", f.TypeBulletins());
    ajouter("K", QString::number(K));
    for (int c = 1; c <= K; ++c)
        ajouter("colonne", f.NomColonneBulletin(c));
    for (int p = 1; p <= P; ++p) {
        ajouter("S", QString::number(f.NombreSeries(p)));
        for (int j = 1; j <= f.NombreSeries(p); ++j) {
            ajouter("  intitule", f.Intitule(p, j));
            ajouter("  noteSur", f.NoteSur(p, j));
            ajouter("  coefficient", f.Coefficient(p, j));
            ajouter("  compte", f.CompteDansMoyenne(p, j));
            ajouter("  date", f.DateSerie(p, j));
            ajouter("  commentaire", f.Commentaire(p, j));
            ajouter("  type", f.TypeNotes(p, j));
            ajouter("  oralEcrit", f.OralEcrit(p, j));
            for (int s = 1; s <= N; ++s)
                ajouter("    note", f.Note(p, j, s));
        }
    }
    for (int p = 1; p <= P; ++p)
        for (int s = 1; s <= N; ++s) {
            ajouter("points", f.PointsPlusMoins(p, s));
            for (int c = 1; c <= K; ++c)
                ajouter("appreciation", f.Appreciation(p, s, c));
        }
    return l;
}

ReglagesPrives::ReglagesPrives() {
    chemin = QDir(dossier.path()).filePath(QStringLiteral("reglages.ini"));
    DefinirFichierReglages(chemin);
}

ReglagesPrives::~ReglagesPrives() {
    DefinirFichierReglages(QString());
}

void ReglagesPrives::Vider() {
    QFile::remove(chemin);
    DefinirFichierReglages(chemin);
}

} // namespace TavTest
