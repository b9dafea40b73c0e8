// Passagem de textos e caminhos entre o domínio (UTF-16, std::filesystem) e o Qt.
#pragma once

#include <QFile>
#include <QString>

#include <filesystem>
#include <string>

namespace zelta {

inline QString QTexto(const std::u16string& s) { return QString::fromStdU16String(s); }
inline std::u16string U16(const QString& s) { return s.toStdU16String(); }

// Os nomes de ficheiro no Linux são bytes: o Qt sabe a codificação local.
inline QString QCaminho(const std::filesystem::path& p) {
    return QFile::decodeName(QByteArray::fromStdString(p.native()));
}
inline std::filesystem::path Caminho(const QString& s) {
    return std::filesystem::path(QFile::encodeName(s).toStdString());
}

} // namespace zelta
