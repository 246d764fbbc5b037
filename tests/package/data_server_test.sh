#!/usr/bin/env bash
# The data server of packaging/data-server on a real nginx, started here on 127.0.0.1 at a free
# port with its prefix, logs and temporary folders under WORK (no root needed) and stopped at the
# end, whatever happened: the served folder built by its script from DATA, the site and its
# snippet as shipped (only the address and the folder put in), and corvane-cli's update of every
# history through it, directly and through the old address's redirect, byte for byte.
#   data_server_test.sh NGINX CLI SOURCE_ROOT WORK
set -uo pipefail
nginx=$1
cli=$2
root=$3
work=$4
packaging="$root/packaging/data-server"
data="$root/data"

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

if ! command -v "$nginx" >/dev/null 2>&1; then
    echo "FAIL: nginx was not found ($nginx); scripts/install-deps.sh installs it" >&2
    exit 1
fi

rm -rf "$work"
mkdir -p "$work/conf/snippets" "$work/logs" "$work/temp" "$work/exe"
nginx_pid=""
stop_nginx() {
    if [ -n "$nginx_pid" ] && kill -0 "$nginx_pid" 2>/dev/null; then
        kill "$nginx_pid"
        wait "$nginx_pid" 2>/dev/null
    fi
    nginx_pid=""
}
trap stop_nginx EXIT

# The served folder, by the shipped script.
if ! "$packaging/build-served-folder.sh" "$data" "$work/served" >/dev/null; then
    echo "FAIL: build-served-folder.sh failed" >&2
    exit 1
fi
histories=()
for file in "$data"/*.txt; do
    name=$(basename "$file")
    if [[ ! $name =~ ^[a-z0-9_-]+\.txt$ ]]; then
        [ -e "$work/served/caipiaoshuju/$name" ] && fail "$name, no history, is served"
        continue
    fi
    histories+=("$name")
    cmp -s "$file" "$work/served/caipiaoshuju/$name" || fail "served $name differs from $file"
done
[ ${#histories[@]} -ge 3 ] || fail "only ${#histories[@]} histories in $data"

# The site as shipped, with the test's address and folder in place of the example's.
# write_config PORT
write_config() {
    cp "$packaging/corvane-data.conf" "$work/conf/snippets/corvane-data.conf"
    awk -v listen="    listen 127.0.0.1:$1;" -v root="    root $work/served;" '
        /^[ \t]*listen / { if (!done) print listen; done = 1; next }
        /^[ \t]*root /   { print root; next }
        { print }' "$packaging/corvane-data-site.conf" >"$work/conf/site.conf"
    cat >"$work/conf/nginx.conf" <<EOF
daemon off;
master_process off;
worker_processes 1;
pid $work/nginx.pid;
error_log $work/logs/error.log;
events {
    worker_connections 64;
}
http {
    access_log $work/logs/access.log;
    client_body_temp_path $work/temp/client_body;
    proxy_temp_path $work/temp/proxy;
    fastcgi_temp_path $work/temp/fastcgi;
    uwsgi_temp_path $work/temp/uwsgi;
    scgi_temp_path $work/temp/scgi;
    include site.conf;
}
EOF
}

# Started on a port picked at random; another try on another port when that one was taken.
port=""
for attempt in 1 2 3 4 5 6 7 8; do
    candidate=$((20000 + RANDOM % 40000))
    write_config "$candidate"
    "$nginx" -p "$work" -c conf/nginx.conf -e "$work/logs/error.log" 2>>"$work/logs/start.log" &
    nginx_pid=$!
    for _ in $(seq 100); do
        if ! kill -0 "$nginx_pid" 2>/dev/null; then
            break
        fi
        if (exec 3<>"/dev/tcp/127.0.0.1/$candidate") 2>/dev/null; then
            port=$candidate
            break
        fi
        sleep 0.1
    done
    [ -n "$port" ] && break
    stop_nginx
done
if [ -z "$port" ]; then
    echo "FAIL: nginx did not start" >&2
    cat "$work/logs/start.log" "$work/logs/error.log" >&2 2>/dev/null
    exit 1
fi

# What the server sends for PATH, asked as a browser would ask, compression welcome:
# "STATUS CONTENT-LENGTH CONTENT-ENCODING TRANSFER-ENCODING", a "-" for a missing header.
# head_of PATH
head_of() {
    local answer
    answer=$(
        exec 3<>"/dev/tcp/127.0.0.1/$port" || exit 1
        printf 'GET %s HTTP/1.1\r\nHost: 127.0.0.1\r\nAccept-Encoding: gzip, deflate, br\r\nConnection: close\r\n\r\n' "$1" >&3
        sed '/^\r$/q' <&3 | tr -d '\r'
    )
    printf '%s %s %s %s\n' "$(printf '%s\n' "$answer" | head -n 1 | cut -d ' ' -f 2)" \
        "$(header_value Content-Length "$answer")" "$(header_value Content-Encoding "$answer")" \
        "$(header_value Transfer-Encoding "$answer")"
}
header_value() { # NAME HEAD: the header's value, or "-"
    printf '%s\n' "$2" | sed -n "s/^$1: *//Ip" | head -n 1 | grep . || echo -
}

# The bytes corvane-cli stores for a body: every LF not after a CR becomes CR LF.
stored_form() {
    perl -0777 -pe 's/(?<!\r)\n/\r\n/g' "$1"
}

cp "$cli" "$work/exe/corvane-cli"
old=$'20020101 1 2 3 4 5 6\r\n'
# update BASE NAME: the update of NAME from BASE, into a local file that held something else.
update() {
    printf '%s' "$old" >"$work/exe/$2"
    CORVANE_DATA_SERVER=$1 "$work/exe/corvane-cli" update "$2" >"$work/out" 2>"$work/err"
}
check_updated() { # BASE NAME
    local status=0
    update "$1" "$2" || status=$?
    [ "$status" -eq 0 ] || fail "update $2 from $1 ended with $status: $(cat "$work/err")"
    [ "$(cat "$work/out")" = "Data Updated Finished Successfully" ] ||
        fail "update $2 from $1 said: $(cat "$work/out")"
    [ -s "$work/err" ] && fail "update $2 from $1 wrote on standard error: $(cat "$work/err")"
    cmp -s <(stored_form "$data/$2") "$work/exe/$2" || fail "$2 from $1 differs from $data/$2"
}

base="http://127.0.0.1:$port/caipiaoshuju/"
moved="http://127.0.0.1:$port/lottodata/"
for name in "${histories[@]}"; do
    size=$(wc -c <"$data/$name")
    read -r status length encoding transfer <<<"$(head_of "/caipiaoshuju/$name")"
    [ "$status $length $encoding $transfer" = "200 $size - -" ] ||
        fail "/caipiaoshuju/$name: status, length, encoding, transfer: $status $length $encoding $transfer (want 200 $size - -)"
    read -r status _ <<<"$(head_of "/lottodata/$name")"
    [ "$status" = 301 ] || fail "/lottodata/$name answered $status, not 301"
    check_updated "$base" "$name"
    check_updated "$moved" "$name"
done
grep -q '"GET /lottodata/[^ ]* HTTP/1.1" 301 .*"ebra"' "$work/logs/access.log" ||
    fail "the access log shows no redirect of corvane-cli's request"

# A history the server does not have (a catalogue file that ships none): the program's message
# alone, the local file kept.
absent=""
for name in $("$cli" catalogue | cut -f4); do
    [ -e "$data/$name" ] || { absent=$name; break; }
done
[ -n "$absent" ] || fail "every catalogue file ships a history: no file to ask for in vain"
status=0
update "$base" "$absent" || status=$?
[ "$status" -eq 1 ] || fail "update $absent ended with $status"
[ "$(cat "$work/err")" = "The data server answered \"404 Not Found\" instead of sending $absent. The local file was not changed." ] ||
    fail "update $absent said: $(cat "$work/err")"
cmp -s <(printf '%s' "$old") "$work/exe/$absent" || fail "$absent was changed"

stop_nginx
if [ "$failures" -ne 0 ]; then
    echo "$failures failures; nginx's logs are in $work/logs" >&2
    exit 1
fi
echo "nginx on port $port served ${#histories[@]} histories to corvane-cli, directly and through the redirect"
