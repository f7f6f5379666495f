#pragma once
// Exceptions of the class-file layer.
#include <QString>
#include <exception>
#include <string>

// Base exception of the class-file layer: carries a French message.
class TTavException : public std::exception {
public:
    explicit TTavException(QString message) : msg(std::move(message)), utf8(msg.toStdString()) {}
    const QString& Message() const noexcept { return msg; }
    const char* what() const noexcept override { return utf8.c_str(); }

private:
    QString msg;
    std::string utf8;
};

// An index outside a list (a period, a student or a series that does not exist).
class TErreurIndice : public TTavException {
public:
    explicit TErreurIndice(const QString& ou)
        : TTavException(QStringLiteral("Indice de liste hors limites (%1).").arg(ou)) {}
};

// A count that does not fit where it must be held (a byte, a period list).
class TErreurIntervalle : public TTavException {
public:
    explicit TErreurIntervalle(const QString& ou)
        : TTavException(QStringLiteral("Erreur d'étendue (%1).").arg(ou)) {}
};
