#pragma once
#include <QString>
#include <QStringList>

namespace etb {

// The launch token shared with the host suite (argument 1).
inline const QString kLaunchToken = QStringLiteral("58317");

// The twelve positional arguments of the host's command line. A missing one reads as "".
struct CommandLine {
    QStringList args;   // as given, without the program name

    explicit CommandLine(QStringList arguments = {}) : args(std::move(arguments)) {}

    // Argument n, counted from 1 as the host counts them.
    QString arg(int n) const { return n >= 1 && n <= args.size() ? args.at(n - 1) : QString(); }

    bool tokenOk() const { return arg(1) == kLaunchToken; }
    QString kullaniciKodu() const { return arg(2); }
    QString parola() const { return arg(3); }
    QString sifre() const { return arg(4); }
    QString keyword() const { return arg(5); }
    QString loginKind() const { return arg(6); }
    QString connectionString() const { return arg(7); }
    QString klavuz() const { return arg(8); }
    QString anaDizin() const { return arg(9); }
    QString posDonemAy() const;   // a single character gets a leading "0"
    QString posDonemYil() const { return arg(11); }
    QString klavuzListesi() const { return arg(12); }

    // Every argument preceded by ">", nothing between or after them.
    QString parametreList() const;
};

} // namespace etb
