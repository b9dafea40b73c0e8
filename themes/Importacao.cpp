// Importação de um tema: lê o ficheiro do utilizador e escreve-o limpo, em UTF-8 com CR LF, na pasta dos temas.
// A escrita passa por um ficheiro temporário renomeado no fim, para nunca deixar meio tema na pasta.
#include "themes/Importacao.hpp"

#include "core/Ficheiros.hpp"
#include "core/Texto.hpp"
#include "themes/Interno.hpp"
#include "themes/LeituraTema.hpp"

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>

namespace zelta {

namespace {

constexpr std::size_t MaxLinhasRejeitadasNoRelatorio = 10;

using detalhe::TextoDoCaminho;

std::u16string Razao(int erro) {
    switch (erro) {
    case EACCES:
    case EPERM:
    case EROFS:
        return u"sem permissão de escrita";
    case ENOSPC:
    case EDQUOT:
        return u"não há espaço no disco";
    case ENOENT:
        return u"a pasta não existe";
    default:
        return DeUtf8(std::strerror(erro));
    }
}

[[noreturn]] void FalhaDeEscrita(const std::filesystem::path& caminho, int erro) {
    throw EZelta(u"Não foi possível escrever o ficheiro " + TextoDoCaminho(caminho) + u": " + Razao(erro) + u".");
}

std::string Conteudo(const TTemaLido& lido) {
    std::u16string t = u"# Tema: " + lido.Tema.Nome + u"\r\n";
    if (lido.Relatorio.TemGrupo) {
        t += u"# Grupo: " + lido.Tema.Grupo + u"\r\n";
    }
    for (const auto& p : lido.Tema.Palavras) {
        t += p.Texto;
        t += u"\r\n";
    }
    return ParaUtf8(t);
}

// O mesmo ficheiro no disco (também por ligações), e não só o mesmo texto: aqui os nomes distinguem maiúsculas,
// e aves.TXT ao lado de aves.txt são dois ficheiros.
bool MesmoFicheiro(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

// O nome por omissão vem do nome do ficheiro, que pode ter quebras de linha ou brancos nas pontas; escrito tal
// e qual, o cabeçalho partia-se ou relia-se diferente.
std::u16string NomeParaCabecalho(std::u16string_view nome) {
    std::u16string r(nome);
    for (char16_t& c : r) {
        if (c == u'\r' || c == u'\n') {
            c = u' ';
        }
    }
    return std::u16string(Aparar(r));
}

} // namespace

std::filesystem::path DestinoDaImportacao(const std::filesystem::path& origem, const std::filesystem::path& pasta) {
    // Nos bytes do sistema, para um nome que não seja UTF-8 chegar intacto ao destino.
    std::string nome = origem.filename().string();
    if (const auto ponto = nome.rfind('.'); ponto != std::string::npos) {
        nome.resize(ponto);
    }
    return pasta / (nome + ".txt");
}

TTemaLido ImportarTema(const std::filesystem::path& origem, const std::filesystem::path& pasta, bool substituir) {
    if (IguaisSemCaixaAscii(TextoDoCaminho(origem.filename()), u"ListaNegra.txt")) {
        throw EZelta(u"O nome ListaNegra.txt está reservado à lista negra.");
    }
    TTemaLido lido = LerTemaDeFicheiro(origem);
    if (lido.Tema.Palavras.empty()) {
        throw EZelta(u"O ficheiro não tem nenhuma palavra válida.");
    }
    lido.Tema.Nome = NomeParaCabecalho(lido.Tema.Nome);

    const std::filesystem::path destino = std::filesystem::absolute(DestinoDaImportacao(origem, pasta));
    if (MesmoFicheiro(std::filesystem::absolute(origem), destino)) {
        return lido;
    }
    std::error_code ec;
    if (std::filesystem::exists(destino, ec) && !substituir) {
        throw ETemaJaExiste(u"Já existe um tema com o ficheiro " + TextoDoCaminho(destino.filename()) + u".");
    }
    std::filesystem::create_directories(destino.parent_path(), ec);
    if (ec) {
        throw EZelta(u"Não foi possível criar a pasta " + TextoDoCaminho(destino.parent_path()) + u": " +
                     Razao(ec.value()) + u".");
    }
    const std::string conteudo = Conteudo(lido);
    if (const int erro =
            GravarAtomicamente(destino, {reinterpret_cast<const std::uint8_t*>(conteudo.data()), conteudo.size()});
        erro != 0) {
        FalhaDeEscrita(destino, erro);
    }
    return lido;
}

std::vector<std::u16string> LinhasDoRelatorioImportacao(const TTemaLido& lido) {
    const TRelatorioTema& r = lido.Relatorio;
    std::vector<std::u16string> linhas;
    linhas.push_back(u"Tema " + lido.Tema.Nome + u" importado (grupo " + lido.Tema.Grupo + u").");
    std::u16string contagens = Decimal(r.Aceites) + u" palavras aceites";
    if (r.Repetidas > 0) {
        contagens += u", " + Decimal(r.Repetidas) + u" repetidas";
    }
    if (r.Rejeitadas > 0) {
        contagens += u", " + Decimal(r.Rejeitadas) + u" rejeitadas";
    }
    contagens += u".";
    linhas.push_back(std::move(contagens));
    if (!r.Detalhe.empty()) {
        linhas.emplace_back();
        linhas.emplace_back(u"Linhas rejeitadas:");
        for (std::size_t i = 0; i < r.Detalhe.size() && i < MaxLinhasRejeitadasNoRelatorio; ++i) {
            linhas.push_back(r.Detalhe[i]);
        }
        if (r.Detalhe.size() > MaxLinhasRejeitadasNoRelatorio) {
            linhas.emplace_back(u"\u2026");
        }
    }
    return linhas;
}

} // namespace zelta
