#!/usr/bin/env bash
# porun.exe imports at load time only libraries that Windows never takes from
# the program's own folder: the system's known DLLs, and the common controls,
# which the embedded manifest binds to the system's side-by-side assembly.
# Any other import would be looked for beside porun.exe first, where a planted
# file of that name would run before the launcher's own code. The manifest also
# has it run as the invoker, never virtualised: its files stay beside it.
# The program is a Unicode one: it imports no function of the ANSI ("...A")
# kind. The few that the C and C++ runtimes and minizip bring along are allowed
# below, only while none of the program's own objects calls them.
#   imports_test.sh <objdump> <porun.exe> <nm> <program objects and libraries...>
set -uo pipefail
objdump=$1
exe=$2
nm=$3
shift 3
own=("$@")
# name: why a library linked in imports it (none of these handles the program's text).
declare -A linked_ansi=(
    [GetStartupInfoA]="MinGW's start-up code reads the window's show command from it"
    [CreateEventA]="winpthreads makes unnamed events for its mutexes and condition variables"
    [CreateSemaphoreA]="winpthreads makes unnamed semaphores"
    [OutputDebugStringA]="winpthreads and libgcc report their own faults to a debugger"
    [CreateFileA]="minizip's iowin32.c keeps its ANSI file functions in the object of the wide ones"
    [FormatMessageA]="libstdc++'s system_error names a system error through it (the catalog's thread and mutex)"
)
# The program's code may not reach those ANSI ways in by the back door either.
ansi_entries="fill_win32_filefunc fill_win32_filefunc64 fill_win32_filefunc64A"
known="advapi32.dll comdlg32.dll gdi32.dll imm32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll
       shell32.dll user32.dll"
imports=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
if [ -z "$imports" ]; then
    echo "FAILED: no import table read from $exe"
    exit 1
fi
failures=0
if grep -aq 'requestedExecutionLevel level="asInvoker"' "$exe"; then
    echo "ok: runs as the invoker"
else
    echo "FAILED: the manifest does not have it run as the invoker"; failures=$((failures + 1))
fi
for dll in $imports; do
    if [ "$dll" = comctl32.dll ]; then
        if grep -aq 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' "$exe"; then
            echo "ok: $dll, through the manifest's side-by-side assembly"
        else
            echo "FAILED: $dll is imported without the manifest that binds it"; failures=$((failures + 1))
        fi
    elif [[ " $(echo $known) " == *" $dll "* ]]; then
        echo "ok: $dll"
    else
        echo "FAILED: $dll is not a known DLL and would be searched for beside the program"
        failures=$((failures + 1))
    fi
done
ansi=$("$objdump" -p "$exe" | awk '/DLL Name:/ { dll = tolower($3) }
    /^\t[0-9a-f]+\t? +[0-9]+ +[A-Za-z_]/ && $NF ~ /[a-z0-9]A$/ { print dll ":" $NF }')
for import in $ansi; do
    name=${import#*:}
    if [ -n "${linked_ansi[$name]:-}" ]; then
        echo "ok: $import, from a library linked in: ${linked_ansi[$name]}"
    else
        echo "FAILED: $import is an ANSI function"; failures=$((failures + 1))
    fi
done
[ ${#own[@]} -gt 0 ] || { echo "FAILED: no objects of the program to look into"; failures=$((failures + 1)); }
called=$("$nm" -u "${own[@]}" 2>/dev/null)
for name in "${!linked_ansi[@]}" $ansi_entries; do
    if grep -qE "[[:space:]](__imp_)?$name\$" <<<"$called"; then
        echo "FAILED: the program's own code calls $name"; failures=$((failures + 1))
    fi
done
exit $((failures > 0))
