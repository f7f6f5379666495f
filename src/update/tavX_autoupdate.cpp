#include "tavX_autoupdate.h"

#include "_FormNouvelleVersionDisponible.h"
#include "tavX_interlocuteur.h"

#include <QDialog>
#include <QLabel>
#include <QMetaEnum>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProgressBar>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QVBoxLayout>

namespace MiseAJour {

QString VersionProgramme() {
    return QStringLiteral(TAVELIN_VERSION);
}

QString TexteCorps(const QByteArray& corps) {
    QByteArray octets = corps;
    if (octets.startsWith("\xEF\xBB\xBF")) octets.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString texte = utf8.decode(octets);
    if (utf8.hasError()) texte = QString::fromLatin1(octets);
    return texte;
}

QString Valeur(const QString& texte, const QString& nom) {
    static const QRegularExpression finDeLigne(QStringLiteral("\r\n|\r|\n"));
    const QStringList lignes = texte.split(finDeLigne);
    for (const QString& ligne : lignes) {
        const qsizetype egal = ligne.indexOf(QLatin1Char('='));
        if (egal < 0) continue;
        if (ligne.left(egal).trimmed().compare(nom, Qt::CaseInsensitive) == 0)
            return ligne.mid(egal + 1).trimmed();
    }
    return {};
}

TDocumentVersion LireDocumentVersion(const QByteArray& corps) {
    const QString texte = TexteCorps(corps);
    return {Valeur(texte, QStringLiteral("LatestVersion")),
            Valeur(texte, QStringLiteral("UpdateURL")),
            Valeur(texte, QStringLiteral("NewVersionInfo")),
            Valeur(texte, QStringLiteral("NewVersionInfoURL"))};
}

namespace {

std::optional<QList<quint64>> Nombres(const QString& version) {
    const QString v = version.trimmed();
    if (v.isEmpty()) return std::nullopt;
    QList<quint64> nombres;
    for (const QString& partie : v.split(QLatin1Char('.'))) {
        if (partie.isEmpty() || partie.size() > 9) return std::nullopt;
        for (QChar c : partie)
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
        nombres.append(partie.toULongLong());
    }
    return nombres;
}

} // namespace

std::optional<int> ComparerVersions(const QString& a, const QString& b) {
    const auto na = Nombres(a);
    const auto nb = Nombres(b);
    if (!na || !nb) return std::nullopt;
    const qsizetype n = std::max(na->size(), nb->size());
    for (qsizetype i = 0; i < n; ++i) {
        const quint64 x = na->value(i, 0);
        const quint64 y = nb->value(i, 0);
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

bool EstPlusRecente(const QString& publiee, const QString& locale) {
    const auto c = ComparerVersions(publiee, locale);
    return c && *c > 0;
}

bool AdresseAutorisee(const QUrl& adresse) {
    const QString schema = adresse.scheme().toLower();
    return adresse.isValid() && !adresse.host().isEmpty() &&
           (schema == QLatin1String("http") || schema == QLatin1String("https"));
}

// ---- TVerificationMiseAJour ---------------------------------------------------------------------

TVerificationMiseAJour::TVerificationMiseAJour(QObject* parent) : QObject(parent) {
    reseau = new QNetworkAccessManager(this);
    delaiTotal.setSingleShot(true);
    delaiTotal.setInterval(DelaiTotalMs);
    connect(&delaiTotal, &QTimer::timeout, this, [this] {
        delaiDepasse = true;
        if (enCoursReponse) enCoursReponse->abort();
    });
}

TVerificationMiseAJour::~TVerificationMiseAJour() {
    if (enCoursReponse) {
        enCoursReponse->disconnect(this);
        enCoursReponse->abort();
    }
}

void TVerificationMiseAJour::DefinirProxy(const QNetworkProxy& proxy) {
    reseau->setProxy(proxy);
}

void TVerificationMiseAJour::Lancer(const QUrl& adresse, const QString& version) {
    if (enCours) return;
    enCours = true;
    delaiDepasse = false;
    resultat = {};
    versionLocale = version;
    delaiTotal.start();
    emit etape(1);
    Telecharger(adresse, [this](const TReponse& r) { DocumentRecu(r); });
}

void TVerificationMiseAJour::Telecharger(const QUrl& adresse,
                                         std::function<void(const TReponse&)> suite) {
    if (!AdresseAutorisee(adresse)) {
        TReponse r;
        r.classeErreur = QStringLiteral("ProtocolUnknownError");
        r.messageErreur = QStringLiteral("seules les adresses http et https sont consultées");
        // Answered from the event loop, as every other outcome.
        QTimer::singleShot(0, this, [suite, r] { suite(r); });
        return;
    }
    QNetworkRequest requete(adresse);
    requete.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    requete.setMaximumRedirectsAllowed(5);
    requete.setTransferTimeout(DelaiTransfertMs);
    requete.setHeader(QNetworkRequest::UserAgentHeader,
                      QStringLiteral("Tavelin/%1").arg(VersionProgramme()));
    QNetworkReply* reponse = reseau->get(requete);
    enCoursReponse = reponse;

    struct TEtat {
        QByteArray corps;
        bool coupe = false;
        QString refus;
        QUrl courante;
    };
    auto etat = std::make_shared<TEtat>();
    etat->courante = adresse;

    connect(reponse, &QNetworkReply::redirected, this, [reponse, etat](const QUrl& vers) {
        const QUrl cible = etat->courante.resolved(vers);
        if (!AdresseAutorisee(cible)) {
            etat->refus = QStringLiteral("redirection refusée vers \"%1\"")
                              .arg(cible.toString(QUrl::RemoveUserInfo));
        } else if (etat->courante.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) ==
                       0 &&
                   cible.scheme().compare(QLatin1String("http"), Qt::CaseInsensitive) == 0) {
            etat->refus = QStringLiteral("redirection refusée d'une adresse sûre (https) vers "
                                         "une adresse non sûre (http)");
        }
        if (!etat->refus.isEmpty()) {
            reponse->abort();
            return;
        }
        etat->courante = cible;
        emit reponse->redirectAllowed();
    });
    connect(reponse, &QIODevice::readyRead, this, [reponse, etat] {
        if (etat->coupe) return;
        const qint64 reste = TailleMaximaleReponse - etat->corps.size();
        etat->corps += reponse->read(reste);
        if (etat->corps.size() >= TailleMaximaleReponse) {
            // What lies beyond is not read: the body is cut here.
            etat->coupe = true;
            reponse->abort();
        }
    });
    connect(reponse, &QNetworkReply::finished, this, [this, reponse, etat, suite] {
        reponse->deleteLater();
        if (enCoursReponse == reponse) enCoursReponse = nullptr;
        TReponse r;
        if (!etat->coupe && reponse->error() == QNetworkReply::NoError)
            etat->corps += reponse->read(TailleMaximaleReponse - etat->corps.size());
        if (!etat->refus.isEmpty()) {
            r.classeErreur = QStringLiteral("InsecureRedirectError");
            r.messageErreur = etat->refus;
        } else if (delaiDepasse) {
            r.classeErreur = QStringLiteral("TimeoutError");
            r.messageErreur = QStringLiteral("le serveur n'a pas répondu dans les %1 secondes")
                                  .arg(DelaiTotalMs / 1000);
        } else if (etat->coupe || reponse->error() == QNetworkReply::NoError) {
            r.reussie = true;
            r.corps = etat->corps;
        } else {
            r.classeErreur = QString::fromLatin1(
                QMetaEnum::fromType<QNetworkReply::NetworkError>().valueToKey(reponse->error()));
            r.messageErreur = reponse->errorString();
        }
        suite(r);
    });
}

void TVerificationMiseAJour::DocumentRecu(const TReponse& reponse) {
    if (!reponse.reussie) {
        resultat.erreur = reponse.messageErreur;
        Terminer();
        return;
    }
    resultat.reussi = true;
    const TDocumentVersion document = LireDocumentVersion(reponse.corps);
    resultat.miseAJour = EstPlusRecente(document.derniereVersion, versionLocale);
    resultat.adresseMiseAJour = document.adresseMiseAJour;
    resultat.description = document.information;
    if (!resultat.miseAJour) {
        Terminer();
        return;
    }
    static const QRegularExpression bords(QStringLiteral("^[\\s\\x00-\\x1f]+|[\\s\\x00-\\x1f]+$"));
    if (!QString(resultat.description).remove(bords).isEmpty() ||
        document.adresseInformation.isEmpty()) {
        Terminer();
        return;
    }
    emit etape(2);
    const QString adresse = document.adresseInformation;
    Telecharger(QUrl(adresse), [this, adresse](const TReponse& r) {
        if (r.reussie) {
            resultat.description = TexteCorps(r.corps);
        } else {
            // One formatting pass: a "%2F" in the address is not taken for a place holder.
            resultat.description =
                QStringLiteral("Impossible de lire les informations sur la nouvelle version à "
                               "l'adresse \"%1\".\nException %2: \"%3\"")
                    .arg(adresse, r.classeErreur, r.messageErreur);
        }
        Terminer();
    });
}

void TVerificationMiseAJour::Terminer() {
    delaiTotal.stop();
    enCours = false;
    emit terminee(resultat);
}

// ---- Start-up check
// -------------------------------------------------------------------------------

namespace {

class TFenetreAttente : public QDialog {
public:
    explicit TFenetreAttente(QWidget* parent) : QDialog(parent) {
        setObjectName(QStringLiteral("FormPatientezMiseAJour"));
        setWindowTitle(QStringLiteral(" Vérification automatique de mise à jour ..."));
        auto* mise = new QVBoxLayout(this);
        mise->addWidget(new QLabel(QStringLiteral("Recherche d'une nouvelle version..."), this));
        barre = new QProgressBar(this);
        barre->setRange(1, 2);
        barre->setValue(1);
        barre->setMinimumWidth(320);
        mise->addWidget(barre);
    }
    QProgressBar* barre = nullptr;
};

} // namespace

TVerificationMiseAJour* VerifierMiseAJour(QWidget* parent, const QUrl& adresse) {
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    auto* verification = new TVerificationMiseAJour(parent);
    auto* attente = new TFenetreAttente(parent);
    attente->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<TFenetreAttente> fenetre(attente);
    QObject::connect(verification, &TVerificationMiseAJour::etape, attente,
                     [attente](int numero) { attente->barre->setValue(numero); });
    QObject::connect(
        verification, &TVerificationMiseAJour::terminee, verification,
        [verification, fenetre, parent](const TVerificationMiseAJour::TResultat& r) {
            if (fenetre) fenetre->close();
            verification->deleteLater();
            if (!r.reussi) {
                Erreur(parent, QStringLiteral("Impossible d'accèder à internet pour vérifier la "
                                              "disponibilité d'une mise à jour.\nVérifiez que "
                                              "votre connection internet est active."));
            } else if (r.miseAJour) {
                TFormNouvelleVersionDisponible nouvelle(parent, r.description);
                nouvelle.exec();
            }
        });
    attente->show();
    verification->Lancer(adresse);
    return verification;
}

} // namespace MiseAJour
