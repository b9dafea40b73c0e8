#!/usr/bin/env python3
"""Gera data/DICIONARIO.txt: palavras comuns do português europeu (AO 1990) para os livros "Dicionário".

Uso: tools/gerar_dicionario.py [saída] [--relatorio]   (saída por omissão data/DICIONARIO.txt)

Precisa dos pacotes Debian hunspell-pt-pt (pt_PT.dic e pt_PT.aff), hunspell-tools (unmunch),
tesseract-ocr (combine_tessdata, dawg2wordlist) e tesseract-ocr-por (por.traineddata). Não usa a
rede. Corrido duas vezes, dá o mesmo ficheiro byte a byte. --relatorio escreve no stderr as
contagens que data/LEIAME.md cita (por comprimento, por categoria de exclusão, as devolvidas, os
pares do AO 1990).

Duas fontes:
- o dicionário Hunspell pt_PT diz o que é uma palavra portuguesa, com a categoria e as formas;
- a lista de palavras do modelo português do Tesseract (recolhida de texto real) diz o que é uma
  palavra comum: só fica o que ela confirma, com os plurais e femininos das palavras confirmadas.

O que entra do hunspell:
- lemas etiquetados como nome comum (nc), adjetivo (adj), adjetivo/nome (a_nc), advérbio (adv) e
  verbo no infinitivo (v com T=inf), e as palavras gramaticais de GRAMATICAIS; os meses e as
  estações do ano, que o .dic etiqueta como nomes próprios mas escreve em minúscula (AO 1990);
- de cada lema, os plurais e femininos dados pelas flags de SUFIXOS_FLEXAO, expandidos pelo
  unmunch (um grupo por lema); as outras flags (diminutivos, -mente, prefixos, conjugações) não;
- as formas que o .dic lista à parte (plurais e femininos irregulares) quando a etiqueta da forma
  mantém uma dessas categorias;
- devolvidos: os nomes e adjetivos em -ção, -mento, -dor, -vel e -nte que o hunspell tira dos
  verbos pelas flags de DERIVADOS (EDUCAÇÃO, ALIMENTAÇÃO), cada forma só se a lista do Tesseract a
  confirmar.
Um grupo cujo lema a lista do Tesseract confirma (ou a grafia anterior ao AO 1990 do lema, que o
.dic dá em PREAO90=) entra inteiro, menos os femininos duvidosos (feminino_duvidoso) que ela não
confirme; de um grupo não confirmado só entram as formas confirmadas.

O que sai: nomes próprios, siglas e abreviaturas, estrangeirismos (ORIG=, e as palavras com K, W
ou Y fora de COM_KWY), formas só do Brasil (BRAS=), superlativos, palavras com hífen, maiúsculas,
algarismos ou outros símbolos, as que não têm 2 a 15 letras; a grafia que Portugal não usa de cada
par do AO 1990 (EQAO90=, ver GRAFIA_COM_CONSOANTE); tudo o que tools/EXCLUSOES.txt exclui; e todas
as formas de um grupo em que uma forma seja, contenha ou seja excluída por uma palavra da lista
negra (comparação sem acentos).
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
TESSDATA = pathlib.Path("/usr/share/tesseract-ocr/5/tessdata/por.traineddata")
LISTA_NEGRA = RAIZ / "data" / "LISTA_NEGRA.txt"
EXCLUSOES = RAIZ / "tools" / "EXCLUSOES.txt"
SAIDA = RAIZ / "data" / "DICIONARIO.txt"

CATEGORIAS = {"nc", "adj", "a_nc", "adv"}

# Palavras gramaticais (numerais, preposições, conjunções, pronomes): entram as formas do .dic.
GRAMATICAIS = {"card", "nord", "prep", "con", "pind", "pdem", "ppos", "prel", "pint"}

# Flags de sufixo do pt_PT.aff que só dão plural (+N=p) ou feminino (+G=f): p a e f k b g.
SUFIXOS_FLEXAO = set("paefkbg")

# Flags de sufixo que tiram de um verbo um nome ou adjetivo: -ção (c, C), -mento (M), -dor (D),
# -vel (v), -nte (n). Só entram as formas que a lista do Tesseract confirma (ou o singular delas).
DERIVADOS = set("cCMDvn")
SINGULAR_DERIVADO = [("ções", "ção"), ("mentos", "mento"), ("doras", "dor"), ("dora", "dor"),
                     ("dores", "dor"), ("áveis", "ável"), ("íveis", "ível"), ("ntes", "nte")]

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

# K, W e Y só aparecem em palavras de fora (KARTING, SHOW, FUZZY, FARADAY); ficam estas, de uso comum.
COM_KWY = {"KIWI", "KIWIS", "WATT", "WATTS"}

# Pares do AO 1990 (o .dic marca com EQAO90= a grafia com a consoante, e com PREAO90= a sem ela):
# fica a grafia sem a consoante (SETOR, CONTRATO, RECEÇÃO), como se escreve em Portugal, menos
# nestas, em que a consoante se lê em Portugal e a grafia com ela é a de uso (CARÁCTER, ESPECTRO).
GRAFIA_COM_CONSOANTE = {
    "apocalíptico", "carácter", "caracteres", "característica", "característico", "caracterização",
    "caracterizar", "caracterizante", "descaracterizar", "incaracterístico", "eclíptica",
    "eclíptico", "espectral", "espectro", "espectrografia", "espectrometria", "espectrómetro",
    "espectroscopia", "espectroscópio", "expectador", "expectante", "expectar", "expectativa",
    "expectatório", "icterícia", "interruptor", "láctico", "lacticínio", "noctívago", "séptico",
    "asséptico", "séptuplo", "veredicto", "perfectível", "perfectibilidade", "perfectivo",
}
# Nomes próprios do .dic que são palavras do dia a dia e entram em minúsculas, como os meses.
PROPRIOS_COMUNS = {"Páscoa"}

# Grafias sem a consoante que o .dic não liga ao par (sem PREAO90=) e que Portugal não usa.
GRAFIA_SEM_USO = {"antissético"}

LETRAS = set("ABCDEFGHIJKLMNOPQRSTUVWXYZÀÁÂÃÇÈÉÊÍÓÔÕÚÜ")
SEM_ACENTOS = str.maketrans("ÀÁÂÃÇÈÉÊÍÓÔÕÚÜ", "AAAACEEEIOOOUU")
SUPERLATIVO = re.compile(r"(íssim|érrim|ílim)[oa]s?$")

CABECALHO = [
    "# Dicionário geral de português europeu (AO 1990): uma palavra por linha, em maiúsculas, com acentos.",
    "# Origem: hunspell-pt-pt (GPL-2, LGPL-2.1 ou MPL-1.1) filtrado pela lista de palavras de tesseract-ocr-por (Apache-2.0).",
    "# Gerado por tools/gerar_dicionario.py, com as exclusões de tools/EXCLUSOES.txt; ver data/LEIAME.md.",
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


def entra(palavra, tags):
    if "ABR" in tags or tags.get("SEM") == "sigla":
        return False
    if "ORIG" in tags or "BRAS" in tags or tags.get("GR") == "sup":
        return False
    if tags.get("subcat") == "rom":  # numeração romana em minúsculas (ii, xiv...)
        return False
    if "EQAO90" in tags and palavra not in GRAFIA_COM_CONSOANTE:
        return False
    if "PREAO90" in tags and tags["PREAO90"] in GRAFIA_COM_CONSOANTE or palavra in GRAFIA_SEM_USO:
        return False
    cat = tags.get("CAT")
    if cat == "v":
        return tags.get("T") == "inf"
    if cat == "np":  # meses e estações: nomes comuns em minúscula desde o AO 1990
        return palavra == palavra.lower()
    return cat in CATEGORIAS or cat in GRAMATICAIS


def entradas_do_dic():
    """(palavra, flags, etiquetas) de cada linha do .dic."""
    for linha in DIC.read_text(encoding="utf-8").splitlines()[1:]:
        entrada, _, resto = linha.partition("\t")
        if not resto.strip():
            continue
        palavra, _, flags = entrada.partition("/")
        if palavra in PROPRIOS_COMUNS:
            palavra = palavra.lower()
        yield palavra, flags, etiquetas(resto)


def expandir(entradas):
    """Uma lista de formas por entrada ("palavra/flags"), pela ordem dada, a primeira o lema.

    Corre o unmunch uma vez, com uma entrada separadora sem flags entre cada duas."""
    with tempfile.TemporaryDirectory() as pasta:
        dic = os.path.join(pasta, "escolha.dic")
        with open(dic, "w", encoding="utf-8", newline="\n") as f:
            f.write("%d\n" % (2 * len(entradas)))
            for i, e in enumerate(entradas):
                f.write("%s\n§%d\n" % (e, i))
        saida = subprocess.run(["unmunch", dic, str(AFF)], capture_output=True, check=True).stdout
    grupos, atual = [], []
    for forma in saida.decode("utf-8").split():
        if forma.startswith("§"):
            grupos.append(atual)
            atual = []
        else:
            atual.append(forma)
    assert len(grupos) == len(entradas), "o unmunch não deu um grupo por entrada"
    return grupos


def lista_do_tesseract():
    """As palavras da lista do modelo por.traineddata, em minúsculas."""
    with tempfile.TemporaryDirectory() as pasta:
        prefixo = os.path.join(pasta, "por.")
        subprocess.run(["combine_tessdata", "-u", str(TESSDATA), prefixo], capture_output=True, check=True)
        lista = os.path.join(pasta, "palavras.txt")
        subprocess.run(["dawg2wordlist", prefixo + "lstm-unicharset", prefixo + "lstm-word-dawg", lista],
                       capture_output=True, check=True)
        texto = pathlib.Path(lista).read_text(encoding="utf-8")
    return {p.lower() for p in texto.split()}


def ler_palavras(caminho):
    palavras = []
    for linha in caminho.read_text(encoding="utf-8-sig").splitlines():
        linha = linha.strip()
        if linha and not linha.startswith("#"):
            palavras.append(linha)
    return palavras


def ler_exclusoes():
    """[(categoria, palavra sem acentos, só a palavra e as formas?)] de tools/EXCLUSOES.txt.

    Uma linha "## nome" abre uma categoria; "=PALAVRA" exclui só a palavra e as formas dela (vive
    dentro de palavras comuns: TESÃO em ARTESÃO); "PALAVRA" exclui também tudo o que a contenha."""
    exclusoes, categoria = [], ""
    for linha in EXCLUSOES.read_text(encoding="utf-8").splitlines():
        linha = linha.strip()
        if linha.startswith("##"):
            categoria = linha.lstrip("#").strip()
        elif linha and not linha.startswith("#"):
            exata = linha.startswith("=")
            exclusoes.append((categoria, sem_acentos(linha.lstrip("=").upper()), exata))
    return exclusoes


def valida(forma):
    """Regras de forma: minúsculas, letras portuguesas, 2 a 15 letras, sem superlativos."""
    # Maiúsculas no .dic marcam nomes próprios, siglas e numeração romana.
    if forma != forma.lower() or SUPERLATIVO.search(forma):
        return False
    maiuscula = forma.upper()
    if not 2 <= len(maiuscula) <= 15 or not set(maiuscula) <= LETRAS:
        return False
    if len(maiuscula) == 2 and maiuscula not in DUAS_LETRAS:
        return False
    if set("KWY") & set(maiuscula) and maiuscula not in COM_KWY:
        return False
    return True


def feminino_duvidoso(lema, forma):
    """O feminino em -a de um lema em -e ou -l (TRISTE, MULTILATERAL): o .aff dá-o a adjetivos que não
    o têm; só entra se a lista do Tesseract o confirmar (MESTRA, ESPANHOLA)."""
    return lema[-1:] in ("e", "l") and forma in (lema[:-1] + "a", lema[:-1] + "as", lema + "a", lema + "as")


def singular_derivado(forma):
    for fim, singular in SINGULAR_DERIVADO:
        if forma.endswith(fim):
            return forma[: -len(fim)] + singular
    return forma


class Grupo:
    """Um lema e as suas formas; os derivados de um verbo ficam no grupo do verbo (origem)."""

    def __init__(self, lema, formas, confirmado, origem=None):
        self.lema = lema
        self.formas = formas
        self.confirmado = confirmado  # o lema está na lista do Tesseract
        self.origem = origem
        self.derivado = origem is not None  # derivado de um verbo: só entram as formas confirmadas
        self.palavras = set()  # o que entra, em maiúsculas


def construir_grupos(texto):
    base, derivadas = [], []
    for palavra, flags, tags in entradas_do_dic():
        if not entra(palavra, tags):
            continue
        antigo = tags.get("PREAO90", "").lower()
        confirmado = palavra.lower() in texto or antigo in texto
        flexao = "".join(f for f in flags if f in SUFIXOS_FLEXAO)
        base.append((palavra + ("/" + flexao if flexao else ""), confirmado))
        derivacao = "".join(f for f in flags if f in DERIVADOS)
        # Os verbos de três letras ou menos dão formas que coincidem com outras (SER + -nte = SENTE).
        if tags.get("CAT") == "v" and derivacao and len(palavra) > 3:
            derivadas.append((len(base) - 1, palavra + "/" + derivacao))
    formas = expandir([e for e, _ in base] + [e for _, e in derivadas])
    grupos = [Grupo(fs[0], fs, c) for fs, (_, c) in zip(formas, base)]
    for (verbo, _), fs in zip(derivadas, formas[len(base):]):
        por_singular = {}
        for f in fs[1:]:
            por_singular.setdefault(singular_derivado(f), []).append(f)
        for singular, lista in sorted(por_singular.items()):
            grupos.append(Grupo(singular, lista, singular in texto, origem=grupos[verbo]))
    for g in grupos:
        for f in g.formas:
            if valida(f) and (f in texto or g.confirmado and not g.derivado and not feminino_duvidoso(g.lema, f)):
                g.palavras.add(f.upper())
    return grupos


def palavras_de(grupos):
    return set().union(*(g.palavras for g in grupos))


def contagem_por_comprimento(palavras):
    contagem = {}
    for p in palavras:
        contagem[len(p)] = contagem.get(len(p), 0) + 1
    return dict(sorted(contagem.items()))


def main(argv):
    relatorio = "--relatorio" in argv
    argv = [a for a in argv if a != "--relatorio"]
    destino = pathlib.Path(argv[0]) if argv else SAIDA
    faltam = [p for p in ("unmunch", "combine_tessdata", "dawg2wordlist") if not shutil.which(p)]
    if not DIC.exists() or not AFF.exists() or not TESSDATA.exists() or faltam:
        print("Faltam os pacotes hunspell-pt-pt, hunspell-tools, tesseract-ocr e/ou tesseract-ocr-por.",
              file=sys.stderr)
        return 1
    negra = [sem_acentos(p.upper()) for p in ler_palavras(LISTA_NEGRA)]
    exclusoes = ler_exclusoes()
    texto = lista_do_tesseract()
    grupos = construir_grupos(texto)
    antes = palavras_de(grupos)

    # Exclusões e lista negra: sai o grupo inteiro (todas as formas) e os derivados do mesmo verbo;
    # uma exclusão sem "=" e cada palavra da lista negra tiram também o que as contenha.
    removidas = {}
    fora = set()
    for g in grupos:
        chaves = {sem_acentos(p) for p in g.palavras} | {sem_acentos(g.lema.upper())}
        motivo = None
        for categoria, palavra, exata in exclusoes:
            if palavra in chaves or (not exata and any(palavra in c for c in chaves)):
                motivo = categoria
                break
        if motivo is None and any(n in c for n in negra for c in chaves):
            motivo = "lista negra"
        if motivo is not None:
            fora.add(id(g))
            removidas.setdefault(motivo, set()).update(g.palavras)
    for g in grupos:
        if g.origem is not None and id(g.origem) in fora and id(g) not in fora:
            fora.add(id(g))
            removidas.setdefault("derivados de palavras excluídas", set()).update(g.palavras)
    palavras = palavras_de(g for g in grupos if id(g) not in fora)
    # Uma palavra que sai por uma exclusão não volta por outro grupo com a mesma forma.
    for lista in removidas.values():
        palavras -= lista

    # Ordem estável e independente da localização: pontos de código da forma sem acentos,
    # depois da própria forma.
    ordenadas = sorted(palavras, key=lambda p: (sem_acentos(p), p))
    texto_saida = "\r\n".join(CABECALHO + ordenadas) + "\r\n"
    destino.write_bytes(b"\xef\xbb\xbf" + texto_saida.encode("utf-8"))
    print("%s: %d palavras" % (destino, len(ordenadas)), file=sys.stderr)
    if relatorio:
        base = palavras_de(g for g in grupos if not g.derivado)
        devolvidas = palavras - base
        print("antes das exclusões: %d" % len(antes), file=sys.stderr)
        for motivo, lista in sorted(removidas.items()):
            print("removidas (%s): %d %s" % (motivo, len(lista), " ".join(sorted(lista)[:40])), file=sys.stderr)
        print("devolvidas (derivados de verbos): %d" % len(devolvidas), file=sys.stderr)
        print("por comprimento: %s" % contagem_por_comprimento(palavras), file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
