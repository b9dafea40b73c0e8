// Peças partilhadas pelas unidades dos temas e que não fazem parte da interface: conversão de caminhos,
// corte em linhas sem cópias e o leitor de temas linha a linha.
#pragma once

#include "core/ConjuntoDeFormas.hpp"
#include "core/Texto.hpp"
#include "themes/LeituraTema.hpp"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zelta::detalhe {

inline std::u16string TextoDoCaminho(const std::filesystem::path& caminho) {
    const std::u8string s = caminho.u8string();
    return DeUtf8(std::string_view(reinterpret_cast<const char*>(s.data()), s.size()));
}

// O nome sem a última extensão: a.b.txt → a.b, .txt → vazio, Aves → Aves. Ao contrário de path::stem,
// um nome que começa por ponto também perde a extensão.
inline std::u16string_view SemUltimaExtensao(std::u16string_view nome) {
    const auto ponto = nome.rfind(u'.');
    return ponto == std::u16string_view::npos ? nome : nome.substr(0, ponto);
}

// Uma linha acaba no primeiro CR ou LF; depois salta-se um CR e a seguir um LF. Sem linha vazia no fim.
template <typename F> void ParaCadaLinha(std::u16string_view texto, F&& fazer) {
    std::size_t i = 0;
    while (i < texto.size()) {
        std::size_t fim = i;
        while (fim < texto.size() && texto[fim] != u'\r' && texto[fim] != u'\n') ++fim;
        fazer(texto.substr(i, fim - i));
        i = fim;
        if (i < texto.size() && texto[i] == u'\r') {
            ++i;
        }
        if (i < texto.size() && texto[i] == u'\n') {
            ++i;
        }
    }
}

// Lê um tema linha a linha, sem guardar as linhas; LerTema e a leitura de ficheiros usam-no. Só a contar, não
// constrói as palavras: guarda as letras das aceites seguidas num só texto, o bastante para ver repetidas, e o
// resumo de um tema enorme cabe em poucas dezenas de bytes por palavra.
class TLeitorTema {
public:
    explicit TLeitorTema(std::u16string_view nomePorOmissao, bool soContar = false);
    TLeitorTema(const TLeitorTema&) = delete;
    TLeitorTema& operator=(const TLeitorTema&) = delete;

    // Só antes da primeira linha: o número de palavras que se espera e as letras que podem ter no máximo.
    void Reservar(std::size_t palavras, std::size_t letras = 0);
    // Verificado de 16 384 em 16 384 linhas: ELeituraCancelada.
    void Cancelar(const std::atomic<bool>* cancelar) { FCancelar = cancelar; }
    // As palavras aceites, escritas uma por linha em UTF-8 com CR LF, não podem passar de bytes: EZelta.
    void LimitarEscrita(std::uint64_t bytes) { FLimiteEscrita = bytes; }
    void Linha(std::u16string_view linha);
    TTemaLido Fim();
    // Só a contar: a maior palavra aceite, em letras.
    std::int32_t MaiorPalavra() const { return FMaior; }

private:
    void Cabecalho(std::u16string_view resto);
    void Aceitar(std::u16string_view linha);
    void Contar(std::u16string_view linha);
    // Insere a última forma no conjunto das vistas; falso quando as mesmas letras já lá estavam.
    bool Nova();
    void Escrita(std::size_t bytes);
    // Uma linha aparada já na forma final (maiúsculas do alfabeto, juntores só por dentro, sem espaços
    // duplos): o número de letras, ou 0 quando é preciso validar.
    static std::size_t JaLimpa(std::u16string_view linha);

    TTemaLido FLido;
    std::size_t FNumero = 0;
    TConjuntoDeFormas FVistas;
    const std::atomic<bool>* FCancelar = nullptr;
    std::uint64_t FLimiteEscrita = 0; // 0 = sem limite
    std::uint64_t FEscritos = 0;
    bool FSoContar = false;
    std::u16string FLetrasDaLinha;      // a ler: as letras da linha, antes de irem para o tema
    std::u16string FLetras;             // só a contar: as letras das aceites, seguidas
    std::vector<std::uint32_t> FInicio; // só a contar: onde começa cada uma, e no fim o fim da última
    std::int32_t FMaior = 0;
};

TTemaLido LerTemaDoTexto(std::u16string_view texto, std::u16string_view nomePorOmissao);

// O nome por omissão do tema de um ficheiro: sem a última extensão, sem controlos, em NFC, aparado.
std::u16string NomeDoFicheiro(const std::filesystem::path& caminho);
// O texto de um ficheiro de tema, descodificado; recusa com uma frase o que parece UTF-16 sem marca e não o é.
std::u16string TextoDeFicheiro(const std::filesystem::path& caminho, const std::atomic<bool>* cancelar);
// A leitura de um ficheiro com todas as opções: só a contar (maior recebe a maior palavra), e com um teto
// para o que se escreveria (0 = sem teto).
TTemaLido LerTemaDeFicheiro(const std::filesystem::path& caminho, const std::atomic<bool>* cancelar, bool soContar,
                            std::uint64_t limiteEscrita, std::int32_t* maior);

} // namespace zelta::detalhe
