#!/usr/bin/env bash
# Creates a fresh embedded host database in DIR from the host schema files:
#   DIR/company.db     the company database (tests/host/schema.sql)
#   DIR/talpogenel.db  the general database (tests/host/talpogenel.sql)
# Existing files of these names are replaced. Prints the connection string (argument 7).
set -euo pipefail

if [ $# -ne 1 ]; then
    echo "usage: $0 DIR" >&2
    exit 2
fi
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
dir="$1"
command -v sqlite3 >/dev/null || { echo "$0: sqlite3 is not installed (make deps)" >&2; exit 1; }

mkdir -p "$dir"
dir="$(cd "$dir" && pwd)"
for name in company talpogenel; do
    rm -f "$dir/$name.db" "$dir/$name.db-journal"
done
sqlite3 -bail "$dir/company.db" < "$here/tests/host/schema.sql"
sqlite3 -bail "$dir/talpogenel.db" < "$here/tests/host/talpogenel.sql"
echo "Provider=SQLite;Data Source=$dir/company.db"
