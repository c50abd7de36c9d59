#!/usr/bin/env bash
# Runs a test against real servers on 127.0.0.1: the maker's server script (with its test
# modes) serving SERVE_FOLDER over http and https (one state for both), and tinyproxy
# asking for Basic credentials. They listen on free ports, given to the test as
# LURK_HTTP_PORT, LURK_HTTPS_PORT and LURK_PROXY_PORT (credentials in LURK_PROXY_USER and
# LURK_PROXY_PASSWORD), and all are stopped when the test ends.
# The https server's certificate comes from a throw-away certificate authority made once in
# LURK_TEST_PKI (ca.der is what the test's Wine prefix is told to trust); published
# information files are signed with LURK_TEST_SIGNING_KEY on request.
# Usage: with-servers.sh SERVE_FOLDER COMMAND...
set -u
here=$(cd "$(dirname "$0")" && pwd)
serve=$1
shift
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' INT TERM

listening() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
free_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

pki=${LURK_TEST_PKI:?LURK_TEST_PKI names the folder of the test certificates}
# The address is also given as a DNS name: Wine's certificate check matches names only.
if [ ! -s "$pki/ca.der" ]; then
  mkdir -p "$pki"
  openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -days 3650 \
    -subj "/CN=Lurkmark test authority (throw-away)" -keyout "$pki/ca.key" -out "$pki/ca.pem" \
    -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null &&
  openssl req -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -subj "/CN=127.0.0.1" \
    -keyout "$pki/server.key" -out "$pki/server.csr" 2>/dev/null &&
  openssl x509 -req -in "$pki/server.csr" -CA "$pki/ca.pem" -CAkey "$pki/ca.key" -CAcreateserial -days 3650 \
    -extfile <(printf 'subjectAltName=IP:127.0.0.1,DNS:localhost,DNS:127.0.0.1\nextendedKeyUsage=serverAuth\n') \
    -out "$pki/server.pem" 2>/dev/null &&
  openssl x509 -in "$pki/ca.pem" -outform DER -out "$pki/ca.der" &&
  # A stranger: a certificate for the same names that no authority the prefix trusts signed.
  openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -days 3650 -subj "/CN=127.0.0.1" \
    -addext "subjectAltName=IP:127.0.0.1,DNS:localhost,DNS:127.0.0.1" \
    -keyout "$pki/stranger.key" -out "$pki/stranger.pem" 2>/dev/null ||
    { echo "cannot make the test certificates" >&2; exit 1; }
fi

python3 "$here/../../server/maker_server.py" --root "$serve" --port 0 --port-file "$work/http.port" \
  --tls-port 0 --tls-port-file "$work/https.port" --tls-cert "$pki/server.pem" --tls-key "$pki/server.key" \
  --test-modes --sign-key "${LURK_TEST_SIGNING_KEY:?}" 2>"$work/http.log" &
pids+=($!)
for _ in $(seq 1 100); do [ -s "$work/http.port" ] && break; sleep 0.05; done
[ -s "$work/http.port" ] && [ -s "$work/https.port" ] ||
  { echo "maker server did not start" >&2; cat "$work/http.log" >&2; exit 1; }
LURK_HTTP_PORT=$(cat "$work/http.port")
LURK_HTTPS_PORT=$(cat "$work/https.port")
# The same files from a server whose certificate nobody vouches for (LURK_STRANGER_PORT).
python3 "$here/../../server/maker_server.py" --root "$serve" --port 0 --port-file "$work/plain2.port" \
  --tls-port 0 --tls-port-file "$work/stranger.port" --tls-cert "$pki/stranger.pem" --tls-key "$pki/stranger.key" \
  --test-modes 2>"$work/stranger.log" &
pids+=($!)
for _ in $(seq 1 100); do [ -s "$work/stranger.port" ] && break; sleep 0.05; done
[ -s "$work/stranger.port" ] || { echo "stranger server did not start" >&2; cat "$work/stranger.log" >&2; exit 1; }
LURK_STRANGER_PORT=$(cat "$work/stranger.port")

export LURK_PROXY_USER=lurkproxy LURK_PROXY_PASSWORD=proxy-secret
# A port picked free may be taken before tinyproxy binds it: try a few.
for _ in 1 2 3 4 5; do
  LURK_PROXY_PORT=$(free_port)
  cat >"$work/tinyproxy.conf" <<CONF
Port $LURK_PROXY_PORT
Listen 127.0.0.1
Timeout 30
MaxClients 20
LogLevel Warning
BasicAuth $LURK_PROXY_USER $LURK_PROXY_PASSWORD
CONF
  tinyproxy -d -c "$work/tinyproxy.conf" >"$work/tinyproxy.log" 2>&1 &
  proxy_pid=$!
  for _ in $(seq 1 100); do
    listening "$LURK_PROXY_PORT" && break
    kill -0 "$proxy_pid" 2>/dev/null || break
    sleep 0.05
  done
  if listening "$LURK_PROXY_PORT"; then pids+=("$proxy_pid"); break; fi
  kill "$proxy_pid" 2>/dev/null; wait "$proxy_pid" 2>/dev/null
  LURK_PROXY_PORT=
done
[ -n "$LURK_PROXY_PORT" ] || { echo "tinyproxy did not start" >&2; cat "$work/tinyproxy.log" >&2; exit 1; }

export LURK_HTTP_PORT LURK_HTTPS_PORT LURK_STRANGER_PORT LURK_PROXY_PORT
"$@"
