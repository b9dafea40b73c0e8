// Construção de uma grelha: colocação guiada das palavras, enchimento com as suas próprias letras e
// reparação até cada palavra se ler uma só vez e nenhuma da lista negra aparecer por acaso.
#pragma once

#include "core/Random.hpp"
#include "core/Tipos.hpp"
#include "generation/Verificador.hpp"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelta {

struct TPosicao {
    std::int32_t Linha = 0;
    std::int32_t Coluna = 0;
    std::int32_t Dir = 0;
    double Pontos = 0.0;
};

// 0 horizontal, 1 vertical, 2 diagonal descendente, 3 diagonal ascendente.
std::int32_t EixoDaDirecao(std::int32_t dir);

// Uma tentativa de uma grelha; o gerador é emprestado pelo chamador.
class TConstrutor {
public:
    // Uma grelha vazia de lado × lado, com as primeiras numDir direções.
    TConstrutor(std::int32_t lado, std::int32_t numDir, TGeradorAleatorio& rng);

    // Coloca as candidatas pela ordem dada, até maximo; a que não tem lugar fica de fora.
    void ColocarTodas(const std::vector<TCandidata>& ordenadas, std::int32_t maximo);
    // Enche as casas livres com letras das palavras colocadas, na proporção em que aparecem nelas.
    void Preencher();
    // Troca letras de enchimento até cada palavra se ler uma só vez e nenhuma da lista negra aparecer fora
    // de uma palavra escondida; falso se não o conseguir num número fixo de passagens.
    bool Reparar(const std::vector<std::u16string>& listaNegra);

    const std::u16string& Grelha() const { return FGrelha; }
    const std::vector<TPalavraColocada>& Colocadas() const { return FColocadas; }

private:
    // Chama visitar(linha, coluna, cruzamentos) para cada início legal, por ordem, enquanto devolver true.
    template <class Visitante>
    void PercorrerInicios(std::u16string_view palavra, std::int32_t dir, Visitante&& visitar) const;
    bool TemPosicao(std::u16string_view palavra, std::int32_t dir) const;
    void JuntarPosicoes(std::u16string_view palavra, std::int32_t dir, std::vector<TPosicao>& lista) const;
    void Colocar(const TCandidata& candidata, const TPosicao& posicao);
    char16_t SortearLetra();
    std::int32_t Zona(std::int32_t x) const;
    void ProcurarProblemas(const std::vector<std::u16string>& listaNegra);

    std::int32_t FLado;
    std::int32_t FNumDir;
    TGeradorAleatorio& FRng;
    std::u16string FGrelha;
    std::vector<std::uint8_t> FEixos;
    std::vector<bool> FFixa;
    std::array<std::int32_t, 8> FUsoDir{};
    std::array<std::int32_t, 4> FUsoEixo{};
    std::array<std::array<std::int32_t, 3>, 3> FZona{};
    std::vector<TPalavraColocada> FColocadas;
    std::u16string FLetras;
    std::vector<std::int32_t> FPesos;
    std::int32_t FPesoTotal = 0;
    // Listas de trabalho reutilizadas entre candidatas e entre passagens.
    std::vector<TPosicao> FPosicoes;
    TIndiceDeLetras FIndice;
    std::vector<TOcorrencia> FProblemas;
    std::vector<TOcorrencia> FAchadas;
};

struct TParamsGrelha {
    std::int32_t Lado = 0;
    TModoDirecoes Modo = TModoDirecoes::mdSimples;
    std::int32_t NumPalavras = 0;
};

// Se as palavras colocadas se repartem bem pelas direções (e pelos eixos, com diagonais).
bool EquilibrioAceitavel(const std::vector<TPalavraColocada>& colocadas, std::int32_t numDirecoes);

// Um puzzle das candidatas (as mais compridas primeiro), com pelo menos MinimoPalavras, equilibrado e
// verificado. Falso, com o puzzle vazio, quando não consegue; nunca levanta por si.
bool ConstruirPuzzle(const TParamsGrelha& params, const std::vector<TCandidata>& candidatas,
                     const std::vector<std::u16string>& listaNegra, TGeradorAleatorio& gerador, TPuzzle& puzzle);

} // namespace zelta
