// Peças partilhadas pelas unidades dos temas e que não fazem parte da interface: conversão de caminhos,
// corte em linhas sem cópias e o leitor de temas linha a linha.
#pragma once

#include "core/ConjuntoDeFormas.hpp"
#include "core/Texto.hpp"
#include "themes/LeituraTema.hpp"

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

// Lê um tema linha a linha, sem guardar as linhas; LerTema e a leitura de ficheiros usam-no.
class TLeitorTema {
public:
    explicit TLeitorTema(std::u16string_view nomePorOmissao);
    TLeitorTema(const TLeitorTema&) = delete;
    TLeitorTema& operator=(const TLeitorTema&) = delete;

    void Reservar(std::size_t linhas);
    void Linha(std::u16string_view linha);
    TTemaLido Fim();

private:
    // Insere a última palavra do vetor no conjunto das vistas; falso quando as mesmas letras já lá estavam.
    bool Nova();
    static bool JaLimpa(std::u16string_view linha, TPalavraTema& palavra);

    TTemaLido FLido;
    std::size_t FNumero = 0;
    TConjuntoDeFormas FVistas;
};

TTemaLido LerTemaDoTexto(std::u16string_view texto, std::u16string_view nomePorOmissao);

} // namespace zelta::detalhe
