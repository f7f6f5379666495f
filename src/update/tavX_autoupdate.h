#pragma once
// The update check: a small text document on the maker's server tells the newest version
// ("LatestVersion=2.10.1"), where to get it ("UpdateURL") and what it brings ("NewVersionInfo",
// or the whole body of a second document at "NewVersionInfoURL"). The check runs in the
// background on the event loop: the window never freezes, a transfer that stalls ends after
// 2 s and the whole check after 10 s. What the server sends is not trusted: only http and
// https addresses are followed (never from https down to http), no body is read beyond 64 KiB,
// and the description is only ever shown as plain text.
#include <QByteArray>
#include <QNetworkProxy>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;
class QWidget;

namespace MiseAJour {

inline constexpr qint64 TailleMaximaleReponse = 64 * 1024;
inline constexpr int DelaiTransfertMs = 2000;
inline constexpr int DelaiTotalMs = 10000;

// The program's own version, as the build gives it ("2.3.0").
QString VersionProgramme();

// The names of the version document.
struct TDocumentVersion {
    QString derniereVersion;    // "LatestVersion"
    QString adresseMiseAJour;   // "UpdateURL"
    QString information;        // "NewVersionInfo"
    QString adresseInformation; // "NewVersionInfoURL"
};

// Text of a body: a UTF-8 byte order mark dropped, UTF-8 read (Latin-1 when it is not UTF-8).
QString TexteCorps(const QByteArray& corps);
// Value of the first line "nom=valeur" whose name matches (case ignored), blanks trimmed; lines
// may end in CR, LF or CRLF. Empty when no line matches.
QString Valeur(const QString& texte, const QString& nom);
TDocumentVersion LireDocumentVersion(const QByteArray& corps);

// Compares two dotted versions number by number ("2.10" > "2.9", "2.9" == "2.9.0"); nothing
// when either is not made of numbers and dots.
std::optional<int> ComparerVersions(const QString& a, const QString& b);
// True only when the published version is strictly greater than the program's.
bool EstPlusRecente(const QString& publiee, const QString& locale);

// True for the addresses the check may fetch: http and https with a host.
bool AdresseAutorisee(const QUrl& adresse);

// One check, in the background. Lancer() starts it; terminee() comes exactly once.
class TVerificationMiseAJour : public QObject {
    Q_OBJECT
public:
    struct TResultat {
        bool reussi = false;    // the version document was read
        bool miseAJour = false; // it announces a strictly newer version
        QString adresseMiseAJour;
        QString description;
        QString erreur; // why the document could not be read
    };

    explicit TVerificationMiseAJour(QObject* parent = nullptr);
    ~TVerificationMiseAJour() override;

    // An HTTP proxy for every request (the system's settings otherwise).
    void DefinirProxy(const QNetworkProxy& proxy);
    void Lancer(const QUrl& adresse, const QString& versionLocale = VersionProgramme());
    bool EnCours() const { return enCours; }

signals:
    // 1: the version document is being fetched; 2: the description.
    void etape(int numero);
    void terminee(const MiseAJour::TVerificationMiseAJour::TResultat& resultat);

private:
    struct TReponse {
        bool reussie = false;
        QByteArray corps;
        QString classeErreur;
        QString messageErreur;
    };
    void Telecharger(const QUrl& adresse, std::function<void(const TReponse&)> suite);
    void DocumentRecu(const TReponse& reponse);
    void Terminer();

    QNetworkAccessManager* reseau = nullptr;
    QPointer<QNetworkReply> enCoursReponse;
    QTimer delaiTotal;
    QString versionLocale;
    TResultat resultat;
    bool enCours = false;
    bool delaiDepasse = false;
};

// The start-up check: the please-wait window while it runs, the internet error box when the
// document cannot be read, the new-version window when it announces a newer version. Returns
// at once; the check object belongs to parent.
TVerificationMiseAJour* VerifierMiseAJour(QWidget* parent, const QUrl& adresse);

} // namespace MiseAJour

Q_DECLARE_METATYPE(MiseAJour::TVerificationMiseAJour::TResultat)
