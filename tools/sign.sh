#!/usr/bin/env bash
# Signs the release: both morvex.exe (64-bit and 32-bit) with the maintainer's
# code-signing certificate, then packs each zip again around its signed program.
#   tools/sign.sh [RELEASE_DIR [OUT_DIR]]
# RELEASE_DIR is a build of the release preset (build/release by default,
# made by `cmake --build --preset release`); it is not changed. OUT_DIR
# (RELEASE_DIR/signed by default) gets, for each target:
#   morvex-<version>-<target>.zip           the zip with the signed program
#   morvex-<version>-<target>.zip.sha256    its SHA-256
#   morvex-<version>-<target>.unsigned.sha256
#                                           the SHA-256 of the unsigned zip, the
#                                           file a rebuild writes as its .zip.sha256
# A signature cannot be rebuilt, but the unsigned zip can: anyone can build the
# commit and compare. The certificate comes from the environment:
#   MORVEX_SIGN_PKCS12     the PKCS#12 file with the certificate and its key
#   MORVEX_SIGN_PASSWORD   its password (handed to osslsigncode in a file, not
#                          on its command line)
#   MORVEX_SIGN_TIMESTAMP  optional: the RFC 3161 time-stamp server to ask, so
#                          that the signature outlives the certificate
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
release=${1:-$root/build/release}
out=${2:-$release/signed}
say() { echo "sign.sh: $*" >&2; }

[ -n "${MORVEX_SIGN_PKCS12:-}" ] && [ -r "$MORVEX_SIGN_PKCS12" ] \
  || { say "MORVEX_SIGN_PKCS12 must name a readable PKCS#12 file"; exit 2; }
[ -n "${MORVEX_SIGN_PASSWORD+set}" ] || { say "MORVEX_SIGN_PASSWORD is not set"; exit 2; }
command -v osslsigncode >/dev/null || { say "osslsigncode is missing (tools/deps.sh installs it)"; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(umask 077 && printf '%s' "$MORVEX_SIGN_PASSWORD" >"$work/password")
mkdir -p "$out"

signed=0
for folder in windows windows32; do
  for zip in "$release/$folder"/morvex-*-win*.zip; do
    [ -f "$zip" ] || continue
    name=$(basename "$zip" .zip)
    [ -f "$zip.sha256" ] || { say "$zip has no .sha256 beside it"; exit 1; }
    exe=$release/$folder/morvex.exe
    osslsigncode sign -pkcs12 "$MORVEX_SIGN_PKCS12" -readpass "$work/password" -h sha256 \
      -n "Morvex" ${MORVEX_SIGN_TIMESTAMP:+-ts "$MORVEX_SIGN_TIMESTAMP"} \
      -in "$exe" -out "$work/$name.exe" >"$work/sign.log" 2>&1 \
      || { cat "$work/sign.log" >&2; say "could not sign $exe"; exit 1; }
    python3 "$root/tools/package.py" "$work/$name.zip" --from "$zip" "morvex.exe=$work/$name.exe"
    cp "$zip.sha256" "$out/$name.unsigned.sha256"
    mv "$work/$name.zip" "$out/$name.zip"
    mv "$work/$name.zip.sha256" "$out/$name.zip.sha256"
    echo "signed: $out/$name.zip  $(cut -d' ' -f1 <"$out/$name.zip.sha256")"
    signed=$((signed + 1))
  done
done
[ $signed = 2 ] || { say "expected the two zips of a release build in $release, found $signed"; exit 1; }
