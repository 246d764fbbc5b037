#!/bin/sh
# Writes the test certificates: a certificate authority of the tests (ca.pem), and a certificate
# for 127.0.0.1 that it signed (server.pem, key server.key), valid from 2000 to 2100 so that no
# machine's clock finds them too new or too old. The tests trust the authority only in their
# own process. Run again only to replace them.
set -eu
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/new"
: > "$work/index"
echo 1000 > "$work/serial"
cat > "$work/ca.cnf" <<CNF
[ca]
default_ca = tests
[tests]
dir = $work
database = $work/index
serial = $work/serial
new_certs_dir = $work/new
default_md = sha256
policy = anything
unique_subject = no
[anything]
commonName = supplied
[authority]
basicConstraints = critical, CA:TRUE
keyUsage = critical, keyCertSign, cRLSign
subjectKeyIdentifier = hash
[server]
basicConstraints = CA:FALSE
keyUsage = critical, digitalSignature, keyEncipherment
extendedKeyUsage = serverAuth
subjectAltName = IP:127.0.0.1
CNF
dates="-startdate 20000101000000Z -enddate 21000101000000Z"
openssl req -new -newkey rsa:2048 -nodes -subj "/CN=Corvane test authority" \
    -keyout "$work/ca.key" -out "$work/ca.csr" 2>/dev/null
openssl ca -batch -config "$work/ca.cnf" -selfsign -keyfile "$work/ca.key" $dates \
    -extensions authority -in "$work/ca.csr" -out "$work/ca.full" 2>/dev/null
openssl x509 -in "$work/ca.full" -out ca.pem
openssl req -new -newkey rsa:2048 -nodes -subj "/CN=127.0.0.1" \
    -keyout server.key -out "$work/server.csr" 2>/dev/null
openssl ca -batch -config "$work/ca.cnf" -cert ca.pem -keyfile "$work/ca.key" $dates \
    -extensions server -in "$work/server.csr" -out "$work/server.full" 2>/dev/null
openssl x509 -in "$work/server.full" -out server.pem
chmod 644 server.key
