#!/usr/bin/env python3
"""Confere os temas embutidos: leitura como o programa a faz, contagens e letras.

Uso: tools/verificar_temas.py [data/TEMA_X.txt ...]   (sem argumentos: todos)
Sai com 1 se algum tema não bater certo com a tabela esperada.
"""
import pathlib
import sys

ESPERADO = {
    # item: (Nome, Grupo, palavras, menor, maior)
    "TEMA_ANIMAIS": ("Animais", "Natureza", 305, 2, 16),
    "TEMA_FRUTOSLEGUMESERVAS": ("Frutos, Legumes e Ervas", "Natureza", 116, 3, 11),
    "TEMA_PLANTASFLORES": ("Plantas e Flores", "Natureza", 112, 4, 12),
    "TEMA_CORPOHUMANO": ("Corpo Humano", "Ciência", 125, 2, 14),
    "TEMA_ELEMENTOS": ("Elementos Químicos", "Ciência", 118, 4, 12),
    "TEMA_PEDRASMINERAISROCHAS": ("Pedras, Minerais e Rochas", "Ciência", 70, 3, 12),
    "TEMA_UNIVERSO": ("Universo", "Ciência", 271, 2, 19),
    "TEMA_CONCELHOS": ("Concelhos de Portugal", "Portugal", 306, 4, 24),
    "TEMA_GASTRONOMIAPORTUGUESA": ("Gastronomia Portuguesa", "Portugal", 137, 3, 17),
    "TEMA_GEOGRAFIAPORTUGAL": ("Geografia de Portugal", "Portugal", 121, 3, 14),
    "TEMA_NOMESFEMININOS": ("Nomes Femininos", "Portugal", 191, 3, 11),
    "TEMA_NOMESMASCULINOS": ("Nomes Masculinos", "Portugal", 281, 3, 12),
    "TEMA_CAPITAIS": ("Capitais", "Mundo", 195, 3, 23),
    "TEMA_CIDADESMUNDO": ("Cidades do Mundo", "Mundo", 349, 3, 20),
    "TEMA_PAISES": ("Países", "Mundo", 195, 3, 23),
    "TEMA_CASACOZINHA": ("Casa e Cozinha", "Dia a Dia", 153, 3, 15),
    "TEMA_FERRAMENTASMATERIAIS": ("Ferramentas e Materiais", "Dia a Dia", 93, 2, 16),
    "TEMA_PROFISSOES": ("Profissões", "Dia a Dia", 363, 4, 14),
    "TEMA_TRANSPORTES": ("Transportes", "Dia a Dia", 81, 3, 11),
    "TEMA_VESTUARIOTECIDOSCORES": ("Vestuário, Tecidos e Cores", "Dia a Dia", 144, 2, 16),
    "TEMA_DESPORTOLAZER": ("Desporto e Lazer", "Cultura e Lazer", 78, 4, 14),
    "TEMA_MITOLOGIA": ("Mitologia", "Cultura e Lazer", 95, 2, 10),
    "TEMA_MUSICAARTES": ("Música e Artes", "Cultura e Lazer", 126, 4, 14),
    "TEMA_VERBOS": ("Verbos", "Verbos", 1160, 4, 12),
}

LETRAS = set("ABCDEFGHIJKLMNOPQRSTUVWXYZÀÁÂÃÇÈÉÊÍÓÔÕÚÜ")
JUNTORES = set(" '-")
TROCAS = {"\t": " ", "\u00a0": " ", "`": "'", "\u00b4": "'", "\u2018": "'", "\u2019": "'",
          "\u2010": "-", "\u2011": "-", "\u2012": "-", "\u2013": "-"}


def aparar(s):
    i, j = 0, len(s)
    while i < j and ord(s[i]) <= 0x20:
        i += 1
    while j > i and ord(s[j - 1]) <= 0x20:
        j -= 1
    return s[i:j]


def maiuscula(c):
    m = c.upper()
    return m if len(m) == 1 else c


def validar_linha(linha):
    """Devolve (texto, letras, motivo); motivo vazio quando a linha é aceite."""
    s = aparar("".join(TROCAS.get(c, c) for c in linha))
    s = "".join(maiuscula(c) for c in s)
    while "  " in s:
        s = s.replace("  ", " ")
    if not s:
        return "", "", "linha vazia"
    letras = []
    for c in s:
        if c in LETRAS:
            letras.append(c)
        elif c in JUNTORES:
            continue
        elif "0" <= c <= "9":
            return "", "", "tem algarismos"
        else:
            return "", "", "tem o símbolo «%s»" % c
    if not letras:
        return "", "", "não tem letras"
    if s[0] in "'-" or s[-1] in "'-":
        return "", "", "começa ou acaba em hífen ou apóstrofo"
    return s, "".join(letras), ""


def ler_tema(caminho):
    dados = caminho.read_bytes()
    problemas = []
    if dados.startswith(b"\xef\xbb\xbf"):
        problemas.append("tem BOM (os temas vão sem BOM)")
    texto = dados.decode("utf-8")
    if "\n" in texto.replace("\r\n", ""):
        problemas.append("há fins de linha que não são CR LF")
    if not texto.endswith("\r\n"):
        problemas.append("a última linha não acaba em CR LF")
    linhas = texto.replace("\r\n", "\n").split("\n")
    if linhas and linhas[-1] == "":
        linhas.pop()
    nome = grupo = None
    vistas = {}
    rejeitadas, repetidas = [], []
    for n, linha in enumerate(linhas, 1):
        t = aparar(linha)
        if not t:
            continue
        if t.startswith("#"):
            r = aparar(t[1:])
            if r.lower().startswith("tema:"):
                nome = aparar(r[5:]) or nome
            elif r.lower().startswith("grupo:"):
                grupo = aparar(r[6:]) or grupo
            continue
        texto_l, letras, motivo = validar_linha(t)
        if motivo:
            rejeitadas.append("linha %d: «%s» - %s" % (n, t, motivo))
        elif letras in vistas:
            repetidas.append("linha %d: «%s» repete a linha %d" % (n, t, vistas[letras]))
        else:
            vistas[letras] = n
        if not motivo and texto_l != t:
            problemas.append("linha %d: «%s» não está na forma normalizada «%s»" % (n, t, texto_l))
    return nome, grupo, vistas, rejeitadas, repetidas, problemas, linhas


def main(argv):
    pasta = pathlib.Path(__file__).resolve().parent.parent / "data"
    caminhos = [pathlib.Path(a) for a in argv] or sorted(pasta.glob("TEMA_*.txt"))
    falhou = False
    for caminho in caminhos:
        item = caminho.stem
        nome, grupo, vistas, rejeitadas, repetidas, problemas, linhas = ler_tema(caminho)
        comps = [len(l) for l in vistas]
        menor, maior = (min(comps), max(comps)) if comps else (0, 0)
        obtido = (nome, grupo, len(vistas), menor, maior)
        esperado = ESPERADO.get(item)
        if esperado and not linhas[2].startswith("# Grafia do Acordo Ortográfico de 1990"):
            problemas.append("a terceira linha não nomeia a grafia")
        ok = esperado == obtido and not rejeitadas and not repetidas and not problemas
        falhou |= not ok
        print("%-28s %s  %4d palavras, letras %d-%d%s" % (
            item, "ok " if ok else "ERR", len(vistas), menor, maior,
            "" if esperado == obtido else "  (esperado %s, obtido %s)" % (esperado, obtido)))
        for linha in rejeitadas + repetidas + problemas:
            print("    " + linha)
    return 1 if falhou else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
