#!/usr/bin/env bash
# Sets everything up and starts the program on a ready demo home:
#   demo-home/bd/TOMVEL.db, demo-home/bd/vorla.db  the two stores (user DEMO, password demo)
#   demo-home/etiquetas/                           the picture printer: one .zpl file per job, a .png per label
#   demo-home/pedidos/                             an order file to import
#   production number 1                            an order ready to print labels for
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --program
bash scripts/build.sh --program  # the program alone; scripts/test.sh builds the tests
home="$PWD/demo-home"
if [ ! -e "$home/bd/TOMVEL.db" ]; then
  ./build/etiquetas-vorla --init "$home" --user DEMO --password demo
  # An order file to try "Carregar Arquivo via TXT" with (the import deletes it).
  mkdir -p "$home/pedidos"
  cp demo/pedido-450123.txt "$home/pedidos/"
  # An order with production number 0000000001, ready for the label windows.
  sqlite3 "$home/bd/vorla.db" < demo/pedido-450100.sql
fi
mkdir -p "$home/etiquetas"
export PRINTER="${PRINTER:-png:$home/etiquetas}"
echo "Usuário: DEMO   Senha: demo   Impressora de etiquetas: $PRINTER"
exec ./build/etiquetas-vorla --home "$home" "$@"
