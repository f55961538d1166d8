#include "data/data_file_path.h"

#include "support/path_text.h"
#include "support/program_files.h"

#include <cwchar>

bool DataFilePath(wchar_t* buffer, DWORD size)
{
    // Only a program named with a three-letter extension has a data file:
    // x.exe keeps its data in x.dat.
    wchar_t program[MAX_PATH];
    if (GetProgramPath(program, MAX_PATH) == 0)
        return false;
    const wchar_t* extension = ExtensionOf(program);
    return extension && std::wcslen(extension) == 4 && ProgramPathWithExtension(L"dat", buffer, size);
}
