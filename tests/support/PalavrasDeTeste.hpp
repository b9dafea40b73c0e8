// Palavras portuguesas reais para os testes de geração e de livro (com acentos e expressões).
#pragma once

#include <string>
#include <vector>

namespace zelta::teste {

inline const std::vector<std::u16string>& PalavrasPortuguesas() {
    static const std::vector<std::u16string> palavras{
        u"ABELHA",         u"ÁGUIA",
        u"ALCE",           u"ALFACE",
        u"AMEIXA",         u"ANDORINHA",
        u"ANTA",           u"ARANHA",
        u"ÁRVORE",         u"AVESTRUZ",
        u"AZEITONA",       u"BALEIA",
        u"BANANA",         u"BESOURO",
        u"BORBOLETA",      u"BURRO",
        u"CABRA",          u"CACTO",
        u"CAMELO",         u"CANGURU",
        u"CARACOL",        u"CARANGUEJO",
        u"CASTANHA",       u"CAVALO",
        u"CEBOLA",         u"CEGONHA",
        u"CENOURA",        u"CEREJA",
        u"CHITA",          u"CISNE",
        u"COELHO",         u"CORUJA",
        u"CROCODILO",      u"DAMASCO",
        u"DELFIM",         u"DONINHA",
        u"ÉGUA",           u"ELEFANTE",
        u"ESQUILO",        u"ESTRELA",
        u"FAISÃO",         u"FALCÃO",
        u"FORMIGA",        u"FRAMBOESA",
        u"GAIVOTA",        u"GALINHA",
        u"GAFANHOTO",      u"GATO",
        u"GIRAFA",         u"GOLFINHO",
        u"GORILA",         u"HIPOPÓTAMO",
        u"IGUANA",         u"JAVALI",
        u"JOANINHA",       u"LAGARTO",
        u"LARANJA",        u"LEÃO",
        u"LEBRE",          u"LEOPARDO",
        u"LIBÉLULA",       u"LIMÃO",
        u"LINCE",          u"LOBO",
        u"LONTRA",         u"MAÇÃ",
        u"MACACO",         u"MANGA",
        u"MELANCIA",       u"MELRO",
        u"MEXILHÃO",       u"MOCHO",
        u"MORANGO",        u"MORCEGO",
        u"MOSCA",          u"OURIÇO-CACHEIRO",
        u"OVELHA",         u"PANDA",
        u"PAPAGAIO",       u"PARDAL",
        u"PATO",           u"PAVÃO",
        u"PEIXE",          u"PELICANO",
        u"PEPINO",         u"PERA",
        u"PERU",           u"PÊSSEGO",
        u"PIMENTO",        u"PINGUIM",
        u"POLVO",          u"POMBA",
        u"PORCO",          u"PORQUINHO-DA-ÍNDIA",
        u"POTRO",          u"RAPOSA",
        u"RATO",           u"RINOCERONTE",
        u"ROLA",           u"ROUXINOL",
        u"SALMÃO",         u"SAPO",
        u"SARDINHA",       u"SERPENTE",
        u"TARTARUGA",      u"TEXUGO",
        u"TIGRE",          u"TOMATE",
        u"TOUPEIRA",       u"TOURO",
        u"TRUTA",          u"TUBARÃO",
        u"URSO",           u"UVA",
        u"VACA",           u"VEADO",
        u"ZEBRA",          u"AÇÚCAR",
        u"CASTELO BRANCO", u"PÉ-DE-MEIA",
        u"GUARDA-CHUVA",   u"CAMPAINHA",
        u"JANELA",         u"CADEIRA",
        u"ESCOLA",         u"LIVRO",
        u"CADERNO",        u"LÁPIS",
        u"BORRACHA",       u"MOCHILA",
        u"QUADRO",         u"PROFESSORA",
        u"RECREIO",        u"BIBLIOTECA",
        u"GINÁSIO",        u"CANTINA",
        u"COMPUTADOR",     u"TECLADO",
        u"MONTANHA",       u"OCEANO",
        u"PRAIA",          u"FLORESTA",
        u"DESERTO",        u"VULCÃO",
        u"CASCATA",        u"PLANETA",
        u"COMETA",         u"GALÁXIA",
        u"SATÉLITE",       u"FOGUETÃO",
        u"TELESCÓPIO",     u"ECLIPSE",
    };
    return palavras;
}

// Palavras de quatro letras frequentes nestas grelhas, no papel da lista negra: põem a reparação a
// trabalhar sem a tornar impossível.
inline const std::vector<std::u16string>& ListaNegraDeTeste() {
    static const std::vector<std::u16string> lista{u"RATA", u"ROTA", u"LATA", u"MALA",
                                                   u"SACA", u"TOCA", u"CANA", u"PELA"};
    return lista;
}

} // namespace zelta::teste
