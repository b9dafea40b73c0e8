#!/bin/sh
# Gera data/CC_BY_NC_ND.png: o selo Creative Commons BY-NC-ND, 1280 × 450, PNG RGBA de 8 bits.
#
# Uso: tools/gerar_selo.sh [saída]   (por omissão data/CC_BY_NC_ND.png)
#
# O desenho é o oficial, do pacote npm @creativecommons/vocabulary (licença MIT), que o npm vai
# buscar ao registo; a versão fica fixa para o PNG sair sempre igual (VERSAO=... para outra).
# Precisa de npm, tar, file e rsvg-convert (pacote Debian librsvg2-bin).
set -eu

VERSAO="${VERSAO:-2020.11.3}"
SVG="package/assets/license_badges/big/by_nc_nd.svg"
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
SAIDA="$(realpath -m "${1:-$RAIZ/data/CC_BY_NC_ND.png}")"

for programa in npm tar rsvg-convert file; do
    command -v "$programa" >/dev/null || { echo "Falta o programa $programa." >&2; exit 1; }
done

TEMP="$(mktemp -d)"
trap 'rm -rf "$TEMP"' EXIT

pacote="$(cd "$TEMP" && npm pack --silent "@creativecommons/vocabulary@$VERSAO")"
tar -xzf "$TEMP/$pacote" -C "$TEMP" "$SVG"

# O desenho tem 120 × 42; 1280 × 450 estica-o 0,4 % na vertical, o que não se vê, e enche a
# imagem toda sem margens transparentes.
rsvg-convert --width 1280 --height 450 --format png --output "$SAIDA" "$TEMP/$SVG"

# Confirma o que o programa espera do recurso antes de dar a imagem por boa.
descricao="$(file -b "$SAIDA")"
case "$descricao" in
    "PNG image data, 1280 x 450, 8-bit/color RGBA"*) echo "$SAIDA: $descricao" ;;
    *) echo "Imagem inesperada: $descricao" >&2; exit 1 ;;
esac
