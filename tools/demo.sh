#!/usr/bin/env bash
# The demo: the e-notification check against the local training site, with a fresh demo host
# database (SQLite) and data folder under build/demo/. With a display the person types the
# captcha; without one the tool runs under Xvfb and the code is typed for it.
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD=${BUILD:-build}
DEMO=$ROOT/$BUILD/demo
SCALE=${ETEBLIGAT_TIME_SCALE:-0.3}

rm -rf "$DEMO"
mkdir -p "$DEMO/data"
tools/make-host-db.sh "$DEMO" >/dev/null || { echo "demo: cannot create the host database" >&2; exit 1; }

# The training site.
"$BUILD/training-site" --scenario tests/site/scenarios/demo.json >"$DEMO/site.log" 2>"$DEMO/site.err" &
SITE_PID=$!
cleanup() {
    [ -n "${TOOL_PID:-}" ] && kill "$TOOL_PID" 2>/dev/null
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
    kill "$SITE_PID" 2>/dev/null
    wait 2>/dev/null
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$DEMO/site.log" ] && break; sleep 0.1; done
read -r APP_URL PORTAL_URL < <(head -n 1 "$DEMO/site.log")
[ -n "${APP_URL:-}" ] || { echo "demo: the training site did not start" >&2; cat "$DEMO/site.log" >&2; exit 1; }
echo "Training site: $APP_URL (portal $PORTAL_URL)"

export ETEBLIGAT_SITE_URL=$APP_URL ETEBLIGAT_PORTAL_URL=$PORTAL_URL ETEBLIGAT_TIME_SCALE=$SCALE
export QTWEBENGINE_CHROMIUM_FLAGS=${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu --disable-background-networking --disable-component-update --no-first-run}
[ "$(id -u)" = 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1

ARGS=(58317 demo.kullanici "demo.parola" "demo.sifre" TebligatKontrol KullaniciGirisi
      "Provider=SQLite;Data Source=$DEMO/company.db" 00123 "$DEMO/data/" "" "" "")
# The demo scenario's credentials.
read -r KKODU PAROLA SIFRE < <(python3 - <<'PY'
import json
u = json.load(open("tests/site/scenarios/demo.json"))["user"]
print(u["kullaniciKodu"], u["parola"], u["sifre"])
PY
)
ARGS[1]=$KKODU; ARGS[2]=$PAROLA; ARGS[3]=$SIFRE

if [ -n "${DISPLAY:-}" ] && [ -z "${ETEBLIGAT_DEMO_HEADLESS:-}" ]; then
    echo "Type the captcha shown in the window (the demo code is K7P2M) and press Enter."
    "$BUILD/etebligat" "${ARGS[@]}"
else
    # No display: a virtual one, and the code typed into the window like a person would.
    for n in $(seq 90 110); do [ -e /tmp/.X11-unix/X$n ] || break; done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$DEMO/xvfb.log" 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n" QT_QPA_PLATFORM=xcb
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
    "$BUILD/etebligat" "${ARGS[@]}" >"$DEMO/tool.log" 2>&1 &
    TOOL_PID=$!
    WIN=""
    for _ in $(seq 600); do
        WIN=$(xdotool search --name "e-Tebligat Otomatik Kontrol" 2>/dev/null | head -n 1)
        [ -n "$WIN" ] && break
        kill -0 "$TOOL_PID" 2>/dev/null || break
        sleep 0.1
    done
    [ -n "$WIN" ] || { echo "demo: the tool's window did not appear" >&2; cat "$DEMO/tool.log" >&2; exit 1; }
    # Wait for the captcha the tool fetched, then read its code from the site.
    CODE=""
    for _ in $(seq 600); do
        ID=$(curl -fsS "${APP_URL}_control/events" 2>/dev/null | python3 -c '
import json, sys
ids = [e.get("id", "") for e in json.load(sys.stdin)
       if e.get("kind") == "captcha-image" and "Indy" in e.get("userAgent", "")]
print(ids[-1] if ids else "")' 2>/dev/null)
        [ -n "$ID" ] && CODE=$(curl -fsS "${APP_URL}_control/captcha?id=$ID" 2>/dev/null)
        [ -n "$CODE" ] && break
        sleep 0.1
    done
    sleep 1
    echo "Typing the captcha code $CODE into the window."
    for ((i = 0; i < ${#CODE}; i++)); do
        printf -v hex 'U%04X' "'${CODE:i:1}"
        xdotool key --window "$WIN" "$hex" 2>/dev/null
    done
    xdotool key --window "$WIN" Return 2>/dev/null
    wait "$TOOL_PID"
    TOOL_PID=""
fi

echo
echo "== E_TEBLIGAT =="
sqlite3 -header -column "$DEMO/company.db" "SELECT GONDEREN_BIRIM, GONDERME_TARIHI, TEBLIG_TARIHI, TEBLIG_BELGE_TURU, BELGE_NO, BELGE_YOLU, BELGE_FILE_NAME FROM E_TEBLIGAT"
echo
echo "== E_TEBLIGAT_LOG =="
sqlite3 -header -column "$DEMO/company.db" "SELECT TARIH, FIRMA_ID, ACIKLAMA FROM E_TEBLIGAT_LOG"
echo
echo "== Saved files =="
ls -l "$DEMO/data"

# Success: every notification of the scenario stored with a saved PDF, and the run completed.
EXPECTED=$(python3 -c 'import json;print(len(json.load(open("tests/site/scenarios/demo.json"))["notifications"]))')
STORED=$(sqlite3 "$DEMO/company.db" "SELECT COUNT(*) FROM E_TEBLIGAT WHERE BELGE_YOLU <> ''")
DONE=$(sqlite3 "$DEMO/company.db" "SELECT COUNT(*) FROM E_TEBLIGAT_LOG WHERE ACIKLAMA = 'Okunmamamış E Tebligatlar varmı kontrol işlemine tamamlandı.' AND FIRMA_ID = 2")
PDFS=0
while IFS= read -r path; do
    [ -f "$path" ] && head -c 5 "$path" | grep -q '%PDF-' && PDFS=$((PDFS + 1))
done < <(sqlite3 "$DEMO/company.db" "SELECT BELGE_YOLU FROM E_TEBLIGAT WHERE BELGE_YOLU <> ''")
echo
if [ "$STORED" = "$EXPECTED" ] && [ "$PDFS" = "$EXPECTED" ] && [ "$DONE" = 1 ]; then
    echo "Demo succeeded: $STORED notifications stored, $PDFS PDF files saved under $DEMO/data/."
    exit 0
fi
echo "Demo failed: $STORED of $EXPECTED notifications stored with a file, $PDFS PDFs, completion line: $DONE." >&2
exit 1
