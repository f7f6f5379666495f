// Keyboard use of every dialog of the class and series commands: each mnemonic label leads to
// a field, Tab reaches every field, every text field refuses what a class file cannot hold.
// With TAV_CAPTURES set to a folder, each dialog is also saved there as a picture, filled.
#include "_FormCreerListeEleves.h"
#include "_FormEdit.h"
#include "_FormInformationsSeries.h"
#include "_FormModifierEleve.h"
#include "_FormNouvelleClasse.h"
#include "_FormNouvelleSerieDeNotes.h"
#include "aideDialogues.h"
#include "tavX_fichierTav.h"
#include "tavX_options.h"
#include "tavX_programme.h"
#include "tavX_saisieTexte.h"
#include "tavtest_ecrivain.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSet>
#include <QTest>

using namespace AideDialogues;

namespace {

std::unique_ptr<TFichierTav> ClasseRemplie() {
    auto f = std::make_unique<TFichierTav>();
    f->ModifierClasse(QStringLiteral("4e B"));
    f->ModifierEcole(QStringLiteral("Collège Jean Moulin"));
    f->ModifierMatiere(QStringLiteral("Mathématiques"));
    f->ModifierEnseignant(QStringLiteral("Mme Durand"));
    f->InitialiserClasse(QStringLiteral("Semestres"),
                         QStringLiteral("Nouveaux bulletins du collège"));
    f->ModifierListeEleves({QStringLiteral("AUBERT Léa"), QStringLiteral("DUPONT Jean")});
    f->AjouterSerie(1, QStringLiteral("Contrôle n°1"), false, QStringLiteral("Contrôle en classe"),
                    QStringLiteral("Fractions"), QStringLiteral("10/10/2024"),
                    QStringLiteral("oui"), QStringLiteral("2"), QStringLiteral("15"));
    f->AjouterSerie(1, QStringLiteral("Exposé"), true, QStringLiteral("Oral"), QString(),
                    QStringLiteral("??"), QStringLiteral("non"), QStringLiteral("1"),
                    QStringLiteral("20"));
    return f;
}

bool Atteignable(QWidget* w, QWidget* dialogue) {
    if (w->window() != dialogue) return false; // the pop-up lists of the combo boxes
    if (!w->isVisibleTo(dialogue) || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus))
        return false;
    if (w->focusProxy()) return false; // its proxy takes the focus
    // In a group of exclusive radio buttons, Tab stops on the checked one only.
    if (auto* radio = qobject_cast<QRadioButton*>(w)) return radio->isChecked();
    return true;
}

} // namespace

class TestClavier : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        reglages = std::make_unique<TavTest::ReglagesPrives>();
        Options::EnregistrerUtilisateurs(
            {QStringLiteral("Mme Durand"), QStringLiteral("M. Martin")});
        classe = ClasseRemplie();
    }
    void cleanupTestCase() {
        classe.reset();
        reglages.reset();
    }

    void dialogue_data() {
        QTest::addColumn<QString>("nom");
        for (const char* n :
             {"FormEdit", "FormModifierEleve", "FormNouvelleClasse", "FormInformationsClasse",
              "FormCreerListeEleves", "FormNouvelleSerieDeNotes", "FormInformationsSeriesDeNotes"})
            QTest::newRow(n) << QString::fromLatin1(n);
    }

    void dialogue() {
        QFETCH(QString, nom);
        std::unique_ptr<QDialog> d = Creer(nom);
        QVERIFY(d);
        QVERIFY(Montrer(d.get()));

        // Each label with a mnemonic leads to a field.
        for (QLabel* label : d->findChildren<QLabel*>()) {
            if (!label->text().contains(QLatin1Char('&'))) continue;
            QVERIFY2(label->buddy(), qPrintable(label->text()));
        }

        // Tab goes round every field once.
        QSet<QWidget*> attendus;
        for (QWidget* w : d->findChildren<QWidget*>())
            if (Atteignable(w, d.get())) attendus.insert(w);
        QVERIFY(QApplication::focusWidget());
        QSet<QWidget*> vus;
        QWidget* premier = QApplication::focusWidget();
        for (int i = 0; i < 60; ++i) {
            QWidget* w = QApplication::focusWidget();
            QVERIFY(w);
            vus.insert(w);
            if (Tab(d.get()) == premier) break;
        }
        QCOMPARE(QApplication::focusWidget(), premier);
        for (QWidget* w : std::as_const(attendus))
            QVERIFY2(vus.contains(w), qPrintable(w->metaObject()->className() +
                                                 (QStringLiteral(" ") + w->objectName())));

        // Every text field refuses characters outside Windows-1252.
        for (QLineEdit* champ : d->findChildren<QLineEdit*>()) {
            if (qobject_cast<QAbstractSpinBox*>(champ->parentWidget())) continue; // the date
            QVERIFY2(qobject_cast<const Tav::TValidateurWindows1252*>(champ->validator()),
                     qPrintable(champ->objectName()));
        }

        const QString dossier = qEnvironmentVariable("TAV_CAPTURES");
        if (!dossier.isEmpty()) {
            QDir().mkpath(dossier);
            QVERIFY(d->grab().save(QDir(dossier).filePath(nom + QStringLiteral(".png"))));
        }
        d->reject();
    }

private:
    std::unique_ptr<QDialog> Creer(const QString& nom) {
        const QPixmap logo = Programme::Logo();
        TFichierTav* f = classe.get();
        if (nom == QLatin1String("FormEdit"))
            return std::make_unique<TFormEdit>(nullptr, true, QStringLiteral("15"),
                                               QStringLiteral("Noté sur"));
        if (nom == QLatin1String("FormModifierEleve"))
            return std::make_unique<TFormModifierEleve>(
                nullptr, QStringLiteral("Modifier les informations de l'élève"), true,
                QStringLiteral("03/04/2011"), QStringLiteral("DUPONT Jean"));
        if (nom == QLatin1String("FormNouvelleClasse"))
            return std::make_unique<TFormNouvelleClasse>(
                nullptr, TFormNouvelleClasse::ModeNouvelleClasse, logo,
                QStringLiteral("Nouvelle classe"), f);
        if (nom == QLatin1String("FormInformationsClasse"))
            return std::make_unique<TFormNouvelleClasse>(
                nullptr, TFormNouvelleClasse::ModeInformation, logo,
                QStringLiteral("Informations sur la classe"), f);
        if (nom == QLatin1String("FormCreerListeEleves")) {
            auto d = std::make_unique<TFormCreerListeEleves>(nullptr, logo, f->Classe());
            d->EditNomEtPrenom()->setText(QStringLiteral("MARTIN Léa"));
            d->Ajouter();
            d->EditNomEtPrenom()->setText(QStringLiteral("DUPONT Jean"));
            d->EditDate()->setText(QStringLiteral("03/04/2011"));
            d->Ajouter();
            d->EditNomEtPrenom()->setText(QStringLiteral("ÉMERY Paul"));
            d->CheckBoxRedoublant()->setChecked(true);
            d->Ajouter();
            return d;
        }
        if (nom == QLatin1String("FormNouvelleSerieDeNotes")) {
            auto d = std::make_unique<TFormNouvelleSerieDeNotes>(
                nullptr, QStringLiteral("Nouvelle série de notes"), logo, f);
            d->ComboBox1()->setEditText(QStringLiteral("Contrôle n°2"));
            return d;
        }
        if (nom == QLatin1String("FormInformationsSeriesDeNotes"))
            return std::make_unique<TFormInformationsSeriesDeNotes>(nullptr, logo, f);
        return {};
    }

    std::unique_ptr<TavTest::ReglagesPrives> reglages;
    std::unique_ptr<TFichierTav> classe;
};

QTEST_MAIN(TestClavier)
#include "tst_clavier.moc"
