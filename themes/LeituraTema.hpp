// O formato dos ficheiros de temas: descodificação dos bytes, corte em linhas e leitura com relatório.
#pragma once

#include "core/Tipos.hpp"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelta {

struct TRelatorioTema {
    std::int32_t Aceites = 0;
    std::int32_t Repetidas = 0;
    std::int32_t Rejeitadas = 0;
    bool TemNome = false;
    bool TemGrupo = false;
    std::vector<std::u16string> Detalhe; // no máximo 30 linhas
};

struct TTemaLido {
    TTema Tema;
    TRelatorioTema Relatorio;
};

bool Utf8Valido(std::span<const std::uint8_t> bytes, std::size_t inicio);
std::u16string BytesParaTexto(std::span<const std::uint8_t> bytes);
std::vector<std::u16string> CortarLinhas(std::u16string_view texto);

TTemaLido LerTema(const std::vector<std::u16string>& linhas, std::u16string_view nomePorOmissao);

// Lê o ficheiro inteiro; uma falha de leitura levanta EZelta com a descrição do sistema.
std::vector<std::uint8_t> LerFicheiro(const std::filesystem::path& caminho);
TTemaLido LerTemaDeFicheiro(const std::filesystem::path& caminho);

} // namespace zelta
