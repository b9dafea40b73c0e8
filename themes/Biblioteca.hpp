// A biblioteca de temas: os embutidos, os da pasta do utilizador, a ordem dos grupos.
#pragma once

#include "core/Tipos.hpp"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelta {

// A pasta dos temas do utilizador para o executável que está a correr.
std::filesystem::path PastaDosTemas();
// A mesma regra para um programa em pastaDoPrograma: Temas ao lado dele, senão $XDG_DATA_HOME/zelta/Temas.
std::filesystem::path PastaDosTemasDoPrograma(const std::filesystem::path& pastaDoPrograma);
std::u16string NomeDoRecurso(std::u16string_view nomeDoItem);
std::vector<TTema> TemasDosRecursos();
// mensagens pode ser nulo; quando não é, recebe uma linha por ficheiro deixado de fora, com a razão (também os
// temas de nome reservado). Com cancelar, ELeituraCancelada pouco depois de *cancelar passar a verdadeiro.
std::vector<TTema> TemasDaPasta(const std::filesystem::path& pasta, std::vector<std::u16string>* mensagens = nullptr,
                                const std::atomic<bool>* cancelar = nullptr);
std::vector<TTema> CarregarTemas(const std::filesystem::path& pasta, std::vector<std::u16string>* mensagens = nullptr,
                                 const std::atomic<bool>* cancelar = nullptr);
// Um tema do utilizador não se pode chamar, nem estar num grupo, como as entradas fixas do seletor
// («Dicionário», «Mix de Temas»): apareceriam duas vezes. A comparação ignora caixa e acentos, para também
// não se confundir com a escolha do zelta-livro. Devolve a razão (minúscula, sem ponto), ou nada.
std::optional<std::u16string> MotivoDeNomeReservado(const TTema& tema);

// O que a listagem e a escolha de um livro precisam de um tema da pasta, sem as palavras: um tema enorme
// resume-se com poucas dezenas de bytes por palavra, e só se carrega inteiro quando um livro o usa.
struct TResumoTema {
    std::filesystem::path Caminho;
    std::u16string Nome;
    std::u16string Grupo;
    std::int32_t Palavras = 0;     // aceites, sem as repetidas
    std::int32_t MaiorPalavra = 0; // em letras
};

// As mesmas regras, mensagens e ordem de TemasDaPasta, sem construir as palavras.
std::vector<TResumoTema> ResumosDaPasta(const std::filesystem::path& pasta,
                                        std::vector<std::u16string>* mensagens = nullptr,
                                        const std::atomic<bool>* cancelar = nullptr);
// O resumo de um ficheiro; EZelta como LerTemaDeFicheiro.
TResumoTema ResumirTemaDeFicheiro(const std::filesystem::path& caminho, const std::atomic<bool>* cancelar = nullptr);
// As palavras de um tema resumido, lidas agora do ficheiro.
TTema CarregarTemaResumido(const TResumoTema& resumo, const std::atomic<bool>* cancelar = nullptr);

void OrdenarTemas(std::vector<TTema>& temas);
std::int32_t OrdemDoGrupo(std::u16string_view grupo);
std::vector<std::u16string> GruposDosTemas(const std::vector<TTema>& temas);

} // namespace zelta
