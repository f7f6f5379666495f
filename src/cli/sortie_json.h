#pragma once
// Compact JSON written as it is produced, byte for byte as QJsonDocument's
// compact form of the same document: the caller gives the members of each
// object in the order QJsonObject keeps them (sorted keys), texts are
// escaped as Qt escapes them. Much cheaper than building QJsonObject trees.
#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <string>

namespace Cli {

class TSortieJson {
public:
    TSortieJson() { texte.reserve(1 << 18); }

    void DebutObjet() {
        Separer();
        texte += '{';
        premier = true;
    }
    void FinObjet() {
        texte += '}';
        premier = false;
    }
    void DebutTableau() {
        Separer();
        texte += '[';
        premier = true;
    }
    void FinTableau() {
        texte += ']';
        premier = false;
    }
    // A member's key; its value follows. `cle` is a plain ASCII name.
    void Cle(const char* cle) {
        Separer();
        texte += '"';
        texte += cle;
        texte += "\":";
        premier = true;
    }
    void Cle(const QString& cle) {
        Separer();
        AjouterTexte(cle);
        texte += ':';
        premier = true;
    }
    void Texte(const QString& valeur) {
        Separer();
        AjouterTexte(valeur);
    }
    void Entier(int valeur) {
        Separer();
        texte += std::to_string(valeur);
    }
    void Booleen(bool valeur) {
        Separer();
        texte += valeur ? "true" : "false";
    }
    void Textes(const QStringList& liste) {
        DebutTableau();
        for (const QString& t : liste)
            Texte(t);
        FinTableau();
    }

    // Writes the document and its end of line on standard output.
    void Ecrire() {
        texte += '\n';
        std::fwrite(texte.data(), 1, texte.size(), stdout);
        std::fflush(stdout);
    }
    const std::string& Contenu() const { return texte; }

private:
    void Separer() {
        if (!premier) texte += ',';
        premier = false;
    }

    // A text between quotes in UTF-8. The quote and the backslash get their
    // backslash; any other character below U+0020 or a lone surrogate is left
    // to Qt's own writer, so that its escape is exactly Qt's.
    void AjouterTexte(const QString& valeur) {
        const size_t debut = texte.size();
        texte += '"';
        const char16_t* c = reinterpret_cast<const char16_t*>(valeur.utf16());
        const qsizetype n = valeur.size();
        for (qsizetype i = 0; i < n; ++i) {
            const char32_t u = c[i];
            if (u < 0x80) {
                if (u >= 0x20 && u != u'"' && u != u'\\') {
                    texte += char(u);
                } else if (u == u'"' || u == u'\\') {
                    texte += '\\';
                    texte += char(u);
                } else {
                    return TexteParQt(valeur, debut);
                }
            } else if (u < 0x800) {
                texte += char(0xC0 | (u >> 6));
                texte += char(0x80 | (u & 0x3F));
            } else if (u < 0xD800 || u > 0xDFFF) {
                texte += char(0xE0 | (u >> 12));
                texte += char(0x80 | ((u >> 6) & 0x3F));
                texte += char(0x80 | (u & 0x3F));
            } else if (u <= 0xDBFF && i + 1 < n && c[i + 1] >= 0xDC00 && c[i + 1] <= 0xDFFF) {
                const char32_t p = 0x10000 + ((u - 0xD800) << 10) + (c[i + 1] - 0xDC00);
                ++i;
                texte += char(0xF0 | (p >> 18));
                texte += char(0x80 | ((p >> 12) & 0x3F));
                texte += char(0x80 | ((p >> 6) & 0x3F));
                texte += char(0x80 | (p & 0x3F));
            } else {
                return TexteParQt(valeur, debut);
            }
        }
        texte += '"';
    }

    void TexteParQt(const QString& valeur, size_t debut) {
        texte.resize(debut);
        const QByteArray tableau = QJsonDocument(QJsonArray{valeur}).toJson(QJsonDocument::Compact);
        // "[" text "]"
        texte.append(tableau.constData() + 1, size_t(tableau.size() - 2));
    }

    std::string texte;
    bool premier = true;
};

} // namespace Cli
