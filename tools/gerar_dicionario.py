#!/usr/bin/env python3
"""Gera data/DICIONARIO.txt a partir do dicionário Hunspell de português europeu.

Uso: tools/gerar_dicionario.py [saída]   (por omissão data/DICIONARIO.txt)

Precisa dos pacotes Debian hunspell-pt-pt (pt_PT.dic e pt_PT.aff, grafia do AO 1990) e
hunspell-tools (unmunch). Não usa a rede. Corrido duas vezes, dá o mesmo ficheiro byte a byte.

O que entra:
- lemas etiquetados como nome comum (nc), adjetivo (adj), adjetivo/nome (a_nc), advérbio (adv) e
  verbo no infinitivo (v com T=inf), e as palavras gramaticais de GRAMATICAIS;
- as formas que o .dic lista à parte (plurais e femininos irregulares) quando a etiqueta da forma
  mantém uma dessas categorias; formas verbais conjugadas e particípios ficam de fora;
- de cada lema, só os plurais e femininos dados pelas flags de SUFIXOS_FLEXAO, expandidos pelo
  unmunch; as outras flags (diminutivos, advérbios em -mente, prefixos, conjugações) são largadas.
O que sai: nomes próprios, siglas e abreviaturas, estrangeirismos não adaptados (ORIG=), formas só
do Brasil (BRAS=), superlativos, palavras com hífen, maiúsculas, algarismos ou outros símbolos, as
que não têm 2 a 15 letras, as da lista negra e as que contêm uma (comparação sem acentos).
"""
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

RAIZ = pathlib.Path(__file__).resolve().parent.parent
DIC = pathlib.Path("/usr/share/hunspell/pt_PT.dic")
AFF = pathlib.Path("/usr/share/hunspell/pt_PT.aff")
LISTA_NEGRA = RAIZ / "data" / "LISTA_NEGRA.txt"
SAIDA = RAIZ / "data" / "DICIONARIO.txt"

CATEGORIAS = {"nc", "adj", "a_nc", "adv"}

# Palavras gramaticais (numerais, preposições, conjunções, pronomes): entram as formas do .dic.
GRAMATICAIS = {"card", "nord", "prep", "con", "pind", "pdem", "ppos", "prel", "pint"}

# Flags de sufixo do pt_PT.aff que só dão plural (+N=p) ou feminino (+G=f): p a e f k b g.
SUFIXOS_FLEXAO = set("paefkbg")

# Palavras de duas letras: só entram as desta lista que também saem do .dic pelas regras acima.
# Umas escrevem, sem acentos, um símbolo químico (AR, ÁS, BÊ, CÁ, CÊ, FÉ, IR, LÁ, LÃ, MÓ, NÓ, PÁ,
# PÓ, RÃ, RÉ, SI, TÊ); as outras são nomes, adjetivos e advérbios que valem sozinhos numa grelha
# (notas musicais, nomes de letras, PÉ, FÃ...). Ficam de fora as palavras de ligação (DE, EM, OS,
# SE, OU), que numa grelha parecem letras soltas, os números romanos e CU, que é grosseiro.
DUAS_LETRAS = {
    "AI", "AÍ", "AR", "ÁS", "BÊ", "CÁ", "CÊ", "DÓ", "FÁ", "FÃ", "FÉ", "IR", "JÁ", "LÁ", "LÃ",
    "MÁ", "MI", "MÓ", "NÓ", "NU", "PÁ", "PÉ", "PÊ", "PI", "PÓ", "RÃ", "RÉ", "SÃ", "SÉ", "SI",
    "SÓ", "TÊ", "UM", "VÃ", "VÊ", "XÁ", "XI", "ZÊ",
}

# Palavras grosseiras que não podem ir para a lista negra: são curtas ou vivem dentro de palavras
# comuns (CU em CUSTO, PILA em PILAR), por isso saem só do dicionário.
GROSSEIRAS = {"CU", "CUS", "PILA", "PILAS"}

LETRAS = set("ABCDEFGHIJKLMNOPQRSTUVWXYZÀÁÂÃÇÈÉÊÍÓÔÕÚÜ")
SEM_ACENTOS = str.maketrans("ÀÁÂÃÇÈÉÊÍÓÔÕÚÜ", "AAAACEEEIOOOUU")
SUPERLATIVO = re.compile(r"(íssim|érrim|ílim)[oa]s?$")

CABECALHO = [
    "# Dicionário geral de português europeu (AO 1990): uma palavra por linha, em maiúsculas, com acentos.",
    "# Origem: dicionário Hunspell pt_PT do pacote Debian hunspell-pt-pt (licença GPL-2, LGPL-2.1 ou MPL-1.1, à escolha).",
    "# Gerado por tools/gerar_dicionario.py com o unmunch (hunspell-tools); ver data/LEIAME.md.",
    "# Não editar à mão: correr de novo o script.",
]


def sem_acentos(s):
    return s.translate(SEM_ACENTOS)


def etiquetas(texto):
    """Lê "[...]" do .dic: "[$lema$etiquetas do lema$etiquetas da forma]" ou "[etiquetas]".

    As etiquetas da forma sobrepõem-se às do lema (p. ex. T=pc numa forma de um verbo em T=inf)."""
    texto = texto.strip()
    if not (texto.startswith("[") and texto.endswith("]")):
        return {}
    corpo = texto[1:-1]
    partes = corpo.split("$")[2:] if corpo.startswith("$") else [corpo]
    resultado = {}
    for parte in partes:
        for par in parte.split(","):
            chave, _, valor = par.partition("=")
            if chave:
                resultado[chave.strip()] = valor.strip()
    return resultado


def entra(tags):
    if "ABR" in tags or tags.get("SEM") == "sigla":
        return False
    if "ORIG" in tags or "BRAS" in tags or tags.get("GR") == "sup":
        return False
    if tags.get("subcat") == "rom":  # numeração romana em minúsculas (ii, xiv...)
        return False
    cat = tags.get("CAT")
    if cat == "v":
        return tags.get("T") == "inf"
    return cat in CATEGORIAS or cat in GRAMATICAIS


def entradas_escolhidas():
    linhas = DIC.read_text(encoding="utf-8").splitlines()[1:]
    for linha in linhas:
        entrada, _, resto = linha.partition("\t")
        if not resto.strip() or not entra(etiquetas(resto)):
            continue
        palavra, _, flags = entrada.partition("/")
        flags = "".join(f for f in flags if f in SUFIXOS_FLEXAO)
        yield palavra + ("/" + flags if flags else "")


def expandir(entradas):
    with tempfile.TemporaryDirectory() as pasta:
        dic = os.path.join(pasta, "escolha.dic")
        with open(dic, "w", encoding="utf-8", newline="\n") as f:
            f.write("%d\n" % len(entradas))
            f.write("".join(e + "\n" for e in entradas))
        saida = subprocess.run(["unmunch", dic, str(AFF)], capture_output=True, check=True).stdout
    return saida.decode("utf-8").split()


def ler_lista_negra():
    palavras = []
    for linha in LISTA_NEGRA.read_text(encoding="utf-8-sig").splitlines():
        linha = linha.strip()
        if linha and not linha.startswith("#"):
            palavras.append(sem_acentos(linha.upper()))
    return palavras


def aceitavel(forma, negra):
    # Maiúsculas no .dic marcam nomes próprios, siglas e numeração romana.
    if forma != forma.lower() or SUPERLATIVO.search(forma):
        return False
    maiuscula = forma.upper()
    if not 2 <= len(maiuscula) <= 15 or not set(maiuscula) <= LETRAS:
        return False
    if len(maiuscula) == 2 and maiuscula not in DUAS_LETRAS or maiuscula in GROSSEIRAS:
        return False
    chave = sem_acentos(maiuscula)
    return not any(n in chave for n in negra)


def main(argv):
    destino = pathlib.Path(argv[0]) if argv else SAIDA
    if not DIC.exists() or not AFF.exists() or not shutil.which("unmunch"):
        print("Faltam os pacotes hunspell-pt-pt e/ou hunspell-tools.", file=sys.stderr)
        return 1
    negra = ler_lista_negra()
    formas = expandir(list(entradas_escolhidas()))
    palavras = {f.upper() for f in formas if aceitavel(f, negra)}
    # Ordem estável e independente da localização: pontos de código da forma sem acentos,
    # depois da própria forma.
    ordenadas = sorted(palavras, key=lambda p: (sem_acentos(p), p))
    texto = "\r\n".join(CABECALHO + ordenadas) + "\r\n"
    destino.write_bytes(b"\xef\xbb\xbf" + texto.encode("utf-8"))
    print("%s: %d palavras" % (destino, len(ordenadas)), file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
