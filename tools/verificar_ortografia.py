#!/usr/bin/env python3
"""Passa os temas de palavras comuns pelo corretor hunspell de português europeu (AO 1990).

Uso: tools/verificar_ortografia.py [data/TEMA_X.txt ...]
Sem argumentos verifica todos os temas exceto os de nomes próprios (pessoas, lugares, mitologia).
Imprime, por tema, as palavras que o hunspell não conhece. Precisa de hunspell e hunspell-pt-pt.
"""
import pathlib
import subprocess
import sys

# Temas de nomes próprios: o corretor não os conhece e não são palavras comuns.
NOMES_PROPRIOS = {
    "TEMA_CONCELHOS", "TEMA_NOMESFEMININOS", "TEMA_NOMESMASCULINOS", "TEMA_CAPITAIS",
    "TEMA_CIDADESMUNDO", "TEMA_PAISES", "TEMA_MITOLOGIA", "TEMA_GEOGRAFIAPORTUGAL",
}


def palavras_do_tema(caminho):
    for linha in caminho.read_text(encoding="utf-8").splitlines():
        linha = linha.strip()
        if not linha or linha.startswith("#"):
            continue
        # Cada palavra da expressão à parte; o hífen liga formas que o hunspell conhece inteiras.
        for palavra in linha.split(" "):
            yield palavra


def desconhecidas(palavras):
    entrada = "\n".join(p.lower() for p in palavras) + "\n"
    saida = subprocess.run(["hunspell", "-d", "pt_PT", "-l"], input=entrada, capture_output=True,
                           text=True, check=True).stdout
    return sorted(set(saida.split()))


def main(argv):
    pasta = pathlib.Path(__file__).resolve().parent.parent / "data"
    caminhos = [pathlib.Path(a) for a in argv] or [
        c for c in sorted(pasta.glob("TEMA_*.txt")) if c.stem not in NOMES_PROPRIOS]
    for caminho in caminhos:
        falta = desconhecidas(list(palavras_do_tema(caminho)))
        print("%-28s %d desconhecidas%s" % (caminho.stem, len(falta), ": " + ", ".join(falta) if falta else ""))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
