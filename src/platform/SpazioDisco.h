#pragma once
// Room on the disk: telling a full disk (or an exhausted quota) from other
// failures, saying how much an operation needed, and creating the program's
// folders private and durable.

#include <QString>
#include <optional>

namespace SpazioDisco {

// True for the errno of a full disk or of a user's exhausted quota.
bool Pieno(int errore);
// A size as the user reads it: "512 byte", "12 KB", "3,4 MB", "2,0 GB".
QString Misura(qint64 byte);
// The sentence the messages use: the disk is full and the operation needed so much.
QString MessaggioPieno(qint64 necessari);
// Bytes free for an unprivileged user in the folder's file system.
std::optional<qint64> Libero(const QString &cartella);
// Creates the folder, with any missing parents, each 0700 whatever the umask,
// and syncs the folder that holds each new entry, so the entry survives a
// power loss. True when the folder is there.
bool CreaCartellaPrivata(const QString &cartella);

} // namespace SpazioDisco
