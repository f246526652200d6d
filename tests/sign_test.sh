#!/usr/bin/env bash
# The test of tools/sign.sh, on a release build (RELEASE_DIR, the release
# preset's folder): signs with a throwaway certificate made here, then checks
# that each zip's program carries a signature osslsigncode verifies against
# that certificate, that the zip is the unsigned one but for the program, that
# the SHA-256 files agree with the zips and that a missing password signs nothing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
release=$(realpath "${1:?usage: sign_test.sh RELEASE_DIR}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "sign_test: FAILED: $*" >&2; exit 1; }

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Morvex test signer" \
  -addext "extendedKeyUsage=codeSigning" -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -passout pass:'geheim 1' \
  -out "$work/signer.p12"

if MORVEX_SIGN_PKCS12=$work/signer.p12 "$root/tools/sign.sh" "$release" "$work/none" 2>/dev/null; then
  fail "signed without a password"
fi
[ ! -e "$work/none" ] || fail "wrote $work/none without a password"

MORVEX_SIGN_PKCS12=$work/signer.p12 MORVEX_SIGN_PASSWORD='geheim 1' "$root/tools/sign.sh" "$release" "$work/out"

for target in windows:win64 windows32:win32; do
  folder=${target%:*}
  zip=$(cd "$release/$folder" && ls morvex-*-"${target#*:}".zip)
  name=${zip%.zip}
  (cd "$work/out" && sha256sum --check --quiet "$zip.sha256") || fail "$zip.sha256 does not match"
  cmp "$release/$folder/$zip.sha256" "$work/out/$name.unsigned.sha256" || fail "$name.unsigned.sha256"
  python3 - "$release/$folder/$zip" "$work/out/$zip" "$work/$name.exe" <<'EOF' || fail "$zip's entries"
import sys, zipfile
unsigned, signed = (zipfile.ZipFile(p) for p in sys.argv[1:3])
assert unsigned.namelist() == signed.namelist(), (unsigned.namelist(), signed.namelist())
for name in unsigned.namelist():
    same = unsigned.read(name) == signed.read(name)
    assert same == (name != "morvex.exe"), name
open(sys.argv[3], "wb").write(signed.read("morvex.exe"))
EOF
  osslsigncode verify -CAfile "$work/cert.pem" -in "$work/$name.exe" >"$work/verify.log" 2>&1 \
    || { cat "$work/verify.log"; fail "the signature of $zip's morvex.exe"; }
  grep -q "Morvex test signer" "$work/verify.log" || fail "$zip's morvex.exe is not signed by the test signer"
  echo "sign_test: $zip signed and verified"
done
