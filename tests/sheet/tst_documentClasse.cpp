// The class document: every change of the class file, whoever makes it, is announced once by the
// document's signal for what changed, and the sheet's light and caption follow the modified flag
// at once, without the main window's timer; the sheet's views follow every change made on the
// class file alone, as if the class had been read again.
#include "../app/soutien_gui.h"

#include "_TGrilleNotes.h"
#include "tavX_actions.h"
#include "tavX_constantes.h"
#include "tavX_documentClasse.h"
#include "tavX_fichierTav.h"
#include "tavX_options.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMetaMethod>
#include <QSignalSpy>

#include <map>

class TestDocumentClasse : public QObject {
    Q_OBJECT

    std::unique_ptr<TEnvironnementGui> env;
    std::unique_ptr<TFormTavelin2> fenetre;

    TFeuilleClasse* Ouvrir(int eleves, const QList<int>& series) {
        static int numero = 0;
        const QString nom = QStringLiteral("doc%1").arg(++numero);
        return fenetre->OuvrirOuMontrer(
            EcrireClasse(env->Chemin(nom + QStringLiteral(".tav")), nom, eleves, series));
    }

    // One spy per signal of the document, by name.
    static std::map<QByteArray, std::unique_ptr<QSignalSpy>> Espions(TDocumentClasse& d) {
        std::map<QByteArray, std::unique_ptr<QSignalSpy>> espions;
        const QMetaObject* meta = d.metaObject();
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
            const QMetaMethod m = meta->method(i);
            if (m.methodType() == QMetaMethod::Signal)
                espions[m.name()] = std::make_unique<QSignalSpy>(&d, m);
        }
        return espions;
    }

    // Every cell of the three grids of the grades page and the labels of the bottom bar.
    static QStringList Vue(TFeuilleClasse* f) {
        QStringList vue{f->Label1()->text(), f->Label2()->text(), f->Label3()->text()};
        for (TGrilleFeuille* g : {f->Grilles().eleves, f->Grilles().notes, f->Grilles().moyennes}) {
            auto* grille = dynamic_cast<TGrilleGeneriqueTavelin*>(g);
            vue << QStringLiteral("%1×%2")
                       .arg(grille->NombreColonnes())
                       .arg(grille->NombreLignes());
            for (int l = 0; l < grille->NombreLignes(); ++l)
                for (int c = 0; c < grille->NombreColonnes(); ++c)
                    vue << grille->Texte(c, l);
        }
        return vue;
    }

private slots:
    void init() {
        env = std::make_unique<TEnvironnementGui>();
        fenetre = FenetrePrete();
        // No tick may do the work of the signals.
        fenetre->Timer1().stop();
    }
    void cleanup() {
        fenetre.reset();
        env.reset();
    }

    void noteSaisieEtEnregistrement() {
        TFeuilleClasse* f = Ouvrir(3, {2});
        QVERIFY(f);
        auto* g = dynamic_cast<TGrilleNotesTavelin*>(f->Grilles().notes);
        QVERIFY(g);
        QVERIFY(f->ImageFeuRouge()->isHidden());
        auto espions = Espions(f->Document());

        // A mark typed in the second series for the second student.
        g->scrollTo(g->Modele()->index(1, 1));
        QTest::mouseClick(g->WidgetCellule(2), Qt::LeftButton, {}, g->RectCellule(1, 2).center());
        QLineEdit* e = g->Editeur();
        QTest::keyClicks(e && e->isVisible() ? static_cast<QWidget*>(e) : g, QStringLiteral("7"));
        QTest::keyClick(g->Editeur(), Qt::Key_Return);
        QCOMPARE(f->Fichier().Note(1, 2, 2), QStringLiteral("7"));

        QSignalSpy& notes = *espions.at("notesChangees");
        QCOMPARE(notes.count(), 1);
        QCOMPARE(notes.at(0), (QVariantList{1, 2, 2}));
        QSignalSpy& modifie = *espions.at("modifieChange");
        QCOMPARE(modifie.count(), 1);
        QCOMPARE(modifie.at(0).at(0).toBool(), true);
        for (const auto& [nom, espion] : espions)
            if (nom != "notesChangees" && nom != "modifieChange") QCOMPARE(espion->count(), 0);
        // The light, the caption and the column follow at once.
        QVERIFY(!f->ImageFeuRouge()->isHidden());
        QVERIFY(f->ImageFeuVert()->isHidden());
        QVERIFY(f->SousFenetre()->isWindowModified());
        QCOMPARE(g->Texte(1, 3 + Tav::LigneMoyenne), f->Fichier().MoyenneSerie(1, 2));

        // The same mark again changes nothing and says nothing.
        f->Fichier().ModifierNote(1, 2, QStringLiteral("7"), 2);
        QCOMPARE(notes.count(), 1);

        QVERIFY(f->Enregistrer());
        QCOMPARE(modifie.count(), 2);
        QCOMPARE(modifie.at(1).at(0).toBool(), false);
        QVERIFY(f->ImageFeuRouge()->isHidden());
        QVERIFY(!f->ImageFeuVert()->isHidden());
        QVERIFY(!f->SousFenetre()->isWindowModified());
    }

    void lotDeNotesAfficheUneFoisALaFin() {
        TFeuilleClasse* f = Ouvrir(4, {1});
        QVERIFY(f);
        auto* notes = dynamic_cast<TGrilleGeneriqueTavelin*>(f->Grilles().notes);
        auto* moyennes = dynamic_cast<TGrilleGeneriqueTavelin*>(f->Grilles().moyennes);
        QVERIFY(notes && moyennes);
        QSignalSpy annonces(&f->Document(), &TDocumentClasse::notesChangees);
        const QString avant = moyennes->Texte(0, 2);
        {
            // A pasted column: every mark announced, the grids refreshed at the end.
            TDocumentClasse::TLot lot(f->Document());
            for (int s = 1; s <= 4; ++s)
                f->Fichier().ModifierNote(1, 1, QString::number(s == 2 ? 19 : 0), s);
        }
        QCOMPARE(annonces.count(), 4);
        const QStringList vus = {moyennes->Texte(0, 1), moyennes->Texte(0, 2),
                                 moyennes->Texte(0, 4)};
        QVERIFY(vus.at(1) != avant);
        // What a full recalculation shows.
        f->NotifToutRecalculer();
        moyennes->NotifMoyennes(1, 0);
        QCOMPARE(vus, (QStringList{moyennes->Texte(0, 1), moyennes->Texte(0, 2),
                                   moyennes->Texte(0, 4)}));
    }

    void pointsRafraichissentLeurLigne() {
        TFeuilleClasse* f = Ouvrir(3, {1});
        QVERIFY(f);
        auto* moyennes = dynamic_cast<TGrilleGeneriqueTavelin*>(f->Grilles().moyennes);
        QVERIFY(moyennes);
        TFichierTav& c = f->Fichier();
        const int mode = Options::ArrondirMoyennes();
        // Points given by any command (here the class file itself, as the dialog does), one
        // student, then two in one batch (a pasted column): the rows show them at once.
        c.ModifierPointsPlusMoins(1, 2, QStringLiteral("+2"));
        QCOMPARE(moyennes->Texte(2, 2), QStringLiteral("+2"));
        QCOMPARE(moyennes->Texte(3, 2), c.MoyenneBulletin(1, 2, mode));
        {
            TDocumentClasse::TLot lot(f->Document());
            c.ModifierPointsPlusMoins(1, 1, QStringLiteral("-1"));
            c.ModifierPointsPlusMoins(1, 3, QStringLiteral("+1"));
            QCOMPARE(moyennes->Texte(2, 1), QString());
        }
        for (int s = 1; s <= 3; ++s) {
            QCOMPARE(moyennes->Texte(2, s), c.PointsPlusMoins(1, s));
            QCOMPARE(moyennes->Texte(3, s), c.MoyenneBulletin(1, s, mode));
        }
    }

    void chaqueModificationSAnnonceUneFois_data() {
        QTest::addColumn<int>("cas");
        QTest::addColumn<QByteArray>("signal");
        QTest::addColumn<int>("fois");
        QTest::newRow("élève ajouté") << 0 << QByteArray("elevesChanges") << 1;
        QTest::newRow("points") << 1 << QByteArray("pointsChanges") << 1;
        QTest::newRow("série ajoutée") << 2 << QByteArray("seriesChangees") << 1;
        // A move is one announcement per period, not one per mark it copies.
        QTest::newRow("série déplacée") << 3 << QByteArray("seriesChangees") << 2;
        QTest::newRow("coefficient") << 4 << QByteArray("serieChangee") << 1;
        QTest::newRow("appréciation") << 5 << QByteArray("appreciationsChangees") << 1;
        QTest::newRow("classe") << 6 << QByteArray("identiteChangee") << 1;
        QTest::newRow("arrondi") << 7 << QByteArray("reglagesCalculChanges") << 1;
        QTest::newRow("élève supprimé") << 8 << QByteArray("elevesChanges") << 1;
        QTest::newRow("élève renommé") << 9 << QByteArray("elevesChanges") << 1;
        QTest::newRow("liste remplacée") << 10 << QByteArray("elevesChanges") << 1;
        QTest::newRow("série supprimée") << 11 << QByteArray("seriesChangees") << 1;
        QTest::newRow("série descendue") << 12 << QByteArray("seriesChangees") << 1;
        QTest::newRow("noté sur") << 13 << QByteArray("serieChangee") << 1;
        QTest::newRow("oral") << 14 << QByteArray("serieChangee") << 1;
        QTest::newRow("intitulé") << 15 << QByteArray("serieChangee") << 1;
    }
    void chaqueModificationSAnnonceUneFois() {
        QFETCH(int, cas);
        QFETCH(QByteArray, signal);
        QFETCH(int, fois);
        TFeuilleClasse* f = Ouvrir(3, {2});
        QVERIFY(f);
        TFichierTav& c = f->Fichier();
        auto espions = Espions(f->Document());
        switch (cas) {
        case 0:
            c.AjouterEleve(QStringLiteral("Zoé"), QString(), false);
            break;
        case 1:
            c.ModifierPointsPlusMoins(1, 2, QStringLiteral("1,5"));
            break;
        case 2:
            c.AjouterSerie(2, QStringLiteral("DS"), false, QString(), QString(), QString(),
                           QStringLiteral("oui"), QStringLiteral("1"), QStringLiteral("20"));
            break;
        case 3:
            c.DeplacerSerie(1, 1, 2);
            break;
        case 4:
            c.ModifierCoefficient(1, 1, QStringLiteral("3"));
            break;
        case 5:
            c.ModifierAppreciation(1, 1, 1, QStringLiteral("Bien"));
            break;
        case 6:
            c.ModifierClasse(QStringLiteral("4e Z"));
            break;
        case 7:
            c.ModifierArrondiMoyennes(quint8(c.ArrondiMoyennes() == 1 ? 2 : 1));
            break;
        case 8:
            c.SupprimerEleve(2);
            break;
        case 9:
            c.ModifierEleve(3, QStringLiteral("Aaron Zoé"), true, QStringLiteral("01/02/2012"));
            break;
        case 10:
            c.ModifierListeEleves({QStringLiteral("Un"), QStringLiteral("Deux"),
                                   QStringLiteral("Trois"), QStringLiteral("Quatre")});
            break;
        case 11:
            c.SupprimerSerie(1, 1);
            break;
        case 12:
            c.DescendreSerie(1, 1);
            break;
        case 13:
            c.ModifierNoteSur(1, 2, QStringLiteral("10"));
            break;
        case 14:
            c.ModifierOral(1, 1, c.OralEcrit(1, 1) != QStringLiteral("Oral"));
            break;
        case 15:
            c.ModifierIntitule(1, 2, QStringLiteral("Contrôle"));
            break;
        }
        for (const auto& [nom, espion] : espions) {
            const int attendu = nom == signal ? fois : nom == "modifieChange" ? 1 : 0;
            QVERIFY2(espion->count() == attendu,
                     qPrintable(nom + " : " + QByteArray::number(espion->count())));
        }
        QVERIFY(!f->ImageFeuRouge()->isHidden());
        // The class label follows its class at once.
        if (cas == 6) QVERIFY(f->Label2()->text().startsWith(QStringLiteral("4e Z - ")));

        // Nobody refreshed the sheet by hand: it shows what the same class read again shows.
        const QString copie = env->Chemin(QStringLiteral("relue%1.tav").arg(cas));
        QVERIFY(f->Document().Enregistrer(copie));
        const QStringList vue = Vue(f);
        QVERIFY(QFile::copy(copie, copie + QStringLiteral(".tav")));
        TFeuilleClasse* relue = fenetre->OuvrirOuMontrer(copie + QStringLiteral(".tav"));
        QVERIFY(relue && relue != f);
        relue->ChoisirPeriode(f->PeriodeCourante() - 1);
        QCOMPARE(vue, Vue(relue));
    }

    // Undo and redo as a teacher uses them: a typed mark, then Ctrl+Z brings back the old mark
    // and its averages; a deleted series comes back in its place with its marks; undoing back to
    // the saved class turns the light green again. The commands name their step.
    void annulerEtRetablirAuClavier() {
        TFeuilleClasse* f = Ouvrir(3, {2, 1});
        QVERIFY(f);
        f->ChoisirPeriode(0);
        auto* g = dynamic_cast<TGrilleNotesTavelin*>(f->Grilles().notes);
        QAction* annuler = TActions::Action(TActions::Id::Annuler);
        QAction* retablir = TActions::Action(TActions::Id::Retablir);
        QVERIFY(annuler && retablir && !annuler->isEnabled());
        const QStringList avant = Vue(f);

        g->setFocus();
        g->SelectionnerCellule(0, 2);
        QTest::keyClicks(g, QStringLiteral("9"));
        QVERIFY(g->Editeur());
        QTest::keyClick(g->Editeur(), Qt::Key_Return);
        QCoreApplication::processEvents(); // the step ends with the event
        QCOMPARE(f->Fichier().Note(1, 1, 2), QStringLiteral("9"));
        QCOMPARE(annuler->text(),
                 QStringLiteral("&Annuler la saisie de la note de ") + f->Fichier().NomEleve(2));
        QVERIFY(annuler->isEnabled());
        QVERIFY(!f->ImageFeuRouge()->isHidden());

        QTest::keyClick(g, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Vue(f), avant);                 // the mark, its column and its averages
        QVERIFY(f->ImageFeuRouge()->isHidden()); // back to the file on disk
        QVERIFY(retablir->isEnabled());
        QTest::keyClick(g, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(f->Fichier().Note(1, 1, 2), QStringLiteral("9"));
        QVERIFY(!f->ImageFeuRouge()->isHidden());

        // A series deleted (as the series tools do) comes back in its place.
        const QStringList avecSerie = Vue(f);
        const QString titre = f->Fichier().Intitule(1, 1);
        f->Fichier().SupprimerSerie(1, 1);
        QCoreApplication::processEvents();
        QVERIFY(Vue(f) != avecSerie);
        QCOMPARE(annuler->text(),
                 QStringLiteral("&Annuler la suppression de la série « %1 »").arg(titre));
        annuler->trigger();
        QCOMPARE(Vue(f), avecSerie);
        QCOMPARE(f->Fichier().Intitule(1, 1), titre);
        QCOMPARE(f->Fichier().Note(1, 1, 2), QStringLiteral("9"));
        annuler->trigger();
        QCOMPARE(Vue(f), avant);
        QVERIFY(f->ImageFeuRouge()->isHidden());
    }
};

QTEST_MAIN(TestDocumentClasse)
#include "tst_documentClasse.moc"
