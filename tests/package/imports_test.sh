#!/usr/bin/env bash
# porun.exe imports at load time only libraries that Windows never takes from
# the program's own folder: the system's known DLLs, and the common controls,
# which the embedded manifest binds to the system's side-by-side assembly.
# Any other import would be looked for beside porun.exe first, where a planted
# file of that name would run before the launcher's own code. The manifest also
# has it run as the invoker, never virtualised: its files stay beside it.
#   imports_test.sh <objdump> <porun.exe>
set -uo pipefail
objdump=$1
exe=$2
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
exit $((failures > 0))
