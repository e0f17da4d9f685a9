#!/usr/bin/env bash
# Rejects an include that goes up a layer or reaches into another layer's private
# headers (docs/architecture.md, "Layers"). Prints one line per offence and exits 1.
set -euo pipefail
cd "$(dirname "$0")/.."

git ls-files -- '*.cpp' '*.h' | xargs grep -Hn '^#include "' | awk -F: '
function layer(path) {
    if (path ~ /^console\/host\//) return "host"
    if (path ~ /^console\//) return "console"
    if (path ~ /^orblib47\//) return "engine"
    if (path ~ /^source\//) return "game"
    if (path ~ /^tools\//) return "tools"
    return "test"  # tests/, fuzz/, bench/ may reach any layer and its private headers
}
function folder(path) { sub(/\/[^\/]*$/, "", path); return path }
function refuse(why) { printf "%s:%s: %s includes \"%s\"\n", file, line, why, target; bad = 1 }
{
    file = $1; line = $2
    target = $0; sub(/^[^"]*"/, "", target); sub(/".*$/, "", target)
    from = layer(file); to = layer(target)
    if (from == "test") next
    if (to == "test") { refuse("a program"); next }
    if (from == "host" && to != "host") { refuse("the host library (it knows no console state)"); next }
    if (from == "console" && to != "console" && to != "host") { refuse("the console (calls go downwards)"); next }
    if (from == "engine" && to == "game") { refuse("the engine (calls go downwards)"); next }
    if (from == "engine" || from == "game" || from == "tools") {
        # Only the console services'"'"' public headers, never their folders or the host.
        if (to == "host" || target ~ /^console\/[^\/]+\//) { refuse("a console private header from outside the console"); next }
        if ((target == "console/system.h" || target == "console/screenshot.h") && from == "engine") {
            refuse("the engine (starting the console is the entry point'"'"'s job)"); next
        }
    }
    if (target ~ /Internal\.h$/ && folder(target) != folder(file)) refuse("a module-private header from another folder")
}
END { exit bad }
'
