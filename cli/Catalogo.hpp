// O que o zelta-livro carrega ao começar (temas, dicionário, lista negra), a escolha do livro como no
// seletor da janela, a listagem dos grupos e o relatório de uma importação.
#pragma once

#include "core/Tipos.hpp"
#include "themes/Dicionario.hpp"
#include "themes/LeituraTema.hpp"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelta::cli {

struct TCatalogo {
    std::filesystem::path Pasta;
    std::vector<TTema> Temas;
    TTema Dicionario;
    std::vector<std::u16string> ListaNegra;
    std::vector<std::u16string> Mensagens; // ficheiros da pasta deixados de fora
};

TCatalogo CarregarCatalogo(const std::filesystem::path& pasta);

// A biblioteca seguida do dicionário quando tem palavras: o que a análise e a corrida recebem.
TRefsTemas TemasComDicionario(const TCatalogo& catalogo);

// A entrada igual ao pedido sem olhar à caixa ASCII, como o seletor; sem nenhuma, a primeira igual
// também sem acentos, para quem escreve «Dicionario» ou «ciencia» num terminal.
std::optional<std::u16string> EscolherEntrada(const std::vector<std::u16string>& entradas, std::u16string_view pedido);

std::vector<std::u16string> LinhasDaListagem(const TCatalogo& catalogo);

} // namespace zelta::cli
